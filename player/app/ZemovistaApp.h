// The player's application object.
#pragma once

#include <afxwin.h>

#include "skin/SkinManager.h"

class CZemovistaApp : public CWinApp {
    DECLARE_DYNAMIC(CZemovistaApp)
public:
    // Registers its skin manager as the application's, and clears it when destroyed.
    CZemovistaApp();
    ~CZemovistaApp() override;

    CSkinManager& GetSkinManager() { return m_skinManager; }

private:
    CSkinManager m_skinManager;
};
