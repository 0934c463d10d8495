// Puts downloaded files in place of the installed ones, all or nothing.
#pragma once

#include <string>
#include <vector>

struct STAGED_FILE {
    std::wstring Source;  // the downloaded file
    std::wstring Target;  // where it belongs; its folders are made when missing
};

// Moves each source onto its target, in order, after moving a target that exists into
// backupFolder (with its trailing backslash). A target still in use (the program that
// started the updater is ending) is tried again for a few seconds; a target that is a
// folder is refused. When a step fails, every step before it is undone and the result
// is false.
bool InstallStagedFiles(const std::vector<STAGED_FILE>& files, const std::wstring& backupFolder);
