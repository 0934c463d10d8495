// The player's application object: the start-up in InitInstance (single instance, update
// check, database upgrade, libraries, facade, skin, then the main dialog's modal loop),
// and the shut-down in ExitInstance.
#pragma once

#include <afxwin.h>

#include "db/UpgradeHelper.h"
#include "skin/SkinManager.h"
#include "startup/InstancePipe.h"

class CZemovistaApp : public CWinApp {
    DECLARE_DYNAMIC(CZemovistaApp)
public:
    // Registers its skin manager as the application's, and clears it when destroyed.
    CZemovistaApp();
    ~CZemovistaApp() override;

    // Always FALSE: ExitInstance follows, also after the main dialog has ended.
    BOOL InitInstance() override;
    int ExitInstance() override;

    CSkinManager& GetSkinManager() { return m_skinManager; }

private:
    // True in the first instance (the listener runs); false in a second one, which has
    // handed its request over.
    bool OpenPipe();
    void StartUsageReport();
    void AllowDroppedMessages();
    bool LoadSkin();

    CSkinManager m_skinManager;
    ULONG_PTR m_gdiplusToken = 0;
    CUpgradeHelper m_upgrade;
    INSTANCE_PIPE m_pipe;
    bool m_comInitialized = false;
};

// The application object's main-window pointer: the main dialog while it exists.
CWnd* GetAppMainWnd();
