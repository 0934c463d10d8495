// An SMTP server for tests, inside the test process on 127.0.0.1 at an ephemeral port.
// It serves one client at a time with scripted replies and records what it receives.
// Steps and their default replies:
//   "greeting" 220, "EHLO" 250 (three lines), "AUTH" 334, "LOGIN" (the Base64 login
//   name after AUTH) 334, "PASSWORD" 235, "MAIL" 250, "RCPT" 250, "DATA" 354,
//   "END" (the message's final ".") 250, "QUIT" 221; anything else 500.
//
//   LoopbackSmtpPeer peer;
//   peer.Script("RCPT", {"250 ok\r\n", "550 no such user\r\n"});   // the next two RCPTs
//   peer.Script("EHLO", {SmtpPeerReply("250-a\r\n250 b\r\n", 7)});  // in two writes
//   ... client ...
//   EXPECT_EQ("QUIT", peer.Commands().back());
//   EXPECT_EQ(body, peer.Messages().at(0));
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "http/LoopbackHttpServer.h"

// A reply, sent in two writes split at splitAt (0: one write).
struct SmtpPeerReply {
    SmtpPeerReply(const char* text) : text(text) {}
    SmtpPeerReply(std::string text, size_t splitAt = 0) : text(std::move(text)), splitAt(splitAt) {}
    std::string text;
    size_t splitAt = 0;
};

class LoopbackSmtpPeer {
public:
    LoopbackSmtpPeer();
    ~LoopbackSmtpPeer();
    LoopbackSmtpPeer(const LoopbackSmtpPeer&) = delete;
    LoopbackSmtpPeer& operator=(const LoopbackSmtpPeer&) = delete;

    unsigned short Port() const { return m_port; }
    // The next replies of a step, in order; then its default again.
    void Script(const std::string& step, std::vector<SmtpPeerReply> replies);

    // Command lines received outside messages, without their CRLF.
    std::vector<std::string> Commands() const;
    // Each message's text between DATA and the final ".", as received (still dot-stuffed).
    std::vector<std::string> Messages() const;
    // Waits (at most 5 s) until the client has closed its connections; false when one stays open.
    bool WaitUntilClosed() const;

private:
    void AcceptLoop();
    void Serve(SOCKET client);
    // Sends the step's next reply; sent is its text.
    bool Reply(SOCKET client, const std::string& step, std::string& sent);
    // The next line (without CRLF), or false when the client left or the peer stops.
    bool ReadLine(SOCKET client, std::string& pending, std::string& line);

    WinsockLibrary m_winsock;
    SocketHandle m_listener;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::map<std::string, std::deque<SmtpPeerReply>> m_scripts;
    std::vector<std::string> m_commands;
    std::vector<std::string> m_messages;
    int m_open = 0;  // connections being served
    std::thread m_thread;
};
