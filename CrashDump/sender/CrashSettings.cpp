#include "CrashSettings.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char CRASH_SECTION[] = "Crash Info";

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

std::string ReadIniText(const std::string& path, const char* section, const char* key) {
    for (DWORD size = 256;; size *= 2) {
        std::vector<char> value(size);
        const DWORD length = GetPrivateProfileStringA(section, key, "", value.data(), size, path.c_str());
        if (length < size - 1 || size >= 1 << 20) return std::string(value.data(), length);
    }
}

CRASH_FILES ReadCrashFiles(const std::string& configPath) {
    CRASH_FILES files;
    files.playerPath = ReadIniText(configPath, CRASH_SECTION, "CashExe Path");
    files.logName = ReadIniText(configPath, CRASH_SECTION, "Log File");
    files.dumpName = ReadIniText(configPath, CRASH_SECTION, "Dump File");
    const std::string playerFolder = FolderOf(files.playerPath);
    files.logFolder = ReadIniText(configPath, CRASH_SECTION, "Log Path");
    if (files.logFolder.empty()) files.logFolder = playerFolder;
    files.dumpFolder = ReadIniText(configPath, CRASH_SECTION, "Dump Path");
    if (files.dumpFolder.empty()) files.dumpFolder = playerFolder;
    return files;
}

MAILER_SETTINGS ReadMailerSettings(const std::string& mailerPath) {
    const char section[] = "User Info";
    return {ReadIniText(mailerPath, section, "IP"), ReadIniText(mailerPath, section, "Mail Name"),
            ReadIniText(mailerPath, section, "Mail To"), ReadIniText(mailerPath, section, "Reboot")};
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "Unknown\\";
    return FolderOf(path) + "\\";
}

std::string FileSizeText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    double size = 0;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        size = double((ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    char text[64];
    snprintf(text, sizeof(text), "%.2fKB", size / 1000);
    return text;
}
