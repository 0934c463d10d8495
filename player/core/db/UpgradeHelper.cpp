#include "db/UpgradeHelper.h"

#include <stdlib.h>

#include <string>
#include <vector>

#include "common/CommonHelpers.h"
#include "db/DatabaseConnection.h"

namespace {

// DBVersion's version; 0 when the table or its row is missing.
int ReadVersion(CppSQLite3DB& db) {
    int version = 0;
    try {
        db.Cmd("SELECT Version FROM DBVersion;");
        if (db.More()) version = atoi(db.Get(0, ""));
    } catch (const CppSQLite3Exception&) {
        // No schema yet.
    }
    db.ClearResult();
    return version;
}

// The whole file as UTF-8 text without a byte-order mark; false when it cannot be read.
bool ReadScript(const CString& path, std::string& text) {
    text.clear();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    try {
        char piece[1024];
        for (UINT n; (n = file.Read(piece, sizeof(piece))) > 0;) text.append(piece, n);
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return true;
}

// The scripts that bring version current to newest, in order; false when one is missing.
bool ReadScripts(const CString& folder, int current, int newest, std::vector<std::string>& scripts) {
    for (int v = current + 1; v <= newest; ++v) {
        CString path;
        path.Format(L"%sSql\\dbupdate%d.sql", (LPCWSTR)folder, v);
        scripts.emplace_back();
        if (!ReadScript(path, scripts.back())) return false;
    }
    return true;
}

// Runs the scripts in order; throws when one fails.
void RunScripts(CppSQLite3DB& db, const std::vector<std::string>& scripts) {
    for (const std::string& script : scripts) {
        if (script.empty()) continue;
        // A "%" in a script is data, not a format.
        db.Cmd("%s", script.c_str());
        db.ClearResult();
    }
}

}  // namespace

bool CUpgradeHelper::UpgradeDatabase() const { return UpgradeDatabase(GetProgramFolder()); }

bool CUpgradeHelper::UpgradeDatabase(const CString& folder) const {
    const CString dbPath = folder + L"zemo.db3";
    const CString backupPath = folder + L"zemo.db3.backup";
    CDatabaseConnection db(dbPath);
    if (!db.IsOpen()) return false;
    int current = ReadVersion(db);
    int newest = (int)GetPrivateProfileIntW(L"NewestVersion", L"version", 0, folder + L"DbUpdateConfig.ini");
    if (current >= newest) return true;
    if (!CopyFileW(dbPath, backupPath, FALSE)) return false;

    bool upgraded = false;
    try {
        std::vector<std::string> scripts;
        if (ReadScripts(folder, current, newest, scripts)) {
            RunScripts(db, scripts);
            upgraded = true;
        }
    } catch (...) {
        // A failing script, or no memory for one: the backup goes back in place.
    }
    db.Close();
    if (upgraded) {
        DeleteFileW(backupPath);
        return true;
    }
    // A refused restore leaves the backup in place.
    MoveFileExW(backupPath, dbPath, MOVEFILE_REPLACE_EXISTING);
    return false;
}
