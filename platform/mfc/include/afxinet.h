// Internet classes of the class library subset, over WinINet. Failures of the
// calls that MFC reports by exception throw CInternetException* (the catcher Deletes it).
#pragma once

#include "afx.h"
#include <wininet.h>

#define AFX_INET_SERVICE_FTP    INTERNET_SERVICE_FTP
#define AFX_INET_SERVICE_HTTP   INTERNET_SERVICE_HTTP
#define AFX_INET_SERVICE_GOPHER INTERNET_SERVICE_GOPHER
#define AFX_INET_SERVICE_UNK    0x1000
#define AFX_INET_SERVICE_FILE   (AFX_INET_SERVICE_UNK + 1)
#define AFX_INET_SERVICE_HTTPS  (AFX_INET_SERVICE_UNK + 6)

class CHttpConnection;
class CHttpFile;

class CInternetException : public CException {
public:
    explicit CInternetException(DWORD error, DWORD_PTR context = 0) : m_dwError(error), m_dwContext(context) {}
    // The system's text of the WinINet or system error.
    BOOL GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext = nullptr) const override;

    DWORD m_dwError;
    DWORD_PTR m_dwContext;
};

[[noreturn]] void AfxThrowInternetException(DWORD_PTR context, DWORD error = 0);

// Splits an URL into service type, server, object (path and query) and port.
BOOL AfxParseURL(LPCTSTR url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port);
BOOL AfxParseURLEx(LPCTSTR url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port,
                   CString& userName, CString& password);

class CInternetSession : public CObject {
public:
    // A missing agent name means the program's file name.
    explicit CInternetSession(LPCTSTR agent = nullptr, DWORD_PTR context = 1,
                              DWORD accessType = PRE_CONFIG_INTERNET_ACCESS, LPCTSTR proxyName = nullptr,
                              LPCTSTR proxyBypass = nullptr, DWORD flags = 0);
    ~CInternetSession() override;
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    BOOL SetOption(DWORD option, DWORD value, DWORD flags = 0);
    BOOL QueryOption(DWORD option, DWORD& value) const;
    // Opens an http(s) URL; the caller deletes the returned file.
    CHttpFile* OpenURL(LPCTSTR url, DWORD_PTR context = 1, DWORD flags = INTERNET_FLAG_TRANSFER_ASCII,
                       LPCTSTR headers = nullptr, DWORD headersLength = 0);
    // The caller deletes the returned connection.
    CHttpConnection* GetHttpConnection(LPCTSTR server, INTERNET_PORT port = INTERNET_INVALID_PORT_NUMBER,
                                       LPCTSTR userName = nullptr, LPCTSTR password = nullptr);
    CHttpConnection* GetHttpConnection(LPCTSTR server, DWORD flags, INTERNET_PORT port = INTERNET_INVALID_PORT_NUMBER,
                                       LPCTSTR userName = nullptr, LPCTSTR password = nullptr);
    virtual void Close();
    DWORD_PTR GetContext() const { return m_dwContext; }
    operator HINTERNET() const { return m_hSession; }

private:
    HINTERNET m_hSession = nullptr;
    DWORD_PTR m_dwContext;
};

class CInternetConnection : public CObject {
public:
    ~CInternetConnection() override;
    CInternetConnection(const CInternetConnection&) = delete;
    CInternetConnection& operator=(const CInternetConnection&) = delete;
    virtual void Close();
    CInternetSession* GetSession() const { return m_pSession; }
    CString GetServerName() const { return m_strServerName; }
    operator HINTERNET() const { return m_hConnection; }

protected:
    CInternetConnection(CInternetSession* session, LPCTSTR server, INTERNET_PORT port, DWORD_PTR context);

    HINTERNET m_hConnection = nullptr;
    CInternetSession* m_pSession;
    CString m_strServerName;
    INTERNET_PORT m_nPort;
    DWORD_PTR m_dwContext;
};

class CHttpConnection : public CInternetConnection {
public:
    CHttpConnection(CInternetSession* session, HINTERNET connection, LPCTSTR server, INTERNET_PORT port, DWORD flags,
                    DWORD_PTR context);
    // The caller deletes the returned file.
    CHttpFile* OpenRequest(LPCTSTR verb, LPCTSTR objectName, LPCTSTR referer = nullptr, DWORD_PTR context = 1,
                           LPCTSTR* acceptTypes = nullptr, LPCTSTR version = nullptr,
                           DWORD flags = INTERNET_FLAG_EXISTING_CONNECT);

private:
    DWORD m_dwFlags;
};

// A file read from (or written to) an Internet handle.
class CInternetFile : public CStdioFile {
public:
    ~CInternetFile() override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    void Close() override;
    BOOL SetOption(DWORD option, DWORD value, DWORD flags = 0);
    operator HINTERNET() const { return m_hFile; }

protected:
    CInternetFile(HINTERNET file, CInternetSession* session, DWORD_PTR context);

    HINTERNET m_hFile;
    CInternetSession* m_pSession;
    DWORD_PTR m_dwContext;
};

class CHttpFile : public CInternetFile {
public:
    CHttpFile(HINTERNET file, CInternetSession* session, LPCTSTR verb, LPCTSTR object, DWORD_PTR context);

    BOOL AddRequestHeaders(LPCTSTR headers, DWORD flags = HTTP_ADDREQ_FLAG_ADD_IF_NEW, int length = -1);
    BOOL SendRequest(LPCTSTR headers = nullptr, DWORD headersLength = 0, LPVOID optional = nullptr,
                     DWORD optionalLength = 0);
    BOOL SendRequestEx(DWORD totalLength, DWORD flags = HSR_INITIATE, DWORD_PTR context = 1);
    BOOL SendRequestEx(LPINTERNET_BUFFERS buffersIn, LPINTERNET_BUFFERS buffersOut = nullptr,
                       DWORD flags = HSR_INITIATE, DWORD_PTR context = 1);
    BOOL EndRequest(DWORD flags = 0, LPINTERNET_BUFFERS buffersIn = nullptr, DWORD_PTR context = 1);
    BOOL QueryInfo(DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength, LPDWORD index = nullptr) const;
    BOOL QueryInfo(DWORD infoLevel, CString& text, LPDWORD index = nullptr) const;
    BOOL QueryInfoStatusCode(DWORD& statusCode) const;
    CString GetVerb() const { return m_strVerb; }
    CString GetObject() const { return m_strObject; }

private:
    CString m_strVerb;
    CString m_strObject;
};
