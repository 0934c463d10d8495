// Posting a heap payload to a window of the user-interface thread: the receiving
// handler takes it over; when the window is gone or the post fails it is freed here.
#pragma once

#include <windows.h>

#include <memory>

// The payload goes in wParam, the value in lParam.
template <typename T>
bool PostOwnedMessage(HWND window, UINT message, std::unique_ptr<T> payload, LPARAM value = 0) {
    if (!IsWindow(window) || !PostMessageW(window, message, (WPARAM)payload.get(), value)) return false;
    payload.release();
    return true;
}

// Two payloads, in wParam and lParam.
template <typename T, typename U>
bool PostOwnedMessage(HWND window, UINT message, std::unique_ptr<T> first, std::unique_ptr<U> second) {
    if (!PostOwnedMessage(window, message, std::move(first), (LPARAM)second.get())) return false;
    second.release();
    return true;
}
