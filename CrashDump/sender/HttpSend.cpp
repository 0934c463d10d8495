#include "HttpSend.h"

#include "CrashSettings.h"

CHttpSend::CHttpSend(const std::string& mailerPath) : m_smtp(std::make_unique<CSmtp>()), m_mailerPath(mailerPath) {
    if (m_smtp->GetLastError() != SMTP_OK) return;
    m_server = ReadMailerSettings(m_mailerPath).server;
    m_smtp->SetSenderMail("");
    m_smtp->SetSenderName("");
    m_smtp->SetSubject("");
    m_smtp->SetMessageBody("");
    m_smtp->AddRecipient("", "");
    m_smtp->SetXPriority(3);
}

bool CHttpSend::SendMail() {
    m_smtp->AddAttachment("");
    m_smtp->AddAttachment("");
    return m_smtp->Send();
}

bool CHttpSend::Connect(unsigned short port) { return m_smtp->Connect("", port); }

void CHttpSend::Disconnect() { m_smtp->Disconnect(); }
