// The command control of the downloads: keeps the download window's rows, the
// scheduler and the download records in step with the download commands.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "download/DownloadRecordStore.h"
#include "download/DownloadScheduleControl.h"
#include "facade/BaseControl.h"

class IDownloadListView;

class CDownloadControl : public CBaseControl {
public:
    // window: the download window. Starts the download workers.
    CDownloadControl(IDownloadListView* window, CPlayerCore* core);
    // Stops and joins the workers.
    ~CDownloadControl() override;

    int Execute(int code, void* data) override;

private:
    using Handler = void (CDownloadControl::*)(void* data);
    static const std::map<int, Handler>& Commands();

    void OnUserChanged(void* data);
    void OnAppExit(void* data);
    void OnMainWindowCreated(void* data);
    void OnDeleteDownloads(void* data);
    void OnAddDownloads(void* data);
    void OnPauseDownload(void* data);
    void OnStartDownload(void* data);
    // Completed, failed or paused: the record is saved when given, the slot freed.
    void OnDownloadEnded(void* data);
    void OnDownloadStarted(void* data);
    void OnDownloadStopped(void* data);
    void OnGetFileTitle(void* data);

    void AddTasks(std::vector<DOWNLOAD_LIST_ITEM>& items);
    void LoadTasks();
    void StopUserTasks(const CString& user);
    // Saves the records with the sizes on disk now.
    void SaveTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items);
    // Hands a task's new job to the scheduler; a refused job leaves its row paused.
    void Start(const DOWNLOAD_TASK_INFO& task, bool resume);
    IDownloadListView* DownloadWnd() const { return m_pView; }
    HWND WindowHandle() const;

    IDownloadListView* m_pView;  // not owned
    std::unique_ptr<CDownloadScheduleControl> m_pScheduler;
    std::unique_ptr<CDownloadRecordStore> m_pStore;
};
