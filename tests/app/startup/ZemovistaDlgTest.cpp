#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "PlainDialogParts.h"
#include "WindowCapture.h"
#include "ZemovistaDlg.h"
#include "common/WindowMessages.h"
#include "fixtures/WindowConfigScope.h"
#include "facade/AppFacade.h"
#include "facade/BaseControl.h"
#include "facade/CommandCodes.h"
#include "resource.h"

namespace {

const int RECORDING_CONTROL = 90;

// Registered once for the process: keeps the codes the dialog broadcasts.
class RecordingControl : public CBaseControl {
public:
    RecordingControl() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void* data) override {
        if (code == CMD_APP_EXIT) codes.push_back("AppExit");
        if (code == CMD_OPEN_FROM_OTHER_INSTANCE) codes.push_back("Open " + std::string(CStringA(*static_cast<CString*>(data))));
        return 0;
    }
    std::vector<std::string> codes;
};

RecordingControl& Recorder() {
    static RecordingControl* control = [] {
        auto* made = new RecordingControl;
        CAppFacade::GetInstance().RegisterControl(RECORDING_CONTROL, made);
        return made;
    }();
    return *control;
}

CString ArtifactsFolder() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1) + L"artifacts\\";
    CreateDirectoryW(folder, nullptr);
    return folder;
}

CRect WindowRect(CWnd& window) {
    CRect rect;
    window.GetWindowRect(&rect);
    return rect;
}

CRect RectInClient(CWnd& dialog, CWnd* child) {
    CRect rect;
    child->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

// The window settings as a test arranges them, restored at the end.
class WindowSettings {
public:
    WindowSettings(CRect stored, bool maximize) {
        CAllConfig& window = m_scope.Window();
        window.WindowLeft = stored.left;
        window.WindowTop = stored.top;
        window.WindowRight = stored.right;
        window.WindowBottom = stored.bottom;
        window.MaximizeWindow = maximize;
    }
    CRect Stored() {
        CAllConfig& window = m_scope.Window();
        return {window.WindowLeft, window.WindowTop, window.WindowRight, window.WindowBottom};
    }

private:
    WindowConfigScope m_scope;
};

// A dialog on plain parts; the parts stay readable after the dialog ended.
struct DialogUnderTest {
    explicit DialogUnderTest(bool failCreate = false) {
        auto made = std::make_unique<CPlainDialogParts>(failCreate);
        parts = made.get();
        dialog = std::make_unique<CZemovistaDlg>(std::move(made));
        Recorder().codes.clear();
    }
    CPlainDialogParts* parts;
    std::unique_ptr<CZemovistaDlg> dialog;
};

// Steps that wait for the restore timer to have placed the dialog.
void WaitForRestore(CDialogDriver& driver) {
    for (int i = 0; i < 6; ++i) driver.Then([](CDialog&) {});
}

void Close(CDialogDriver& driver) {
    driver.Then([](CDialog& dialog) { dialog.PostMessage(WM_CLOSE); });
}

TEST(ZemovistaDlg, TheStoredRectangleDecidesWhereTheDialogOpens) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* what;
        CRect stored;
        bool maximize;
        bool keepsTemplatePlace;
        CRect expected;
    } cases[] = {
        {"four zeros", CRect(0, 0, 0, 0), false, true, CRect()},
        {"stored rectangle", CRect(20, 30, 1320, 830), false, false, CRect(20, 30, 1320, 830)},
        {"maximised wins over the stored rectangle", CRect(20, 30, 1320, 830), true, false, CRect(work)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowSettings settings(c.stored, c.maximize);
        DialogUnderTest t;
        CRect before, after;
        CDialogDriver driver;
        driver.Then([&](CDialog& d) { d.GetWindowRect(&before); });
        WaitForRestore(driver);
        driver.Then([&](CDialog& d) { d.GetWindowRect(&after); });
        Close(driver);
        EXPECT_EQ(IDCANCEL, driver.RunModal(*t.dialog));
        if (c.keepsTemplatePlace)
            EXPECT_EQ(before, after);
        else
            EXPECT_EQ(c.expected, after);
    }
}

TEST(ZemovistaDlg, IsLayeredWithItsColourKeyAndKeepsItsMinimumSize) {
    WindowSettings settings(CRect(10, 10, 1034, 763), false);
    DialogUnderTest t;
    CDialogDriver driver;
    WaitForRestore(driver);
    driver.Then([&](CDialog& d) {
        EXPECT_TRUE(d.GetExStyle() & WS_EX_LAYERED);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(d.m_hWnd, &key, &alpha, &flags));
        EXPECT_EQ(0x161110u, key);
        EXPECT_EQ(LWA_COLORKEY, flags & LWA_COLORKEY);
        EXPECT_TRUE(d.GetStyle() & WS_MINIMIZEBOX);
        CString title;
        d.GetWindowText(title);
        EXPECT_EQ(CString(L"Zemovista"), title);

        MINMAXINFO info = {};
        d.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
        EXPECT_EQ(1024, info.ptMinTrackSize.x);
        EXPECT_EQ(753, info.ptMinTrackSize.y);
        WindowCapture(d.m_hWnd).SavePng(ArtifactsFolder() + L"main_dialog_plain_parts.png");
    });
    Close(driver);
    driver.RunModal(*t.dialog);
}

TEST(ZemovistaDlg, PanelsFollowTheMainWindowsRectanglesAtEachWidth) {
    for (int width : {1024, 1300}) {
        SCOPED_TRACE(width);
        WindowSettings settings(CRect(0, 0, width, 800), false);
        DialogUnderTest t;
        CDialogDriver driver;
        WaitForRestore(driver);
        driver.Then([&](CDialog& d) {
            CRect client;
            d.GetClientRect(&client);
            EXPECT_EQ(width, client.Width());
            IMainDialogParts& parts = *t.parts;
            EXPECT_EQ(client, RectInClient(d, parts.GetMainWindow()->AsWindow()));
            EXPECT_EQ(CRect(parts.GetLeftPanelRect()), RectInClient(d, parts.GetPanel(PANEL_LEFT)));
            EXPECT_EQ(CRect(parts.GetProgressRect()), RectInClient(d, parts.GetPanel(PANEL_SEEK_BAR)));
            CRect middle = parts.GetMiddleRect();
            EXPECT_EQ(CRect(middle.left, middle.top, middle.right, middle.bottom - 35),
                      RectInClient(d, parts.GetPanel(PANEL_BROWSER)));
            EXPECT_EQ(CRect(middle.left, client.bottom - 35, middle.right, client.bottom - 2),
                      RectInClient(d, parts.GetPanel(PANEL_SCROLLING_STRIP)));
            EXPECT_FALSE(parts.GetPanel(PANEL_BROWSER)->IsWindowVisible());
            EXPECT_TRUE(parts.GetPanel(PANEL_LEFT)->IsWindowVisible());
        });
        Close(driver);
        driver.RunModal(*t.dialog);
        EXPECT_NE(t.parts->calls.end(),
                  std::find(t.parts->calls.begin(), t.parts->calls.end(), "LayoutForWidth " + std::to_string(width)));
    }
}

TEST(ZemovistaDlg, ThroughTheTrayAndBack) {
    DialogUnderTest t;
    CDialogDriver driver;
    driver.Then([&](CDialog&) {
        t.dialog->MinimizeToTray();
        EXPECT_TRUE(t.dialog->IsInTray());
        EXPECT_FALSE(t.dialog->IsWindowVisible());
        EXPECT_EQ((DWORD)NOTIFYICONDATAW_V3_SIZE, t.dialog->GetTrayData().cbSize);
        EXPECT_EQ((UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP), t.dialog->GetTrayData().uFlags);
        EXPECT_EQ((UINT)WM_TRAY_NOTIFY, t.dialog->GetTrayData().uCallbackMessage);
        EXPECT_STREQ(L"Zemovista", t.dialog->GetTrayData().szTip);
    });
    driver.Then([&](CDialog& d) {
        // Another icon's click is not ours.
        d.SendMessage(WM_TRAY_NOTIFY, 1, WM_LBUTTONUP);
        EXPECT_TRUE(t.dialog->IsInTray());
        d.SendMessage(WM_TRAY_NOTIFY, 0, WM_MOUSEMOVE);
        EXPECT_TRUE(t.dialog->IsInTray());
        d.SendMessage(WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
        EXPECT_FALSE(t.dialog->IsInTray());
        EXPECT_TRUE(d.IsWindowVisible());
    });
    Close(driver);
    driver.RunModal(*t.dialog);
    std::vector<std::string> tray;
    for (const std::string& call : t.parts->calls)
        if (call == "ToTray" || call == "FromTray") tray.push_back(call);
    EXPECT_EQ((std::vector<std::string>{"ToTray", "FromTray"}), tray);
}

// The tray menu's window and its item texts, when one is shown.
std::vector<CString> ShownMenuItems() {
    std::vector<CString> items;
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow) return items;
    HMENU menu = (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        WCHAR text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        if (text[0]) items.push_back(text);
    }
    return items;
}

TEST(ZemovistaDlg, TheTrayMenuShowsTwoItemsAndItsExitClosesTheDialog) {
    DialogUnderTest t;
    std::vector<CString> items;
    CDialogDriver driver;
    driver.Then([&](CDialog&) { t.dialog->MinimizeToTray(); });
    // The right click runs the menu's own loop; the next step reads and answers it.
    driver.Then([&](CDialog& d) { d.PostMessage(WM_TRAY_NOTIFY, 0, WM_RBUTTONUP); });
    driver.Then([&](CDialog&) {
        items = ShownMenuItems();
        HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (menuWindow) {
            // The last item is "退出": End from the top, then Enter.
            PostMessageW(menuWindow, WM_KEYDOWN, VK_END, 0);
            PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        }
    });
    for (int i = 0; i < 10; ++i) driver.Then([](CDialog&) {});
    INT_PTR result = driver.RunModal(*t.dialog);
    EXPECT_EQ((std::vector<CString>{L"显示窗口", L"退出"}), items);
    EXPECT_EQ(IDCANCEL, result) << "the exit item closes the dialog";
    EXPECT_EQ(std::vector<std::string>{"AppExit"}, Recorder().codes);
}

TEST(ZemovistaDlg, TaskbarCreatedAddsTheTrayIconAgain) {
    DialogUnderTest t;
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    bool addWorks = false;
    CDialogDriver driver;
    driver.Then([&](CDialog& d) {
        t.dialog->MinimizeToTray();
        NOTIFYICONDATAW probe = t.dialog->GetTrayData();
        Shell_NotifyIconW(NIM_DELETE, &probe);
        addWorks = Shell_NotifyIconW(NIM_ADD, &probe) != FALSE;
        Shell_NotifyIconW(NIM_DELETE, &probe);
        d.SendMessage(taskbarCreated, 0, 0);
        // The icon is back when the system takes it; else the dialog stays hidden and
        // no longer counts as in the tray.
        EXPECT_EQ(addWorks, t.dialog->IsInTray());
        EXPECT_FALSE(d.IsWindowVisible());
    });
    driver.Then([&](CDialog& d) {
        // Outside the tray the message adds nothing.
        t.dialog->RestoreFromTray();
        d.SendMessage(taskbarCreated, 0, 0);
        EXPECT_FALSE(t.dialog->IsInTray());
    });
    Close(driver);
    driver.RunModal(*t.dialog);
}

TEST(ZemovistaDlg, ClosingBroadcastsTheExitAndStoresTheRestoreRectangle) {
    struct Case {
        const char* what;
        int showCommand;  // SW_SHOWNORMAL, or minimised/maximised before closing
    } cases[] = {{"shown", SW_SHOWNORMAL}, {"minimised", SW_MINIMIZE}, {"maximised", SW_MAXIMIZE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowSettings settings(CRect(40, 50, 1140, 850), false);
        DialogUnderTest t;
        CDialogDriver driver;
        WaitForRestore(driver);
        driver.Then([&](CDialog& d) {
            d.MoveWindow(60, 70, 1160, 880);
            d.ShowWindow(c.showCommand);
        });
        Close(driver);
        EXPECT_EQ(IDCANCEL, driver.RunModal(*t.dialog));
        EXPECT_EQ(CRect(60, 70, 1220, 950), settings.Stored());
        EXPECT_EQ(std::vector<std::string>{"AppExit"}, Recorder().codes);
        EXPECT_NE(t.parts->calls.end(), std::find(t.parts->calls.begin(), t.parts->calls.end(), "HidePlayDialog"));
    }
}

TEST(ZemovistaDlg, EnterAndEscapeKeepTheDialog) {
    DialogUnderTest t;
    bool openAfterKeys = false;
    CDialogDriver driver;
    driver.Then([&](CDialog& d) {
        ::SetFocus(t.parts->GetPanel(PANEL_LEFT)->m_hWnd);
        CDialogDriver::PostKey(d.m_hWnd, VK_RETURN);
        CDialogDriver::PostKey(d.m_hWnd, VK_ESCAPE);
        d.PostMessage(WM_COMMAND, IDOK);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    driver.Then([&](CDialog& d) {});
    driver.Then([&](CDialog& d) { openAfterKeys = d.IsWindowVisible() != FALSE; });
    Close(driver);
    EXPECT_EQ(IDCANCEL, driver.RunModal(*t.dialog));
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(std::vector<std::string>{"AppExit"}, Recorder().codes) << "only the close road ends it";
}

TEST(ZemovistaDlg, ASecondStartBringsTheDialogBackAndHandsItsFileOver) {
    struct Case {
        const char* what;
        int state;  // 0 shown, 1 minimised, 2 in the tray
        bool open;
    } cases[] = {
        {"shown, bare start", 0, false}, {"minimised, bare start", 1, false}, {"in the tray, bare start", 2, false},
        {"shown, open request", 0, true}, {"in the tray, open request", 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogUnderTest t;
        LRESULT result = -1;
        CRect before, after;
        CDialogDriver driver;
        driver.Then([&](CDialog& d) {
            if (c.state == 1) d.ShowWindow(SW_MINIMIZE);
            if (c.state == 2) t.dialog->MinimizeToTray();
            d.GetWindowRect(&before);
        });
        driver.Then([&](CDialog& d) {
            if (c.open)
                result = d.SendMessage(WM_OPEN_VIDEO_REQUEST, (WPARAM) new CString(L"C:\\v\\a.xof"), 0);
            else
                result = d.SendMessage(WM_ANOTHER_INSTANCE, 0, 0);
            EXPECT_TRUE(d.IsWindowVisible());
            EXPECT_FALSE(d.IsIconic());
            EXPECT_FALSE(t.dialog->IsInTray());
            d.GetWindowRect(&after);
        });
        Close(driver);
        driver.RunModal(*t.dialog);
        EXPECT_EQ(c.open ? 1 : 0, result);
        if (c.state == 0) EXPECT_EQ(before, after);
        std::vector<std::string> expected;
        if (c.open) expected.push_back("Open C:\\v\\a.xof");
        expected.push_back("AppExit");
        EXPECT_EQ(expected, Recorder().codes);
    }
}

TEST(ZemovistaDlg, AMainWindowThatCannotBeMadeFailsTheDialog) {
    DialogUnderTest t(true);
    EXPECT_EQ(-1, t.dialog->DoModal());
    EXPECT_EQ(nullptr, CAppFacade::GetInstance().GetMainDialog());
}

}  // namespace
