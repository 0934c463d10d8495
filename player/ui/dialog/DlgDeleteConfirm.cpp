#include "dialog/DlgDeleteConfirm.h"

#include "resource.h"

namespace {
const int QUESTION_TEXT = -1;  // the template's static text, which has no id of its own
}

CDlgDeleteConfirm::CDlgDeleteConfirm(bool showFileOption, CWnd* parent)
    : CDlgBase(IDD_DLG_DELETECONFIRM, L"确认删除", parent), m_bShowFileOption(showFileOption) {}

void CDlgDeleteConfirm::LayOutControls() {
    static const AFX_CONTROL_PLACE places[] = {
        {QUESTION_TEXT, 40, 52, 260, 18},
        {IDC_CHECK_DELETE_FILE, 40, 84, 260, 18},
        {IDOK, 150, 126, 70, 24},
        {IDCANCEL, 236, 126, 70, 24},
    };
    AfxPlaceDialog(this, 330, 170, places, sizeof(places) / sizeof(places[0]));
}

BOOL CDlgDeleteConfirm::OnInitDialog() {
    CDlgBase::OnInitDialog();
    CWnd* option = GetDlgItem(IDC_CHECK_DELETE_FILE);
    if (m_bShowFileOption) {
        CheckDlgButton(IDC_CHECK_DELETE_FILE, BST_CHECKED);
    } else {
        if (CWnd* question = GetDlgItem(QUESTION_TEXT)) {
            CRect place;
            question->GetWindowRect(&place);
            ScreenToClient(&place);
            place.OffsetRect(0, 15);
            question->MoveWindow(&place);
        }
        option->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CDlgDeleteConfirm::OnOK() {
    m_bDeleteFile = m_bShowFileOption && IsDlgButtonChecked(IDC_CHECK_DELETE_FILE) == BST_CHECKED;
    EndDialog(IDOK);
}
