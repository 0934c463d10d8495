#include "support/MessageBoxAnswerer.h"

#include <afxwin.h>

namespace {

constexpr DWORD kPollMs = 10;
constexpr int kTextId = 0xFFFF;  // the static control that holds a message box's text

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == GetCurrentProcessId() && wcscmp(className, L"#32770") == 0 && IsWindowVisible(window) &&
        !CWnd::FromHandlePermanent(window))
        ((std::vector<HWND>*)found)->push_back(window);
    return TRUE;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> answers)
    : m_answers(std::move(answers)), m_thread([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    m_stop = true;
    m_thread.join();
}

std::vector<SHOWN_MESSAGE_BOX> MessageBoxAnswerer::Shown() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_shown;
}

void MessageBoxAnswerer::Watch() {
    while (!m_stop) {
        std::vector<HWND> boxes;
        EnumWindows(CollectBox, (LPARAM)&boxes);
        for (HWND box : boxes)
            if (m_answered.insert(box).second) Answer(box);
        // A handle may come back for a later box once its window is gone.
        for (auto it = m_answered.begin(); it != m_answered.end();)
            it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);
        Sleep(kPollMs);
    }
}

void MessageBoxAnswerer::Answer(HWND box) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shown.push_back({TextOf(box), TextOf(GetDlgItem(box, kTextId))});
    }
    int button = m_nextAnswer < m_answers.size() ? m_answers[m_nextAnswer++] : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(box, button));
}
