#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "FailedInstall.h"
#include "MendportInterface.h"
#include "http/HttpReplies.h"
#include "update/LoopbackUpdateService.h"

namespace {

// Records which of the sink's operations the client calls.
class RecordingSink : public IMendportEvent {
public:
    void OnDownloadProgress(int, unsigned int, unsigned int) override { calls.push_back("OnDownloadProgress"); }
    void OnDownloadFinished(int) override { calls.push_back("OnDownloadFinished"); }
    void OnDecompressProgress(int, int) override { calls.push_back("OnDecompressProgress"); }
    void OnCheckFileProgress(int, int) override { calls.push_back("OnCheckFileProgress"); }
    void OnCheckStarted() override { calls.push_back("OnCheckStarted"); }
    bool OnNewerVersion() override {
        calls.push_back("OnNewerVersion");
        return false;
    }
    void OnCheckFinished(int, int) override { calls.push_back("OnCheckFinished"); }

    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

int Patch(const std::vector<std::string>& urls, IMendportEvent* sink, const char* app = "zemovista") {
    std::vector<MENDPORT_SERVER> servers;
    for (const std::string& url : urls) servers.push_back({url.c_str(), 0});
    return MendportPatch(app, servers.data(), (int)servers.size(), sink, 0, 0);
}

class MendportPatchTest : public ::testing::Test {
protected:
    MendportPatchTest() { m_service.Publish("zemovista", "2.0.0.1", {{"Zemovista.exe", "new"}}); }

    LoopbackUpdateService m_service;
    RecordingSink m_sink;
};

TEST_F(MendportPatchTest, TheNewestVersionIsCurrentAndTellsTheSinkNothing) {
    EXPECT_EQ(MENDPORT_CURRENT, Patch({m_service.CheckUrl("zemovista", "2.0.0.1")}, &m_sink));
    EXPECT_EQ(Calls{}, m_sink.calls);
    ASSERT_EQ(1u, m_service.Checks().size());
    EXPECT_EQ("zemovista", m_service.Checks()[0].App);
    EXPECT_EQ("2.0.0.1", m_service.Checks()[0].Version);
}

TEST_F(MendportPatchTest, AnOlderVersionIsReportedOnceThroughTheFourthSlotAlone) {
    EXPECT_EQ(MENDPORT_NEWER, Patch({m_service.CheckUrl("zemovista", "1.0.0.1")}, &m_sink));
    EXPECT_EQ(Calls{"OnNewerVersion"}, m_sink.calls);
    EXPECT_TRUE(m_service.Fetches().empty());
}

TEST_F(MendportPatchTest, TextOutsideAsciiReachesTheServiceInTheOemCodePage) {
    // "影音" and a version with a space and a "#", in code page 936.
    const std::string app = "\xd3\xb0\xd2\xf4";
    m_service.Publish(app, "2.0 #1", {});
    EXPECT_EQ(MENDPORT_CURRENT, Patch({m_service.CheckUrl(app, "2.0 #1")}, &m_sink, app.c_str()));
    ASSERT_EQ(1u, m_service.Checks().size());
    EXPECT_EQ(app, m_service.Checks()[0].App);
    EXPECT_EQ("2.0 #1", m_service.Checks()[0].Version);
}

// The client's folder beside the interface library (the test program's folder), with a
// failed install of a version on record for as long as the object lives.
class FailedInstallRecord {
public:
    explicit FailedInstallRecord(const std::string& version) {
        m_folder = BesideTheTestProgram(L"Update\\Mendport\\");
        CreateDirectoryW(m_folder.c_str(), nullptr);
        RecordFailedInstall(m_folder, version);
    }
    ~FailedInstallRecord() { ForgetFailedInstall(m_folder); }

private:
    std::wstring m_folder;
};

TEST_F(MendportPatchTest, AVersionWhoseInstallFailedIsNotReportedUntilANewerOneIsPublished) {
    FailedInstallRecord failed("2.0.0.1");
    EXPECT_EQ(MENDPORT_HELD_BACK, Patch({m_service.CheckUrl("zemovista", "1.0.0.1")}, &m_sink));
    EXPECT_EQ(Calls{}, m_sink.calls);
    m_service.Publish("zemovista", "2.0.0.2", {{"Zemovista.exe", "newer"}});
    EXPECT_EQ(MENDPORT_NEWER, Patch({m_service.CheckUrl("zemovista", "1.0.0.1")}, &m_sink));
    EXPECT_EQ(Calls{"OnNewerVersion"}, m_sink.calls);
}

TEST_F(MendportPatchTest, AnUpdateTheServiceDidNotSignIsNoUpdate) {
    for (UPDATE_SIGNING signing : {UPDATE_UNSIGNED, UPDATE_OTHER_SIGNATURE, UPDATE_OTHER_TEXT}) {
        m_service.SetSigning(signing);
        EXPECT_EQ(MENDPORT_CHECK_FAILED, Patch({m_service.CheckUrl("zemovista", "1.0.0.1")}, &m_sink)) << signing;
    }
    EXPECT_EQ(Calls{}, m_sink.calls);
    m_service.SetSigning(UPDATE_SIGNED);
    EXPECT_EQ(MENDPORT_NEWER, Patch({m_service.CheckUrl("zemovista", "1.0.0.1")}, &m_sink));
}

TEST_F(MendportPatchTest, ServersAreAskedInTurnUntilOneAnswers) {
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/c?app=zemovista&version=1";
    const std::string unknownApp = m_service.CheckUrl("other", "1.0");
    EXPECT_EQ(MENDPORT_NEWER, Patch({refused, unknownApp, m_service.CheckUrl("zemovista", "1.0")}, &m_sink));
    EXPECT_EQ(Calls{"OnNewerVersion"}, m_sink.calls);
    EXPECT_EQ(2u, m_service.Checks().size());

    RecordingSink none;
    EXPECT_EQ(MENDPORT_CHECK_FAILED, Patch({refused, unknownApp}, &none));
    EXPECT_EQ(Calls{}, none.calls);
}

TEST_F(MendportPatchTest, WrongArgumentsAreRefusedBeforeAnyRequest) {
    const std::string url = m_service.CheckUrl("zemovista", "1.0");
    MENDPORT_SERVER server = {url.c_str(), 0};
    EXPECT_EQ(MENDPORT_BAD_ARGUMENTS, MendportPatch(nullptr, &server, 1, &m_sink, 0, 0));
    EXPECT_EQ(MENDPORT_BAD_ARGUMENTS, MendportPatch("", &server, 1, &m_sink, 0, 0));
    EXPECT_EQ(MENDPORT_BAD_ARGUMENTS, MendportPatch("zemovista", nullptr, 1, &m_sink, 0, 0));
    EXPECT_EQ(MENDPORT_BAD_ARGUMENTS, MendportPatch("zemovista", &server, 0, &m_sink, 0, 0));
    EXPECT_EQ(MENDPORT_BAD_ARGUMENTS, MendportPatch("zemovista", &server, 1, nullptr, 0, 0));
    MENDPORT_SERVER noUrl = {nullptr, 0};
    EXPECT_EQ(MENDPORT_CHECK_FAILED, MendportPatch("zemovista", &noUrl, 1, &m_sink, 0, 0));
    EXPECT_TRUE(m_service.Requests().empty());
    EXPECT_EQ(Calls{}, m_sink.calls);
}

// Replies that are no answer: the check fails and nothing is reported, whatever the text says.
struct BrokenReply {
    const char* name;
    HttpReply reply;
};

void PrintTo(const BrokenReply& c, std::ostream* out) { *out << c.name; }

HttpReply Reply(int status, std::string body) {
    HttpReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

HttpReply Broken(std::string body, void (*change)(HttpReply&)) {
    HttpReply reply = Reply(200, std::move(body));
    change(reply);
    return reply;
}

class BrokenReplyTest : public ::testing::TestWithParam<BrokenReply> {};

TEST_P(BrokenReplyTest, FailsTheCheck) {
    LoopbackHttpServer server;
    server.SetReply(GetParam().reply);
    RecordingSink sink;
    EXPECT_EQ(MENDPORT_CHECK_FAILED, Patch({server.Url("/c?app=zemovista&version=1")}, &sink));
    EXPECT_EQ(Calls{}, sink.calls);
}

// Cut after its first line, the rest would still read as an update without files.
const std::string kUpdate =
    "update 2.0\r\nfile 3 000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f a\r\nsignature 00\r\n";

INSTANTIATE_TEST_SUITE_P(
    Replies, BrokenReplyTest,
    ::testing::Values(BrokenReply{"NotFound", Reply(404, kUpdate)}, BrokenReply{"ServerError", Reply(500, kUpdate)},
                      BrokenReply{"Empty", Reply(200, "")}, BrokenReply{"OtherText", Reply(200, "<html>update</html>")},
                      BrokenReply{"UnsafePath",
                                  Reply(200,
                                        "update 2.0\r\nfile 1 "
                                        "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f ../x.exe\r\n"
                                        "signature 00\r\n")},
                      BrokenReply{"TooLong", Reply(200, kUpdate + std::string(300 * 1024, 'x'))},
                      BrokenReply{"Cut", Broken(kUpdate, [](HttpReply& r) { r.dropAfter = 12; })},
                      BrokenReply{"ShortOfItsLength", Broken(kUpdate, [](HttpReply& r) { r.contentLength = 4096; })}),
    [](const ::testing::TestParamInfo<BrokenReply>& info) { return std::string(info.param.name); });

TEST(MendportSlowServiceTest, AServiceThatDripsItsReplyIsGivenUpAtTheCallsDeadline) {
    // One byte a second of a reply that is never complete in time, from two servers.
    HttpReply reply = Reply(200, kUpdate + std::string(60, '#'));
    reply.pieceSize = 1;
    reply.pieceDelay = std::chrono::milliseconds(1000);
    LoopbackHttpServer first, second;
    first.SetReply(reply);
    second.SetReply(reply);
    RecordingSink sink;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(MENDPORT_CHECK_FAILED,
              Patch({first.Url("/c?app=zemovista&version=1"), second.Url("/c?app=zemovista&version=1")}, &sink));
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::milliseconds(6500)) << "five seconds for the whole call";
    EXPECT_EQ(Calls{}, sink.calls);
}

TEST(MendportSilentServiceTest, AServiceThatNeverAnswersFailsTheCheck) {
    // Accepted by the system's backlog, never read nor answered.
    WinsockLibrary winsock;
    SocketHandle listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    ASSERT_EQ(0, bind(listener.Get(), (sockaddr*)&address, sizeof(address)));
    ASSERT_EQ(0, listen(listener.Get(), 4));
    ASSERT_EQ(0, getsockname(listener.Get(), (sockaddr*)&address, &length));

    RecordingSink sink;
    const std::string url =
        "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/c?app=zemovista&version=1";
    EXPECT_EQ(MENDPORT_CHECK_FAILED, Patch({url}, &sink));
    EXPECT_EQ(Calls{}, sink.calls);
}

}  // namespace
