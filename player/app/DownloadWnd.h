// The download window inside the play dialog.
#pragma once

#include <afxwin.h>

#include <vector>

#include "download/DownloadRecords.h"

class CDownloadWnd : public CWnd {
public:
    // Row operations of the download lists, for the download control. A task's row is
    // found by its FileID; a missing row reads as paused.
    void AddTaskRow(const DOWNLOAD_LIST_ITEM& item);
    void ClearTaskLists();
    bool HasTaskRow(int fileId);
    int GetTaskRowState(int fileId);
    // Changes the row's state only when it is in state from.
    void ChangeTaskRowState(int fileId, int from, int to);
    // Moves the row to the list of finished files (list 1) or back to the unfinished list as waiting.
    void MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list);
    void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state);
    void ScrollListsToTop();
};
