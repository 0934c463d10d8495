#include "MendportUpdater.h"

#include <windows.h>

#include <vector>

#include "FailedInstall.h"
#include "HttpExchange.h"
#include "ScopedHandle.h"
#include "MendportAddress.h"
#include "PatchInstaller.h"
#include "UpdateService.h"
#include "UrlEncoding.h"

namespace {

constexpr DWORD kValueChars = 256;
constexpr DWORD kVersionBytes = 30;
// The updater's own check may take longer than the program's at start-up.
constexpr DWORD kCheckDeadlineMs = 30000;

std::wstring ReadProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[kValueChars] = {};
    GetPrivateProfileStringW(section, key, L"", value, kValueChars, file.c_str());
    return value;
}

std::string ToOem(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), (int)text.size(), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::wstring FromUtf8(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), (int)text.size(), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), (int)text.size(), &wide[0], size);
    return wide;
}

// The text of "update\version.dat" up to its first zero byte; false when it cannot be read.
bool ReadInstalledVersion(const std::wstring& path, std::string& version) {
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char bytes[kVersionBytes + 1] = {};
    DWORD read = 0;
    if (!file || !ReadFile(file.Get(), bytes, kVersionBytes, &read, nullptr)) return false;
    version = bytes;
    return true;
}

// The check URL in the OEM code page, built from the client's files as the installed
// program builds it; empty when they do not give one.
std::string ReadCheckUrl(const std::wstring& folder) {
    std::wstring clientFolder = folder + L"Update\\Mendport\\";
    std::wstring appName = ReadProfileText(clientFolder + L"Config.ini", L"program", L"appName");
    std::wstring socketConfig = clientFolder + L"SocketConfig.ini";
    std::wstring server = ReadProfileText(socketConfig, L"GROUP1", L"Server1");
    std::wstring path = ReadProfileText(socketConfig, L"GROUP1", L"IncrementWeb1");
    std::u16string address =
        MendportUpdateAddress(std::u16string(server.begin(), server.end()), std::u16string(path.begin(), path.end()));
    std::string version;
    if (appName.empty() || address.empty() || !ReadInstalledVersion(folder + L"update\\version.dat", version))
        return std::string();
    return ToOem(L"http://" + std::wstring(address.begin(), address.end())) + "?app=" + PercentEncode(ToOem(appName)) +
           "&version=" + PercentEncode(version);
}

// Removes the files of a flat working folder and the folder.
void RemoveWorkFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// Every file of the update, and the new "update\version.dat", into the download folder.
bool Download(const std::string& checkUrl, const UPDATE_MANIFEST& manifest, const std::wstring& folder,
              const std::wstring& downloads, std::vector<STAGED_FILE>& staged) {
    if (!CreateDirectoryW(downloads.c_str(), nullptr)) return false;
    for (const UPDATE_FILE& file : manifest.Files) {
        std::wstring path = FromUtf8(file.Path);
        if (path.empty()) return false;
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        STAGED_FILE entry{downloads + std::to_wstring(staged.size()), folder + path};
        if (!FetchUpdateFile(checkUrl, manifest.Version, file, entry.Source)) return false;
        staged.push_back(entry);
    }
    STAGED_FILE version{downloads + L"version.dat", folder + L"update\\version.dat"};
    CScopedHandle out(CreateFileW(version.Source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!out || !WriteFile(out.Get(), manifest.Version.data(), (DWORD)manifest.Version.size(), &written, nullptr) ||
        !out.Close())
        return false;
    staged.push_back(version);
    return true;
}

UPDATER_RESULT Update(const std::wstring& folder, const std::wstring& clientFolder) {
    std::string checkUrl = ReadCheckUrl(folder);
    if (checkUrl.empty()) return UPDATER_NO_CONFIG;
    UPDATE_MANIFEST manifest;
    if (!AskUpdateService(checkUrl, DeadlineIn(kCheckDeadlineMs), manifest)) return UPDATER_CHECK_FAILED;
    if (!manifest.Newer) return UPDATER_CURRENT;

    const std::wstring downloads = clientFolder + L"Download\\", backups = clientFolder + L"Backup\\";
    RemoveWorkFolder(downloads);
    std::vector<STAGED_FILE> staged;
    UPDATER_RESULT result = UPDATER_DOWNLOAD_FAILED;
    if (Download(checkUrl, manifest, folder, downloads, staged)) {
        INSTALL_RESULT installed = InstallStagedFiles(staged, backups);
        result = installed == INSTALL_DONE     ? UPDATER_INSTALLED
                 : installed == INSTALL_UNDONE ? UPDATER_INSTALL_FAILED
                                               : UPDATER_ROLLBACK_FAILED;
    }
    RemoveWorkFolder(downloads);
    if (result != UPDATER_ROLLBACK_FAILED) RemoveWorkFolder(backups);
    // A version that cannot be installed is not offered again at once.
    if (result == UPDATER_INSTALLED)
        ForgetFailedInstall(clientFolder);
    else
        RecordFailedInstall(clientFolder, manifest.Version);
    return result;
}

}  // namespace

UPDATER_RESULT RunUpdate(const std::wstring& programFolder) {
    const std::wstring clientFolder = programFolder + L"Update\\Mendport\\";
    // Held for the whole run, gone with the process however it ends.
    CScopedHandle lock(CreateFileW((clientFolder + L"Mendport.lock").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!lock) return GetLastError() == ERROR_SHARING_VIOLATION ? UPDATER_BUSY : UPDATER_NO_CONFIG;
    // What a run that ended half-way changed is put back before anything else, and
    // its emptied backup folder goes.
    const std::wstring backups = clientFolder + L"Backup\\";
    if (!RestoreBackups(backups)) return UPDATER_ROLLBACK_FAILED;
    RemoveWorkFolder(backups);
    return Update(programFolder, clientFolder);
}

bool StartInstalledProgram(const std::wstring& programFolder) {
    std::wstring program = ReadProfileText(programFolder + L"Update\\Mendport\\Config.ini", L"program", L"startFile");
    if (program.empty() || program.find(L"..") != std::wstring::npos || program.find(L':') != std::wstring::npos ||
        program[0] == L'\\')
        return false;
    std::wstring path = programFolder + program;
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, programFolder.c_str(),
                        &startup, &process))
        return false;
    CScopedHandle thread(process.hThread), started(process.hProcess);
    return true;
}
