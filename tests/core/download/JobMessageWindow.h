// A message-only window that receives the download messages in a test: it keeps a
// copy of every message with its payloads and frees the payloads, as the download
// window does. The test thread pumps it with a bounded wait.
#pragma once

#include <afxwin.h>

#include <functional>
#include <optional>
#include <vector>

#include "download/DownloadRecords.h"

struct ReceivedMessage {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    std::optional<DOWNLOAD_JOB_KEY> Key;
    std::optional<DOWNLOAD_ERROR_INFO> Error;
    DWORD Tick;  // when it was received
};

class JobMessageWindow {
public:
    JobMessageWindow();
    ~JobMessageWindow();
    JobMessageWindow(const JobMessageWindow&) = delete;
    JobMessageWindow& operator=(const JobMessageWindow&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Handle() const { return m_wnd.m_hWnd; }

    // Pumps messages until done() holds or the time is up; true when it held.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
    // Pumps messages for the given time.
    void PumpFor(DWORD ms);

    int Count(UINT message) const;
    // The messages that end a job (complete, paused, connection failed, failed).
    int EndCount() const;
    std::vector<ReceivedMessage> Of(UINT message) const;

    std::vector<ReceivedMessage> messages;
    // Called after each message is recorded; a test may react as the download window does.
    std::function<void(const ReceivedMessage&)> onMessage;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Receive(UINT message, WPARAM wParam, LPARAM lParam);

    CWnd m_wnd;
};
