#include "Smtp.h"

#include <ws2tcpip.h>
#include <windows.h>

#include <cctype>
#include <fstream>

#include "portable/SmtpText.h"

namespace {

constexpr DWORD REPLY_TIMEOUT_MS = 30000;
constexpr size_t PIECE = 54;             // raw bytes of one 72-character Base64 line
constexpr size_t SEND_THRESHOLD = 5119;  // collected bytes sent at once
const LCID ENGLISH_US = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

std::string Line(const char* start, const std::string& text) { return start + text + "\r\n"; }

std::string RecipientList(const char* field, const std::vector<std::pair<std::string, std::string>>& list) {
    std::string line = field;
    for (size_t i = 0; i < list.size(); ++i) line += (i ? "," : "") + list[i].first + "<" + list[i].second + ">";
    return line + "\r\n";
}

std::string FilePart(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CSmtp::CSmtp() : m_receive(BUFFER_SIZE) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        m_error = SMTP_WSA_STARTUP;
        return;
    }
    if (data.wVersion != MAKEWORD(2, 2)) {
        WSACleanup();
        m_error = SMTP_WSA_VERSION;
        return;
    }
    m_winsock = true;
}

CSmtp::~CSmtp() {
    Disconnect();
    if (m_winsock) WSACleanup();
}

void CSmtp::AddRecipient(const std::string& address, const std::string& name) {
    m_recipients.emplace_back(name, address);
}
void CSmtp::AddCCRecipient(const std::string& address, const std::string& name) {
    m_ccRecipients.emplace_back(name, address);
}
void CSmtp::AddBCCRecipient(const std::string& address, const std::string& name) {
    m_bccRecipients.emplace_back(name, address);
}

bool CSmtp::Fail(int code) {
    m_error = code;
    return false;
}

bool CSmtp::SendText(const std::string& text) {
    for (size_t sent = 0; sent < text.size();) {
        const int count = send(m_socket, text.data() + sent, static_cast<int>(text.size() - sent), 0);
        if (count <= 0) return Fail(SMTP_SEND_FAILED);
        sent += count;
    }
    return true;
}

// Reads until the reply's last line has come (a reply may arrive in several pieces).
int CSmtp::ReceiveReply() {
    size_t size = 0;
    while (!SmtpReplyComplete(m_receive.data(), size)) {
        const int count = size < m_receive.size()
                              ? recv(m_socket, m_receive.data() + size, static_cast<int>(m_receive.size() - size), 0)
                              : -1;  // a reply longer than the buffer
        if (count <= 0) {
            m_error = count == 0 ? SMTP_CLOSED : SMTP_RECEIVE_FAILED;
            return -1;
        }
        size += count;
    }
    return SmtpReplyCode(m_receive.data(), size);
}

int CSmtp::Command(const std::string& text) {
    if (!SendText(text)) return -1;
    return ReceiveReply();
}

bool CSmtp::Expect(int code, int expected, int error) {
    if (code == expected) return true;
    if (code != -1) m_error = error;  // else the transport's error stays
    return false;
}

bool CSmtp::OpenSocket(const std::string& server, unsigned short port) {
    in_addr address = {};
    if (!server.empty() && std::isalpha(static_cast<unsigned char>(server[0]))) {
        const hostent* host = gethostbyname(server.c_str());
        if (!host || host->h_addrtype != AF_INET || !host->h_addr_list[0]) return Fail(SMTP_NO_SERVER);
        address = *reinterpret_cast<const in_addr*>(host->h_addr_list[0]);
    } else if (inet_pton(AF_INET, server.c_str(), &address) != 1) {
        return Fail(SMTP_NO_SERVER);
    }
    if (port == 0) {
        const servent* service = getservbyname("mail", nullptr);
        port = service ? ntohs(service->s_port) : 25;
    }
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) return Fail(SMTP_NO_SERVER);
    const DWORD timeout = REPLY_TIMEOUT_MS;
    setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr = address;
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0) return Fail(SMTP_NO_SERVER);
    return true;
}

void CSmtp::CloseSocket() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    m_connected = false;
}

bool CSmtp::SignIn() {
    if (!Expect(ReceiveReply(), 220, SMTP_GREETING)) return false;
    char host[255] = "";
    if (gethostname(host, sizeof(host)) == 0) {
        m_localHost = host;
    } else {
        m_error = SMTP_NO_HOST_NAME;
        m_localHost = "domain";
    }
    if (!Expect(Command("EHLO " + m_localHost + "\r\n"), 250, SMTP_EHLO)) return false;
    if (!Expect(Command("AUTH LOGIN\r\n"), 334, SMTP_AUTH_LOGIN)) return false;
    if (!m_login) return Fail(SMTP_NO_LOGIN);
    if (!Expect(Command(SmtpBase64Encode(*m_login) + "\r\n"), 334, SMTP_LOGIN_REFUSED)) return false;
    if (!m_password) return Fail(SMTP_NO_PASSWORD);
    const int code = Command(SmtpBase64Encode(*m_password) + "\r\n");
    return Expect(code, 235, code == 535 ? SMTP_AUTH_REFUSED : SMTP_LOGIN_REFUSED);
}

bool CSmtp::Connect(const std::string& server, unsigned short port) {
    if (m_connected) Disconnect();
    if (!OpenSocket(server, port) || !SignIn()) {
        CloseSocket();
        return false;
    }
    m_server = server;
    m_connected = true;
    return true;
}

void CSmtp::Disconnect() {
    if (m_connected) Expect(Command("QUIT\r\n"), 221, SMTP_QUIT);
    CloseSocket();
}

bool CSmtp::FormatHeader(std::string& header) {
    if (m_recipients.empty()) return Fail(SMTP_NO_RECIPIENT);
    if (!m_senderMail) return Fail(SMTP_NO_SENDER);
    SYSTEMTIME now;
    GetSystemTime(&now);
    char date[64] = "", time[32] = "";
    GetDateFormatA(ENGLISH_US, 0, &now, "ddd',' dd MMM yyyy", date, sizeof(date));
    GetTimeFormatA(ENGLISH_US, 0, &now, "HH':'mm':'ss", time, sizeof(time));
    header = std::string("Date: ") + date + " " + time + "\r\n";
    header += "From: " + m_senderName.value_or("") + " <" + *m_senderMail + ">\r\n";
    if (m_xMailer) header += Line("X-Mailer: ", *m_xMailer);
    if (m_replyTo) header += Line("Reply-To: ", *m_replyTo);
    header += m_priority == 2   ? "X-Priority: 2 (High)\r\n"
              : m_priority == 4 ? "X-Priority: 4 (Low)\r\n"
                                : "X-Priority: 3 (Normal)\r\n";
    header += RecipientList("To: ", m_recipients);
    if (!m_ccRecipients.empty()) header += RecipientList("Cc: ", m_ccRecipients);
    if (!m_bccRecipients.empty()) header += RecipientList("Bcc: ", m_bccRecipients);
    if (!m_subject) m_error = SMTP_NO_SUBJECT;
    header += Line("Subject: ", m_subject.value_or(""));
    header += "MIME-Version: 1.0\r\n";
    if (!m_attachments.empty()) {
        header += std::string("Content-Type: multipart/mixed; boundary=\"") + BOUNDARY + "\"\r\n\r\n";
        header += std::string("--") + BOUNDARY + "\r\n";
    }
    header += "Content-type: text/plain; charset=US-ASCII\r\n";
    header += "Content-Transfer-Encoding: 7bit\r\n\r\n";
    return true;
}

bool CSmtp::SendAttachment(const std::string& path, unsigned long long& total) {
    const std::string name = FilePart(path);
    std::string part = std::string("--") + BOUNDARY + "\r\n";
    part += "Content-Type: application/x-msdownload; name=\"" + name + "\"\r\n";
    part += "Content-Transfer-Encoding: base64\r\n";
    part += "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n";
    if (!SendText(part)) return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (path.empty() || !file) return Fail(SMTP_ATTACHMENT_FILE);
    const unsigned long long size = static_cast<unsigned long long>(file.tellg());
    file.seekg(0);
    total += size;
    if (total / 1024 >= ATTACHMENT_LIMIT_KB) {
        m_error = SMTP_ATTACHMENTS_TOO_LARGE;
        return true;
    }
    std::string lines;
    unsigned char piece[PIECE];
    for (unsigned long long i = 0; i < size / PIECE + 1; ++i) {
        file.read(reinterpret_cast<char*>(piece), PIECE);
        lines += SmtpBase64Encode(piece, static_cast<size_t>(file.gcount())) + "\r\n";
        if (lines.size() > SEND_THRESHOLD) {
            if (!SendText(lines)) return false;
            lines.clear();
        }
    }
    return SendText(lines);
}

bool CSmtp::Send() {
    if (!m_senderMail) return Fail(SMTP_NO_SENDER);
    if (!Expect(Command("MAIL FROM:<" + *m_senderMail + ">\r\n"), 250, SMTP_MAIL_FROM)) return false;
    size_t refused = 0;
    for (const RECIPIENT& recipient : m_recipients) {
        const int code = Command("RCPT TO:<" + recipient.second + ">\r\n");
        if (code == -1) return false;
        if (code != 250) {
            m_error = SMTP_RECIPIENT_REFUSED;
            ++refused;
        }
    }
    if (!m_recipients.empty() && refused == m_recipients.size()) return false;
    for (const auto* list : {&m_ccRecipients, &m_bccRecipients})
        for (const RECIPIENT& recipient : *list)
            if (Command("RCPT TO:<" + recipient.second + ">\r\n") == -1) return false;
    if (!Expect(Command("DATA\r\n"), 354, SMTP_DATA)) return false;
    std::string header;
    if (!FormatHeader(header)) return Fail(SMTP_HEADER);
    // Dot-stuffed: a line "." of the text must not end the message.
    if (!SendText(header) || !SendText(SmtpDotStuff(m_message.value_or("")) + "\r\n")) return false;
    unsigned long long total = 0;
    for (const std::string& path : m_attachments)
        if (!SendAttachment(path, total)) break;
    if (m_error == SMTP_SEND_FAILED) return false;
    if (!m_attachments.empty() && !SendText(std::string("\r\n--") + BOUNDARY + "--\r\n")) return false;
    return Expect(Command("\r\n.\r\n"), 250, SMTP_MESSAGE_REFUSED);
}
