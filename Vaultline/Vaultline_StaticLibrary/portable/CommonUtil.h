// The library's log lines and its last-error text, shared by the whole process.
//
// A log line goes to standard output at once: the level tag, the message, then the
// source file and line of the logging statement in brackets. The last-error text is
// one buffer of 1024 characters that every failure overwrites and no success clears.
// Neither is guarded: one thread at a time uses the library.
#pragma once

#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>

enum class LogLevel { Trace, Debug, Info, Error };

void WriteLogLine(LogLevel level, const std::string& message, const char* file, int line) noexcept;

// LOG_TRACE("size=" << size) and the like: the message is streamed together.
#define VAULTLINE_LOG(level, message)                                     \
    do {                                                                  \
        std::ostringstream vaultlineLogText_;                             \
        vaultlineLogText_ << message;                                     \
        WriteLogLine(level, vaultlineLogText_.str(), __FILE__, __LINE__); \
    } while (0)
#define LOG_TRACE(message) VAULTLINE_LOG(LogLevel::Trace, message)
#define LOG_DEBUG(message) VAULTLINE_LOG(LogLevel::Debug, message)
#define LOG_INFO(message)  VAULTLINE_LOG(LogLevel::Info, message)
#define LOG_ERROR(message) VAULTLINE_LOG(LogLevel::Error, message)

constexpr size_t LAST_ERROR_SIZE = 1024;

// The setters write an ERROR line with the new text, naming the caller's place.
// The last-error text becomes text (cut to 1023 characters).
void SetLastErrMsg(std::string_view text, const char* file = __builtin_FILE(), int line = __builtin_LINE()) noexcept;
// "Response code=<code>, errorinfo=" followed by text.
void SetResponseErrMsg(int code, std::string_view text, const char* file = __builtin_FILE(),
                       int line = __builtin_LINE()) noexcept;
// text followed by number in decimal.
void SetErrMsgWithCode(std::string_view text, long long number, const char* file = __builtin_FILE(),
                       int line = __builtin_LINE()) noexcept;
const char* GetLastErrText() noexcept;

// Copies at most maxChars characters of text into a buffer of bufferSize bytes and
// terminates it; a null buffer or one of 0 bytes is left alone.
void CopyText(char* buffer, size_t bufferSize, std::string_view text, size_t maxChars = std::string::npos) noexcept;

// The library takes a null text argument as an empty one.
inline const char* Text(const char* text) { return text ? text : ""; }
