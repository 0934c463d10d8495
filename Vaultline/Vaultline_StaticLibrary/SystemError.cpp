#include "SystemError.h"

#include <windows.h>

#include <string>

#include "portable/CommonUtil.h"

void LogSystemError(const char* file, int line) noexcept {
    DWORD code = GetLastError();
    char* message = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    try {
        std::string text = "GetLastError()=" + std::to_string(code) + " : ";
        if (length && message) {
            // The system's text ends with a line break; the log line must not.
            std::string body(message, length);
            body.erase(body.find_last_not_of("\r\n ") + 1);
            text += body;
        } else {
            text += " Sorry, cannot find this error info. ";
        }
        WriteLogLine(LogLevel::Error, text, file, line);
    } catch (...) {
        // No memory for the line: it is dropped.
    }
    if (message) LocalFree(message);
}
