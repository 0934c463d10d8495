// The download window inside the play dialog: the page "download.html" with the lists
// of unfinished and finished downloads. It receives the download workers' messages,
// finishes the downloaded files on disk and tells the download control.
// User-interface thread only.
#pragma once

#include <afxwin.h>

#include "views/DownloadListView.h"
#include "window/BaseSkinWnd.h"

class CDownloadWndCtrlManager;

class CDownloadWnd : public CBaseSkinWnd, public IDownloadListView {
public:
    CWnd* AsWindow() override { return this; }

    // Row operations, forwarded to the control manager (nothing without one).
    void AddTaskRow(const DOWNLOAD_LIST_ITEM& item) override;
    void ClearTaskLists() override;
    bool HasTaskRow(int fileId) override;
    int GetTaskRowState(int fileId) override;
    void ChangeTaskRowState(int fileId, int from, int to) override;
    void MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) override;
    void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) override;
    void ScrollListsToTop() override;
    // After a change of user: the manager refreshes its elements.
    void RefreshForUser() override;
    void ClearShutdownChoice();
    void SelectDownloadingTab();

    // The check box "shutdown_when_complete" is ticked and no row waits or downloads.
    bool IsShutdownWhenComplete();
    // Adds a finished file to the main window's play list under its display title.
    void AddDownloadedToPlayList(const CString& path);

    CDownloadWndCtrlManager* Manager() const;

protected:
    void CreateCtrlManager() override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnOpenFolder();
    afx_msg LRESULT OnDownloadStarted(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadComplete(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadPaused(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadConnectFailed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDownloadFailed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // A job that ended without its file: the row turns paused with the error's text.
    // False when the job's row could not be reached (its end is reported all the same).
    bool HandleJobStopped(WPARAM wParam, LPARAM lParam);
    // Renames the finished ".temp" over the final name; the row stays unfinished and
    // paused when that fails.
    void FinishDownload(const DOWNLOAD_JOB_KEY& key);
    void ShutdownIfComplete();
};
