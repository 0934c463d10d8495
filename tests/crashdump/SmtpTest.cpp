#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Smtp.h"
#include "files/ScratchFolder.h"
#include "portable/SmtpText.h"
#include "smtp/LoopbackSmtpPeer.h"

namespace {

// Every text a message needs, and one recipient.
void SetUpMinimal(CSmtp& smtp) {
    smtp.SetSenderMail("a@b.test");
    smtp.SetLogin("l");
    smtp.SetPassword("p");
    smtp.SetSubject("s");
    smtp.AddRecipient("c@d.test");
}

// A client set up for the loopback peer: sender, login, one recipient, subject and text.
class SmtpTest : public testing::Test {
public:
    SmtpTest() {
        smtp.SetSenderMail("crash@player.test");
        smtp.SetSenderName("Player");
        smtp.SetLogin("reporter");
        smtp.SetPassword("s3cret");
        smtp.SetSubject("crash report");
        smtp.SetMessageBody("the files are attached");
        smtp.AddRecipient("support@player.test", "Support");
    }
    bool ConnectAndSend() { return smtp.Connect("127.0.0.1", peer.Port()) && smtp.Send(); }
    // The lines of the first message.
    std::vector<std::string> MessageLines() const {
        std::vector<std::string> lines;
        const std::string message = peer.Messages().at(0);
        for (size_t start = 0, end; (end = message.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(message.substr(start, end - start));
        return lines;
    }

    LoopbackSmtpPeer peer;
    CSmtp smtp;
    ScratchFolder folder;
};

TEST_F(SmtpTest, SignsInSendsTheMessageAndQuits) {
    ASSERT_TRUE(ConnectAndSend()) << smtp.GetLastError();
    smtp.Disconnect();
    EXPECT_EQ(SMTP_OK, smtp.GetLastError());
    const std::vector<std::string> commands = peer.Commands();
    ASSERT_EQ(8u, commands.size());
    EXPECT_EQ("EHLO ", commands[0].substr(0, 5));
    EXPECT_EQ("AUTH LOGIN", commands[1]);
    EXPECT_EQ(SmtpBase64Encode("reporter"), commands[2]);
    EXPECT_EQ(SmtpBase64Encode("s3cret"), commands[3]);
    EXPECT_EQ("MAIL FROM:<crash@player.test>", commands[4]);
    EXPECT_EQ("RCPT TO:<support@player.test>", commands[5]);
    EXPECT_EQ("DATA", commands[6]);
    EXPECT_EQ("QUIT", commands[7]);

    const std::vector<std::string> lines = MessageLines();
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ("Date: ", lines[0].substr(0, 6));
    EXPECT_EQ(std::vector<std::string>({"From: Player <crash@player.test>", "X-Priority: 3 (Normal)",
                                        "To: Support<support@player.test>", "Subject: crash report",
                                        "MIME-Version: 1.0", "Content-type: text/plain; charset=US-ASCII",
                                        "Content-Transfer-Encoding: 7bit", "", "the files are attached"}),
              std::vector<std::string>(lines.begin() + 1, lines.begin() + 10));
}

// The step whose reply is wrong and the code it leaves.
TEST_F(SmtpTest, EachFailingStepStopsWithItsCode) {
    const struct {
        const char* step;
        const char* reply;
        int error;
        bool connected;   // Connect succeeds, Send fails
        size_t commands;  // lines the peer received
    } cases[] = {
        {"greeting", "421 busy\r\n", SMTP_GREETING, false, 0},
        {"EHLO", "500 what\r\n", SMTP_EHLO, false, 1},
        {"AUTH", "504 no such mechanism\r\n", SMTP_AUTH_LOGIN, false, 2},
        {"LOGIN", "535 no\r\n", SMTP_LOGIN_REFUSED, false, 3},
        {"PASSWORD", "535 authentication failed\r\n", SMTP_AUTH_REFUSED, false, 4},
        {"PASSWORD", "454 try later\r\n", SMTP_LOGIN_REFUSED, false, 4},
        {"MAIL", "550 not you\r\n", SMTP_MAIL_FROM, true, 5},
        {"RCPT", "550 no such user\r\n", SMTP_RECIPIENT_REFUSED, true, 6},
        {"DATA", "554 no\r\n", SMTP_DATA, true, 7},
        {"END", "554 rejected\r\n", SMTP_MESSAGE_REFUSED, true, 7},
    };
    for (const auto& c : cases) {
        LoopbackSmtpPeer peer;
        peer.Script(c.step, {c.reply});
        CSmtp smtp;
        SetUpMinimal(smtp);
        const bool connected = smtp.Connect("127.0.0.1", peer.Port());
        EXPECT_EQ(c.connected, connected) << c.step;
        if (connected) {
            EXPECT_FALSE(smtp.Send()) << c.step;
        }
        EXPECT_EQ(c.error, smtp.GetLastError()) << c.step;
        EXPECT_EQ(c.commands, peer.Commands().size()) << c.step;
        if (!connected) {
            EXPECT_TRUE(peer.WaitUntilClosed()) << c.step << ": the failed connection stays open";
        }
    }
}

TEST_F(SmtpTest, MissingTextsAndUnreachableServers) {
    const struct {
        const char* what;
        const char* server;
        bool login, password, sender, recipient;
        bool sendOnly;  // the failure comes from Send
        int error;
    } cases[] = {
        {"no login name", "127.0.0.1", false, true, true, true, false, SMTP_NO_LOGIN},
        {"no password", "127.0.0.1", true, false, true, true, false, SMTP_NO_PASSWORD},
        {"no sender", "127.0.0.1", true, true, false, true, true, SMTP_NO_SENDER},
        {"no recipient", "127.0.0.1", true, true, true, false, true, SMTP_HEADER},
        {"an empty server name", "", true, true, true, true, false, SMTP_NO_SERVER},
        {"a digit first but no address", "1nvalid.test", true, true, true, true, false, SMTP_NO_SERVER},
        {"three parts of an address", "127.0.1", true, true, true, true, false, SMTP_NO_SERVER},
    };
    for (const auto& c : cases) {
        CSmtp smtp;  // outlives the peer: a message left open ends with the peer
        LoopbackSmtpPeer peer;
        if (c.login) smtp.SetLogin("l");
        if (c.password) smtp.SetPassword("p");
        if (c.sender) smtp.SetSenderMail("a@b.test");
        if (c.recipient) smtp.AddRecipient("c@d.test");
        smtp.SetSubject("s");
        const bool connected = smtp.Connect(c.server, peer.Port());
        EXPECT_EQ(c.sendOnly, connected) << c.what;
        if (connected) {
            EXPECT_FALSE(smtp.Send()) << c.what;
        }
        EXPECT_EQ(c.error, smtp.GetLastError()) << c.what;
    }
    CSmtp refused;
    EXPECT_FALSE(refused.Connect("127.0.0.1", UnusedLoopbackPort()));
    EXPECT_EQ(SMTP_NO_SERVER, refused.GetLastError());
}

TEST_F(SmtpTest, OneRefusedRecipientOfTwoStillSendsAndLeaves305) {
    smtp.AddRecipient("nobody@player.test", "Nobody");
    peer.Script("RCPT", {"550 no such user\r\n"});
    ASSERT_TRUE(ConnectAndSend()) << smtp.GetLastError();
    EXPECT_EQ(SMTP_RECIPIENT_REFUSED, smtp.GetLastError());
    ASSERT_EQ(1u, peer.Messages().size());
    EXPECT_NE(std::string::npos,
              peer.Messages()[0].find("To: Support<support@player.test>,Nobody<nobody@player.test>\r\n"));
}

TEST_F(SmtpTest, AReplySplitAcrossWritesIsReadToItsLastLine) {
    const std::string ehlo = "250-peer greets you\r\n250-AUTH LOGIN\r\n250 OK\r\n";
    peer.Script("EHLO", {SmtpPeerReply(ehlo, ehlo.find("250-AUTH"))});
    peer.Script("AUTH", {SmtpPeerReply("334 VXNlcm5hbWU6\r\n", 2)});
    ASSERT_TRUE(ConnectAndSend()) << smtp.GetLastError();
    EXPECT_EQ(SMTP_OK, smtp.GetLastError());
}

TEST_F(SmtpTest, ALineOfOneDotInTheTextDoesNotEndTheMessage) {
    smtp.SetMessageBody("first\r\n.\r\nQUIT\r\n.hidden");
    ASSERT_TRUE(ConnectAndSend()) << smtp.GetLastError();
    smtp.Disconnect();
    ASSERT_EQ(1u, peer.Messages().size());
    EXPECT_NE(std::string::npos, peer.Messages()[0].find("\r\n\r\nfirst\r\n..\r\nQUIT\r\n..hidden\r\n"));
    const std::vector<std::string> commands = peer.Commands();
    EXPECT_EQ(1, std::count(commands.begin(), commands.end(), "QUIT"));
    EXPECT_EQ("QUIT", commands.back());
}

TEST_F(SmtpTest, AttachmentsGoOutAsBase64LinesOf54Bytes) {
    std::string bytes;
    for (int i = 0; i < 108; ++i) bytes += char(i * 7);
    const std::wstring path = folder.Write(L"crash 1.log", bytes);
    smtp.AddAttachment(std::string(path.begin(), path.end()));
    ASSERT_TRUE(ConnectAndSend()) << smtp.GetLastError();
    const std::vector<std::string> lines = MessageLines();
    const std::string boundary = CSmtp::BOUNDARY;
    auto part = std::find(lines.begin(), lines.end(), "Content-Disposition: attachment; filename=\"crash 1.log\"");
    ASSERT_NE(lines.end(), part);
    EXPECT_EQ("Content-Transfer-Encoding: base64", *(part - 1));
    EXPECT_EQ("Content-Type: application/x-msdownload; name=\"crash 1.log\"", *(part - 2));
    EXPECT_EQ("--" + boundary, *(part - 3));
    ASSERT_GE(lines.end() - part, 8);
    EXPECT_EQ("", part[1]);
    EXPECT_EQ(SmtpBase64Encode(bytes.substr(0, 54)), part[2]);
    EXPECT_EQ(SmtpBase64Encode(bytes.substr(54)), part[3]);
    EXPECT_EQ(72u, part[2].size());
    EXPECT_EQ(72u, part[3].size());
    EXPECT_EQ("", part[4]);  // the third piece is empty
    EXPECT_EQ(std::vector<std::string>({"", "--" + boundary + "--", ""}), std::vector<std::string>(part + 5, part + 8));
    EXPECT_NE(lines.end(),
              std::find(lines.begin(), lines.end(), "Content-Type: multipart/mixed; boundary=\"" + boundary + "\""));
}

TEST_F(SmtpTest, AttachmentsFromTheLimitOnLoseTheirContent) {
    const struct {
        size_t first, second;  // KB
        int error;
        bool secondSent;
    } cases[] = {
        {1024, 1024, SMTP_OK, true},
        {1025, 1024, SMTP_ATTACHMENTS_TOO_LARGE, false},
        {2049, 1, SMTP_ATTACHMENTS_TOO_LARGE, false},
    };
    for (const auto& c : cases) {
        LoopbackSmtpPeer peer;
        CSmtp smtp;
        SetUpMinimal(smtp);
        const std::wstring first = folder.Write(L"first.dmp", std::string(c.first * 1024, 'f'));
        const std::wstring second = folder.Write(L"second.log", std::string(c.second * 1024, 's'));
        smtp.AddAttachment(std::string(first.begin(), first.end()));
        smtp.AddAttachment(std::string(second.begin(), second.end()));
        ASSERT_TRUE(smtp.Connect("127.0.0.1", peer.Port()));
        EXPECT_TRUE(smtp.Send()) << c.first;  // the message is still ended and accepted
        EXPECT_EQ(c.error, smtp.GetLastError()) << c.first;
        const std::string message = peer.Messages().at(0);
        EXPECT_NE(std::string::npos, message.find("filename=\"second.log\""));
        EXPECT_EQ(c.secondSent, message.find(SmtpBase64Encode(std::string(54, 's'))) != std::string::npos) << c.first;
        EXPECT_EQ(c.first < 2049, message.find(SmtpBase64Encode(std::string(54, 'f'))) != std::string::npos) << c.first;
    }
}

TEST_F(SmtpTest, AnUnreadableAttachmentStopsTheAttachmentsButNotTheMessage) {
    const std::wstring second = folder.Write(L"second.log", "after");
    smtp.AddAttachment("");
    smtp.AddAttachment(std::string(second.begin(), second.end()));
    ASSERT_TRUE(ConnectAndSend());
    EXPECT_EQ(SMTP_ATTACHMENT_FILE, smtp.GetLastError());
    EXPECT_EQ(std::string::npos, peer.Messages().at(0).find("second.log"));
}

}  // namespace
