#include "dialog/DlgAgeSelect.h"

#include "account/LoginSession.h"
#include "resource.h"

CDlgAgeSelect::CDlgAgeSelect(CLoginSession* session, CWnd* parent)
    : CDlgBase(IDD_DLG_AGESELECT, L"Zemovista 请选择年龄", parent), m_pSession(session) {}

void CDlgAgeSelect::LayOutControls() {
    static const AFX_CONTROL_PLACE places[] = {
        {-1, 30, 45, 250, 18},
        {IDC_RADIO_UNDER12, 50, 72, 100, 20},
        {IDC_RADIO_OVER12, 170, 72, 100, 20},
        {-1, 30, 108, 250, 18},
        {IDC_EDIT_PARENT_MAIL, 50, 132, 260, 22},
        {IDOK, 170, 180, 70, 24},
        {IDCANCEL, 255, 180, 70, 24},
    };
    AfxPlaceDialog(this, 360, 225, places, sizeof(places) / sizeof(places[0]));
}

BOOL CDlgAgeSelect::OnInitDialog() {
    CDlgBase::OnInitDialog();
    CheckRadioButton(IDC_RADIO_UNDER12, IDC_RADIO_OVER12, IDC_RADIO_OVER12);
    EnableMailField();
    return TRUE;
}

void CDlgAgeSelect::EnableMailField() {
    GetDlgItem(IDC_EDIT_PARENT_MAIL)->EnableWindow(IsDlgButtonChecked(IDC_RADIO_UNDER12) == BST_CHECKED);
}

LRESULT CDlgAgeSelect::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDC_RADIO_UNDER12 || LOWORD(wParam) == IDC_RADIO_OVER12))
        EnableMailField();
    return CDlgBase::WindowProc(message, wParam, lParam);
}

void CDlgAgeSelect::OnOK() {
    CString mail;
    GetDlgItemText(IDC_EDIT_PARENT_MAIL, mail);
    bool underTwelve = IsDlgButtonChecked(IDC_RADIO_UNDER12) == BST_CHECKED;
    if (underTwelve && mail.IsEmpty()) {
        AfxMessageBox(L"父亲（母亲）邮箱不能为空！", MB_OK);
        return;
    }
    m_pSession->SubmitAgeChoice(!underTwelve, mail);
    EndDialog(IDOK);
}
