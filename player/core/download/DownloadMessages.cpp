#include "download/DownloadMessages.h"

#include "common/PostOwnedMessage.h"

void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key,
                    std::unique_ptr<DOWNLOAD_ERROR_INFO> error) {
    PostOwnedMessage(window, message, std::move(key), std::move(error));
}

void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key, LPARAM value) {
    PostOwnedMessage(window, message, std::move(key), value);
}

LPARAM SizeToMessageValue(LONGLONG size) { return (LPARAM)(size > 0x7FFFFFFF ? 0x7FFFFFFF : size); }
