// The download control's adapter over the table DownloadRecord: tasks become table
// rows and back, always for the current user.
#pragma once

#include <afx.h>

#include <vector>

#include "download/DownloadRecords.h"

class ICommonSql;
class IDownlowndSql;

class CDownloadRecordStore {
public:
    // The table object is not owned; without one the store loads and stores nothing.
    explicit CDownloadRecordStore(ICommonSql* table) : m_pTable(table) {}

    // The current user's records with the sizes on disk: finished when the file is whole
    // under its final name, else downloading.
    std::vector<DOWNLOAD_LIST_ITEM> LoadTasks();
    // Writes the records of the current user: the whole record for a task with its album
    // data, only paths and sizes for the others.
    void SaveTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items);
    void DeleteTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items);
    // Records the size on disk of one user's task.
    void UpdateDownSize(int fileId, const CString& userName, const CString& filePath);
    // Replaces the path by its display title: AlbumName_SectionName from the current
    // user's record, else the file name without folder and extension.
    void GetFileTitle(CString& path);

private:
    IDownlowndSql* Records() const;

    ICommonSql* m_pTable;  // not owned
};
