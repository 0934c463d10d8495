// A download job as the work queue runs it.
#pragma once

#include <afx.h>

#include "download/DownloadRecords.h"

class CPauseRequestList;
class CWnd;

// What one attempt of a job gets from the queue that runs it.
struct DOWNLOAD_JOB_CONTEXT {
    CPauseRequestList* PauseRequests;  // where the job looks for a request to stop
    int* Detail;                       // a failing attempt stores its system error code here
};

class WorkItemBase {
public:
    virtual ~WorkItemBase() = default;

    // One attempt; returns a result kind from DOWNLOAD_ERR_NONE to DOWNLOAD_ERR_WRITE_FILE.
    virtual int DoWork(DOWNLOAD_JOB_CONTEXT& context) = 0;
    virtual int GetFileId() const = 0;
    virtual CString GetUserName() const = 0;
    virtual CString GetFilePath() const = 0;
    // The window that receives the job's messages.
    virtual CWnd* GetWindow() const = 0;

    DOWNLOAD_JOB_KEY GetKey() const { return DOWNLOAD_JOB_KEY(GetFileId(), GetUserName(), GetFilePath()); }
};
