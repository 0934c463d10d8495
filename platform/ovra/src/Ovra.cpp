#include "ovra.h"

#include <wininet.h>

#include <map>
#include <mutex>
#include <string>

#include "HttpExchange.h"
#include "UrlEncoding.h"
#include "Utf8Text.h"
#include "portable/OvraReplies.h"

namespace {

constexpr int kValueChars = 260;

struct Session {
    bool SignedIn = false;
    std::wstring Uid;
    std::wstring Sid;
    std::wstring Ticket;
    OVRA_HANDLE Body = 0;
};

// The SDK's state, shared by every thread that calls it.
struct Sdk {
    std::mutex Lock;
    bool Started = false;
    std::wstring BaseUrl;  // empty until a configuration was taken
    OVRA_HANDLE LastHandle = 0;
    std::map<OVRA_HANDLE, Session> Sessions;
    std::map<OVRA_HANDLE, std::wstring> Bodies;
};

Sdk& State() {
    static Sdk sdk;
    return sdk;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

std::string FormField(const char* name, LPCWSTR value) {
    return std::string(name) + "=" + PercentEncode(EncodeUtf8(value ? value : L""));
}

bool HasSession(Sdk& sdk, OVRA_HANDLE session) { return sdk.Sessions.count(session) != 0; }

// GET, or POST of a form, to the account service or a caller's URL.
bool Exchange(const std::wstring& url, const std::string* form, DWORD timeoutMs, HTTP_TEXT_REPLY& reply) {
    HTTP_EXCHANGE exchange;
    exchange.Agent = L"ovra";
    exchange.Url = url;
    exchange.Body = form;
    exchange.ContentType = L"application/x-www-form-urlencoded";
    exchange.TimeoutMs = timeoutMs;
    return HttpExchangeText(exchange, std::string::npos, reply);
}

// Posts a form to a call of the account service and reads its reply.
BOOL CallService(const wchar_t* call, const std::string& form, DWORD timeoutMs, OVRA_ACCOUNT_REPLY& reply) {
    std::wstring url;
    {
        std::lock_guard<std::mutex> lock(State().Lock);
        url = State().BaseUrl + call;
    }
    HTTP_TEXT_REPLY http;
    if (!Exchange(url, &form, timeoutMs, http)) return FALSE;
    if (http.Status != HTTP_STATUS_OK) return Fail(ERROR_BAD_NET_RESP);
    if (!ParseAccountReply(http.Body, reply)) return Fail(ERROR_INVALID_DATA);
    return reply.Result == 0 ? TRUE : Fail(reply.Result);
}

// Makes the session signed in with the reply's ids; a reply without them, or with
// ids longer than the callers' buffers take, is refused.
BOOL SignIn(OVRA_HANDLE session, const OVRA_ACCOUNT_REPLY& reply) {
    std::wstring uid = DecodeUtf8(reply.Uid), sid = DecodeUtf8(reply.Sid), ticket = DecodeUtf8(reply.Ticket);
    if (!IsSignedIn(reply) || uid.size() >= OVRA_ID_CHARS || sid.size() >= OVRA_ID_CHARS ||
        ticket.size() >= OVRA_TICKET_CHARS)
        return Fail(ERROR_INVALID_DATA);
    std::lock_guard<std::mutex> lock(State().Lock);
    auto found = State().Sessions.find(session);
    if (found == State().Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
    found->second.SignedIn = true;
    found->second.Uid = uid;
    found->second.Sid = sid;
    found->second.Ticket = ticket;
    return TRUE;
}

BOOL CheckSession(OVRA_HANDLE session) {
    std::lock_guard<std::mutex> lock(State().Lock);
    return HasSession(State(), session) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

BOOL CopyOut(const std::wstring& value, LPWSTR buffer, DWORD chars) {
    if (!buffer) return Fail(ERROR_INVALID_PARAMETER);
    if (value.size() + 1 > chars) return Fail(ERROR_INSUFFICIENT_BUFFER);
    value.copy(buffer, value.size());
    buffer[value.size()] = 0;
    return TRUE;
}

BOOL GetValue(OVRA_HANDLE session, std::wstring Session::*field, LPWSTR buffer, DWORD chars) {
    std::lock_guard<std::mutex> lock(State().Lock);
    auto found = State().Sessions.find(session);
    if (found == State().Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
    if (!found->second.SignedIn) return Fail(ERROR_NOT_LOGGED_ON);
    return CopyOut(found->second.*field, buffer, chars);
}

// Drops the session's body; the caller holds the lock.
void DropBody(Sdk& sdk, Session& session) {
    sdk.Bodies.erase(session.Body);
    session.Body = 0;
}

}  // namespace

BOOL ovraStartup() {
    std::lock_guard<std::mutex> lock(State().Lock);
    State().Started = true;
    return TRUE;
}

BOOL ovraLoadCfg(LPCWSTR path) {
    if (!path || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return Fail(ERROR_FILE_NOT_FOUND);
    wchar_t server[kValueChars] = {}, port[kValueChars] = {}, url[kValueChars] = {};
    GetPrivateProfileStringW(L"ovra", L"server", L"", server, kValueChars, path);
    GetPrivateProfileStringW(L"ovra", L"port", L"80", port, kValueChars, path);
    GetPrivateProfileStringW(L"ovra", L"url", L"/ovra", url, kValueChars, path);
    if (!server[0]) return Fail(ERROR_NOT_FOUND);
    std::lock_guard<std::mutex> lock(State().Lock);
    State().BaseUrl = std::wstring(L"http://") + server + L":" + port + url;
    return TRUE;
}

OVRA_HANDLE ovraCreateSession() {
    std::lock_guard<std::mutex> lock(State().Lock);
    Sdk& sdk = State();
    if (!sdk.Started || sdk.BaseUrl.empty()) {
        SetLastError(ERROR_NOT_READY);
        return 0;
    }
    OVRA_HANDLE handle = ++sdk.LastHandle;
    sdk.Sessions[handle] = Session();
    return handle;
}

BOOL ovraLogin(OVRA_HANDLE session, const OVRA_LOGIN_INFO* info, DWORD timeoutMs) {
    if (!info) return Fail(ERROR_INVALID_PARAMETER);
    if (!CheckSession(session)) return FALSE;
    std::string form = FormField("username", info->UserName) + "&" + FormField("password", info->Password) + "&" +
                       FormField("client", info->ClientType);
    OVRA_ACCOUNT_REPLY reply;
    return CallService(L"/login", form, timeoutMs, reply) && SignIn(session, reply);
}

BOOL ovraTicketLogin(OVRA_HANDLE session, const OVRA_TICKET_INFO* info, DWORD timeoutMs) {
    if (!info) return Fail(ERROR_INVALID_PARAMETER);
    if (!CheckSession(session)) return FALSE;
    std::string form = FormField("client", info->ClientType) + "&" + FormField("verifycode", info->VerifyCode) + "&" +
                       FormField("ticket", info->Ticket);
    OVRA_ACCOUNT_REPLY reply;
    return CallService(L"/ticketlogin", form, timeoutMs, reply) && SignIn(session, reply);
}

BOOL ovraGetUserID(OVRA_HANDLE session, LPWSTR buffer, DWORD chars) {
    return GetValue(session, &Session::Uid, buffer, chars);
}

BOOL ovraGetSessionID(OVRA_HANDLE session, LPWSTR buffer, DWORD chars) {
    return GetValue(session, &Session::Sid, buffer, chars);
}

BOOL ovraGetTicket(OVRA_HANDLE session, LPWSTR buffer, DWORD chars) {
    return GetValue(session, &Session::Ticket, buffer, chars);
}

BOOL ovraLogout(OVRA_HANDLE session, DWORD timeoutMs) {
    wchar_t sid[OVRA_ID_CHARS] = {};
    if (!ovraGetSessionID(session, sid, OVRA_ID_CHARS)) return FALSE;
    OVRA_ACCOUNT_REPLY reply;
    if (!CallService(L"/logout", FormField("sid", sid), timeoutMs, reply)) return FALSE;
    std::lock_guard<std::mutex> lock(State().Lock);
    auto found = State().Sessions.find(session);
    if (found == State().Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
    OVRA_HANDLE body = found->second.Body;
    found->second = Session();
    found->second.Body = body;
    return TRUE;
}

BOOL ovraHttpReqSyn(OVRA_HANDLE session, const OVRA_HTTP_REQUEST* request, DWORD* status, DWORD* length,
                    OVRA_HANDLE* body, DWORD timeoutMs) {
    if (!request || !request->Url || !status || !length || !body) return Fail(ERROR_INVALID_PARAMETER);
    if (request->Reserved && *request->Reserved) return Fail(ERROR_NOT_SUPPORTED);
    if (request->Kind != OVRA_REQUEST_KEEP_ALIVE && request->Kind != OVRA_REQUEST_DATA)
        return Fail(ERROR_INVALID_PARAMETER);
    *status = *length = 0;
    *body = 0;
    {
        std::lock_guard<std::mutex> lock(State().Lock);
        auto found = State().Sessions.find(session);
        if (found == State().Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
        DropBody(State(), found->second);
    }
    HTTP_TEXT_REPLY http;
    if (!Exchange(request->Url, nullptr, timeoutMs, http)) return FALSE;
    *status = http.Status;
    if (request->Kind != OVRA_REQUEST_DATA || http.Status != HTTP_STATUS_OK) return TRUE;

    std::lock_guard<std::mutex> lock(State().Lock);
    Sdk& sdk = State();
    auto found = sdk.Sessions.find(session);
    if (found == sdk.Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
    std::wstring text = DecodeUtf8(http.Body);
    *length = (DWORD)text.size();
    *body = found->second.Body = ++sdk.LastHandle;
    sdk.Bodies[*body] = std::move(text);
    return TRUE;
}

BOOL ovraDecodeJson(OVRA_HANDLE body, LPWSTR buffer, DWORD chars) {
    std::lock_guard<std::mutex> lock(State().Lock);
    auto found = State().Bodies.find(body);
    if (found == State().Bodies.end()) return Fail(ERROR_INVALID_HANDLE);
    return CopyOut(found->second, buffer, chars);
}

BOOL ovraCloseHandle(OVRA_HANDLE session) {
    std::lock_guard<std::mutex> lock(State().Lock);
    auto found = State().Sessions.find(session);
    if (found == State().Sessions.end()) return Fail(ERROR_INVALID_HANDLE);
    DropBody(State(), found->second);
    State().Sessions.erase(found);
    return TRUE;
}
