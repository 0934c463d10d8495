#include "afxinet.h"

#include "afxmessage.h"

namespace {

CString ProgramFileName() {
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(_T('\\')) + 1);
    int dot = name.ReverseFind(_T('.'));
    return dot > 0 ? name.Left(dot) : name;
}

DWORD ServiceType(INTERNET_SCHEME scheme) {
    switch (scheme) {
        case INTERNET_SCHEME_HTTP:
            return AFX_INET_SERVICE_HTTP;
        case INTERNET_SCHEME_HTTPS:
            return AFX_INET_SERVICE_HTTPS;
        case INTERNET_SCHEME_FTP:
            return AFX_INET_SERVICE_FTP;
        case INTERNET_SCHEME_GOPHER:
            return AFX_INET_SERVICE_GOPHER;
        case INTERNET_SCHEME_FILE:
            return AFX_INET_SERVICE_FILE;
        default:
            return AFX_INET_SERVICE_UNK;
    }
}

}  // namespace

BOOL CInternetException::GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext) const {
    if (helpContext) *helpContext = 0;
    HMODULE wininet = (m_dwError >= INTERNET_ERROR_BASE && m_dwError <= INTERNET_ERROR_LAST)
                          ? GetModuleHandle(_T("wininet.dll"))
                          : nullptr;
    return AfxCopyErrorText(AfxErrorText(m_dwError, wininet, _T("Internet error %lu")), text, maxLength);
}

void AfxThrowInternetException(DWORD_PTR context, DWORD error) {
    if (error == 0) error = GetLastError();
    throw new CInternetException(error, context);
}

BOOL AfxParseURLEx(LPCTSTR url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port,
                   CString& userName, CString& password) {
    serviceType = AFX_INET_SERVICE_UNK;
    server.Empty();
    object.Empty();
    userName.Empty();
    password.Empty();
    port = 0;
    if (!url || !*url) return FALSE;

    // Each part gets a buffer as long as the whole URL, so no part can be cut.
    DWORD length = (DWORD)lstrlen(url) + 1;
    CString host, path, extra, user, pass;
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host.GetBuffer((int)length);
    parts.dwHostNameLength = length;
    parts.lpszUrlPath = path.GetBuffer((int)length);
    parts.dwUrlPathLength = length;
    parts.lpszExtraInfo = extra.GetBuffer((int)length);
    parts.dwExtraInfoLength = length;
    parts.lpszUserName = user.GetBuffer((int)length);
    parts.dwUserNameLength = length;
    parts.lpszPassword = pass.GetBuffer((int)length);
    parts.dwPasswordLength = length;
    BOOL ok = InternetCrackUrl(url, 0, 0, &parts);
    host.ReleaseBuffer(ok ? (int)parts.dwHostNameLength : 0);
    path.ReleaseBuffer(ok ? (int)parts.dwUrlPathLength : 0);
    extra.ReleaseBuffer(ok ? (int)parts.dwExtraInfoLength : 0);
    user.ReleaseBuffer(ok ? (int)parts.dwUserNameLength : 0);
    pass.ReleaseBuffer(ok ? (int)parts.dwPasswordLength : 0);
    if (!ok) return FALSE;

    serviceType = ServiceType(parts.nScheme);
    server = host;
    object = path + extra;
    if (object.IsEmpty()) object = _T("/");
    port = parts.nPort;
    userName = user;
    password = pass;
    return serviceType != AFX_INET_SERVICE_UNK;
}

BOOL AfxParseURL(LPCTSTR url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port) {
    CString userName, password;
    return AfxParseURLEx(url, serviceType, server, object, port, userName, password);
}

CInternetSession::CInternetSession(LPCTSTR agent, DWORD_PTR context, DWORD accessType, LPCTSTR proxyName,
                                   LPCTSTR proxyBypass, DWORD flags)
    : m_dwContext(context) {
    CString agentName = agent ? CString(agent) : ProgramFileName();
    m_hSession = InternetOpen(agentName, accessType, proxyName, proxyBypass, flags);
    if (!m_hSession) AfxThrowInternetException(context);
}

CInternetSession::~CInternetSession() { Close(); }

void CInternetSession::Close() {
    if (m_hSession) InternetCloseHandle(m_hSession);
    m_hSession = nullptr;
}

BOOL CInternetSession::SetOption(DWORD option, DWORD value, DWORD flags) {
    (void)flags;
    return InternetSetOption(m_hSession, option, &value, sizeof(value));
}

BOOL CInternetSession::QueryOption(DWORD option, DWORD& value) const {
    DWORD length = sizeof(value);
    return InternetQueryOption(m_hSession, option, &value, &length);
}

CHttpFile* CInternetSession::OpenURL(LPCTSTR url, DWORD_PTR context, DWORD flags, LPCTSTR headers,
                                     DWORD headersLength) {
    DWORD service;
    CString server, object;
    INTERNET_PORT port;
    if (!AfxParseURL(url, service, server, object, port) ||
        (service != AFX_INET_SERVICE_HTTP && service != AFX_INET_SERVICE_HTTPS))
        AfxThrowInternetException(context, ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    if (headers && headersLength == 0) headersLength = (DWORD)-1;
    HINTERNET file = InternetOpenUrl(m_hSession, url, headers, headersLength, flags, context);
    if (!file) AfxThrowInternetException(context);
    return new CHttpFile(file, this, _T("GET"), object, context);
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR server, INTERNET_PORT port, LPCTSTR userName,
                                                     LPCTSTR password) {
    return GetHttpConnection(server, 0, port, userName, password);
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR server, DWORD flags, INTERNET_PORT port, LPCTSTR userName,
                                                     LPCTSTR password) {
    HINTERNET connection =
        InternetConnect(m_hSession, server, port, userName, password, INTERNET_SERVICE_HTTP, flags, m_dwContext);
    if (!connection) AfxThrowInternetException(m_dwContext);
    return new CHttpConnection(this, connection, server, port, flags, m_dwContext);
}

CInternetConnection::CInternetConnection(CInternetSession* session, LPCTSTR server, INTERNET_PORT port,
                                         DWORD_PTR context)
    : m_pSession(session), m_strServerName(server), m_nPort(port), m_dwContext(context) {}

CInternetConnection::~CInternetConnection() { Close(); }

void CInternetConnection::Close() {
    if (m_hConnection) InternetCloseHandle(m_hConnection);
    m_hConnection = nullptr;
}

CHttpConnection::CHttpConnection(CInternetSession* session, HINTERNET connection, LPCTSTR server, INTERNET_PORT port,
                                 DWORD flags, DWORD_PTR context)
    : CInternetConnection(session, server, port, context), m_dwFlags(flags) {
    m_hConnection = connection;
}

CHttpFile* CHttpConnection::OpenRequest(LPCTSTR verb, LPCTSTR objectName, LPCTSTR referer, DWORD_PTR context,
                                        LPCTSTR* acceptTypes, LPCTSTR version, DWORD flags) {
    HINTERNET file =
        HttpOpenRequest(m_hConnection, verb, objectName, version, referer, acceptTypes, flags | m_dwFlags, context);
    if (!file) AfxThrowInternetException(context);
    return new CHttpFile(file, m_pSession, verb, objectName, context);
}

CInternetFile::CInternetFile(HINTERNET file, CInternetSession* session, DWORD_PTR context)
    : m_hFile(file), m_pSession(session), m_dwContext(context) {}

CInternetFile::~CInternetFile() { CInternetFile::Close(); }

void CInternetFile::Close() {
    if (m_hFile) InternetCloseHandle(m_hFile);
    m_hFile = nullptr;
}

UINT CInternetFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!InternetReadFile(m_hFile, buffer, count, &read)) AfxThrowInternetException(m_dwContext);
    return read;
}

void CInternetFile::Write(const void* buffer, UINT count) {
    DWORD written = 0;
    if (!InternetWriteFile(m_hFile, buffer, count, &written) || written != count)
        AfxThrowInternetException(m_dwContext);
}

BOOL CInternetFile::SetOption(DWORD option, DWORD value, DWORD flags) {
    (void)flags;
    return InternetSetOption(m_hFile, option, &value, sizeof(value));
}

CHttpFile::CHttpFile(HINTERNET file, CInternetSession* session, LPCTSTR verb, LPCTSTR object, DWORD_PTR context)
    : CInternetFile(file, session, context), m_strVerb(verb), m_strObject(object) {}

BOOL CHttpFile::AddRequestHeaders(LPCTSTR headers, DWORD flags, int length) {
    return HttpAddRequestHeaders(m_hFile, headers, (DWORD)length, flags);
}

BOOL CHttpFile::SendRequest(LPCTSTR headers, DWORD headersLength, LPVOID optional, DWORD optionalLength) {
    if (headers && headersLength == 0) headersLength = (DWORD)lstrlen(headers);
    if (!HttpSendRequest(m_hFile, headers, headersLength, optional, optionalLength))
        AfxThrowInternetException(m_dwContext);
    return TRUE;
}

BOOL CHttpFile::SendRequestEx(DWORD totalLength, DWORD flags, DWORD_PTR context) {
    INTERNET_BUFFERS buffers = {};
    buffers.dwStructSize = sizeof(buffers);
    buffers.dwBufferTotal = totalLength;
    return SendRequestEx(&buffers, nullptr, flags, context);
}

BOOL CHttpFile::SendRequestEx(LPINTERNET_BUFFERS buffersIn, LPINTERNET_BUFFERS buffersOut, DWORD flags,
                              DWORD_PTR context) {
    if (!HttpSendRequestEx(m_hFile, buffersIn, buffersOut, flags, context)) AfxThrowInternetException(m_dwContext);
    return TRUE;
}

BOOL CHttpFile::EndRequest(DWORD flags, LPINTERNET_BUFFERS buffersIn, DWORD_PTR context) {
    if (!HttpEndRequest(m_hFile, buffersIn, flags, context)) AfxThrowInternetException(m_dwContext);
    return TRUE;
}

BOOL CHttpFile::QueryInfo(DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength, LPDWORD index) const {
    return HttpQueryInfo(m_hFile, infoLevel, buffer, bufferLength, index);
}

BOOL CHttpFile::QueryInfo(DWORD infoLevel, CString& text, LPDWORD index) const {
    text.Empty();
    DWORD bytes = 0;
    DWORD startIndex = index ? *index : 0;
    HttpQueryInfo(m_hFile, infoLevel, nullptr, &bytes, &startIndex);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return FALSE;
    int chars = (int)(bytes / sizeof(TCHAR)) + 1;
    startIndex = index ? *index : 0;
    BOOL ok = HttpQueryInfo(m_hFile, infoLevel, text.GetBuffer(chars), &bytes, &startIndex);
    text.ReleaseBuffer(ok ? (int)(bytes / sizeof(TCHAR)) : 0);
    if (ok && index) *index = startIndex;
    return ok;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& statusCode) const {
    DWORD length = sizeof(statusCode);
    return HttpQueryInfo(m_hFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &statusCode, &length, nullptr);
}
