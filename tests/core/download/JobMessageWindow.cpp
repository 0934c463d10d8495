#include "download/JobMessageWindow.h"

#include <memory>

#include "common/WindowMessages.h"

namespace {

constexpr LPCWSTR kClassName = L"ZemoTestJobMessages";

bool IsJobEnd(UINT message) {
    return message == WM_DOWNLOAD_COMPLETE || message == WM_DOWNLOAD_PAUSED || message == WM_DOWNLOAD_CONNECT_FAILED ||
           message == WM_DOWNLOAD_FAILED;
}

}  // namespace

JobMessageWindow::JobMessageWindow() {
    static ATOM registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    m_wnd.m_hWnd =
        CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_wnd.m_hWnd, GWLP_USERDATA, (LONG_PTR)this);
}

JobMessageWindow::~JobMessageWindow() {
    // Payloads still in the queue are freed as the window would free them.
    PumpFor(0);
    DestroyWindow(m_wnd.m_hWnd);
    m_wnd.m_hWnd = nullptr;
}

LRESULT CALLBACK JobMessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = (JobMessageWindow*)GetWindowLongPtrW(window, GWLP_USERDATA);
    if (self && message >= WM_DOWNLOAD_STARTED && message <= WM_DOWNLOAD_FAILED) {
        self->Receive(message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void JobMessageWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    ReceivedMessage received{message, wParam, lParam, std::nullopt, std::nullopt, GetTickCount()};
    if (message != WM_DOWNLOAD_STARTED) {
        std::unique_ptr<DOWNLOAD_JOB_KEY> key((DOWNLOAD_JOB_KEY*)wParam);
        if (key) received.Key = *key;
    }
    if (message == WM_DOWNLOAD_PAUSED || message == WM_DOWNLOAD_CONNECT_FAILED || message == WM_DOWNLOAD_FAILED) {
        std::unique_ptr<DOWNLOAD_ERROR_INFO> error((DOWNLOAD_ERROR_INFO*)lParam);
        if (error) received.Error = *error;
    }
    messages.push_back(received);
    if (onMessage) onMessage(messages.back());
}

bool JobMessageWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

void JobMessageWindow::PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

int JobMessageWindow::Count(UINT message) const { return (int)Of(message).size(); }

int JobMessageWindow::EndCount() const {
    int count = 0;
    for (const ReceivedMessage& m : messages) count += IsJobEnd(m.Message) ? 1 : 0;
    return count;
}

std::vector<ReceivedMessage> JobMessageWindow::Of(UINT message) const {
    std::vector<ReceivedMessage> found;
    for (const ReceivedMessage& m : messages)
        if (m.Message == message) found.push_back(m);
    return found;
}
