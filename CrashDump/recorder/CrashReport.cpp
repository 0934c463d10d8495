#include "CrashReport.h"

#include <shlwapi.h>

#include "CrashLog.h"
#include "CrashNames.h"
#include "OwnMemory.h"
#include "StackDumpLine.h"

namespace {

constexpr DWORD MAX_STACK_WORDS = 3072;

// The calling thread's stack base, from its thread information block.
ULONG_PTR StackBase() { return reinterpret_cast<ULONG_PTR>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackBase); }

unsigned MegaBytes(SIZE_T bytes) { return static_cast<unsigned>((static_cast<ULONGLONG>(bytes) + 0xFFFFF) >> 20); }

}  // namespace

void FormatCrashTime(const FILETIME& localTime, char* out, int size) {
    WORD date = 0, time = 0;
    FileTimeToDosDateTime(&localTime, &date, &time);
    wnsprintfA(out, size, "%d/%d/%d %02d:%02d:%02d", (date >> 5) & 15, date & 31, (date >> 9) + 1980, time >> 11,
               (time >> 5) & 63, (time & 31) * 2);
}

void WriteSystemInfo(const char* programPath) {
    FILETIME now, localNow;
    GetSystemTimeAsFileTime(&now);
    FileTimeToLocalFileTime(&now, &localNow);
    char time[64];
    FormatCrashTime(localNow, time, sizeof(time));
    CrashLogPrintf("Error occurred at %s.\r\n", time);

    char user[256];
    DWORD userSize = sizeof(user);
    if (!GetUserNameA(user, &userSize)) lstrcpyA(user, "Unknown");
    CrashLogPrintf("%s, run by %s.\r\n", programPath[0] ? programPath : "Unknown", user);

    const char* windows = nullptr;
    char version[40];
    GetWindowsVersion(windows, version, sizeof(version));
    CrashLogPrintf("Operating system:  %s (%s).\r\n", windows, version);

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    CrashLogPrintf("%d processor(s), type %d.\r\n", system.dwNumberOfProcessors, system.dwProcessorType);

    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatus(&memory);
    CrashLogPrintf("%d%% memory in use.\r\n", memory.dwMemoryLoad);
    CrashLogPrintf("%d MBytes physical memory.\r\n", MegaBytes(memory.dwTotalPhys));
    CrashLogPrintf("%d MBytes physical memory free.\r\n", MegaBytes(memory.dwAvailPhys));
    CrashLogPrintf("%d MBytes paging file.\r\n", MegaBytes(memory.dwTotalPageFile));
    CrashLogPrintf("%d MBytes paging file free.\r\n", MegaBytes(memory.dwAvailPageFile));
    CrashLogPrintf("%d MBytes user address space.\r\n", MegaBytes(memory.dwTotalVirtual));
    CrashLogPrintf("%d MBytes user address space free.\r\n", MegaBytes(memory.dwAvailVirtual));
}

void WriteRegisters(const CONTEXT& context) {
    CrashLogPrintf("\r\n");
    CrashLogPrintf("Context:\r\n");
#ifdef _WIN64
    // The 64-bit test build: each register as its two halves (wsprintf has no 64-bit numbers).
    const struct {
        const char* name;
        DWORD64 value;
    } registers[] = {{"RDI", context.Rdi}, {"RSI", context.Rsi}, {"RAX", context.Rax},
                     {"RBX", context.Rbx}, {"RCX", context.Rcx}, {"RDX", context.Rdx},
                     {"RIP", context.Rip}, {"RBP", context.Rbp}, {"RSP", context.Rsp}};
    for (const auto& r : registers) CrashLogPrintf("%s: 0x%08x%08x\r\n", r.name, DWORD(r.value >> 32), DWORD(r.value));
    CrashLogPrintf("EFlags: 0x%08x  SegCs: 0x%08x  SegSs: 0x%08x\r\n", context.EFlags, context.SegCs, context.SegSs);
#else
    CrashLogPrintf("EDI:    0x%08x  ESI: 0x%08x  EAX:   0x%08x\r\n", context.Edi, context.Esi, context.Eax);
    CrashLogPrintf("EBX:    0x%08x  ECX: 0x%08x  EDX:   0x%08x\r\n", context.Ebx, context.Ecx, context.Edx);
    CrashLogPrintf("EIP:    0x%08x  EBP: 0x%08x  SegCs: 0x%08x\r\n", context.Eip, context.Ebp, LOWORD(context.SegCs));
    CrashLogPrintf("EFlags: 0x%08x  ESP: 0x%08x  SegSs: 0x%08x\r\n", context.EFlags, context.Esp, LOWORD(context.SegSs));
#endif
}

void WriteCodeBytes(const void* address) {
    CrashLogPrintf("\r\nBytes at CS:EIP:\r\n");
    const unsigned char* code = static_cast<const unsigned char*>(address);
    for (int i = 0; i < 16; ++i) {
        unsigned char byte = 0;
        if (ReadOwnMemory(code + i, &byte, 1))
            CrashLogPrintf("%02x ", byte);
        else
            CrashLogPrintf("?? ");
    }
}

void WriteStackDump(const CONTEXT& context) {
    CrashLogPrintf("\r\n\r\nStack:\r\n");
#ifdef _WIN64
    const ULONG_PTR top = context.Rsp;
#else
    const ULONG_PTR top = context.Esp;
#endif
    const ULONG_PTR base = StackBase();
    DWORD words = base > top ? DWORD((base - top) / 4) : 0;
    if (words > MAX_STACK_WORDS) words = MAX_STACK_WORDS;
    for (DWORD first = 0; first < words; first += STACK_WORDS_PER_LINE) {
        const int count = words - first < STACK_WORDS_PER_LINE ? int(words - first) : STACK_WORDS_PER_LINE;
        const ULONG_PTR address = top + first * 4;
        DWORD line[STACK_WORDS_PER_LINE];
        if (!ReadOwnMemory(reinterpret_cast<const void*>(address), line, count * 4)) {
            CrashLogPrintf("Exception encountered during stack dump.\r\n");
            return;
        }
        char text[STACK_LINE_SIZE];
        FormatStackLine(address, line, count, text);
        CrashLogPrintf("%s", text);
    }
    CrashLogPrintf("\r\n");
}
