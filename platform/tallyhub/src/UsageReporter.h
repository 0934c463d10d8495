// The reporting thread behind CReportInterface and what it has still to report.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct USAGE_COUNTS {
    std::vector<std::string> Users;  // UTF-8, each once
    int64_t Modules = 0;

    void AddUser(const std::string& name);
    void Add(const USAGE_COUNTS& other);
};

class CUsageReporter {
public:
    // url: where reports go; empty sends nothing.
    explicit CUsageReporter(std::wstring url);
    ~CUsageReporter();
    CUsageReporter(const CUsageReporter&) = delete;
    CUsageReporter& operator=(const CUsageReporter&) = delete;

    void Start(int productId, const std::string& version, int intervalMs);
    void AddUser(const std::string& name);
    void AddModules(int count);

private:
    void Run(int intervalMs);
    // Posts what is pending; on failure it stays pending.
    void Report();

    const std::wstring m_url;
    std::string m_session;
    int m_product = 0;
    std::string m_version;

    std::mutex m_mutex;  // guards the counts, the stop flag and the stop deadline
    std::condition_variable m_wake;
    bool m_stopping = false;
    unsigned long long m_stopDeadline = 0;  // by when the last report is over, once stopping
    USAGE_COUNTS m_pending;
    std::thread m_thread;
};
