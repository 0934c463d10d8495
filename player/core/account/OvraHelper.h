// The player's wrapper of the account platform SDK: one SDK session, sign-in with a
// password or a ticket, sign-out and requests. Failed sign-ins and sign-outs throw
// CZemoException with the Chinese message that the catching window shows.
#pragma once

#include <afx.h>

#include <ovra.h>

#include "web/WebUriGettor.h"

struct LOGIN_ACCOUNT;

class COvraHelper : public CWebUriGettor {
public:
    COvraHelper() = default;
    ~COvraHelper() override;
    COvraHelper(const COvraHelper&) = delete;
    COvraHelper& operator=(const COvraHelper&) = delete;

    // Starts the SDK with "ovraCfg.ini" and creates the session; a failure is shown
    // in a message box and leaves the session 0.
    void Startup();

    // Fill the account from the signed-in session (with remember, the SDK ticket takes
    // the password's place), or throw.
    void Login(LOGIN_ACCOUNT& account, const CString& userName, const CString& password, bool remember);
    void TicketLogin(LOGIN_ACCOUNT& account, const CString& userName, const CString& ticket, const CString& verifyCode);
    // Signs the session out and resets the account to the user "default"; throws when refused.
    void Logout(LOGIN_ACCOUNT& account);

    // The reply text of a data request; empty when it failed or its status is not 200.
    CString Request(const CString& url, DWORD& status);
    // The keep-alive request; its reply is not looked at.
    void SendRequest(const CString& url);

    OVRA_HANDLE GetSession() const { return m_hSession; }

private:
    void ReadSessionIds(LOGIN_ACCOUNT& account);

    OVRA_HANDLE m_hSession = 0;
};
