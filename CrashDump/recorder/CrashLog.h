// The crash log's text: formatted pieces gather in one fixed buffer and go to the file
// when the buffer could not take another whole piece. No heap: it runs in a damaged process.
#pragma once

#include <windows.h>

#include <cstdarg>

class CCrashLog {
public:
    static constexpr int BUFFER_SIZE = 8192;
    static constexpr int MAX_PIECE = 1024;  // characters of one formatted piece
    // Pending text from which the next piece goes to the file first: the buffer always
    // has room for a whole piece and its terminator.
    static constexpr int FLUSH_LIMIT = BUFFER_SIZE - MAX_PIECE - 1;

    void Open(HANDLE file) {
        m_file = file;
        m_fill = 0;
    }
    void Printf(const char* format, ...);
    void VPrintf(const char* format, va_list args);
    // Writes the pending text to the file.
    void Flush();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    int m_fill = 0;
    char m_text[BUFFER_SIZE];
};

// The recorder's one log.
void CrashLogPrintf(const char* format, ...);
void CrashLogFlush();
CCrashLog& TheCrashLog();
