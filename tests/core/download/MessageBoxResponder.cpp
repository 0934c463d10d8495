#include "download/MessageBoxResponder.h"

namespace {

constexpr DWORD kPollMs = 10;
constexpr int kTextId = 0xFFFF;  // the static control that holds a message box's text

CString TextOf(HWND window) {
    WCHAR text[1024] = {};
    GetWindowTextW(window, text, 1023);
    return text;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    WCHAR className[16] = {};
    GetClassNameW(window, className, 15);
    if (process == GetCurrentProcessId() && wcscmp(className, L"#32770") == 0 && IsWindowVisible(window))
        ((std::vector<HWND>*)found)->push_back(window);
    return TRUE;
}

}  // namespace

MessageBoxResponder::MessageBoxResponder(std::vector<int> answers)
    : m_answers(std::move(answers)), m_thread([this] { Watch(); }) {}

MessageBoxResponder::~MessageBoxResponder() {
    m_stop = true;
    m_thread.join();
}

std::vector<MessageBoxResponder::Box> MessageBoxResponder::Boxes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

void MessageBoxResponder::Watch() {
    while (!m_stop) {
        std::vector<HWND> dialogs;
        EnumWindows(CollectDialog, (LPARAM)&dialogs);
        for (HWND dialog : dialogs)
            if (m_answered.insert(dialog).second) Answer(dialog);
        // A handle may come back for a later box once its window is gone.
        for (auto it = m_answered.begin(); it != m_answered.end();)
            it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);
        Sleep(kPollMs);
    }
}

void MessageBoxResponder::Answer(HWND box) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_boxes.push_back({TextOf(box), TextOf(GetDlgItem(box, kTextId))});
    }
    int button = m_nextAnswer < m_answers.size() ? m_answers[m_nextAnswer++] : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(box, button));
}
