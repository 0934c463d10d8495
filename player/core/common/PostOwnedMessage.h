// Posting a heap payload to a window of the user-interface thread: the receiving
// handler takes it over; when the window is gone or the post fails it is freed here.
#pragma once

#include <windows.h>

#include <memory>

template <typename T>
bool PostOwnedMessage(HWND window, UINT message, std::unique_ptr<T> payload) {
    if (!IsWindow(window) || !PostMessageW(window, message, (WPARAM)payload.get(), 0)) return false;
    payload.release();
    return true;
}
