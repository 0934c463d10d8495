#include <shlwapi.h>

#include "CrashLog.h"
#include "CrashReport.h"
#include "OwnMemory.h"

namespace {

constexpr ULONGLONG SKIP_UNREADABLE = 0x10000;
constexpr int MAX_VERSION_TEXT = 198;

// The version resource of the last module looked at (no heap inside the crash filter).
char s_version[64 * 1024];

struct MODULE_VERSION {
    char company[MAX_VERSION_TEXT + 1] = "";
    char product[MAX_VERSION_TEXT + 1] = "";
    char description[MAX_VERSION_TEXT + 1] = "";
    VS_FIXEDFILEINFO fixed = {};
};

void VersionText(const char* block, WORD language, WORD codePage, const char* key, char* out) {
    char query[96];
    wnsprintfA(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", language, codePage, key);
    char* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block, query, reinterpret_cast<void**>(&value), &length) && value)
        lstrcpynA(out, value, MAX_VERSION_TEXT + 1);
}

void ReadVersion(const char* path, MODULE_VERSION& version) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0 || size > sizeof(s_version) || !GetFileVersionInfoA(path, 0, size, s_version)) return;
    WORD* translation = nullptr;
    UINT length = 0;
    if (VerQueryValueA(s_version, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= 4) {
        VersionText(s_version, translation[0], translation[1], "CompanyName", version.company);
        VersionText(s_version, translation[0], translation[1], "ProductName", version.product);
        VersionText(s_version, translation[0], translation[1], "FileDescription", version.description);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    if (VerQueryValueA(s_version, "\\", reinterpret_cast<void**>(&fixed), &length) && fixed && length >= sizeof(*fixed))
        version.fixed = *fixed;
}

void FileFacts(const char* path, DWORD& size, char* time, int timeSize) {
    size = 0;
    time[0] = '\0';
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    size = GetFileSize(file, nullptr);
    FILETIME written, local;
    if (GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local))
        FormatCrashTime(local, time, timeSize);
    CloseHandle(file);
}

}  // namespace

bool WriteModuleInfo(HINSTANCE base, int number) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(base, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const char* image = reinterpret_cast<const char*>(base);
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS32 nt;
    if (!ReadOwnMemory(image, &dos, sizeof(dos)) || dos.e_magic != IMAGE_DOS_SIGNATURE) return false;
    if (!ReadOwnMemory(image + dos.e_lfanew, &nt, sizeof(nt)) || nt.Signature != IMAGE_NT_SIGNATURE) return false;

    CrashLogPrintf("Module %d\r\n", number);
    CrashLogPrintf("%s\r\n", path);
    CrashLogPrintf("Image Base: 0x%08x  Image Size: 0x%08x\r\n", nt.OptionalHeader.ImageBase,
                   nt.OptionalHeader.SizeOfImage);
    CrashLogPrintf("Checksum:   0x%08x  Time Stamp: 0x%08x\r\n", nt.OptionalHeader.CheckSum,
                   nt.FileHeader.TimeDateStamp);
    DWORD size = 0;
    char time[64];
    FileFacts(path, size, time, sizeof(time));
    CrashLogPrintf("File Size:  %-10d  File Time:  %s\r\n", size, time);

    MODULE_VERSION version;
    ReadVersion(path, version);
    const VS_FIXEDFILEINFO& fixed = version.fixed;
    CrashLogPrintf("Version Information:\r\n");
    CrashLogPrintf("   Company:    %s\r\n", version.company);
    CrashLogPrintf("   Product:    %s\r\n", version.product);
    CrashLogPrintf("   FileDesc:   %s\r\n", version.description);
    CrashLogPrintf("   FileVer:    %d.%d.%d.%d\r\n", HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                   HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS));
    CrashLogPrintf("   ProdVer:    %d.%d.%d.%d\r\n", HIWORD(fixed.dwProductVersionMS), LOWORD(fixed.dwProductVersionMS),
                   HIWORD(fixed.dwProductVersionLS), LOWORD(fixed.dwProductVersionLS));
    CrashLogPrintf("\r\n");
    return true;
}

void WriteModuleList() {
    int number = 1;
    ULONGLONG lastBase = 0;
    // A 64-bit counter: the walk ends at the top of the user address space instead of
    // wrapping round to 0.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const ULONGLONG end = reinterpret_cast<ULONG_PTR>(system.lpMaximumApplicationAddress) + 1ull;
    for (ULONGLONG address = 0; address < end;) {
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQuery(reinterpret_cast<void*>(static_cast<ULONG_PTR>(address)), &region, sizeof(region)) == 0) {
            address += SKIP_UNREADABLE;
            continue;
        }
        const ULONGLONG allocation = reinterpret_cast<ULONG_PTR>(region.AllocationBase);
        if (region.State == MEM_COMMIT && allocation > lastBase) {
            lastBase = allocation;
            if (WriteModuleInfo(static_cast<HINSTANCE>(region.AllocationBase), number)) ++number;
        }
        const ULONGLONG next = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + ULONGLONG(region.RegionSize);
        address = next > address ? next : address + SKIP_UNREADABLE;
    }
}
