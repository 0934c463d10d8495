// What the download control calls on the download window inside the play dialog.
#pragma once

#include <vector>

#include "download/DownloadRecords.h"

class CWnd;

class IDownloadListView {
public:
    // The window that receives the download messages.
    virtual CWnd* AsWindow() = 0;
    // Row operations of the download lists. A task's row is found by its FileID; a
    // missing row reads as paused.
    virtual void AddTaskRow(const DOWNLOAD_LIST_ITEM& item) = 0;
    virtual void ClearTaskLists() = 0;
    virtual bool HasTaskRow(int fileId) = 0;
    virtual int GetTaskRowState(int fileId) = 0;
    // Changes the row's state only when it is in state from.
    virtual void ChangeTaskRowState(int fileId, int from, int to) = 0;
    // Moves the row to the list of finished files (list 1) or back to the unfinished list as waiting.
    virtual void MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) = 0;
    virtual void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) = 0;
    virtual void ScrollListsToTop() = 0;
    // The lists anew for the user now signed in (or out).
    virtual void RefreshForUser() = 0;

protected:
    ~IDownloadListView() = default;
};
