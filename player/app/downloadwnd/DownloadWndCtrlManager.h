// The control manager of the download window: the two lists of "download.html" with a
// row per task, the tab counters, the list buttons, the shut-down check box and the
// speed column. The rows are the window's only store of the tasks: state, sizes,
// progress, URL and path are written into them and read back. Clicks become the
// download commands. User-interface thread only.
#pragma once

#include <map>
#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "download/DownloadRecords.h"
#include "downloadwnd/DownloadSpeedMeter.h"

class CDownloadWndCtrlManager : public CBaseSkinWndCtrlManager {
public:
    using CBaseSkinWndCtrlManager::CBaseSkinWndCtrlManager;

    void InitElements() override;
    bool OnButtonClick(const CString& id) override;
    bool OnMouseDown(htmlayout::dom::element& element) override;
    bool OnRightMouseUp(htmlayout::dom::element& element) override;
    bool OnRowDoubleClick(htmlayout::dom::element& element) override;

    // Rows and lists (list: DOWNLOADING_LIST or DOWNLOADED_LIST).
    void AddTaskRow(const DOWNLOAD_LIST_ITEM& item);
    void ClearList(int list);
    void DeleteTaskRow(int fileId);
    bool HasTaskRow(int fileId) const;
    // Read from the action cell; paused for a missing row or no known state.
    int GetTaskRowState(int fileId) const;
    // Only a row in state from changes; its status cell gets the text of the new state.
    void ChangeTaskRowState(int fileId, int from, int to);
    DOWNLOAD_LIST_ITEM GetTaskItem(int fileId) const;
    // Finished rows for DOWNLOAD_STATE_FINISHED, unfinished rows for the others.
    void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) const;
    std::vector<int> GetTaskIds(int list) const;

    // Cells of a row.
    void SetStatusText(int fileId, const CString& text);
    // True when the row or its speed cell is missing.
    bool SetSpeedText(int fileId, const CString& text);
    void ResetSpeedText(int fileId);
    void SetTaskTotalSize(int fileId, LONGLONG total);
    void SetTaskProgress(int fileId, LONGLONG done);

    // Speeds: bytes of a progress report, and the column every few seconds.
    void AddTransferredBytes(int fileId, DWORD bytes);
    void UpdateSpeeds();

    void UpdateCounters();
    void SetListButtonsEnabled(int list, bool enabled);
    void ScrollListsToTop();
    void SelectDownloadingTab();
    bool IsShutdownChecked() const;
    void ClearShutdownChoice();

    // What the user's clicks start.
    void PauseTasks(const std::vector<int>& fileIds);
    void StartTasks(const std::vector<int>& fileIds);
    void DeleteTasks(const std::vector<int>& fileIds);
    void PlayTaskRow(int fileId);
    void AddAllToPlayList();
    // Menu command of a finished row's context menu.
    void OpenContainingFolder();

private:
    // The row and, when list is given, the list it is in.
    htmlayout::dom::element Row(int fileId, int* list = nullptr) const;
    // A missing row reads as paused, with an empty task.
    static int StateOfRow(const htmlayout::dom::element& row);
    static DOWNLOAD_LIST_ITEM ItemOfRow(const htmlayout::dom::element& row);
    htmlayout::dom::element List(int list) const;
    htmlayout::dom::element Cell(int fileId, LPCWSTR id) const;
    std::vector<htmlayout::dom::element> TaskRows(int list) const;
    void DeleteDownloadingItems(const std::vector<DOWNLOAD_LIST_ITEM>& items);
    void DeleteFinishedItems(const std::vector<DOWNLOAD_LIST_ITEM>& items);
    HWND WindowHandle() const;

    // The counts change with the row of a list that enters (+1) or leaves (-1).
    void CountRow(int list, const htmlayout::dom::element& row, int sign);

    CDownloadSpeedMeter m_speeds;
    // Task rows per list and busy (waiting or downloading) rows, kept by the row
    // operations so that refreshing the counters passes no rows: adding many rows stays
    // linear. The page comes without task rows.
    struct ROW_COUNTS {
        int Rows = 0;
        int Busy = 0;
    };
    ROW_COUNTS m_counts[2];
    // An element of the page outside the lists, kept once found.
    htmlayout::dom::element Fixed(LPCWSTR id) const;

    mutable std::map<CString, htmlayout::dom::element> m_fixed;
};

// The FileID of a row element ("id" in decimal).
int RowFileId(const htmlayout::dom::element& row);
