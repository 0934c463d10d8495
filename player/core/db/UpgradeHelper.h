// The start-up's two upgrades: of the program, through the update client, and of the
// local database to the newest schema with the numbered scripts "Sql\dbupdate<n>.sql",
// keeping a backup to restore when one fails.
#pragma once

#include <afx.h>

class CUpgradeHelper {
public:
    // Runs the update check; when the client has found a newer version it starts the
    // updater "Update\Mendport.exe" and returns true: the start-up then ends. An
    // updater that cannot be started gives false. The command line is not used.
    bool CheckProgramUpdate(const CString& commandLine) const;
    // The same for the client's files and the updater in a folder (with its backslash).
    bool CheckProgramUpdate(const CString& commandLine, const CString& folder) const;

    // zemo.db3 in the program folder; false ends the start-up.
    bool UpgradeDatabase() const;
    // The same for the database, scripts and DbUpdateConfig.ini in a folder (with its backslash).
    bool UpgradeDatabase(const CString& folder) const;
};
