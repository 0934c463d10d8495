#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
const UINT ID_TEST_COMMAND = 100;

// A window whose handlers log what reached them.
class CLoggingWnd : public CWnd {
public:
    std::vector<std::string> log;
    int createResult = 0;  // 0: the default processing's result
    bool throwOnCreate = false;
    int ncDestroyed = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        log.push_back("create");
        if (throwOnCreate) throw new CFileException(ERROR_ACCESS_DENIED, _T("x"));
        int result = CWnd::OnCreate(cs);
        return createResult ? createResult : result;
    }
    afx_msg void OnDestroy() {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    afx_msg LRESULT OnPing(WPARAM w, LPARAM l) {
        log.push_back("ping");
        return (LRESULT)(w + l);
    }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { throw new CFileException(ERROR_FILE_NOT_FOUND); }
    afx_msg void OnTestCommand() { log.push_back("command"); }
    void PostNcDestroy() override { ++ncDestroyed; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(WM_TEST_PING, OnPing)
ON_MESSAGE(WM_TEST_THROW, OnThrow)
ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

// Overrides one message of its base; the rest still reach the base's table.
class CDerivedWnd : public CLoggingWnd {
protected:
    afx_msg LRESULT OnDerivedPing(WPARAM, LPARAM) {
        log.push_back("derived ping");
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CLoggingWnd)
ON_MESSAGE(WM_TEST_PING, OnDerivedPing)
END_MESSAGE_MAP()

const RECT kRect = {0, 0, 200, 100};

TEST(WndTest, CreatedWindowIsBoundBeforeItsFirstMessage) {
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ("create", wnd.log.front());
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0))
        << "a bound object creates no second window";

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, wnd.ncDestroyed);
    EXPECT_EQ("destroy", wnd.log.back());
}

TEST(WndTest, MessagesReachTheirEntriesAndTheRestTheDefault) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const char* logged;  // null: no handler runs
    };
    const Case cases[] = {
        {"message", WM_TEST_PING, 2, 3, 5, "ping"},
        {"menu command", WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0, 0, "command"},
        {"accelerator", WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1), 0, 0, "command"},
        {"other command id", WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND + 1, 0), 0, 0, nullptr},
        {"timer", WM_TIMER, 9, 0, 0, "timer 9"},
        {"unmapped message", WM_APP + 50, 0, 0, 0, nullptr},
    };
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
    for (const Case& c : cases) {
        wnd.log.clear();
        EXPECT_EQ(c.result, wnd.SendMessage(c.message, c.wParam, c.lParam)) << c.name;
        if (c.logged)
            EXPECT_EQ(std::vector<std::string>{c.logged}, wnd.log) << c.name;
        else
            EXPECT_TRUE(wnd.log.empty()) << c.name;
    }
}

TEST(WndTest, ControlNotificationOtherThanClickIsNoCommand) {
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
    HWND button = CreateWindowEx(0, _T("BUTTON"), _T("b"), WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                 (HMENU)(UINT_PTR)ID_TEST_COMMAND, nullptr, nullptr);
    ASSERT_NE(nullptr, button);
    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, BN_SETFOCUS), (LPARAM)button);
    EXPECT_TRUE(wnd.log.empty());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, BN_CLICKED), (LPARAM)button);
    EXPECT_EQ(std::vector<std::string>{"command"}, wnd.log);
}

TEST(WndTest, DerivedTableComesFirstAndFallsBackToTheBase) {
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
    wnd.log.clear();
    EXPECT_EQ(7, wnd.SendMessage(WM_TEST_PING, 2, 3));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"derived ping", "command"}), wnd.log);
}

TEST(WndTest, FailedCreateLeavesTheObjectUnbound) {
    struct Case {
        const char* name;
        int createResult;
        bool throwOnCreate;
    };
    const Case cases[] = {
        {"handler returns -1", -1, false},
        {"handler throws a class-library exception", 0, true},
    };
    for (const Case& c : cases) {
        CLoggingWnd wnd;
        wnd.createResult = c.createResult;
        wnd.throwOnCreate = c.throwOnCreate;
        EXPECT_FALSE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0)) << c.name;
        EXPECT_EQ(nullptr, wnd.m_hWnd) << c.name;
        EXPECT_EQ(1, wnd.ncDestroyed) << c.name;
    }
}

TEST(WndTest, ExceptionInAHandlerDoesNotLeaveTheWindowProcedure) {
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW, 1, 1));
    EXPECT_EQ(5, wnd.SendMessage(WM_TEST_PING, 2, 3)) << "the window still works";
}

TEST(WndTest, SubclassedControlKeepsItsOwnBehaviour) {
    HWND edit = CreateWindowEx(0, _T("EDIT"), _T("old"), WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    WNDPROC own = (WNDPROC)GetWindowLongPtr(edit, GWLP_WNDPROC);
    {
        CLoggingWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(edit));
        EXPECT_FALSE(CLoggingWnd().SubclassWindow(edit)) << "a bound window is not bound twice";
        EXPECT_EQ(5, wnd.SendMessage(WM_TEST_PING, 2, 3));
        ::SetWindowText(edit, _T("new"));  // reaches the edit control's own procedure
        TCHAR text[16] = {};
        ::GetWindowText(edit, text, 16);
        EXPECT_STREQ(_T("new"), text);
        EXPECT_EQ(edit, wnd.UnsubclassWindow());
        EXPECT_EQ(nullptr, wnd.m_hWnd);
    }
    EXPECT_TRUE(IsWindow(edit)) << "an unbound window outlives the object";
    EXPECT_EQ(own, (WNDPROC)GetWindowLongPtr(edit, GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessage(edit, WM_TEST_PING, 2, 3));
    DestroyWindow(edit);
}

TEST(WndTest, DestructorDestroysABoundWindow) {
    HWND hWnd;
    {
        CLoggingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("t"), WS_POPUP, kRect, nullptr, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(WndTest, ChildWindowTakesItsIdAndFindsItsParent) {
    CLoggingWnd parent, child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, _T("p"), WS_POPUP, kRect, nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, _T("c"), WS_VISIBLE, kRect, &parent, 42));
    EXPECT_EQ(42, child.GetDlgCtrlID());
    EXPECT_EQ(&parent, child.GetParent());
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_EQ(nullptr, child.m_hWnd) << "destroying the parent unbinds the child";
}

TEST(WndTest, RegisteredClassesAreSharedPerAttributes) {
    LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    LPCTSTR c = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(a, b);
    EXPECT_STRNE(a, c);
    WNDCLASSEX wc = {sizeof(wc)};
    ASSERT_TRUE(GetClassInfoEx(GetModuleHandle(nullptr), c, &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
}

TEST(WndTest, MainWindowIsTheApplicationsWhileItLives) {
    EXPECT_EQ(nullptr, AfxGetMainWnd()) << "no application object";
    CWnd main;
    {
        CWinApp app(_T("test"));
        EXPECT_EQ(nullptr, AfxGetMainWnd());
        app.m_pMainWnd = &main;
        EXPECT_EQ(&main, AfxGetMainWnd());
        EXPECT_EQ(&app, AfxGetApp());
    }
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

}  // namespace
