#include "db/DownloadRecordSql.h"

namespace {

enum {
    kUserName,
    kFileId,
    kFilePath,
    kFileSize,
    kDownSize,
    kDownloadUrl,
    kSequence,
    kAlbumName,
    kSectionName,
    kRecordColumns
};

}  // namespace

std::unique_ptr<SqlRows> CDownloadRecordSql::Select(const CStringArray* args) {
    if (!args || args->IsEmpty()) return nullptr;
    CString sql;
    sql.Format(
        L"Select FileID, FilePath, FileSize, DownSize, DownloadUrl, (case when (FileSize = DownSize)"
        L"\t\t\t\t\tthen 1 else 0 end) As state from DownloadRecord\t\t\t\t\t where UserName = '%s'",
        (LPCWSTR)Quote((*args)[0]));
    return Query(sql);
}

void CDownloadRecordSql::UpdateDownSize(const CStringArray* args) {
    if (!args || args->GetSize() < 3) return;
    CString sql;
    sql.Format(L"Update DownloadRecord SET DownSize= '%s' where UserName = '%s' and FileID = '%s';",
               (LPCWSTR)Quote((*args)[2]), (LPCWSTR)Quote((*args)[0]), (LPCWSTR)Quote((*args)[1]));
    Execute(sql, false);
}

std::unique_ptr<SqlRows> CDownloadRecordSql::SelectAlbumSection(const CStringArray* args) {
    if (!args || args->GetSize() < 2) return nullptr;
    CString sql;
    sql.Format(
        L"SELECT AlbumName, SectionName FROM DownloadRecord WHERE UserName = '%s' AND FilePath = '%s' "
        L"COLLATE NOCASE;",
        (LPCWSTR)Quote((*args)[0]), (LPCWSTR)Quote((*args)[1]));
    return Query(sql);
}

void CDownloadRecordSql::SaveList(const std::vector<CStringArray>& rows) {
    CString sql, statement;
    for (const CStringArray& row : rows) {
        if (row.GetSize() < kRecordColumns) continue;
        CString quoted[kRecordColumns];
        LPCWSTR v[kRecordColumns];
        for (int i = 0; i < kRecordColumns; ++i) v[i] = quoted[i] = Quote(row[i]);
        if (row[kSequence] != L"0" && !row[kAlbumName].IsEmpty() && !row[kSectionName].IsEmpty()) {
            statement.Format(
                L"INSERT OR REPLACE INTO DownloadRecord(UserName, FileID, FilePath, FileSize, DownSize, "
                L"DownloadUrl, Sequence, AlbumName, SectionName) \t\t\t\t\t\t VALUES('%s', '%s', '%s', "
                L"'%s', '%s', '%s', '%s', '%s', '%s');",
                v[kUserName], v[kFileId], v[kFilePath], v[kFileSize], v[kDownSize], v[kDownloadUrl], v[kSequence],
                v[kAlbumName], v[kSectionName]);
        } else {
            statement.Format(
                L"UPDATE DownloadRecord \t\t\t\t\t\t SET FilePath = '%s', FileSize = '%s', DownSize = "
                L"'%s', DownloadUrl = '%s' \t\t\t\t\t\t WHERE UserName = '%s' AND FileID = '%s';",
                v[kFilePath], v[kFileSize], v[kDownSize], v[kDownloadUrl], v[kUserName], v[kFileId]);
        }
        sql += statement;
    }
    Execute(WrapTransaction(sql), false);
}

void CDownloadRecordSql::DeleteList(const std::vector<CStringArray>& rows) {
    CString sql, statement;
    for (const CStringArray& row : rows) {
        if (row.GetSize() < 2) continue;
        statement.Format(L"Delete from DownloadRecord where UserName = '%s' and FileID = '%s';", (LPCWSTR)Quote(row[0]),
                         (LPCWSTR)Quote(row[1]));
        sql += statement;
    }
    Execute(WrapTransaction(sql), false);
}
