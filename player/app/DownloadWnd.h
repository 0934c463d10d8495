// The download window inside the play dialog.
#pragma once

#include <afxwin.h>

#include "views/DownloadListView.h"

class CDownloadWnd : public CWnd, public IDownloadListView {
public:
    CWnd* AsWindow() override { return this; }
    void AddTaskRow(const DOWNLOAD_LIST_ITEM& item) override;
    void ClearTaskLists() override;
    bool HasTaskRow(int fileId) override;
    int GetTaskRowState(int fileId) override;
    void ChangeTaskRowState(int fileId, int from, int to) override;
    void MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) override;
    void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) override;
    void ScrollListsToTop() override;
};
