#include "account/AccountManager.h"

#include "account/OvraHelper.h"
#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/UserInfoSql.h"
#include "net/HttpHelpers.h"
#include "web/MemberCalls.h"
#include "web/UrlEncode.h"
#include "web/WebUriGettor.h"
#include "web/portable/ServiceReplies.h"

namespace {

// Key of the remembered secrets.
const CStringA kSecretKey = "qTmBsLoK";
constexpr int kRowTexts = 6;

// Cipher text as Encrypt writes it: whole blocks of upper-case hexadecimal digits.
bool IsCipherText(const CString& text) {
    if (text.GetLength() % 16 != 0) return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        wchar_t c = text[i];
        if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'))) return false;
    }
    return true;
}

std::string Bytes(const CStringA& text) { return std::string(text.GetString(), (size_t)text.GetLength()); }

CString ServiceUri(const wchar_t* key, const wchar_t* defaultAddress) {
    return CWebUriGettor::GetUri(key, defaultAddress, true, CString(), CString());
}

}  // namespace

CAccountManager::CAccountManager(CUserInfoSql& users, COvraHelper& ovra) : m_ovra(ovra), m_users(users) {
    CUserConfig::GetInstance().SetCurrentUser(GetStartUser());
}

void CAccountManager::Adopt(const LOGIN_ACCOUNT& signedIn) {
    // The record keeps its place, so whoever holds the current account sees the new one.
    if (m_pCurrent)
        m_pCurrent->Copy(signedIn);
    else
        m_pCurrent = std::make_unique<LOGIN_ACCOUNT>(signedIn);
}

void CAccountManager::Login(const CString& userName, const CString& password, bool remember) {
    LOGIN_ACCOUNT signedIn;
    m_ovra.Login(signedIn, userName, password, remember);
    Adopt(signedIn);
    FetchUserInfo();
}

void CAccountManager::TicketLogin(const CString& userName, const CString& ticket, const CString& verifyCode) {
    LOGIN_ACCOUNT signedIn;
    m_ovra.TicketLogin(signedIn, userName, ticket, verifyCode);
    Adopt(signedIn);
    FetchUserInfo();
}

void CAccountManager::FetchUserInfo() {
    WebLogin(m_pCurrent->Sid);
    m_pCurrent->NickName = GetNickName();
    m_pCurrent->AvatarUrl = GetAvatarUrl();
    m_pCurrent->Points = GetPoints();
    m_pCurrent->Gold = GetGold();
}

CString CAccountManager::GetNickName() {
    DWORD status = 0;
    CString reply = m_ovra.Request(
        ServiceUri(L"get_user", L"/user") + L"?username=" + UrlEncode(m_pCurrent->UserName, false), status);
    std::string utf8;
    if (reply.IsEmpty() || !WideToUtf8(reply, true, utf8)) return CString();
    return Utf8ToWide(NickNameFromReply(utf8).c_str());
}

CString CAccountManager::GetAvatarUrl() {
    return ServiceUri(L"head_portrait_get", L"/center/show.php") + L"?uid=" + m_pCurrent->Uid;
}

int CAccountManager::GetPoints() {
    if (!m_pCurrent) return 0;
    CString reply = HttpGetText(ServiceUri(L"point_get", L"/controller_ashx") + L"?action=gold&username=" +
                                UrlEncode(m_pCurrent->UserName, false));
    return PointsFromReply(
        std::u16string(reinterpret_cast<const char16_t*>(reply.GetString()), (size_t)reply.GetLength()));
}

void CAccountManager::Logout() {
    WebLogout();
    // Before the first sign-in the SDK has no session to end and refuses.
    LOGIN_ACCOUNT nobody;
    m_ovra.Logout(m_pCurrent ? *m_pCurrent : nobody);
}

CString CAccountManager::EncryptText(const CString& text) {
    if (text.IsEmpty()) return CString();
    return CString(m_blowfish.Encrypt(Bytes(CStringA(text)), Bytes(kSecretKey)).c_str());
}

bool CAccountManager::DecryptText(const CString& hexText, CString& plain) {
    if (!IsCipherText(hexText)) return false;
    plain = CString(m_blowfish.Decrypt(Bytes(CStringA(hexText)), Bytes(kSecretKey)).c_str());
    return true;
}

void CAccountManager::SaveCurrentAccount() {
    if (!m_pCurrent) return;
    CStringArray row;
    row.Add(m_pCurrent->UserName);
    row.Add(m_pCurrent->NickName);
    row.Add(m_pCurrent->RemindPwd ? EncryptText(m_pCurrent->Password) : CString());
    row.Add(m_pCurrent->RemindPwd ? L"1" : L"0");
    row.Add(EncryptText(m_pCurrent->VerifyCode));
    m_users.Save(&row);
}

std::unique_ptr<AccountList> CAccountManager::LoadRememberedAccounts() {
    std::unique_ptr<SqlRows> rows = m_users.Select(nullptr);
    if (!rows) return nullptr;
    auto accounts = std::make_unique<AccountList>();
    for (const CStringArray& row : *rows) {
        if (row.GetSize() < kRowTexts) continue;
        auto account = std::make_unique<LOGIN_ACCOUNT>();
        account->UserName = row[0];
        account->NickName = row[1];
        account->RemindPwd = row[3] == L"1";
        account->IsLast = row[4] == L"1";
        if (!DecryptText(row[2], account->Password) || !DecryptText(row[5], account->VerifyCode)) continue;
        accounts->push_back(std::move(account));
    }
    return accounts;
}

CString CAccountManager::GetStartUser() {
    if (!IsAutoLogin()) return L"default";
    CString last = m_users.SelectLastUser();
    return last.IsEmpty() ? CString(L"default") : last;
}

void CAccountManager::ForgetPassword(const CString& userName) {
    if (!m_pCurrent || m_pCurrent->UserName != userName) return;
    m_pCurrent->RemindPwd = false;
    m_pCurrent->Password.Empty();
    m_pCurrent->VerifyCode.Empty();
    SaveCurrentAccount();
}

void CAccountManager::SetRemindPwd(bool remind) {
    if (m_pCurrent) m_pCurrent->RemindPwd = remind;
}

bool CAccountManager::IsAutoLogin() const { return CUserConfig::GetInstance().GetAllConfig().AutoLogin; }

void CAccountManager::SetAutoLogin(bool autoLogin) { CUserConfig::GetInstance().GetAllConfig().AutoLogin = autoLogin; }

void CAccountManager::RefreshPoints() {
    if (m_pCurrent) m_pCurrent->Points = GetPoints();
}

void CAccountManager::SendSessionRequest(const CString& url) { m_ovra.SendRequest(url); }

int CAccountManager::GetGold() { return m_pCurrent ? GetGoldBalance(m_md5, m_pCurrent->Uid) : 0; }

bool CAccountManager::NeedChooseAge() { return m_pCurrent && QueryNeedChooseAge(m_md5, m_pCurrent->Uid); }

void CAccountManager::SubmitAgeChoice(bool is12YearsOld, const CString& parentEmail) {
    if (m_pCurrent) UpdateIndulge(m_md5, m_pCurrent->Uid, is12YearsOld, parentEmail);
}

CString CAccountManager::GetWebLoginUrl(const CString& url) {
    return m_pCurrent ? BuildWebLoginUrl(url, m_pCurrent->Sid) : url;
}
