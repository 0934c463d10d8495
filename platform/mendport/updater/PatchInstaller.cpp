#include "PatchInstaller.h"

#include <windows.h>
#include <shlobj.h>

namespace {

constexpr DWORD kInUseWaitMs = 10000;
constexpr DWORD kInUseRetryMs = 100;

// MoveFileEx, tried again while the file is in use.
bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
    for (DWORD waited = 0;; waited += kInUseRetryMs) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
        DWORD error = GetLastError();
        bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
        if (!inUse || waited >= kInUseWaitMs) return false;
        Sleep(kInUseRetryMs);
    }
}

bool MakeParentFolder(const std::wstring& path) {
    std::wstring parent = path.substr(0, path.find_last_of(L'\\'));
    int made = SHCreateDirectoryExW(nullptr, parent.c_str(), nullptr);
    return made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS || made == ERROR_FILE_EXISTS;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct Step {
    std::wstring Target;
    std::wstring Backup;  // empty when there was nothing to keep
};

void Undo(const std::vector<Step>& done) {
    for (auto step = done.rbegin(); step != done.rend(); ++step) {
        DeleteFileW(step->Target.c_str());
        if (!step->Backup.empty()) MoveReplacing(step->Backup, step->Target);
    }
}

// One file in place; what it changed goes into done, for Undo.
bool Install(const STAGED_FILE& file, const std::wstring& backupFolder, std::vector<Step>& done) {
    Step step{file.Target, {}};
    // A folder of the installed program is never replaced by a file.
    if (IsFolder(file.Target)) return false;
    if (Exists(file.Target)) {
        step.Backup = backupFolder + std::to_wstring(done.size());
        if (!MoveReplacing(file.Target, step.Backup)) return false;
    } else if (!MakeParentFolder(file.Target)) {
        return false;
    }
    done.push_back(step);
    return MoveReplacing(file.Source, file.Target);
}

}  // namespace

bool InstallStagedFiles(const std::vector<STAGED_FILE>& files, const std::wstring& backupFolder) {
    if (!files.empty() && !MakeParentFolder(backupFolder + L"0")) return false;
    std::vector<Step> done;
    for (const STAGED_FILE& file : files) {
        if (!Install(file, backupFolder, done)) {
            Undo(done);
            return false;
        }
    }
    return true;
}
