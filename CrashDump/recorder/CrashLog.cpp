#include "CrashLog.h"

#include <shlwapi.h>

void CCrashLog::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    VPrintf(format, args);
    va_end(args);
}

void CCrashLog::VPrintf(const char* format, va_list args) {
    if (m_fill >= FLUSH_LIMIT) Flush();
    char* out = m_text + m_fill;
    const int room = MAX_PIECE + 1;
    wvnsprintfA(out, room, format, args);
    out[room - 1] = '\0';
    m_fill += lstrlenA(out);
}

void CCrashLog::Flush() {
    if (m_fill > 0 && m_file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(m_file, m_text, static_cast<DWORD>(m_fill), &written, nullptr);
    }
    m_fill = 0;
}

namespace {
CCrashLog s_log;
}

CCrashLog& TheCrashLog() { return s_log; }

void CrashLogPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    s_log.VPrintf(format, args);
    va_end(args);
}

void CrashLogFlush() { s_log.Flush(); }
