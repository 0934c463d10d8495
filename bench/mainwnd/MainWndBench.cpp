// The time from creating the main window to its page painted, and the process's
// working set then (targets under Wine here: under 300 ms and under 80 MB). The main
// dialog is a plain top-level window; there is no play dialog.
#include <afxwin.h>
#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>

#include "BenchClock.h"
#include "MainWnd.h"
#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "fakes/NullMainDialog.h"
#include "skin/SkinManager.h"

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int main() {
    CWinApp app;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    CSkinManager skin;
    if (!skin.LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml")) {
        std::printf("the skin does not load\n");
        return 1;
    }
    SetAppSkinManager(&skin);
    CAppFacade& facade = CAppFacade::GetInstance();
    CUserConfig::GetInstance().GetAllConfig().AutoLogin = false;
    {
        CMainWnd mainWnd;
        CNullMainDialog dialog;
        dialog.mainWindow = &mainWnd;
        facade.SetMainDialog(&dialog);
        RECT r = {40, 20, 1064, 773};
        dialog.CreateEx(0, nullptr, L"main dialog", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, r, nullptr, 0);
        mainWnd.SetViewKind(1);

        double start = NowSeconds();
        BOOL created = mainWnd.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 1024, 753}, &dialog, 1);
        Pump();  // the start view
        mainWnd.UpdateWindow();
        double painted = NowSeconds();
        if (!created) {
            std::printf("the main window was not created\n");
            return 1;
        }
        PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
        std::printf("main window created and painted: %.1f ms (target under 300 ms)\n", (painted - start) * 1000);
        std::printf("working set then: %.1f MB (target under 80 MB)\n", memory.WorkingSetSize / (1024.0 * 1024.0));
        mainWnd.DestroyWindow();
        facade.SetMainDialog(nullptr);
        dialog.DestroyWindow();
    }
    SetAppSkinManager(nullptr);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
