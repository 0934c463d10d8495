// A signed-in or remembered account: the row of table User plus the session data.
#pragma once

#include <afx.h>

struct LOGIN_ACCOUNT {
    LOGIN_ACCOUNT() = default;
    LOGIN_ACCOUNT(const LOGIN_ACCOUNT&) = default;
    LOGIN_ACCOUNT& operator=(const LOGIN_ACCOUNT&) = default;

    void Copy(const LOGIN_ACCOUNT& other) { *this = other; }
    // Back to the values of a new record.
    void Reset() { *this = LOGIN_ACCOUNT(); }
    // Drops what the session gave; the password (or ticket) stays only when remembered.
    void ClearSession();
    CString GetUserName() const { return UserName; }

    CString UserName;  // "default" in a record that was signed out
    CString Uid;       // from the account SDK
    CString Sid;       // the web services' "sid"
    CString NickName;
    CString Password;    // the typed password, or the SDK ticket when remembered
    CString VerifyCode;  // sent with the ticket by a ticket sign-in
    CString AvatarUrl;
    int Points = 0;
    int Gold = 0;
    bool RemindPwd = false;
    bool IsLast = false;  // this account was the last one saved
};
