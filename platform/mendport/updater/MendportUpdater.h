// The updater's run: it asks the update service as the installed program would, and
// when a newer version exists it downloads every file of it, checks them and puts
// them in place, the installed version ("update\version.dat") last. Any failure
// leaves the installed program as it was.
#pragma once

#include <string>

enum UPDATER_RESULT {
    UPDATER_INSTALLED = 0,
    UPDATER_CURRENT = 1,          // nothing newer
    UPDATER_BUSY = 2,             // another updater works on the same folder
    UPDATER_NO_CONFIG = 3,        // the client's files do not give a check URL
    UPDATER_CHECK_FAILED = 4,
    UPDATER_DOWNLOAD_FAILED = 5,
    UPDATER_INSTALL_FAILED = 6,
};

// programFolder: the installed program's folder, with its trailing backslash; the
// client's files lie in its "Update\Mendport\" folder.
UPDATER_RESULT RunUpdate(const std::wstring& programFolder);
