// The HTTP download of one video file into FilePath + ".temp", continued with a
// range request when part of the file is on disk already.
#pragma once

#include <afxinet.h>

#include "download/WorkItemBase.h"

class CDownloadVedioItem : public WorkItemBase {
public:
    // Copies the task; the job runs under the user who is current now, whatever the task says.
    CDownloadVedioItem(const DOWNLOAD_TASK_INFO& task, CWnd* window);

    // One attempt; on a failure the system error code (or the refused reply's HTTP
    // status) goes to the context's detail.
    int DoWork(DOWNLOAD_JOB_CONTEXT& context) override;
    int GetFileId() const override { return m_task.FileID; }
    CString GetUserName() const override { return m_task.UserName; }
    CString GetFilePath() const override { return m_task.FilePath; }
    CWnd* GetWindow() const override { return m_pWnd; }

private:
    int Download(HANDLE file, int& detail, CPauseRequestList& pauseRequests);
    int Transfer(HINTERNET request, HANDLE file, LONGLONG remaining, int& detail, CPauseRequestList& pauseRequests);
    HWND WindowHandle() const;
    void PostStarted() const;

    DOWNLOAD_TASK_INFO m_task;  // DownSize and FileSize follow each attempt
    CWnd* m_pWnd;               // not owned
    LONGLONG m_knownTotal;      // the server's size of the file as known so far; -1 when unknown
};
