// The system's text of the calling thread's last error, as an ERROR log line.
#pragma once

// Writes "GetLastError()=<code> : <message>"; the last-error text stays as it was.
void LogSystemError(const char* file = __builtin_FILE(), int line = __builtin_LINE()) noexcept;
