#include <gtest/gtest.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "WindowCapture.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kGreen = RGB(0, 160, 0);

// Away from the screen's corner, where the windows of other test programs appear.
const RECT kFrame = {300, 640, 500, 740};
const RECT kButton = {20, 20, 120, 60};

// Paints itself in one colour per state of the draw item.
class CColourButton : public CButton {
public:
    int drawn = 0;
    UINT lastState = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++drawn;
        lastState = item->itemState;
        COLORREF colour = (item->itemState & ODS_DISABLED) ? kGrey : (item->itemState & ODS_SELECTED) ? kBlue : kRed;
        CDC dc;
        dc.Attach(item->hDC);
        dc.FillSolidRect(&item->rcItem, colour);
        dc.Detach();
    }
};

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.CreateEx(WS_EX_TOPMOST, nullptr, _T("controls"), WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0));
    }
    COLORREF PixelAt(const RECT& r) {
        frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        PumpWindowMessages();
        return WindowCapture(frame.m_hWnd).Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    CWnd frame;
};

TEST_F(ControlsTest, OwnerDrawnButtonIsPaintedThroughItsObjectPerState) {
    struct Case {
        const char* name;
        BOOL pressed;
        BOOL enabled;
        COLORREF colour;
    };
    const Case cases[] = {
        {"resting", FALSE, TRUE, kRed},
        {"pressed", TRUE, TRUE, kBlue},
        {"disabled", FALSE, FALSE, kGrey},
    };
    CColourButton button;
    ASSERT_TRUE(button.Create(_T("b"), WS_VISIBLE | BS_OWNERDRAW, kButton, &frame, 7));
    for (const Case& c : cases) {
        button.EnableWindow(c.enabled);
        button.SetState(c.pressed);
        EXPECT_EQ(c.colour, PixelAt(kButton)) << c.name;
        EXPECT_EQ(7, GetDlgCtrlID(button)) << c.name;
    }
    EXPECT_GE(button.drawn, 3);
}

// Makes any button it binds owner-drawn, as a skinned button does.
class CStylingButton : public CButton {
public:
    int presubclassed = 0;

protected:
    void PreSubclassWindow() override {
        ++presubclassed;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
};

TEST_F(ControlsTest, PreSubclassWindowRunsOnceAsTheWindowIsBound) {
    struct Case {
        const char* name;
        bool (*bind)(CStylingButton&, CWnd& parent);
    };
    const Case cases[] = {
        {"created",
         [](CStylingButton& b, CWnd& parent) { return b.Create(_T("c"), WS_VISIBLE, kButton, &parent, 1) != FALSE; }},
        {"subclassed",
         [](CStylingButton& b, CWnd& parent) {
             HWND plain = CreateWindowEx(0, _T("BUTTON"), _T("s"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100,
                                         40, parent.m_hWnd, (HMENU)2, nullptr, nullptr);
             return b.SubclassDlgItem(2, &parent) != FALSE && b.m_hWnd == plain;
         }},
    };
    for (const Case& c : cases) {
        CStylingButton button;
        ASSERT_TRUE(c.bind(button, frame)) << c.name;
        EXPECT_EQ(1, button.presubclassed) << c.name;
        EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK) << c.name;
        button.DestroyWindow();
    }
}

TEST_F(ControlsTest, CheckBoxKeepsTheStateItWasGiven) {
    CButton box;
    ASSERT_TRUE(box.Create(_T("x"), WS_VISIBLE | BS_AUTO3STATE, kButton, &frame, 3));
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck());
    for (int state : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}) {
        box.SetCheck(state);
        EXPECT_EQ(state, box.GetCheck());
    }
    box.SendMessage(BM_CLICK);
    EXPECT_EQ(BST_INDETERMINATE, box.GetCheck()) << "a click moves a three-state box on";
}

const UINT ID_PLAIN = 11, ID_REFLECTING = 12, ID_EDIT = 13;

// Takes its own click before the parent sees it.
class CReflectingButton : public CButton {
public:
    int clicks = 0;

protected:
    afx_msg void OnReflectedClick() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

// Logs the control notifications and colour requests that reach it.
class CParentWnd : public CWnd {
public:
    std::vector<std::string> log;
    CBrush red{kRed};
    CBrush green{kGreen};

protected:
    afx_msg void OnPlainClicked() { log.push_back("plain clicked"); }
    afx_msg void OnReflectingClicked() { log.push_back("reflecting clicked"); }
    afx_msg void OnEditChange() { log.push_back("edit changed"); }
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
        log.push_back("colour " + std::to_string(kind) + " " + std::to_string(control->GetDlgCtrlID()));
        if (kind == CTLCOLOR_EDIT) {
            dc->SetBkColor(kGreen);
            return green;
        }
        dc->SetBkColor(kRed);
        return red;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_BN_CLICKED(ID_PLAIN, OnPlainClicked)
ON_BN_CLICKED(ID_REFLECTING, OnReflectingClicked)
ON_EN_CHANGE(ID_EDIT, OnEditChange)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

bool Logged(const std::vector<std::string>& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST(ControlNotificationTest, NotificationsReachTheControlOrItsParent) {
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, _T("p"), WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0));
    CButton plain;
    CReflectingButton reflecting;
    CEdit edit;
    ASSERT_TRUE(plain.Create(_T("p"), WS_VISIBLE, CRect(0, 0, 40, 20), &parent, ID_PLAIN));
    ASSERT_TRUE(reflecting.Create(_T("r"), WS_VISIBLE, CRect(50, 0, 90, 20), &parent, ID_REFLECTING));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(0, 30, 100, 50), &parent, ID_EDIT));

    plain.SendMessage(BM_CLICK);
    reflecting.SendMessage(BM_CLICK);
    edit.SetWindowText(_T("typed"));
    EXPECT_TRUE(Logged(parent.log, "plain clicked"));
    EXPECT_FALSE(Logged(parent.log, "reflecting clicked")) << "a reflected notification stays with the control";
    EXPECT_EQ(1, reflecting.clicks);
    EXPECT_TRUE(Logged(parent.log, "edit changed"));
}

TEST(ControlNotificationTest, ControlColoursComeFromTheParentsHandler) {
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, nullptr, _T("p"), WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0));
    CStatic label;
    CEdit edit;
    const CRect labelRect(0, 0, 100, 30), editRect(0, 50, 100, 80);
    ASSERT_TRUE(label.Create(_T(""), WS_VISIBLE, labelRect, &parent, 21));
    ASSERT_TRUE(edit.Create(WS_VISIBLE, editRect, &parent, 22));
    parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    PumpWindowMessages();
    WindowCapture shot(parent.m_hWnd);
    EXPECT_EQ(kRed, shot.Pixel(labelRect.CenterPoint().x, labelRect.CenterPoint().y));
    EXPECT_EQ(kGreen, shot.Pixel(editRect.right - 5, editRect.CenterPoint().y));
    EXPECT_TRUE(Logged(parent.log, "colour " + std::to_string(CTLCOLOR_STATIC) + " 21"));
    EXPECT_TRUE(Logged(parent.log, "colour " + std::to_string(CTLCOLOR_EDIT) + " 22"));
}

TEST(ControlNotificationTest, TemporaryObjectsStandForUnboundWindowsUntilIdle) {
    HWND plain = CreateWindowEx(0, _T("STATIC"), _T("t"), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, plain);
    CWnd* temporary = CWnd::FromHandle(plain);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(plain, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(plain));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    AfxDeleteTempObjects();
    EXPECT_TRUE(IsWindow(plain)) << "a temporary object never destroys its window";
    {
        CWnd bound;
        ASSERT_TRUE(bound.SubclassWindow(plain));
        EXPECT_EQ(&bound, CWnd::FromHandle(plain));
        bound.UnsubclassWindow();
    }
    DestroyWindow(plain);
}

TEST(ComboBoxTest, ListTextsByPosition) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, _T("p"), WS_POPUP, kFrame, nullptr, 0));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 100, 100), &parent, 5));
    EXPECT_EQ(0, combo.AddString(_T("用户甲")));
    EXPECT_EQ(1, combo.AddString(_T("bob")));
    EXPECT_EQ(1, combo.FindStringExact(-1, _T("BOB"))) << "found without case";
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, _T("bo")));
    combo.SetItemData(1, 42);
    EXPECT_EQ(42u, combo.GetItemData(1));
    struct Case {
        int index;
        LPCTSTR text;
    };
    const Case cases[] = {{0, _T("用户甲")}, {1, _T("bob")}, {2, _T("")}, {-1, _T("")}};
    for (const Case& c : cases) {
        CString text = _T("left over");
        combo.GetLBText(c.index, text);
        EXPECT_STREQ(c.text, text) << c.index;
    }
    EXPECT_EQ(1, combo.SetCurSel(1));
    EXPECT_EQ(1, combo.GetCurSel());
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

TEST(ToolTipTest, ToolsAreAddedUpdatedAndRemoved) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, _T("p"), WS_POPUP, kFrame, nullptr, 0));
    CButton button;
    ASSERT_TRUE(button.Create(_T("b"), WS_VISIBLE, kButton, &parent, 4));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    EXPECT_EQ(parent.m_hWnd, GetWindow(tip.m_hWnd, GW_OWNER));
    EXPECT_TRUE(tip.AddTool(&button, _T("播放")));
    EXPECT_TRUE(tip.AddTool(&parent, _T("area"), CRect(0, 0, 10, 10), 9));
    EXPECT_EQ(2, tip.GetToolCount());
    tip.UpdateTipText(_T("暂停"), &button);
    TCHAR text[32] = {};
    TOOLINFO info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = parent.m_hWnd;
    info.uId = (UINT_PTR)button.m_hWnd;
    info.lpszText = text;
    tip.SendMessage(TTM_GETTEXT, 32, (LPARAM)&info);
    EXPECT_STREQ(_T("暂停"), text);
    tip.DelTool(&button);
    EXPECT_EQ(1, tip.GetToolCount());
}

}  // namespace
