#include "MiniDump.h"

#include <dbghelp.h>

#include "CrashGuard.h"
#include "FixedText.h"

namespace {

using MINIDUMP_WRITE = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                     PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

void ShowDbgHelpError(const char* utf8) {
    char text[128];
    ChineseText(utf8, text, sizeof(text));
    MessageBoxA(nullptr, text, "Load DbgHelp.dll", MB_OK | MB_ICONERROR);
}

// DbgHelp from the program folder, else by the system's search; null when missing.
HMODULE LoadDbgHelp() {
    char path[MAX_PATH];
    HMODULE library = nullptr;
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) > 0 && path[MAX_PATH - 1] == '\0') {
        KeepFolder(path);
        if (AppendText(path, MAX_PATH, "DBGHELP.DLL")) library = LoadLibraryA(path);
    }
    if (!library) library = LoadLibraryA("DBGHELP.DLL");
    if (!library) ShowDbgHelpError("dbghelp.dll 文件不存在");
    return library;
}

struct DUMP_REQUEST {
    HANDLE file;
    BOOL fullDump;
    MINIDUMP_WRITE write;
    bool written;
};

bool Write(DUMP_REQUEST& request, EXCEPTION_POINTERS* pointers) {
    MINIDUMP_EXCEPTION_INFORMATION exception = {GetCurrentThreadId(), pointers, FALSE};
    const MINIDUMP_TYPE type = request.fullDump ? MiniDumpWithFullMemory : MiniDumpNormal;
    return request.write(GetCurrentProcess(), GetCurrentProcessId(), request.file, type, &exception, nullptr,
                         nullptr) != FALSE;
}

int RaiseBreakpoint(void*) {
    RaiseException(EXCEPTION_BREAKPOINT, 0, 0, nullptr);
    return 0;
}

LONG DumpFromFilter(EXCEPTION_POINTERS* pointers, void* context) {
    DUMP_REQUEST& request = *static_cast<DUMP_REQUEST*>(context);
    request.written = Write(request, pointers);
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

bool WriteMiniDump(HANDLE file, EXCEPTION_POINTERS* pointers, BOOL fullDump) {
    HMODULE library = LoadDbgHelp();
    if (!library) return false;
    DUMP_REQUEST request = {file, fullDump,
                            reinterpret_cast<MINIDUMP_WRITE>(GetProcAddress(library, "MiniDumpWriteDump")), false};
    if (!request.write) {
        FreeLibrary(library);
        ShowDbgHelpError("dbghelp.dll 文件太旧,不能支持MiniDumpWriteDump函数");
        return false;
    }
    if (pointers) {
        OutputDebugStringA("writing minidump\r\n");
        request.written = Write(request, pointers);
    } else {
        OutputDebugStringA("raising exception\r\n");
        RunGuarded(RaiseBreakpoint, nullptr, DumpFromFilter, &request);
    }
    FreeLibrary(library);
    return request.written;
}
