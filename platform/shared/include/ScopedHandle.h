// A kernel handle (event, semaphore, thread, file, mapping) that closes itself.
#pragma once

#include <windows.h>

#include <utility>

class CScopedHandle {
public:
    // INVALID_HANDLE_VALUE (a failed CreateFile) is kept as no handle.
    explicit CScopedHandle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~CScopedHandle() { Close(); }
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Closes now; false when the system refused (a file's deferred write failed).
    bool Close() {
        HANDLE handle = std::exchange(m_handle, nullptr);
        return !handle || CloseHandle(handle);
    }

private:
    HANDLE m_handle;
};
