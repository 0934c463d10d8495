#include "dialog/DlgLogin.h"

#include "account/LoginSession.h"
#include "db/ZemoException.h"
#include "resource.h"

CDlgLogin::CDlgLogin(CLoginSession* session, CWnd* parent)
    : CDlgBase(IDD_DLG_LOGIN, L"Zemovista登录", parent), m_pSession(session) {}

void CDlgLogin::LayOutControls() {
    static const AFX_CONTROL_PLACE places[] = {
        {-1, 35, 52, 70, 18},
        {IDC_COMBO_USER, 110, 48, 210, 200},
        {-1, 35, 92, 70, 18},
        {IDC_EDIT_PASSWORD, 110, 88, 210, 24},
        {IDC_CHECK_REMEMBER, 110, 128, 95, 20},
        {IDC_CHECK_AUTOLOGIN, 215, 128, 95, 20},
        {IDOK, 170, 205, 70, 24},
        {IDCANCEL, 255, 205, 70, 24},
    };
    AfxPlaceDialog(this, 360, 245, places, sizeof(places) / sizeof(places[0]));
}

BOOL CDlgLogin::OnInitDialog() {
    CDlgBase::OnInitDialog();
    CWnd* list = GetDlgItem(IDC_COMBO_USER);
    if (std::unique_ptr<AccountPointers> accounts = m_pSession->GetAccountList())
        for (const LOGIN_ACCOUNT* account : *accounts)
            list->SendMessage(CB_ADDSTRING, 0, (LPARAM)account->UserName.GetString());
    SelectUser(m_pSession->GetStartName());
    if (!m_strFixedUser.IsEmpty()) {
        list->SendMessage(CB_ADDSTRING, 0, (LPARAM)m_strFixedUser.GetString());
        list->EnableWindow(FALSE);
        SelectUser(m_strFixedUser);
    }
    return TRUE;
}

void CDlgLogin::SelectUser(const CString& userName) {
    if (!userName.IsEmpty()) {
        CWnd* list = GetDlgItem(IDC_COMBO_USER);
        int count = (int)list->SendMessage(CB_GETCOUNT);
        for (int i = 0; i < count; ++i) {
            int length = (int)list->SendMessage(CB_GETLBTEXTLEN, i);
            CString entry;
            list->SendMessage(CB_GETLBTEXT, i, (LPARAM)entry.GetBuffer(length + 1));
            entry.ReleaseBuffer();
            if (entry == userName) {
                list->SendMessage(CB_SETCURSEL, i);
                break;
            }
        }
    }
    ShowAccount(userName);
}

void CDlgLogin::ShowAccount(const CString& userName) {
    const LOGIN_ACCOUNT* account = m_pSession->FindAccount(userName);
    CheckDlgButton(IDC_CHECK_AUTOLOGIN, account && m_pSession->IsAutoLogin() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CHECK_REMEMBER, account && account->RemindPwd ? BST_CHECKED : BST_UNCHECKED);
    m_bShowingAccount = true;
    SetDlgItemText(IDC_EDIT_PASSWORD, account ? account->Password.GetString() : L"");
    m_bShowingAccount = false;
    // The field holds the account's own value now, not a typed one.
    m_bPasswordEdited = false;
}

BOOL CDlgLogin::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL) return TRUE;
    return CDlgBase::PreTranslateMessage(msg);
}

LRESULT CDlgLogin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) OnCommand(LOWORD(wParam), HIWORD(wParam));
    return CDlgBase::WindowProc(message, wParam, lParam);
}

void CDlgLogin::OnCommand(int id, int code) {
    if (id == IDC_COMBO_USER && code == CBN_EDITCHANGE) {
        CString typed;
        GetDlgItemText(IDC_COMBO_USER, typed);
        ShowAccount(typed);
    } else if (id == IDC_COMBO_USER && code == CBN_SELCHANGE) {
        CWnd* list = GetDlgItem(IDC_COMBO_USER);
        int index = (int)list->SendMessage(CB_GETCURSEL);
        if (index < 0) return;
        CString entry;
        list->SendMessage(CB_GETLBTEXT, index, (LPARAM)entry.GetBuffer((int)list->SendMessage(CB_GETLBTEXTLEN, index) + 1));
        entry.ReleaseBuffer();
        ShowAccount(entry);
    } else if (id == IDC_EDIT_PASSWORD && code == EN_CHANGE && !m_bShowingAccount) {
        m_bPasswordEdited = ::GetFocus() == ::GetDlgItem(m_hWnd, IDC_EDIT_PASSWORD);
    } else if (id == IDC_CHECK_REMEMBER && code == BN_CLICKED) {
        if (IsDlgButtonChecked(IDC_CHECK_REMEMBER) != BST_CHECKED) CheckDlgButton(IDC_CHECK_AUTOLOGIN, BST_UNCHECKED);
    } else if (id == IDC_CHECK_AUTOLOGIN && code == BN_CLICKED) {
        if (IsDlgButtonChecked(IDC_CHECK_AUTOLOGIN) == BST_CHECKED) CheckDlgButton(IDC_CHECK_REMEMBER, BST_CHECKED);
    }
}

void CDlgLogin::DrawContent(Gdiplus::Graphics& graphics) {
    if (m_strError.IsEmpty()) return;
    auto font = MakeSkinFont(L"宋体", 10, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush red{Gdiplus::Color(0xFFFF0000)};
    graphics.DrawString(m_strError.GetString(), m_strError.GetLength(), font.get(),
                        Gdiplus::PointF(ERROR_X, ERROR_Y), &red);
}

bool CDlgLogin::Validate(const CString& userName, const CString& password) {
    m_strError.Empty();
    if (userName.IsEmpty() && password.IsEmpty())
        m_strError = L"用户名和密码不能为空";
    else if (userName.IsEmpty())
        m_strError = L"用户名不能为空";
    else if (password.IsEmpty())
        m_strError = L"密码不能为空";
    return m_strError.IsEmpty();
}

void CDlgLogin::OnOK() {
    CString userName;
    GetDlgItemText(IDC_COMBO_USER, userName);
    LOGIN_ACCOUNT record;
    if (const LOGIN_ACCOUNT* cached = m_pSession->FindAccount(userName)) record.Copy(*cached);
    record.UserName = userName;
    if (m_bPasswordEdited) {
        GetDlgItemText(IDC_EDIT_PASSWORD, record.Password);
        record.VerifyCode.Empty();
    }
    record.RemindPwd = IsDlgButtonChecked(IDC_CHECK_REMEMBER) == BST_CHECKED;
    if (!Validate(userName, record.Password)) {
        Repaint();
        return;
    }
    try {
        m_pSession->Login(record, IsDlgButtonChecked(IDC_CHECK_AUTOLOGIN) == BST_CHECKED);
    } catch (const CZemoException& e) {
        m_strError = e.GetErrorText();
        Repaint();
        return;
    }
    EndDialog(IDOK);
}
