#include "account/LoginSession.h"

#include "config/UserConfig.h"
#include "db/ZemoException.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "views/MainWindowView.h"
#include "web/AccountToken.h"

namespace {

const wchar_t kNobody[] = L"default";

bool IsNobody(const LOGIN_ACCOUNT* account) {
    return !account || account->UserName.IsEmpty() || account->UserName == kNobody;
}

}  // namespace

int IndexOfAccount(const AccountPointers& accounts, const CString& userName) {
    for (size_t i = 0; i < accounts.size(); ++i)
        if (accounts[i]->UserName == userName) return (int)i;
    return -1;
}

CLoginSession::CLoginSession(CAccountManager& accounts) : m_accounts(accounts) {}

void CLoginSession::AutoLogin() {
    m_pAccountList = m_accounts.LoadRememberedAccounts();
    if (!m_pAccountList || m_pAccountList->empty() || !IsAutoLogin()) return;
    const LOGIN_ACCOUNT last = *m_pAccountList->back();
    try {
        m_accounts.TicketLogin(last.UserName, last.Password, last.VerifyCode);
    } catch (const CZemoException&) {
        ForgetPassword(last.UserName);
        CUserConfig& config = CUserConfig::GetInstance();
        config.SetCurrentUser(kNobody);
        config.LoadUserSettings();
        throw;
    }
    // As the row says, so that a later sign-out keeps the ticket.
    m_accounts.SetRemindPwd(last.RemindPwd);
    NotifyLoggedIn(true);
}

bool CLoginSession::HoldsRememberedTicket(const LOGIN_ACCOUNT& record) const {
    const LOGIN_ACCOUNT* cached = Cached(record.UserName);
    return cached && cached->RemindPwd && !cached->Password.IsEmpty() && cached->Password == record.Password;
}

void CLoginSession::Login(const LOGIN_ACCOUNT& record, bool autoLogin) {
    if (!record.VerifyCode.IsEmpty() || HoldsRememberedTicket(record))
        m_accounts.TicketLogin(record.UserName, record.Password, record.VerifyCode);
    else
        m_accounts.Login(record.UserName, record.Password, record.RemindPwd);
    m_accounts.SetAutoLogin(autoLogin);
    m_accounts.SetRemindPwd(record.RemindPwd);
    m_accounts.SaveCurrentAccount();
    UpdateCachedAccount(*GetCurrentAccount());
    SwitchUser(GetCurrentAccount()->UserName);
}

void CLoginSession::Logout() {
    const LOGIN_ACCOUNT* current = GetCurrentAccount();
    if (IsNobody(current)) throw CZemoException(L"登出失败！");
    LOGIN_ACCOUNT signedOut(*current);
    m_accounts.Logout();
    signedOut.ClearSession();
    UpdateCachedAccount(signedOut);
    SwitchUser(kNobody);
    m_accounts.SetAutoLogin(false);
    CAppFacade& facade = CAppFacade::GetInstance();
    if (IMainWindowView* main = facade.GetMainWnd()) main->ResetForUserChange();
    facade.Broadcast(CMD_USER_LOGOUT, nullptr);
}

void CLoginSession::SwitchUser(const CString& userName) {
    CAppFacade::GetInstance().SavePlayList();
    CUserConfig& config = CUserConfig::GetInstance();
    config.Save(false);
    config.SetCurrentUser(userName);
}

void CLoginSession::NotifyLoggedIn(bool keepPlayback) {
    LOGIN_ACCOUNT* account = GetCurrentAccount();
    if (IsNobody(account)) return;
    CAppFacade& facade = CAppFacade::GetInstance();
    if (IMainWindowView* main = facade.GetMainWnd())
        main->OnUserLoggedIn(account, BuildAccountToken(account->Uid, account->UserName), keepPlayback);
    facade.Broadcast(CMD_USER_LOGIN, nullptr);
}

LOGIN_ACCOUNT* CLoginSession::Cached(const CString& userName) const {
    if (!m_pAccountList) return nullptr;
    for (const std::unique_ptr<LOGIN_ACCOUNT>& account : *m_pAccountList)
        if (account->UserName == userName) return account.get();
    return nullptr;
}

LOGIN_ACCOUNT* CLoginSession::FindAccount(const CString& userName) {
    if (!m_pAccountList) m_pAccountList = std::make_unique<AccountList>();
    return Cached(userName);
}

std::unique_ptr<AccountPointers> CLoginSession::GetAccountList() const {
    if (!m_pAccountList || m_pAccountList->empty()) return nullptr;
    auto list = std::make_unique<AccountPointers>();
    for (const std::unique_ptr<LOGIN_ACCOUNT>& account : *m_pAccountList) list->push_back(account.get());
    return list;
}

CString CLoginSession::GetStartName() const {
    CString previous = CUserConfig::GetInstance().GetPreviousUser();
    if (!previous.IsEmpty() && previous != kNobody) return previous;
    return m_pAccountList && !m_pAccountList->empty() ? m_pAccountList->back()->UserName : CString();
}

void CLoginSession::UpdateCachedAccount(const LOGIN_ACCOUNT& record) {
    if (!m_pAccountList) return;
    if (LOGIN_ACCOUNT* cached = Cached(record.UserName))
        cached->Copy(record);
    else
        m_pAccountList->push_back(std::make_unique<LOGIN_ACCOUNT>(record));
}

void CLoginSession::ClearCachedPassword(const CString& userName) {
    if (!m_pAccountList) return;
    for (const std::unique_ptr<LOGIN_ACCOUNT>& account : *m_pAccountList) {
        if (account->UserName != userName) continue;
        account->Password.Empty();
        account->VerifyCode.Empty();
    }
}

void CLoginSession::ForgetPassword(const CString& userName) {
    ClearCachedPassword(userName);
    m_accounts.ForgetPassword(userName);
}
