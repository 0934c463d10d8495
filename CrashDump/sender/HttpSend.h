// CHttpSend: the sender's settings for the storage upload (server, user name and
// password) and its mail road over CSmtp, set up with empty texts (the dialog uploads
// through the storage service only).
#pragma once

#include <memory>
#include <string>

#include "CrashFileSend.h"
#include "Smtp.h"

class CHttpSend : public CCrashFileSend {
public:
    // Reads the server ("IP") from "User Info" of the given "Mailer.ini".
    explicit CHttpSend(const std::string& mailerPath);

    bool SendMail() override;
    bool Connect(unsigned short port) override;
    void Disconnect() override;

    void SetUserName(const std::string& name) { m_userName = name; }
    void SetPassword(const std::string& password) { m_password = password; }
    const std::string& UserName() const { return m_userName; }
    const std::string& Password() const { return m_password; }
    const std::string& Server() const { return m_server; }
    const CSmtp& Smtp() const { return *m_smtp; }

private:
    std::unique_ptr<CSmtp> m_smtp;
    std::string m_mailerPath;
    std::string m_userName;
    std::string m_password;
    std::string m_server;
};
