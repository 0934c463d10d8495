#include "PatchInstaller.h"

#include <windows.h>
#include <shlobj.h>

#include "ScopedHandle.h"

namespace {

constexpr DWORD kInUseWaitMs = 10000;
constexpr DWORD kInUseRetryMs = 100;
const wchar_t kJournal[] = L"journal.txt";

// MoveFileEx, tried again while the file is in use.
bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
    for (DWORD waited = 0;; waited += kInUseRetryMs) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
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

// Step n of the journal: "1 <target>" when the target was moved to the backup "<n>"
// first, "0 <target>" when it did not exist; one line a step, in UTF-8.
struct Step {
    bool HasBackup = false;
    std::wstring Target;
};

std::wstring BackupOf(const std::wstring& backupFolder, size_t step) { return backupFolder + std::to_wstring(step); }

std::string ToUtf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::wstring FromUtf8(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), &wide[0], size);
    return wide;
}

// The journal's steps; false when it exists but cannot be read or is not a journal.
bool ReadJournal(const std::wstring& path, std::vector<Step>& steps) {
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    std::string text;
    char piece[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), piece, sizeof(piece), &read, nullptr) && read > 0) text.append(piece, read);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        // A line cut by the crash: its step never began.
        if (end == std::string::npos) break;
        std::string line = text.substr(start, end - start);
        if (line.size() < 3 || (line[0] != '0' && line[0] != '1') || line[1] != ' ') return false;
        steps.push_back({line[0] == '1', FromUtf8(line.substr(2))});
        start = end + 1;
    }
    return true;
}

bool Note(const CScopedHandle& journal, const Step& step) {
    std::string line = std::string(step.HasBackup ? "1 " : "0 ") + ToUtf8(step.Target) + "\n";
    DWORD written = 0;
    return WriteFile(journal.Get(), line.data(), (DWORD)line.size(), &written, nullptr) && written == line.size();
}

// One file in place; the step is noted before anything changes.
bool Install(const STAGED_FILE& file, const std::wstring& backupFolder, const CScopedHandle& journal, size_t index) {
    // A folder of the installed program is never replaced by a file.
    if (IsFolder(file.Target)) return false;
    Step step{Exists(file.Target), file.Target};
    if (!step.HasBackup && !MakeParentFolder(file.Target)) return false;
    if (!Note(journal, step)) return false;
    if (step.HasBackup && !MoveReplacing(file.Target, BackupOf(backupFolder, index))) return false;
    return MoveReplacing(file.Source, file.Target);
}

}  // namespace

INSTALL_RESULT InstallStagedFiles(const std::vector<STAGED_FILE>& files, const std::wstring& backupFolder) {
    if (files.empty()) return INSTALL_DONE;
    const std::wstring journalPath = backupFolder + kJournal;
    bool installed = true;
    {
        if (!MakeParentFolder(journalPath)) return INSTALL_UNDONE;
        CScopedHandle journal(CreateFileW(journalPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                          FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!journal) return INSTALL_UNDONE;
        for (size_t i = 0; i < files.size() && installed; ++i) installed = Install(files[i], backupFolder, journal, i);
    }
    if (installed) {
        // The whole update is in place: from here on nothing is undone.
        DeleteFileW(journalPath.c_str());
        return INSTALL_DONE;
    }
    return RestoreBackups(backupFolder) ? INSTALL_UNDONE : INSTALL_UNDO_FAILED;
}

bool RestoreBackups(const std::wstring& backupFolder) {
    const std::wstring journalPath = backupFolder + kJournal;
    std::vector<Step> steps;
    if (!ReadJournal(journalPath, steps)) return false;
    bool restored = true;
    for (size_t i = steps.size(); i-- > 0;) {
        const Step& step = steps[i];
        std::wstring backup = BackupOf(backupFolder, i);
        if (step.HasBackup) {
            // No backup file: the step ended before the original was moved.
            if (Exists(backup) && !MoveReplacing(backup, step.Target)) restored = false;
        } else if (Exists(step.Target) && !DeleteFileW(step.Target.c_str())) {
            restored = false;
        }
    }
    return restored && (!Exists(journalPath) || DeleteFileW(journalPath.c_str()));
}
