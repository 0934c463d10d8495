// The main window in a real top-level window standing in for the main dialog, with the
// real page of the program folder, the play dialog's fake, and the loopback account
// and catalogue services behind "ovraCfg.ini".
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "MainWnd.h"
#include "MainWndCtrlManager.h"
#include "fakes/FakeWindows.h"
#include "fixtures/UserConfigScope.h"
#include "fixtures/WindowConfigScope.h"
#include "services/AccountWebService.h"
#include "skin/SkinManager.h"
#include "support/ServiceConfigFile.h"

// One main window object for the whole process: the command controls, registered once
// a process, keep the window they were made for.
CMainWnd& TheMainWnd();

// Delivers the thread's messages for about the given time.
void PumpFor(DWORD milliseconds);

// The window's position on the screen: away from the corner where other test programs'
// windows appear.
const POINT kDialogAt = {40, 20};

class MainWndTest : public testing::Test {
public:
    static std::vector<std::string>& DialogMessages();

protected:
    void SetUp() override;
    void TearDown() override;

    // The dialog at its place with the given size (the stored rectangle too, unless one
    // is given), the main window over its client area.
    void Open(int width = 1024, int height = 753, const RECT* stored = nullptr);
    // From now on the dialog keeps WM_SYSCOMMAND, WM_NCLBUTTONDOWN and WM_CLOSE to itself
    // (recorded as "message wParam"), as a test must not let them size, drag or close it.
    // With letMove the first two are recorded and then handled, so a real drag moves it.
    void RecordDialogMessages(bool letMove = false);
    // The main window follows the dialog's client area, as the main dialog has it do.
    void FollowDialog();
    CMainWnd& Wnd() { return TheMainWnd(); }
    CMainWndCtrlManager& Manager() { return *Wnd().GetManager(); }
    HWND DialogHwnd() { return windows.dialog.GetSafeHwnd(); }
    RECT DialogRect();
    RECT ElementRect(LPCWSTR id) { return Manager().GetElementRect(id); }
    // A click of the main button in the middle of the element's box, as the user makes it.
    void ClickElement(LPCWSTR id);
    void ClickAt(POINT client);
    bool Called(const std::string& call) const;
    int CountCalls(const std::string& call) const;

    // Extra "ovraCfg.ini" text after the services' own sections.
    virtual std::string ExtraConfig() const { return std::string(); }

    AccountWebService service;
    std::unique_ptr<ServiceConfigFile> config;
    UserConfigScope settings;
    WindowConfigScope windowSettings;
    FakeWindows windows;
    CSkinManager skin;
};

// What the page opener was asked to open, as "program address" ("-" for the default browser).
std::vector<std::string>& OpenedPages();

// The rectangle's corners as "l,t r,b".
std::string Show(const RECT& r);
