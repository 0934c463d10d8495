// Sends the web session's keep-alive request on a worker thread, one at a time: a
// request that is still waiting for its answer makes the next one be skipped, so a
// stalled service never holds the user-interface thread nor piles threads up.
#pragma once

#include <afx.h>

#include <atomic>
#include <functional>
#include <thread>

class CSessionKeepAlive {
public:
    // The sender runs on the worker; it must not touch windows.
    using Sender = std::function<void(const CString& url)>;

    explicit CSessionKeepAlive(Sender sender) : m_sender(std::move(sender)) {}
    // Waits for the request in flight.
    ~CSessionKeepAlive() { Wait(); }
    CSessionKeepAlive(const CSessionKeepAlive&) = delete;
    CSessionKeepAlive& operator=(const CSessionKeepAlive&) = delete;

    // False (nothing sent) while a request is in flight.
    bool Send(const CString& url);
    bool IsBusy() const { return m_busy.load(); }
    void Wait();

private:
    Sender m_sender;
    std::thread m_worker;
    std::atomic<bool> m_busy{false};
};
