#include <gtest/gtest.h>

#include <json/json.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ReportInterface.h"
#include "files/ScratchFolder.h"
#include "http/LoopbackHttpServer.h"

namespace {

struct Answer {
    int status;
    Json::Value report;
};

// A usage service that takes reports at "/report" with the status a test sets, and
// keeps each report with the status it got.
class ReportPeer {
public:
    ReportPeer() : m_server([this](const HttpRequest& request, HttpReply& reply) { Take(request, reply); }) {
        m_config.Write(L"Tallyhub.ini", "[Report]\r\nUrl=" + m_server.Url("/report") + "\r\n");
    }

    std::wstring ConfigFile() const { return m_config.File(L"Tallyhub.ini"); }
    void SetStatus(int status) { m_status = status; }
    std::vector<HttpRequest> Requests() const { return m_server.Requests(); }

    std::vector<Answer> Answers() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_answers;
    }
    std::vector<Json::Value> Taken() const {
        std::vector<Json::Value> taken;
        for (const Answer& answer : Answers())
            if (answer.status == 200) taken.push_back(answer.report);
        return taken;
    }

    // Waits (at most 20 s) until count reports have been answered.
    bool WaitForAnswers(size_t count) const {
        for (int i = 0; i < 2000; ++i) {
            if (Answers().size() >= count) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

private:
    void Take(const HttpRequest& request, HttpReply& reply) {
        reply.status = 404;
        if (request.method != "POST" || request.Path() != "/report") return;
        Answer answer{m_status, Json::Value()};
        std::string errors;
        std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
        EXPECT_TRUE(
            reader->parse(request.body.data(), request.body.data() + request.body.size(), &answer.report, &errors))
            << request.body;
        reply.status = answer.status;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers.push_back(answer);
    }

    ScratchFolder m_config;
    std::atomic<int> m_status{200};
    mutable std::mutex m_mutex;
    std::vector<Answer> m_answers;
    LoopbackHttpServer m_server;  // last: its threads stop before the state goes
};

using Names = std::vector<std::string>;

struct Totals {
    Names users;
    int64_t modules = 0;
};

Totals Sum(const std::vector<Json::Value>& reports) {
    Totals totals;
    for (const Json::Value& report : reports) {
        for (const Json::Value& user : report["users"]) totals.users.push_back(user.asString());
        totals.modules += report["modules"].asInt64();
    }
    return totals;
}

TEST(ReportInterfaceTest, TheLastReportCarriesTheProgramAndWhatItWasTold) {
    ReportPeer peer;
    {
        CReportInterface report(peer.ConfigFile());
        report.AddModuleCount(2);  // before Init: kept
        report.Init(103, L"1.2.3.4", 900000);
        report.AppendUserName(L"");
        report.AddModuleCount(1);
    }
    std::vector<HttpRequest> requests = peer.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("application/json", requests[0].Header("Content-Type"));
    Json::Value report = peer.Taken().at(0);
    EXPECT_EQ(103, report["product"].asInt());
    EXPECT_EQ("1.2.3.4", report["version"].asString());
    std::string session = report["session"].asString();
    EXPECT_EQ(32u, session.size());
    EXPECT_EQ(std::string::npos, session.find_first_not_of("0123456789abcdef"));
    EXPECT_EQ(Names{""}, Sum({report}).users);
    EXPECT_EQ(3, Sum({report}).modules);
}

TEST(ReportInterfaceTest, ReportsComeEveryIntervalEachWithWhatIsNewSinceTheLast) {
    ReportPeer peer;
    {
        CReportInterface report(peer.ConfigFile());
        report.Init(103, L"1.0", 20);
        report.AppendUserName(L"tom");
        report.AppendUserName(L"tom");
        report.AddModuleCount(2);
        // The second answer from now belongs to a report that began after these calls.
        ASSERT_TRUE(peer.WaitForAnswers(peer.Answers().size() + 2));
        report.AppendUserName(L"tom");
        report.AppendUserName(L"\x5f20\x4e09");  // 张三
        report.AddModuleCount(3);
    }
    std::vector<Json::Value> reports = peer.Taken();
    ASSERT_GE(reports.size(), 3u);
    for (const Json::Value& report : reports) EXPECT_EQ(reports[0]["session"], report["session"]);
    Totals totals = Sum(reports);
    EXPECT_EQ(5, totals.modules);
    // Twice between two reports counts once; again after a report, once more.
    EXPECT_EQ(Names({"tom", "tom", "\xe5\xbc\xa0\xe4\xb8\x89"}), totals.users);
}

TEST(ReportInterfaceTest, WhatARefusedReportCarriedGoesIntoTheNextOne) {
    ReportPeer peer;
    peer.SetStatus(500);
    {
        CReportInterface report(peer.ConfigFile());
        report.AppendUserName(L"tom");
        report.AddModuleCount(4);
        report.Init(103, L"1.0", 20);
        ASSERT_TRUE(peer.WaitForAnswers(3));
        peer.SetStatus(200);
    }
    for (const Answer& answer : peer.Answers()) {
        if (answer.status != 500) continue;
        EXPECT_EQ(Names{"tom"}, Sum({answer.report}).users);
        EXPECT_EQ(4, Sum({answer.report}).modules);
    }
    // Taken once, by the first report that the service accepted.
    Totals taken = Sum(peer.Taken());
    EXPECT_EQ(Names{"tom"}, taken.users);
    EXPECT_EQ(4, taken.modules);
}

TEST(ReportInterfaceTest, InitStartsTheReportsOnceAndOnlyWithAnInterval) {
    ReportPeer peer;
    {
        CReportInterface report(peer.ConfigFile());
        report.Init(103, L"1.0", 0);
        report.Init(104, L"2.0", 900000);
        report.Init(105, L"3.0", 900000);
    }
    std::vector<Json::Value> reports = peer.Taken();
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ(104, reports[0]["product"].asInt());
    EXPECT_EQ("2.0", reports[0]["version"].asString());
}

TEST(ReportInterfaceTest, AServiceThatDripsItsAnswerHoldsUpTheEndOnlyUntilTheDeadline) {
    // One byte a second of an answer that would take a minute and a half.
    HttpReply answer;
    answer.body = std::string(90, '#');
    answer.pieceSize = 1;
    answer.pieceDelay = std::chrono::milliseconds(1000);
    LoopbackHttpServer server;
    server.SetReply(answer);
    ScratchFolder config;
    config.Write(L"Tallyhub.ini", "[Report]\r\nUrl=" + server.Url("/report") + "\r\n");

    auto report = std::make_unique<CReportInterface>(config.File(L"Tallyhub.ini"));
    report->Init(103, L"1.0", 20);
    for (int i = 0; i < 500 && server.Requests().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(server.Requests().empty()) << "a report under way";
    auto started = std::chrono::steady_clock::now();
    report.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(4500))
        << "the report under way and the last one within three seconds";
}

TEST(ReportInterfaceTest, WithoutAReportUrlNothingIsSent) {
    ReportPeer peer;
    ScratchFolder other;
    other.Write(L"Tallyhub.ini", "[Report]\r\nUrl=\r\n");
    for (const std::wstring& config : {other.File(L"Tallyhub.ini"), other.File(L"missing.ini")}) {
        CReportInterface report(config);
        report.Init(103, L"1.0", 20);
        report.AddModuleCount(1);
    }
    {
        // No "Tallyhub.ini" beside the library.
        CReportInterface report;
        report.Init(103, L"1.0", 20);
    }
    EXPECT_TRUE(peer.Requests().empty());
}

}  // namespace
