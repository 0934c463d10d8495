// The updater's run: it asks the update service as the installed program would, and
// when a newer version exists it downloads every file of it, checks them and puts
// them in place, the installed version ("update\version.dat") last. Any failure
// leaves the installed program as it was, and the version that failed is not offered
// to the program again for a day. When it ends, the updater starts the program.
#pragma once

#include <string>

enum UPDATER_RESULT {
    UPDATER_INSTALLED = 0,
    UPDATER_CURRENT = 1,    // nothing newer
    UPDATER_BUSY = 2,       // another updater works on the same folder
    UPDATER_NO_CONFIG = 3,  // the client's files do not give a check URL
    UPDATER_CHECK_FAILED = 4,
    UPDATER_DOWNLOAD_FAILED = 5,
    UPDATER_INSTALL_FAILED = 6,  // and every file put back as it was
    // Files could not be put back, by this run or after a run that ended half-way: the
    // originals stay in "Update\Mendport\Backup" and the next run puts them back first.
    UPDATER_ROLLBACK_FAILED = 7,
};

// programFolder: the installed program's folder, with its trailing backslash; the
// client's files lie in its "Update\Mendport\" folder.
UPDATER_RESULT RunUpdate(const std::wstring& programFolder);

// Starts the program file that "Update\Mendport\Config.ini" names ([program] startFile,
// a path below the program folder) in the program folder; false when it names none or
// the program does not start.
bool StartInstalledProgram(const std::wstring& programFolder);
