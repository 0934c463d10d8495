#include "CrashRecorder.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "CrashLog.h"
#include "CrashNames.h"
#include "CrashReport.h"
#include "FixedText.h"
#include "MiniDump.h"

namespace {

constexpr int PATH_SIZE = MAX_PATH;
const char SECTION[] = "Crash Info";

bool s_firstTime = true;

// The program's path, its folder (with the backslash) and its name without the extension.
struct PROGRAM {
    char path[PATH_SIZE];
    char folder[PATH_SIZE];
    char name[PATH_SIZE];
};

void FindProgram(PROGRAM& program) {
    const DWORD length = GetModuleFileNameA(nullptr, program.path, PATH_SIZE);
    if (length == 0 || length >= PATH_SIZE) lstrcpyA(program.path, "Unknown");
    lstrcpyA(program.folder, program.path);
    KeepFolder(program.folder);
    lstrcpyA(program.name, FilePart(program.path));
    char* dot = StrRChrA(program.name, nullptr, '.');
    if (dot) *dot = '\0';
}

// The configured folder + "\" + name, or the program folder + name when none is set.
bool CrashFilePath(const char* config, const char* key, const PROGRAM& program, const char* name, char* out) {
    char folder[PATH_SIZE];
    GetPrivateProfileStringA(SECTION, key, "", folder, PATH_SIZE, config);
    if (folder[0]) return JoinText(out, PATH_SIZE, folder, "\\", name);
    return JoinText(out, PATH_SIZE, program.folder, name);
}

HANDLE CreateCrashFile(const char* path) {
    return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_WRITE_THROUGH, nullptr);
}

void WriteLog(const EXCEPTION_POINTERS& pointers, const char* where, const PROGRAM& program) {
    const EXCEPTION_RECORD& record = *pointers.ExceptionRecord;
    const CONTEXT& context = *pointers.ContextRecord;

    char module[PATH_SIZE] = "Unknown";
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(record.ExceptionAddress, &region, sizeof(region))) {
        char path[PATH_SIZE];
        const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), path, PATH_SIZE);
        if (length > 0 && length < PATH_SIZE) lstrcpyA(module, FilePart(path));
    }

    // Selectors are 16 bits wide; the context field's upper half is not defined.
    CrashLogPrintf("%s caused %s (0x%08x) \r\nin module %s at %04x:%08x.\r\n\r\n", program.name,
                   GetExceptionName(record.ExceptionCode), record.ExceptionCode, module, LOWORD(context.SegCs),
                   record.ExceptionAddress);
    CrashLogPrintf("Exception handler called in %s.\r\n", where);
    WriteSystemInfo(program.path);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
        CrashLogPrintf("%s location %08x caused an access violation.\r\n",
                       record.ExceptionInformation[0] ? "Write to" : "Read from", record.ExceptionInformation[1]);
    WriteRegisters(context);
    WriteCodeBytes(record.ExceptionAddress);
    WriteStackDump(context);
    WriteModuleList();
    CrashLogPrintf("\r\n===== [end of %s] =====\r\n", "ERRORLOG");
}

// The dump's bare name, or "" when no dump was written.
void WriteDump(EXCEPTION_POINTERS* pointers, BOOL fullDump, const char* path, const char* name, char* written) {
    written[0] = '\0';
    HANDLE file = CreateCrashFile(path);
    if (file == INVALID_HANDLE_VALUE) return;
    const bool ok = WriteMiniDump(file, pointers, fullDump);
    CloseHandle(file);
    if (ok)
        lstrcpyA(written, name);
    else
        DeleteFileA(path);
}

}  // namespace

int RecordCrash(EXCEPTION_POINTERS* pointers, const char* where, BOOL fullDump) {
    if (!s_firstTime) return 0;
    s_firstTime = false;

    static PROGRAM program;
    FindProgram(program);
    static char config[PATH_SIZE];
    JoinText(config, PATH_SIZE, program.folder, "CrashConfig.ini");

    SYSTEMTIME now;
    GetLocalTime(&now);
    char time[32];
    wnsprintfA(time, sizeof(time), "%04d%02d%02d %02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
               now.wSecond);
    char logName[64], dumpName[64];
    wnsprintfA(logName, sizeof(logName), "%s %s.log", "ERRORLOG", time);
    wnsprintfA(dumpName, sizeof(dumpName), "%s %s.dmp", "CRASH", time);

    static char logPath[PATH_SIZE];
    HANDLE log = INVALID_HANDLE_VALUE;
    if (CrashFilePath(config, "Log Path", program, logName, logPath)) log = CreateCrashFile(logPath);
    if (log == INVALID_HANDLE_VALUE) {
        OutputDebugStringA("Error creating exception report\r\n");
        return 0;
    }
    CCrashLog& crashLog = TheCrashLog();
    crashLog.Open(log);
    if (pointers && pointers->ExceptionRecord && pointers->ContextRecord) WriteLog(*pointers, where, program);
    crashLog.Flush();
    crashLog.Open(INVALID_HANDLE_VALUE);
    CloseHandle(log);

    static char dumpPath[PATH_SIZE];
    char dumpWritten[64] = "";
    if (CrashFilePath(config, "Dump Path", program, dumpName, dumpPath))
        WriteDump(pointers, fullDump, dumpPath, dumpName, dumpWritten);

    WritePrivateProfileStringA(SECTION, "CashExe Path", program.path, config);
    WritePrivateProfileStringA(SECTION, "Log File", logName, config);
    WritePrivateProfileStringA(SECTION, "Dump File", dumpWritten, config);

    static char sender[PATH_SIZE];
    if (JoinText(sender, PATH_SIZE, program.folder, "Quillpost.exe"))
        ShellExecuteA(nullptr, "open", sender, nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}
