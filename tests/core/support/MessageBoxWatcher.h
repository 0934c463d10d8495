// Closes the message boxes that the code under test shows on the calling thread and
// keeps their captions and texts. A watcher thread looks for the thread's dialog
// windows, reads them and presses OK; it stops with the object.
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

class MessageBoxWatcher {
public:
    MessageBoxWatcher() : m_threadId(GetCurrentThreadId()), m_watcher([this] { Watch(); }) {}
    ~MessageBoxWatcher() {
        m_stop = true;
        m_watcher.join();
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SHOWN_MESSAGE_BOX> Shown() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_shown;
    }

private:
    static std::wstring WindowText(HWND window) {
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        return text;
    }

    static BOOL CALLBACK ReadStatic(HWND child, LPARAM found) {
        wchar_t type[32] = {};
        GetClassNameW(child, type, 32);
        std::wstring text = WindowText(child);
        if (_wcsicmp(type, L"Static") == 0 && !text.empty()) *(std::wstring*)found = text;
        return TRUE;
    }

    static BOOL CALLBACK CloseDialog(HWND window, LPARAM self) {
        auto* watcher = (MessageBoxWatcher*)self;
        wchar_t type[32] = {};
        GetClassNameW(window, type, 32);
        if (wcscmp(type, L"#32770") != 0 || !IsWindowVisible(window) || !watcher->m_handled.insert(window).second)
            return TRUE;
        SHOWN_MESSAGE_BOX box;
        box.Caption = WindowText(window);
        EnumChildWindows(window, ReadStatic, (LPARAM)&box.Text);
        {
            std::lock_guard<std::mutex> lock(watcher->m_mutex);
            watcher->m_shown.push_back(box);
        }
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }

    void Watch() {
        while (!m_stop) {
            EnumThreadWindows(m_threadId, CloseDialog, (LPARAM)this);
            Sleep(20);
        }
    }

    const DWORD m_threadId;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<SHOWN_MESSAGE_BOX> m_shown;
    std::set<HWND> m_handled;  // used by the watcher thread only
    std::thread m_watcher;     // last: starts once the rest stands
};
