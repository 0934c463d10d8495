#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MfcTestResource.h"
#include "WindowCapture.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// Paints itself red and counts how often it was bound.
class CRedButton : public CButton {
public:
    int bound = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        CDC dc;
        dc.Attach(item->hDC);
        dc.FillSolidRect(&item->rcItem, kRed);
        dc.Detach();
    }

protected:
    void PreSubclassWindow() override { ++bound; }
};

class CFormDialog : public CDialog {
public:
    explicit CFormDialog(CWnd* parent = nullptr) : CDialog(IDD_TEST_FORM, parent) {}

    CRedButton drawn;
    CComboBox combo;
    int number = 5;
    CString name = _T("甲");
    bool boundAtInit = false;
    std::vector<MSG> preTranslated;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_TEST_DRAWN, drawn);
        DDX_Control(dx, IDC_TEST_COMBO, combo);
        DDX_Text(dx, IDC_TEST_NUMBER, number);
        DDX_Text(dx, IDC_TEST_NAME, name);
    }
    BOOL OnInitDialog() override {
        boundAtInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        CDialog::OnInitDialog();
        combo.AddString(_T("一"));
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        preTranslated.push_back(*msg);
        return CDialog::PreTranslateMessage(msg);
    }
};

CString Text(HWND window) {
    CString text;
    CWnd::FromHandle(window)->GetWindowText(text);
    return text;
}

// The child's rectangle in the coordinates of its top-level window's capture.
CRect InWindow(HWND child) {
    CRect c, w;
    GetWindowRect(child, &c);
    GetWindowRect(GetAncestor(child, GA_ROOT), &w);
    c.OffsetRect(-w.left, -w.top);
    return c;
}

CString ArtifactsFolder() {
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind(_T('\\')) + 1) + _T("artifacts\\");
    CreateDirectory(folder, nullptr);
    return folder;
}

TEST(DialogTest, TemplateRunsModallyWithItsControlsBoundOnce) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, _T("owner"), WS_POPUP | WS_VISIBLE, CRect(900, 40, 1000, 100), nullptr, 0));
    CFormDialog dialog(&owner);
    CDialogDriver driver;
    driver
        .Then([&](CDialog&) {
            EXPECT_FALSE(owner.IsWindowEnabled()) << "the owner waits for the dialog";
            EXPECT_TRUE(dialog.IsWindowVisible());
            EXPECT_EQ(dialog.Item(IDC_TEST_DRAWN), dialog.drawn.m_hWnd);
            EXPECT_EQ(dialog.Item(IDC_TEST_COMBO), dialog.combo.m_hWnd);
            EXPECT_STREQ(_T("5"), Text(dialog.Item(IDC_TEST_NUMBER)));
            EXPECT_STREQ(_T("甲"), Text(dialog.Item(IDC_TEST_NAME)));
            EXPECT_EQ(1, dialog.combo.GetCount());
            EXPECT_TRUE(dialog.UpdateData(FALSE));
            EXPECT_EQ(1, dialog.drawn.bound) << "a second exchange binds nothing again";
        })
        .Then([&](CDialog&) {
            dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
            WindowCapture shot(dialog.m_hWnd);
            shot.SavePng(ArtifactsFolder() + _T("mfc-form-dialog.png"));
            CRect button = InWindow(dialog.drawn.m_hWnd);
            EXPECT_EQ(kRed, shot.Pixel(button.CenterPoint().x, button.CenterPoint().y)) << "drawn by DrawItem";
            EXPECT_EQ(kRed, shot.Pixel(button.left + 1, button.bottom - 2));
        })
        .Then([](CDialog& d) {
            CDialogDriver::SetText(d, IDC_TEST_NUMBER, _T("42"));
            CDialogDriver::SetText(d, IDC_TEST_NAME, _T("乙"));
            CDialogDriver::Click(d, IDOK);
        });
    EXPECT_EQ(IDOK, driver.RunModal(dialog));
    EXPECT_TRUE(dialog.boundAtInit) << "the object had its window before WM_INITDIALOG";
    EXPECT_EQ(42, dialog.number);
    EXPECT_STREQ(_T("乙"), dialog.name);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogTest, PreTranslateMessageSeesAPostedWheelMessage) {
    CFormDialog dialog;
    HWND field = nullptr;
    CDialogDriver driver;
    driver
        .Then([&](CDialog&) {
            field = dialog.Item(IDC_TEST_NAME);
            ::PostMessage(field, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-120), MAKELPARAM(10, 10));
        })
        .Then([&](CDialog& d) {
            bool seen = false;
            for (const MSG& m : dialog.preTranslated) seen = seen || (m.message == WM_MOUSEWHEEL && m.hwnd == field);
            EXPECT_TRUE(seen) << "the message of a control reaches its dialog's PreTranslateMessage";
            CDialogDriver::Click(d, IDCANCEL);
        });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

TEST(DialogTest, FailingNumberKeepsTheDialogOpenWithTheFocusOnTheField) {
    struct Case {
        LPCTSTR text;
        bool accepted;
        int value;  // when accepted
    };
    const Case cases[] = {
        {_T("12a"), false, 0},
        {_T("2147483648"), false, 0},
        {_T("-2147483649"), false, 0},
        {_T(""), false, 0},
        {_T("99999999999999999999"), false, 0},
        {_T(" -17 "), true, -17},
        {_T("2147483647"), true, 2147483647},
        {_T("-2147483648"), true, (-2147483647 - 1)},
    };
    for (const Case& c : cases) {
        CFormDialog dialog;
        CDialogDriver driver;
        driver.Then([&](CDialog& d) {
            CDialogDriver::SetText(d, IDC_TEST_NUMBER, c.text);
            CDialogDriver::Click(d, IDOK);
        });
        if (!c.accepted) {
            driver
                .Then([&](CDialog& d) {
                    HWND box = CDialogDriver::FindOwnedDialog(d.m_hWnd);
                    ASSERT_NE(nullptr, box) << "a message box over the dialog";
                    EXPECT_STREQ(_T("请输入一个整数。"), CDialogDriver::BoxText(box));
                    CDialogDriver::Answer(box, IDOK);
                })
                .Then([&](CDialog& d) {
                    EXPECT_TRUE(d.IsWindowVisible()) << "the dialog stays open";
                    // Another test program's window may hold the activation; given it
                    // back, the dialog gives the focus to the control it kept.
                    if (::GetActiveWindow() != d.m_hWnd) ::SetForegroundWindow(d.m_hWnd);
                    EXPECT_EQ(dialog.Item(IDC_TEST_NUMBER), ::GetFocus());
                    CDialogDriver::Click(d, IDCANCEL);
                });
        }
        EXPECT_EQ(c.accepted ? IDOK : IDCANCEL, driver.RunModal(dialog)) << CStringA(c.text).GetString();
        EXPECT_EQ(c.accepted ? c.value : 5, dialog.number) << CStringA(c.text).GetString();
    }
}

TEST(DialogTest, NestedMessageBoxIsOwnedByTheDialogAndLeavesItAlone) {
    CWinApp app(_T("mfc test"));
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, _T("main"), WS_POPUP | WS_VISIBLE, CRect(900, 140, 1000, 200), nullptr, 0));
    app.m_pMainWnd = &main;
    CFormDialog dialog;
    int answer = 0;
    CDialogDriver driver;
    driver.Then([&](CDialog&) { answer = AfxMessageBox(_T("嵌套"), MB_OKCANCEL); })
        .Then([&](CDialog& d) {
            HWND box = CDialogDriver::FindOwnedDialog(d.m_hWnd);
            ASSERT_NE(nullptr, box);
            EXPECT_EQ(d.m_hWnd, GetWindow(box, GW_OWNER)) << "owned by the dialog, not the main window";
            EXPECT_FALSE(d.IsWindowEnabled()) << "the dialog cannot be used under its box";
            CString caption;
            CWnd::FromHandle(box)->GetWindowText(caption);
            EXPECT_STREQ(_T("mfc test"), caption);
            CDialogDriver::Answer(box, IDCANCEL);
        })
        .Then([&](CDialog& d) {
            EXPECT_EQ(IDCANCEL, answer);
            EXPECT_TRUE(d.IsWindowEnabled());
            EXPECT_TRUE(d.IsWindowVisible()) << "answering the box leaves the dialog running";
            EXPECT_FALSE(main.IsWindowEnabled()) << "the main window owns the dialog";
            CDialogDriver::Click(d, IDCANCEL);
        });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
    EXPECT_TRUE(main.IsWindowEnabled());
    app.m_pMainWnd = nullptr;
}

// Takes Enter and Esc its own way.
class CKeyDialog : public CFormDialog {
public:
    std::vector<std::string> log;

protected:
    void OnOK() override { log.push_back("ok"); }
    void OnCancel() override {
        log.push_back("cancel");
        EndDialog(77);
    }
};

TEST(DialogTest, EnterAndEscFollowTheDialogsOwnHandlers) {
    CKeyDialog dialog;
    CDialogDriver driver;
    driver
        .Then([&](CDialog& d) {
            d.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDC_TEST_NAME)));
            CDialogDriver::PostKey(dialog.Item(IDC_TEST_NAME), VK_RETURN);
        })
        .Then([&](CDialog& d) {
            EXPECT_EQ(std::vector<std::string>{"ok"}, dialog.log);
            EXPECT_TRUE(d.IsWindowVisible()) << "this OnOK does not end the dialog";
            CDialogDriver::PostKey(dialog.Item(IDC_TEST_NAME), VK_ESCAPE);
        });
    EXPECT_EQ(77, driver.RunModal(dialog));
    EXPECT_EQ((std::vector<std::string>{"ok", "cancel"}), dialog.log);
}

TEST(DialogTest, ModelessDialogIsBoundBeforeItsInitialisation) {
    CFormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_FORM));
    EXPECT_TRUE(dialog.boundAtInit);
    EXPECT_EQ(dialog.Item(IDC_TEST_DRAWN), dialog.drawn.m_hWnd);
    EXPECT_EQ(nullptr, CDialog::GetActiveModal());
    dialog.ShowWindow(SW_SHOW);
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible()) << "ending a modeless dialog hides it";
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_FALSE(CFormDialog().Create(999)) << "no such template";
}

}  // namespace
