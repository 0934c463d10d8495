// Puts downloaded files in place of the installed ones, all or nothing. Before each
// step it notes in a journal in the backup folder what the step changes, so that a run
// that ends half-way (a crash, a power cut) can be undone by the next one.
#pragma once

#include <string>
#include <vector>

struct STAGED_FILE {
    std::wstring Source;  // the downloaded file
    std::wstring Target;  // where it belongs; its folders are made when missing
};

enum INSTALL_RESULT {
    INSTALL_DONE,
    INSTALL_UNDONE,       // a step failed and every step before it was undone
    INSTALL_UNDO_FAILED,  // a step failed and so did the undoing: the backup folder is kept
};

// Moves each source onto its target, in order, after moving a target that exists into
// backupFolder (with its trailing backslash), which must hold no journal. A target
// still in use (the program that started the updater is ending) is tried again for a
// few seconds; a target that is a folder is refused. The journal is gone when the
// result is INSTALL_DONE or INSTALL_UNDONE.
INSTALL_RESULT InstallStagedFiles(const std::vector<STAGED_FILE>& files, const std::wstring& backupFolder);

// Undoes, from the last step back, what the journal in backupFolder names: backups go
// back in place and files that had none are deleted. True when nothing is left to
// undo (there was no journal, or every step was undone and the journal deleted);
// false leaves the journal and what could not be put back.
bool RestoreBackups(const std::wstring& backupFolder);
