// The plain records that carry a download through the player: the task, a row of
// the download window, the key of a job and how a job ended.
#pragma once

#include <afx.h>

enum {
    DOWNLOAD_STATE_WAITING = 1,      // queued, not yet transferring
    DOWNLOAD_STATE_DOWNLOADING = 2,  // transferring (also an unfinished task loaded from the database)
    DOWNLOAD_STATE_PAUSED = 3,       // stopped by the user or by an error
    DOWNLOAD_STATE_FINISHED = 4,     // complete
};

// Results of one job attempt; also the Kind of DOWNLOAD_ERROR_INFO.
enum {
    DOWNLOAD_ERR_NONE = 0,
    DOWNLOAD_ERR_PAUSED = 1,
    DOWNLOAD_ERR_CONNECT = 2,
    DOWNLOAD_ERR_CREATE_FILE = 3,
    DOWNLOAD_ERR_WRITE_FILE = 4,
    DOWNLOAD_ERR_UNKNOWN = 0xFFFF,  // a job that ended without a result of its own
};

// One download: what to fetch and where. The same columns as a DownloadRecord row.
struct DOWNLOAD_TASK_INFO {
    LONGLONG FileSize = 0;  // total size in bytes, the best figure known
    LONGLONG DownSize = 0;  // bytes already on disk
    int FileID = 0;         // the service's id of the file; with UserName it identifies the task
    int Sequence = 0;       // order within the album
    CString FilePath;       // the finished file; the data goes to FilePath + ".temp" meanwhile
    CString DownloadUrl;
    CString UserName;
    CString AlbumName;
    CString SectionName;
};

// A task with its display state: a row of the download window.
struct DOWNLOAD_LIST_ITEM {
    explicit DOWNLOAD_LIST_ITEM(int state = 0, const DOWNLOAD_TASK_INFO& task = DOWNLOAD_TASK_INFO())
        : State(state), Task(task) {}

    void Assign(int state, const DOWNLOAD_TASK_INFO& task) {
        State = state;
        Task = task;
    }
    int GetState() const { return State; }
    void SetState(int state) { State = state; }
    DOWNLOAD_TASK_INFO* GetTask() { return &Task; }

    int State;
    DOWNLOAD_TASK_INFO Task;
};

// Identifies a queued or running job. Two keys are equal when FileID and UserName
// (case-sensitive) are; the other fields take no part.
struct DOWNLOAD_JOB_KEY {
    DOWNLOAD_JOB_KEY(int fileId, const CString& userName, const CString& filePath, int bytes = 0)
        : FileID(fileId), UserName(userName), FilePath(filePath), Bytes(bytes) {}

    bool operator==(const DOWNLOAD_JOB_KEY& other) const {
        return FileID == other.FileID && UserName == other.UserName;
    }

    int FileID;
    CString UserName;
    CString FilePath;
    int Bytes;  // in a progress report: bytes received since the job's previous report
    // In a progress report the sizes in full (the message's lParam holds them only below 2 GiB).
    LONGLONG DownSize = 0;
    LONGLONG FileSize = 0;
};

// How a job ended, as the download window shows it.
struct DOWNLOAD_ERROR_INFO {
    DOWNLOAD_ERROR_INFO(int kind, int detail) : Kind(kind), Detail(detail) {}

    // The text of Kind, with "(Detail)" appended when Detail is not 0.
    CString GetText() const;

    int Kind;
    int Detail;  // the system error code of the failure (an HTTP status for a refused reply); 0 = none
};
