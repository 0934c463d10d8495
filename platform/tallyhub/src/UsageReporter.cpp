#include "UsageReporter.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>

#include <json/json.h>

#include "HttpExchange.h"

namespace {

// A report is over within this time, however slowly the service answers; the reports
// still running or sent when the object goes are over within it too.
constexpr DWORD kReportDeadlineMs = 3000;
constexpr DWORD kHttpOk = 200;
// The service's answer is not used; a long one counts as a failure.
constexpr size_t kMaxReplyBytes = 4096;

std::string NewSession() {
    GUID guid = {};
    CoCreateGuid(&guid);
    char text[33];
    snprintf(text, sizeof(text), "%08lx%04x%04x%02x%02x%02x%02x%02x%02x%02x%02x", guid.Data1, guid.Data2, guid.Data3,
             guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
             guid.Data4[7]);
    return text;
}

std::string Body(int product, const std::string& version, const std::string& session, const USAGE_COUNTS& counts) {
    Json::Value report(Json::objectValue);
    report["product"] = product;
    report["version"] = version;
    report["session"] = session;
    report["users"] = Json::Value(Json::arrayValue);
    for (const std::string& user : counts.Users) report["users"].append(user);
    report["modules"] = (Json::Int64)counts.Modules;
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    return Json::writeString(writer, report);
}

}  // namespace

void USAGE_COUNTS::AddUser(const std::string& name) {
    if (std::find(Users.begin(), Users.end(), name) == Users.end()) Users.push_back(name);
}

void USAGE_COUNTS::Add(const USAGE_COUNTS& other) {
    for (const std::string& user : other.Users) AddUser(user);
    Modules += other.Modules;
}

CUsageReporter::CUsageReporter(std::wstring url) : m_url(std::move(url)) {}

CUsageReporter::~CUsageReporter() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_stopDeadline = DeadlineIn(kReportDeadlineMs);
    }
    m_wake.notify_all();
    m_thread.join();
}

void CUsageReporter::Start(int productId, const std::string& version, int intervalMs) {
    if (m_url.empty() || intervalMs < 1 || m_thread.joinable()) return;
    m_product = productId;
    m_version = version;
    m_session = NewSession();
    m_thread = std::thread(&CUsageReporter::Run, this, intervalMs);
}

void CUsageReporter::AddUser(const std::string& name) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.AddUser(name);
}

void CUsageReporter::AddModules(int count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.Modules += count;
}

void CUsageReporter::Run(int intervalMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::milliseconds(intervalMs), [this] { return m_stopping; })) {
        lock.unlock();
        Report();
        lock.lock();
    }
    lock.unlock();
    Report();
}

void CUsageReporter::Report() {
    USAGE_COUNTS sending;
    ULONGLONG deadline = DeadlineIn(kReportDeadlineMs);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::swap(sending, m_pending);
        if (m_stopDeadline && m_stopDeadline < deadline) deadline = m_stopDeadline;
    }
    const std::string body = Body(m_product, m_version, m_session, sending);
    HTTP_EXCHANGE exchange;
    exchange.Agent = L"Tallyhub";
    exchange.Url = m_url;
    exchange.Body = &body;
    exchange.ContentType = L"application/json";
    exchange.TimeoutMs = kReportDeadlineMs;
    exchange.Deadline = deadline;
    HTTP_TEXT_REPLY reply;
    if (HttpExchangeText(exchange, kMaxReplyBytes, reply) && reply.Status == kHttpOk) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    sending.Add(m_pending);
    std::swap(sending, m_pending);
}
