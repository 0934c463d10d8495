// The account that is signed in, sign-in with a password or a remembered ticket,
// the user information fetched after each sign-in, sign-out, and the remembered
// accounts of table User with their password (or ticket) and verify code enciphered.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "account/LoginAccount.h"
#include "crypto/portable/StringCipher.h"

class COvraHelper;
class CUserInfoSql;

using AccountList = std::vector<std::unique_ptr<LOGIN_ACCOUNT>>;

class CAccountManager {
public:
    // Makes the start user (the last remembered one with AutoLogin, else "default")
    // the current user of the settings.
    CAccountManager(CUserInfoSql& users, COvraHelper& ovra);
    CAccountManager(const CAccountManager&) = delete;
    CAccountManager& operator=(const CAccountManager&) = delete;

    // Sign in and fetch the user information; throw CZemoException when the service
    // refuses. A failed sign-in leaves the current account as it was.
    void Login(const CString& userName, const CString& password, bool remember);
    void TicketLogin(const CString& userName, const CString& ticket, const CString& verifyCode);
    // Web sign-out, then SDK sign-out; the current record becomes the user "default".
    void Logout();

    // Null before the first sign-in.
    LOGIN_ACCOUNT* GetCurrentAccount() const { return m_pCurrent.get(); }

    // The remembered accounts in table order (the last saved comes last); null when
    // there are none. A row whose secrets cannot be deciphered is skipped.
    std::unique_ptr<AccountList> LoadRememberedAccounts();
    void SaveCurrentAccount();
    // Only for the current account of exactly that name: forgets its secrets and saves it.
    void ForgetPassword(const CString& userName);
    void SetRemindPwd(bool remind);

    bool IsAutoLogin() const;
    void SetAutoLogin(bool autoLogin);

    void RefreshPoints();
    void SendSessionRequest(const CString& url);

    // The signed calls for the current account: 0, false, nothing and the URL
    // unchanged without one.
    int GetGold();
    bool NeedChooseAge();
    void SubmitAgeChoice(bool is12YearsOld, const CString& parentEmail);
    CString GetWebLoginUrl(const CString& url);

private:
    void Adopt(const LOGIN_ACCOUNT& signedIn);
    void FetchUserInfo();
    CString GetNickName();
    CString GetAvatarUrl();
    int GetPoints();
    CString GetStartUser();
    CString EncryptText(const CString& text);
    // False when the text is no cipher text that Encrypt writes.
    bool DecryptText(const CString& hexText, CString& plain);

    std::unique_ptr<LOGIN_ACCOUNT> m_pCurrent;
    COvraHelper& m_ovra;    // lent by the data model
    CUserInfoSql& m_users;  // lent by the data model
    CBlowFishEncryptAndDecrypt m_blowfish;
    CMd5EncryptAndDecrypt m_md5;
};
