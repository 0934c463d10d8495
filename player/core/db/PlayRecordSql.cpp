#include "db/PlayRecordSql.h"

std::unique_ptr<SqlRows> CPlayRecordSql::Select(const CStringArray*) {
    return Query(L"SELECT FilePath, AddTime, PlayTime, Consuming FROM UserPlayRecord ORDER BY Sequence;");
}

void CPlayRecordSql::SaveList(const std::vector<PLAY_RECORD_INFO>& items) {
    CString sql = L"DELETE FROM UserPlayRecord;";
    sql.Preallocate((int)items.size() * 200 + 64);
    CString statement;
    for (size_t i = 0; i < items.size(); ++i) {
        const PLAY_RECORD_INFO& item = items[i];
        statement.Format(L"INSERT OR REPLACE INTO UserPlayRecord(FilePath, AddTime, PlayTime, Consuming, Sequence) "
                         L"\t\t\t\t\t\t  VALUES('%s', '%I64d', '%I64d', '%d', '%d');",
                         (LPCWSTR)Quote(item.FilePath), item.AddTime, item.PlayTime, item.Consuming, (int)i);
        sql += statement;
    }
    Execute(WrapTransaction(sql), false);
}
