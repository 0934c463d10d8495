#include "db/UserSetSql.h"

std::unique_ptr<SqlRows> CUserSetSql::Select(const CStringArray* args) {
    if (!args || args->IsEmpty()) return nullptr;
    CString sql;
    sql.Format(
        L"SELECT DownloadPath, DownloadNum, AutoDownload, RelinkTimes, Mute, Volume, PlayOrder, AutoAdd2PlayList "
        L"\t\t\t\t\tFROM UserConfig WHERE UserName = '%s';",
        (LPCWSTR)Quote((*args)[0]));
    return Query(sql);
}

void CUserSetSql::Save(const CStringArray* pairs) {
    if (IsPairList(pairs)) Execute(InsertStatement(L"INSERT OR REPLACE INTO UserConfig", *pairs), false);
}
