// The one operation of the sign-in session that opens windows: it lives with the
// dialogs, so that the core does not depend on them.
#include "account/LoginSession.h"
#include "dialog/DlgAgeSelect.h"
#include "dialog/DlgLogin.h"
#include "facade/AppFacade.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {
void FocusPlayDialog() {
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    if (CWnd* play = main ? dynamic_cast<CWnd*>(main->GetDlgPlay()) : nullptr) {
        if (play->m_hWnd) play->SetFocus();
    }
}
}  // namespace

void CLoginSession::ShowLoginDialog(const CString& userName) {
    FocusPlayDialog();
    CDlgLogin login(this);
    if (!userName.IsEmpty()) login.SetFixedAccount(userName);
    if (login.DoModal() != IDOK) return;
    NotifyLoggedIn(false);
    if (!NeedChooseAge()) return;
    FocusPlayDialog();
    CDlgAgeSelect age(this);
    age.DoModal();
}
