// CSmtp: a blocking SMTP client over Windows Sockets with AUTH LOGIN and Base64 MIME
// attachments. Every operation stops at its first failing step, leaves the code in
// GetLastError() and returns false; nothing is thrown or shown.
//
//   CSmtp smtp;
//   smtp.SetSenderMail("crash@example.org"); smtp.SetLogin("user"); smtp.SetPassword("pw");
//   smtp.SetSubject("crash"); smtp.SetMessageBody("see the files");
//   smtp.AddRecipient("support@example.org", "Support");
//   smtp.AddAttachment("C:\\logs\\crash.log");
//   if (smtp.Connect("mail.example.org", 25) && smtp.Send()) ...
#pragma once

#include <winsock2.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Last-error codes.
enum SMTP_ERROR {
    SMTP_OK = 0,
    SMTP_WSA_STARTUP = 100,
    SMTP_WSA_VERSION = 101,
    SMTP_SEND_FAILED = 102,
    SMTP_RECEIVE_FAILED = 103,
    SMTP_NO_SERVER = 106,
    SMTP_NO_HOST_NAME = 107,
    SMTP_HEADER = 200,
    SMTP_NO_SENDER = 201,
    SMTP_NO_SUBJECT = 202,
    SMTP_NO_RECIPIENT = 203,
    SMTP_NO_LOGIN = 204,
    SMTP_NO_PASSWORD = 205,
    SMTP_MAIL_FROM = 300,
    SMTP_EHLO = 301,
    SMTP_AUTH_LOGIN = 302,
    SMTP_DATA = 303,
    SMTP_QUIT = 304,
    SMTP_RECIPIENT_REFUSED = 305,
    SMTP_MESSAGE_REFUSED = 306,
    SMTP_CLOSED = 400,
    SMTP_GREETING = 401,
    SMTP_ATTACHMENT_FILE = 402,
    SMTP_ATTACHMENTS_TOO_LARGE = 403,
    SMTP_AUTH_REFUSED = 404,
    SMTP_LOGIN_REFUSED = 405,
};

class CSmtp {
public:
    static constexpr int BUFFER_SIZE = 10240;
    static constexpr const char* BOUNDARY = "__MESSAGE__ID__54yg6f6h6y456345";
    static constexpr unsigned long ATTACHMENT_LIMIT_KB = 2049;

    CSmtp();
    virtual ~CSmtp();
    CSmtp(const CSmtp&) = delete;
    CSmtp& operator=(const CSmtp&) = delete;

    void SetSenderMail(const std::string& address) { m_senderMail = address; }
    void SetSenderName(const std::string& name) { m_senderName = name; }
    void SetSubject(const std::string& subject) { m_subject = subject; }
    void SetMessageBody(const std::string& text) { m_message = text; }
    void SetXMailer(const std::string& text) { m_xMailer = text; }
    void SetReplyTo(const std::string& address) { m_replyTo = address; }
    void SetLogin(const std::string& login) { m_login = login; }
    void SetPassword(const std::string& password) { m_password = password; }
    // 2 high, 3 normal, 4 low.
    void SetXPriority(int priority) { m_priority = priority; }
    void AddRecipient(const std::string& address, const std::string& name = "");
    void AddCCRecipient(const std::string& address, const std::string& name = "");
    void AddBCCRecipient(const std::string& address, const std::string& name = "");
    void AddAttachment(const std::string& path) { m_attachments.push_back(path); }

    // Connects and signs in; a port of 0 takes the "mail" service's port, else 25.
    bool Connect(const std::string& server, unsigned short port);
    bool Send();
    // QUIT when connected; the connection is closed in every case.
    void Disconnect();

    int GetLastError() const { return m_error; }
    bool IsConnected() const { return m_connected; }

private:
    using RECIPIENT = std::pair<std::string, std::string>;  // name, address

    bool Fail(int code);
    bool SendText(const std::string& text);
    // Sends the command and reads its whole reply; the reply's code, or -1 with the error set.
    int Command(const std::string& text);
    int ReceiveReply();
    // True when code is the expected one; else false, with error set unless the transport failed.
    bool Expect(int code, int expected, int error);
    bool OpenSocket(const std::string& server, unsigned short port);
    void CloseSocket();
    bool SignIn();
    bool FormatHeader(std::string& header);
    // One attachment part; false when no further attachment may follow (402, or sending failed).
    bool SendAttachment(const std::string& path, unsigned long long& total);

    int m_error = SMTP_OK;
    bool m_connected = false;
    std::string m_localHost;
    std::optional<std::string> m_server;
    std::optional<std::string> m_senderMail;
    std::optional<std::string> m_senderName;
    std::optional<std::string> m_subject;
    std::optional<std::string> m_message;
    std::optional<std::string> m_xMailer;
    std::optional<std::string> m_replyTo;
    std::optional<std::string> m_login;
    std::optional<std::string> m_password;
    int m_priority = 3;
    std::vector<char> m_receive;
    SOCKET m_socket = INVALID_SOCKET;
    bool m_winsock = false;
    std::vector<RECIPIENT> m_recipients;
    std::vector<RECIPIENT> m_ccRecipients;
    std::vector<RECIPIENT> m_bccRecipients;
    std::vector<std::string> m_attachments;
};
