#include "download/DownloadMessages.h"

void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key,
                    std::unique_ptr<DOWNLOAD_ERROR_INFO> error) {
    if (!window || !PostMessageW(window, message, (WPARAM)key.get(), (LPARAM)error.get())) return;
    key.release();
    error.release();
}

void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key, LPARAM value) {
    if (window && PostMessageW(window, message, (WPARAM)key.get(), value)) key.release();
}

LPARAM SizeToMessageValue(LONGLONG size) {
    return (LPARAM)(size > 0x7FFFFFFF ? 0x7FFFFFFF : size);
}
