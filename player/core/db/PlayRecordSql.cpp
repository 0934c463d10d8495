#include "db/PlayRecordSql.h"

#include <stdlib.h>

namespace {

// The decimal digits of a number ("%I64d").
void AppendNumber(CString& sql, __int64 value) {
    wchar_t digits[24];
    _i64tow_s(value, digits, 24, 10);
    sql += digits;
}

}  // namespace

std::unique_ptr<SqlRows> CPlayRecordSql::Select(const CStringArray*) {
    return Query(L"SELECT FilePath, AddTime, PlayTime, Consuming FROM UserPlayRecord ORDER BY Sequence;");
}

void CPlayRecordSql::SaveList(const std::vector<PLAY_RECORD_INFO>& items) {
    // Built by appending rather than formatting: a long list makes a long text.
    CString sql = L"DELETE FROM UserPlayRecord;";
    sql.Preallocate((int)items.size() * 200 + 64);
    for (size_t i = 0; i < items.size(); ++i) {
        const PLAY_RECORD_INFO& item = items[i];
        sql +=
            L"INSERT OR REPLACE INTO UserPlayRecord(FilePath, AddTime, PlayTime, Consuming, Sequence) "
            L"\t\t\t\t\t\t  VALUES('";
        sql += Quote(item.FilePath);
        sql += L"', '";
        AppendNumber(sql, item.AddTime);
        sql += L"', '";
        AppendNumber(sql, item.PlayTime);
        sql += L"', '";
        AppendNumber(sql, item.Consuming);
        sql += L"', '";
        AppendNumber(sql, (__int64)i);
        sql += L"');";
    }
    Execute(WrapTransaction(sql), false);
}
