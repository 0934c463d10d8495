#include "portable/CommonUtil.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

char g_lastError[LAST_ERROR_SIZE];

const char* Tag(LogLevel level) {
    switch (level) {
        case LogLevel::Trace:
            return "[TRACE] ";
        case LogLevel::Debug:
            return "[DEBUG] ";
        case LogLevel::Info:
            return "[INFO]  ";
        case LogLevel::Error:
            return "[ERROR] ";
    }
    return "";
}

void LogLastError(const char* file, int line) noexcept {
    try {
        WriteLogLine(LogLevel::Error, g_lastError, file, line);
    } catch (...) {
        // Out of memory for the line: the text itself is set.
    }
}

}  // namespace

void WriteLogLine(LogLevel level, const std::string& message, const char* file, int line) noexcept {
    try {
        std::cout << Tag(level) << message << " [" << file << ':' << line << ']' << std::endl;
    } catch (...) {
        // A log line that cannot be written is dropped.
    }
}

void SetLastErrMsg(std::string_view text, const char* file, int line) noexcept {
    CopyText(g_lastError, sizeof(g_lastError), text);
    LogLastError(file, line);
}

void SetResponseErrMsg(int code, std::string_view text, const char* file, int line) noexcept {
    snprintf(g_lastError, sizeof(g_lastError), "Response code=%d, errorinfo=%.*s", code, int(text.size()), text.data());
    LogLastError(file, line);
}

void SetErrMsgWithCode(std::string_view text, long long number, const char* file, int line) noexcept {
    snprintf(g_lastError, sizeof(g_lastError), "%.*s%lld", int(text.size()), text.data(), number);
    LogLastError(file, line);
}

const char* GetLastErrText() noexcept { return g_lastError; }

void CopyText(char* buffer, size_t bufferSize, std::string_view text, size_t maxChars) noexcept {
    if (!buffer || bufferSize == 0) return;
    size_t count = std::min({text.size(), maxChars, bufferSize - 1});
    memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}
