#include "download/DownloadRecordStore.h"

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/DownloadRecordSql.h"

namespace {

enum { kFileId, kFilePath, kFileSize, kDownSize, kDownloadUrl, kSelectColumns };

CString Decimal(LONGLONG value) {
    CString text;
    text.Format(L"%I64d", value);
    return text;
}

CStringArray Row(std::initializer_list<CString> columns) {
    CStringArray row;
    for (const CString& column : columns) row.Add(column);
    return row;
}

bool FileExists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// Finished only when the file stands under its final name, whole, and no partial
// file is left: a ".temp" that was never renamed still has to be completed.
bool IsFinished(const DOWNLOAD_TASK_INFO& task) {
    return task.FileSize <= task.DownSize && FileExists(task.FilePath) && !FileExists(task.FilePath + L".temp");
}

}  // namespace

IDownlowndSql* CDownloadRecordStore::Records() const { return dynamic_cast<IDownlowndSql*>(m_pTable); }

std::vector<DOWNLOAD_LIST_ITEM> CDownloadRecordStore::LoadTasks() {
    std::vector<DOWNLOAD_LIST_ITEM> items;
    if (!m_pTable) return items;
    CStringArray user = Row({CUserConfig::GetInstance().GetCurrentUser()});
    std::unique_ptr<SqlRows> rows = m_pTable->Select(&user);
    if (!rows) return items;
    for (const CStringArray& row : *rows) {
        if (row.GetSize() < kSelectColumns) continue;
        DOWNLOAD_TASK_INFO task;
        task.FileID = CStringToInt(row[kFileId]);
        task.FilePath = row[kFilePath];
        task.FileSize = _wcstoi64(row[kFileSize], nullptr, 10);
        task.DownSize = GetDownloadedSize(task.FilePath);
        task.DownloadUrl = row[kDownloadUrl];
        items.emplace_back(IsFinished(task) ? DOWNLOAD_STATE_FINISHED : DOWNLOAD_STATE_DOWNLOADING, task);
    }
    return items;
}

void CDownloadRecordStore::SaveTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items) {
    IDownlowndSql* records = Records();
    if (!records) return;
    CString user = CUserConfig::GetInstance().GetCurrentUser();
    std::vector<CStringArray> rows;
    for (const DOWNLOAD_LIST_ITEM& item : items) {
        const DOWNLOAD_TASK_INFO& task = item.Task;
        rows.push_back(Row({user, Decimal(task.FileID), task.FilePath, Decimal(task.FileSize), Decimal(task.DownSize),
                            task.DownloadUrl, Decimal(task.Sequence), task.AlbumName, task.SectionName}));
    }
    records->SaveList(rows);
}

void CDownloadRecordStore::DeleteTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items) {
    IDownlowndSql* records = Records();
    if (!records) return;
    CString user = CUserConfig::GetInstance().GetCurrentUser();
    std::vector<CStringArray> rows;
    for (const DOWNLOAD_LIST_ITEM& item : items) rows.push_back(Row({user, Decimal(item.Task.FileID)}));
    records->DeleteList(rows);
}

void CDownloadRecordStore::UpdateDownSize(int fileId, const CString& userName, const CString& filePath) {
    IDownlowndSql* records = Records();
    if (!records) return;
    CStringArray row = Row({userName, Decimal(fileId), Decimal(GetDownloadedSize(filePath))});
    records->UpdateDownSize(&row);
}

void CDownloadRecordStore::GetFileTitle(CString& path) {
    IDownlowndSql* records = Records();
    CStringArray query = Row({CUserConfig::GetInstance().GetCurrentUser(), path});
    std::unique_ptr<SqlRows> rows = records ? records->SelectAlbumSection(&query) : nullptr;
    if (!rows || rows->empty() || rows->front().GetSize() < 2 || rows->front()[0].IsEmpty() ||
        rows->front()[1].IsEmpty()) {
        path = GetFileTitleFromPath(path);
        return;
    }
    path = rows->front()[0] + L"_" + rows->front()[1];
}
