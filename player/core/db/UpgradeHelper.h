// Brings the local database to the newest schema at start-up with the numbered
// scripts "Sql\dbupdate<n>.sql", keeping a backup to restore when one fails.
#pragma once

#include <afx.h>

class CUpgradeHelper {
public:
    // zemo.db3 in the program folder; false ends the start-up.
    bool UpgradeDatabase() const;
    // The same for the database, scripts and DbUpdateConfig.ini in a folder (with its backslash).
    bool UpgradeDatabase(const CString& folder) const;
};
