#include "smtp/LoopbackSmtpPeer.h"

#include <ws2tcpip.h>

#include <chrono>
#include <stdexcept>

namespace {

const std::map<std::string, std::string> DEFAULT_REPLIES = {
    {"greeting", "220 peer ready\r\n"},
    {"EHLO", "250-peer greets you\r\n250-AUTH LOGIN\r\n250 SIZE 10240000\r\n"},
    {"AUTH", "334 VXNlcm5hbWU6\r\n"},
    {"LOGIN", "334 UGFzc3dvcmQ6\r\n"},
    {"PASSWORD", "235 authenticated\r\n"},
    {"MAIL", "250 sender ok\r\n"},
    {"RCPT", "250 recipient ok\r\n"},
    {"DATA", "354 go ahead\r\n"},
    {"END", "250 queued\r\n"},
    {"QUIT", "221 bye\r\n"},
};

// Waits for the socket to be readable, in slices so that a stop is seen.
bool Readable(SOCKET socket, const std::atomic<bool>& stopping) {
    while (!stopping) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval slice = {0, 50000};
        const int ready = select(0, &set, nullptr, nullptr, &slice);
        if (ready < 0) return false;
        if (ready > 0) return true;
    }
    return false;
}

bool SendAll(SOCKET socket, const std::string& data) {
    for (size_t sent = 0; sent < data.size();) {
        const int count = send(socket, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (count <= 0) return false;
        sent += count;
    }
    return true;
}

std::string Verb(const std::string& line) {
    std::string verb = line.substr(0, line.find_first_of(" :"));
    for (char& c : verb) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return verb;
}

}  // namespace

LoopbackSmtpPeer::LoopbackSmtpPeer() : m_listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (!m_listener || bind(m_listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listener.Get(), 4) != 0 ||
        getsockname(m_listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the SMTP peer cannot listen");
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { AcceptLoop(); });
}

LoopbackSmtpPeer::~LoopbackSmtpPeer() {
    m_stopping = true;
    m_thread.join();
}

void LoopbackSmtpPeer::Script(const std::string& step, std::vector<SmtpPeerReply> replies) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (SmtpPeerReply& reply : replies) m_scripts[step].push_back(std::move(reply));
}

std::vector<std::string> LoopbackSmtpPeer::Commands() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

std::vector<std::string> LoopbackSmtpPeer::Messages() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

bool LoopbackSmtpPeer::WaitUntilClosed() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(5), [this] { return m_open == 0; });
}

void LoopbackSmtpPeer::AcceptLoop() {
    while (Readable(m_listener.Get(), m_stopping)) {
        SocketHandle client(accept(m_listener.Get(), nullptr, nullptr));
        if (!client) continue;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_open;
        }
        Serve(client.Get());
        std::lock_guard<std::mutex> lock(m_mutex);
        --m_open;
        m_changed.notify_all();
    }
}

bool LoopbackSmtpPeer::Reply(SOCKET client, const std::string& step, std::string& sent) {
    SmtpPeerReply reply("");
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::deque<SmtpPeerReply>& script = m_scripts[step];
        if (!script.empty()) {
            reply = script.front();
            script.pop_front();
        } else {
            auto found = DEFAULT_REPLIES.find(step);
            reply.text = found != DEFAULT_REPLIES.end() ? found->second : "500 unknown command\r\n";
        }
    }
    sent = reply.text;
    if (reply.splitAt == 0 || reply.splitAt >= reply.text.size()) return SendAll(client, reply.text);
    if (!SendAll(client, reply.text.substr(0, reply.splitAt))) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return SendAll(client, reply.text.substr(reply.splitAt));
}

bool LoopbackSmtpPeer::ReadLine(SOCKET client, std::string& pending, std::string& line) {
    for (;;) {
        const size_t end = pending.find("\r\n");
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 2);
            return true;
        }
        if (!Readable(client, m_stopping)) return false;
        char buffer[4096];
        const int count = recv(client, buffer, sizeof(buffer), 0);
        if (count <= 0) return false;
        pending.append(buffer, count);
    }
}

void LoopbackSmtpPeer::Serve(SOCKET client) {
    std::string sent;
    if (!Reply(client, "greeting", sent)) return;
    std::string pending, line;
    std::string expecting;  // "LOGIN" or "PASSWORD" after AUTH LOGIN
    while (ReadLine(client, pending, line)) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_commands.push_back(line);
        }
        const std::string step = expecting.empty() ? Verb(line) : expecting;
        expecting = step == "AUTH" ? "LOGIN" : step == "LOGIN" ? "PASSWORD" : "";
        if (!Reply(client, step, sent) || step == "QUIT") return;
        if (step != "DATA" || sent.compare(0, 3, "354") != 0) continue;
        std::string message;
        while (ReadLine(client, pending, line) && line != ".") message += line + "\r\n";
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_messages.push_back(message);
        }
        if (line != "." || !Reply(client, "END", sent)) return;
    }
}
