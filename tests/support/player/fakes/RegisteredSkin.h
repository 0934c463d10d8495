// The skin manager registered as the application's while the object lives, as the
// player's application object registers its own for the whole run.
#pragma once

#include <afxwin.h>

#include "skin/SkinManager.h"

class RegisteredSkin {
public:
    RegisteredSkin() { SetAppSkinManager(&m_skinManager); }
    ~RegisteredSkin() { SetAppSkinManager(nullptr); }
    RegisteredSkin(const RegisteredSkin&) = delete;
    RegisteredSkin& operator=(const RegisteredSkin&) = delete;

    CSkinManager& GetSkinManager() { return m_skinManager; }

private:
    CWinApp m_app;
    CSkinManager m_skinManager;
};
