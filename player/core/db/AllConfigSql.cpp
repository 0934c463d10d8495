#include "db/AllConfigSql.h"

std::unique_ptr<SqlRows> CAllConfigSql::Select(const CStringArray*) {
    return Query(
        L"SELECT WindowShowType, WindowLeft, WindowTop, WindowRight, WindowBottom, MaximizeWindow, AutoLogin "
        L"FROM AllConfig;");
}

void CAllConfigSql::Save(const CStringArray* pairs) {
    if (!IsPairList(pairs)) return;
    if (!Query(L"SELECT WindowShowType FROM AllConfig")) {
        Execute(InsertStatement(L"INSERT INTO AllConfig", *pairs), false);
        return;
    }
    CString sql = L"UPDATE AllConfig SET ";
    for (INT_PTR i = 0; i + 1 < pairs->GetSize(); i += 2) {
        sql += (*pairs)[i] + L" = '" + Quote((*pairs)[i + 1]) + L"'";
        sql += i + 2 < pairs->GetSize() ? L"," : L";";
    }
    Execute(sql, false);
}
