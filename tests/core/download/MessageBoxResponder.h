// Answers the message boxes that the code under test shows: a thread watches for
// dialog boxes of this process, keeps their caption and text and presses the next
// scripted button (IDOK once the script is used up). Needs a display (Xvfb).
#pragma once

#include <afx.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

class MessageBoxResponder {
public:
    struct Box {
        CString Caption;
        CString Text;
    };

    explicit MessageBoxResponder(std::vector<int> answers = {});
    ~MessageBoxResponder();
    MessageBoxResponder(const MessageBoxResponder&) = delete;
    MessageBoxResponder& operator=(const MessageBoxResponder&) = delete;

    std::vector<Box> Boxes() const;

private:
    void Watch();
    void Answer(HWND box);

    std::vector<int> m_answers;
    size_t m_nextAnswer = 0;
    std::set<HWND> m_answered;
    mutable std::mutex m_mutex;  // guards m_boxes
    std::vector<Box> m_boxes;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
