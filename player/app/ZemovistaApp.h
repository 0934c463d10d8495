// The player's application object.
#pragma once

#include <afxwin.h>

#include "skin/SkinManager.h"

class CZemovistaApp : public CWinApp {
    DECLARE_DYNAMIC(CZemovistaApp)
public:
    CZemovistaApp();
    ~CZemovistaApp() override;

    // The loaded skin and the registered skinned windows, for the whole run.
    CSkinManager& GetSkinManager() { return m_skinManager; }

private:
    CSkinManager m_skinManager;
};
