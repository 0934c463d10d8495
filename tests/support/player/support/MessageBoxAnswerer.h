// Answers the message boxes that the code under test shows: a thread watches for the
// visible dialog windows of this process that no CWnd object is bound to (the
// program's own dialogs are left alone), keeps their caption and text and presses the
// next scripted button (IDOK once the script is used up). Needs a display (Xvfb).
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SHOWN_MESSAGE_BOX {
    std::wstring Caption;
    std::wstring Text;
};

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::vector<int> answers = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<SHOWN_MESSAGE_BOX> Shown() const;

private:
    void Watch();
    void Answer(HWND box);

    std::vector<int> m_answers;
    size_t m_nextAnswer = 0;
    std::set<HWND> m_answered;   // used by the watcher thread only
    mutable std::mutex m_mutex;  // guards m_shown
    std::vector<SHOWN_MESSAGE_BOX> m_shown;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;  // last: starts once the rest stands
};
