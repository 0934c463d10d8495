#include "account/OvraHelper.h"

#include <afxwin.h>

#include <vector>

#include "account/LoginAccount.h"
#include "db/ZemoException.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr wchar_t kClientType[] = L"3";
constexpr wchar_t kNetworkFailure[] = L"登录失败，请检查网络状况！";

CString FormatError(const wchar_t* format) {
    CString text;
    text.Format(format, GetLastError());
    return text;
}

[[noreturn]] void ThrowPasswordFailure(DWORD error) {
    switch (error) {
        case OVRA_ERROR_WRONG_NAME_OR_PASSWORD:
            throw CZemoException(L"用户名或密码错误！");
        case OVRA_ERROR_NO_SUCH_USER:
            throw CZemoException(L"用户名不存在！");
        case OVRA_ERROR_WRONG_PASSWORD:
            throw CZemoException(L"密码错误！");
        default:
            throw CZemoException(kNetworkFailure);
    }
}

// A value of the signed-in session, empty when the SDK has none.
CString SessionValue(BOOL (*get)(OVRA_HANDLE, LPWSTR, DWORD), OVRA_HANDLE session, DWORD chars) {
    std::vector<wchar_t> buffer(chars, L'\0');
    return get(session, buffer.data(), chars) ? CString(buffer.data()) : CString();
}

}  // namespace

COvraHelper::~COvraHelper() {
    if (m_hSession) ovraCloseHandle(m_hSession);
}

void COvraHelper::Startup() {
    if (!ovraStartup()) {
        MessageBoxW(nullptr, FormatError(L"Ovra_SDK_Startup Fail, ErrorCode:%u"), nullptr, MB_OK);
        return;
    }
    if (!ovraLoadCfg(GetServiceConfigPath())) {
        AfxMessageBox(FormatError(L"Ovra_SDK_ovraSetCfg Fail, ErrorCode:%u"));
        return;
    }
    m_hSession = ovraCreateSession();
    if (!m_hSession) AfxMessageBox(FormatError(L"ovraCreateSession_Failed,ErrorCode: %u"));
}

void COvraHelper::ReadSessionIds(LOGIN_ACCOUNT& account) {
    account.Uid = SessionValue(ovraGetUserID, m_hSession, OVRA_ID_CHARS);
    account.Sid = SessionValue(ovraGetSessionID, m_hSession, OVRA_ID_CHARS);
}

void COvraHelper::Login(LOGIN_ACCOUNT& account, const CString& userName, const CString& password, bool remember) {
    account.VerifyCode.Empty();
    OVRA_LOGIN_INFO info = {userName, password, 0, kClientType, nullptr, 0};
    if (!ovraLogin(m_hSession, &info, kTimeoutMs)) ThrowPasswordFailure(GetLastError());
    ReadSessionIds(account);
    account.UserName = userName;
    account.Password = remember ? SessionValue(ovraGetTicket, m_hSession, OVRA_TICKET_CHARS) : password;
}

void COvraHelper::TicketLogin(LOGIN_ACCOUNT& account, const CString& userName, const CString& ticket,
                              const CString& verifyCode) {
    OVRA_TICKET_INFO info = {kClientType, verifyCode, ticket};
    if (!ovraTicketLogin(m_hSession, &info, kTimeoutMs)) {
        DWORD error = GetLastError();
        if (error == OVRA_ERROR_TICKET_NOT_FOUND) throw CZemoException(L"票据未找到！");
        if (error == OVRA_ERROR_TICKET_NOT_VALID) throw CZemoException(L"票据验证错误！");
        account.Password.Empty();
        account.VerifyCode.Empty();
        throw CZemoException(kNetworkFailure);
    }
    ReadSessionIds(account);
    account.UserName = userName;
    account.Password = ticket;
    account.VerifyCode = verifyCode;
}

void COvraHelper::Logout(LOGIN_ACCOUNT& account) {
    if (!ovraLogout(m_hSession, kTimeoutMs)) throw CZemoException(L"登出失败！");
    account.Reset();
    account.UserName = L"default";
}

CString COvraHelper::Request(const CString& url, DWORD& status) {
    OVRA_HTTP_REQUEST request = {url, L"", OVRA_REQUEST_DATA};
    DWORD length = 0;
    OVRA_HANDLE body = 0;
    status = 0;
    if (!ovraHttpReqSyn(m_hSession, &request, &status, &length, &body, kTimeoutMs) || status != 200 || !body)
        return CString();
    std::vector<wchar_t> text(length + 1, L'\0');
    return ovraDecodeJson(body, text.data(), length + 1) ? CString(text.data(), (int)length) : CString();
}

void COvraHelper::SendRequest(const CString& url) {
    OVRA_HTTP_REQUEST request = {url, L"", OVRA_REQUEST_KEEP_ALIVE};
    DWORD status = 0, length = 0;
    OVRA_HANDLE body = 0;
    ovraHttpReqSyn(m_hSession, &request, &status, &length, &body, kTimeoutMs);
}
