// The main window's sign-in controller: the automatic sign-in of the last remembered
// account, the sign-in and age-choice dialogs, sign-out, and the cache of remembered
// accounts that the sign-in dialog offers. Sign-in failures reach the caller as
// CZemoException with the message the window shows.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "account/AccountManager.h"

// Pointers into the cache in cache order; the records stay the cache's.
using AccountPointers = std::vector<LOGIN_ACCOUNT*>;

// Index of the account of exactly that name (case counts, no prefix), or -1.
int IndexOfAccount(const AccountPointers& accounts, const CString& userName);

class CLoginSession {
public:
    explicit CLoginSession(CAccountManager& accounts);
    ~CLoginSession() { ClearAccountList(); }
    CLoginSession(const CLoginSession&) = delete;
    CLoginSession& operator=(const CLoginSession&) = delete;

    // Loads the cache and, with AutoLogin set, signs the last saved account in by its
    // ticket. A refused ticket is forgotten in the cache, the user "default" becomes
    // current with its settings, and the exception goes on to the caller.
    void AutoLogin();
    // Runs the sign-in dialog (fixed to the name when it is not empty) and, after a
    // sign-in the service flags, the age choice. Defined with the dialogs.
    void ShowLoginDialog(const CString& userName);
    // Signs the record in: by ticket when it carries a verify code or the remembered
    // ticket of its account, else by password. Saves the account, updates the cache
    // and makes the user current.
    void Login(const LOGIN_ACCOUNT& record, bool autoLogin);
    // Signs out and switches the player to the user "default"; throws "登出失败！" when
    // nobody is signed in or the service refuses.
    void Logout();
    // Tells the main window and the controls about the signed-in account.
    void NotifyLoggedIn(bool keepPlayback);

    LOGIN_ACCOUNT* GetCurrentAccount() const { return m_accounts.GetCurrentAccount(); }
    // The cached record of exactly that name, or null; makes an empty cache when there is none.
    LOGIN_ACCOUNT* FindAccount(const CString& userName);
    // Null when the cache is missing or empty.
    std::unique_ptr<AccountPointers> GetAccountList() const;
    // The name the sign-in dialog starts with: the previous user when there was one
    // (the user "default" is nobody), else the last cached account, else "".
    CString GetStartName() const;
    // Copies the record over the cached one of its name, or appends a copy; nothing without a cache.
    void UpdateCachedAccount(const LOGIN_ACCOUNT& record);
    void ClearCachedPassword(const CString& userName);
    void ForgetPassword(const CString& userName);
    void ClearAccountList() { m_pAccountList.reset(); }

    bool IsAutoLogin() const { return m_accounts.IsAutoLogin(); }
    bool NeedChooseAge() { return m_accounts.NeedChooseAge(); }
    CString GetWebLoginUrl(const CString& url) { return m_accounts.GetWebLoginUrl(url); }
    void SubmitAgeChoice(bool is12YearsOld, const CString& parentEmail) {
        m_accounts.SubmitAgeChoice(is12YearsOld, parentEmail);
    }
    void RefreshPoints() { m_accounts.RefreshPoints(); }
    void SendSessionRequest(const CString& url) { m_accounts.SendSessionRequest(url); }

private:
    LOGIN_ACCOUNT* Cached(const CString& userName) const;
    bool HoldsRememberedTicket(const LOGIN_ACCOUNT& record) const;
    // Saves the play list and the user's settings, then makes the user current.
    static void SwitchUser(const CString& userName);

    CAccountManager& m_accounts;  // the data model's
    std::unique_ptr<AccountList> m_pAccountList;
};
