#include <gtest/gtest.h>

#include <afxwin.h>

#include <vector>

#include "DialogDriver.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "resource.h"

namespace {

struct TemplateCase {
    UINT id;
    bool child;                 // a WS_CHILD template
    std::vector<int> controls;  // ids that must be there
};

const TemplateCase kTemplates[] = {
    {IDD_ZEMOVISTA_DIALOG, false, {}},
    {IDD_DLG_PLAYCTRL, false, {IDC_BTN_REWIND, IDC_SLIDER, IDC_BTN_FORWARD}},
    {IDD_DLG_LEFTAD, true, {}},
    {IDD_DLG_MIDDLEAD, true, {}},
    {IDD_DLG_WEB, true, {IDC_BTN_BACK, IDC_BTN_FORE, IDC_BTN_REFRESH, IDC_BTN_HOME}},
    {IDD_DLG_PLAY, false, {IDC_VIDEO_SURFACE}},
    {IDD_DLG_PLAYSIZE,
     true,
     {IDC_BTN_NATIVE, IDC_BTN_DOUBLE, IDC_BTN_FIT, IDC_BTN_FULLSCREEN, IDC_BTN_QUICK_FULLSCREEN, IDC_BTN_PIN}},
    {IDD_DLG_LOGIN,
     false,
     {IDOK, IDCANCEL, IDC_BTN_CLOSE, IDC_COMBO_USER, IDC_EDIT_PASSWORD, IDC_CHECK_REMEMBER, IDC_CHECK_AUTOLOGIN}},
    {IDD_DLG_SETTING,
     false,
     {IDOK, IDCANCEL, IDC_BTN_CLOSE, IDC_EDIT_FOLDER, IDC_BTN_BROWSE, IDC_EDIT_DOWNLOADS, IDC_BTN_DEFAULT_DOWNLOADS,
      IDC_EDIT_RETRIES, IDC_BTN_DEFAULT_RETRIES, IDC_CHECK_AUTODOWNLOAD, IDC_CHECK_AUTOADD}},
    {IDD_DLG_DELETECONFIRM, false, {IDOK, IDCANCEL, IDC_BTN_CLOSE, IDC_CHECK_DELETE_FILE}},
    {IDD_DLG_MESSAGE, false, {IDCANCEL}},
    {IDD_DLG_ABOUT, false, {IDOK, IDCANCEL, IDC_BTN_CLOSE, IDC_EDIT_DESCRIPTION}},
    {IDD_DLG_AGESELECT,
     false,
     {IDOK, IDCANCEL, IDC_BTN_CLOSE, IDC_RADIO_UNDER12, IDC_RADIO_OVER12, IDC_EDIT_PARENT_MAIL}},
    {IDD_DLG_VIDEOPROGRESS, true, {IDC_SLIDER}},
    {IDD_DLG_SCROLLINGPANEL, true, {}},
};

bool IsPushButton(HWND control) {
    TCHAR name[16] = {};
    GetClassName(control, name, 16);
    DWORD type = (DWORD)GetWindowLongPtr(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpi(name, _T("Button")) == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

TEST(ResourcesTest, EveryTemplateHoldsItsControls) {
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, _T("host"), WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    for (const TemplateCase& c : kTemplates) {
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(c.id, &host)) << c.id;
        EXPECT_EQ(c.child, (dialog.GetStyle() & WS_CHILD) != 0) << c.id;
        bool pushButtons = false;
        for (int id : c.controls) {
            HWND control = ::GetDlgItem(dialog.m_hWnd, id);
            EXPECT_NE(nullptr, control) << c.id << " control " << id;
            pushButtons = pushButtons || (control && IsPushButton(control));
        }
        if (pushButtons) {
            EXPECT_EQ(0u, dialog.GetStyle() & WS_CLIPCHILDREN) << c.id << ": its buttons paint the parent's pixels";
        }
        HWND slider = ::GetDlgItem(dialog.m_hWnd, IDC_SLIDER);
        if (slider) {
            EXPECT_NE(0u, (DWORD)GetWindowLongPtr(slider, GWL_STYLE) & SS_NOTIFY)
                << c.id << ": the slider takes the mouse";
        }
        dialog.DestroyWindow();
    }
}

TEST(ResourcesTest, MenusOfferTheirCommands) {
    struct Case {
        UINT id;
        std::vector<UINT> items;  // of the first submenu; 0 separator, -1 submenu
    };
    const Case cases[] = {
        {IDR_MENU_PLAY, {ID_PLAY_PAUSE, ID_PLAY_STOP, (UINT)-1, (UINT)-1, 0, ID_FULLSCREEN}},
        {IDR_MENU_TRAY, {ID_TRAY_SHOW, 0, ID_TRAY_EXIT}},
        {IDR_MENU_HELP, {ID_HELP_ONLINE, ID_HELP_FEEDBACK, 0, ID_HELP_ABOUT}},
        {IDR_MENU_FILE, {ID_FILE_OPEN, ID_FILE_CLOSE, 0, ID_FILE_EXIT}},
        {IDR_MENU_PLAYLIST, {ID_LIST_ADD}},
        {IDR_MENU_PLAYLIST_ITEM, {ID_ITEM_PLAY, ID_ITEM_DELETE, 0, ID_ITEM_UP, ID_ITEM_DOWN}},
        {IDR_MENU_DOWNLOADED, {ID_OPEN_FOLDER}},
    };
    for (const Case& c : cases) {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(c.id)) << c.id;
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, popup) << c.id;
        std::vector<UINT> items;
        for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) items.push_back(popup->GetMenuItemID((int)i));
        EXPECT_EQ(c.items, items) << c.id;
    }
    CMenu play;
    ASSERT_TRUE(play.LoadMenu(IDR_MENU_PLAY));
    CMenu* size = play.GetSubMenu(0)->GetSubMenu(2);
    ASSERT_NE(nullptr, size);
    EXPECT_EQ(ID_SIZE_NATIVE, size->GetMenuItemID(0));
    CMenu* view = play.GetSubMenu(0)->GetSubMenu(3);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(ID_VIEW_SIMPLEST, view->GetMenuItemID(0));
    CString text;
    play.GetSubMenu(0)->GetMenuString(ID_FULLSCREEN, text, MF_BYCOMMAND);
    EXPECT_STREQ(L"全屏/退出全屏", text);
}

TEST(ResourcesTest, IconAndVersionAreThere) {
    EXPECT_NE(nullptr, LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME)));
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSize(path, nullptr);
    ASSERT_NE(0u, size);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfo(path, 0, size, info.data()));
    struct Case {
        LPCTSTR key;
        LPCTSTR value;
    };
    const Case cases[] = {
        {_T("\\StringFileInfo\\080404b0\\ProductName"), _T("Zemovista")},
        {_T("\\StringFileInfo\\080404b0\\CompanyName"), _T("Tove")},
        {_T("\\StringFileInfo\\080404b0\\FileDescription"), _T("Zemovista 播放器")},
    };
    for (const Case& c : cases) {
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValue(info.data(), c.key, &value, &length)) << CStringA(c.key).GetString();
        EXPECT_STREQ(c.value, static_cast<LPCTSTR>(value));
    }
}

// The sign-in template placed by a 96-DPI pixel table, as the dialogs place theirs.
class CPlacedLogin : public CDialog {
public:
    CPlacedLogin() : CDialog(IDD_DLG_LOGIN) {}
    static constexpr AFX_CONTROL_PLACE kPlaces[] = {
        {IDC_BTN_CLOSE, 339, 3, 34, 21},
        {-1, 50, 58, 60, 16},
        {IDC_COMBO_USER, 112, 54, 200, 120},
        {-1, 50, 92, 60, 16},
        {IDC_EDIT_PASSWORD, 112, 88, 200, 22},
        {IDC_CHECK_REMEMBER, 112, 122, 90, 18},
        {IDC_CHECK_AUTOLOGIN, 220, 122, 90, 18},
        {IDOK, 180, 170, 88, 28},
        {IDCANCEL, 280, 170, 88, 28},
    };
    BOOL placed = FALSE;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        placed = AfxPlaceDialog(this, 376, 214, kPlaces, sizeof(kPlaces) / sizeof(kPlaces[0]));
        SetWindowPos(nullptr, 640, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
};

TEST(ResourcesTest, TemplateIsLaidOutByItsPixelTable) {
    CPlacedLogin dialog;
    CDialogDriver driver;
    driver.Then([&](CDialog& d) {
        d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        WindowCapture shot(d.m_hWnd);
        EXPECT_TRUE(shot.SavePng(GetProgramFolder() + L"artifacts\\template-login.png"));
        EXPECT_TRUE(dialog.placed);
        CRect client;
        d.GetClientRect(&client);
        EXPECT_EQ(CSize(376, 214), client.Size()) << "at 96 DPI, as the table says";
        for (const AFX_CONTROL_PLACE& p : CPlacedLogin::kPlaces) {
            if (p.id == -1 || p.id == IDC_COMBO_USER) continue;  // a combo box keeps its own height
            CRect r;
            ::GetWindowRect(::GetDlgItem(d.m_hWnd, p.id), &r);
            d.ScreenToClient(&r);
            EXPECT_EQ(CRect(p.x, p.y, p.x + p.cx, p.y + p.cy), r) << p.id;
        }
        CDialogDriver::Click(d, IDCANCEL);
    });
    CreateDirectoryW(GetProgramFolder() + L"artifacts", nullptr);
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

}  // namespace
