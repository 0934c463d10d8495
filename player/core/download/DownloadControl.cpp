#include "download/DownloadControl.h"

#include <afxwin.h>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "download/DownloadVedioItem.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "views/DownloadListView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {

constexpr LPCWSTR kCaption = L"提示";

DOWNLOAD_JOB_KEY KeyOf(const DOWNLOAD_TASK_INFO& task, const CString& user) {
    return DOWNLOAD_JOB_KEY(task.FileID, user, task.FilePath);
}

// The task's file is the one that plays now.
bool IsPlaying(const CString& path) {
    CAppFacade& facade = CAppFacade::GetInstance();
    return facade.GetPlayState() != PLAY_STATE_NONE && facade.GetCurrentPath().CompareNoCase(path) == 0;
}

CString Formatted(LPCWSTR format, const CString& path) {
    CString text;
    text.Format(format, (LPCWSTR)path);
    return text;
}

}  // namespace

CDownloadControl::CDownloadControl(IDownloadListView* window, CPlayerCore* core)
    : CBaseControl(window ? window->AsWindow() : nullptr, core),
      m_pView(window),
      m_pScheduler(new CDownloadScheduleControl),
      m_pStore(core ? core->CreateDownloadRecordStore() : nullptr) {
    if (!m_pScheduler->IsRunning())
        MessageBoxW(WindowHandle(), L"下载线程启动失败，无法下载视频！", kCaption, MB_OK | MB_ICONWARNING);
}

CDownloadControl::~CDownloadControl() = default;

const std::map<int, CDownloadControl::Handler>& CDownloadControl::Commands() {
    static const std::map<int, Handler> commands = {
        {CMD_USER_LOGIN, &CDownloadControl::OnUserChanged},
        {CMD_USER_LOGOUT, &CDownloadControl::OnUserChanged},
        {CMD_APP_EXIT, &CDownloadControl::OnAppExit},
        {CMD_MAIN_WINDOW_CREATED, &CDownloadControl::OnMainWindowCreated},
        {CMD_DELETE_DOWNLOADS, &CDownloadControl::OnDeleteDownloads},
        {CMD_ADD_DOWNLOADS, &CDownloadControl::OnAddDownloads},
        {CMD_PAUSE_DOWNLOAD, &CDownloadControl::OnPauseDownload},
        {CMD_START_DOWNLOAD, &CDownloadControl::OnStartDownload},
        {CMD_DOWNLOAD_COMPLETE, &CDownloadControl::OnDownloadEnded},
        {CMD_DOWNLOAD_FAILED, &CDownloadControl::OnDownloadEnded},
        {CMD_DOWNLOAD_STARTED, &CDownloadControl::OnDownloadStarted},
        {CMD_DOWNLOAD_STOPPED, &CDownloadControl::OnDownloadStopped},
        {CMD_GET_FILE_TITLE, &CDownloadControl::OnGetFileTitle},
    };
    return commands;
}

int CDownloadControl::Execute(int code, void* data) {
    auto command = Commands().find(code);
    if (command != Commands().end()) (this->*command->second)(data);
    return 0;
}

HWND CDownloadControl::WindowHandle() const { return m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr; }

void CDownloadControl::OnUserChanged(void*) {
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    // The automatic sign-in runs before the main window stands; its records load then.
    if (!main || !main->IsCreated()) return;
    StopUserTasks(CUserConfig::GetInstance().GetPreviousUser());
    LoadTasks();
}

void CDownloadControl::OnAppExit(void*) {
    if (!m_pStore) return;
    std::vector<DOWNLOAD_LIST_ITEM> unfinished;
    CString user = CUserConfig::GetInstance().GetCurrentUser();
    for (DOWNLOAD_LIST_ITEM& item : m_pStore->LoadTasks()) {
        if (item.State == DOWNLOAD_STATE_FINISHED) continue;
        m_pScheduler->Stop(KeyOf(item.Task, user));
        unfinished.push_back(item);
    }
    SaveTasks(unfinished);
}

void CDownloadControl::OnMainWindowCreated(void*) {
    if (IDownloadListView* window = DownloadWnd()) window->ClearTaskLists();
    LoadTasks();
}

void CDownloadControl::OnDeleteDownloads(void* data) {
    if (data && m_pStore) m_pStore->DeleteTasks(*static_cast<std::vector<DOWNLOAD_LIST_ITEM>*>(data));
}

void CDownloadControl::OnAddDownloads(void* data) {
    // The request's vector is ours on every road.
    std::unique_ptr<std::vector<DOWNLOAD_LIST_ITEM>> items(static_cast<std::vector<DOWNLOAD_LIST_ITEM>*>(data));
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    if (!items || !main) return;
    if (IPlayDialogView* play = main->GetDlgPlay()) play->ShowDownloadView(true, true);
    AddTasks(*items);
}

void CDownloadControl::OnPauseDownload(void* data) {
    if (data)
        m_pScheduler->Stop(
            KeyOf(static_cast<DOWNLOAD_LIST_ITEM*>(data)->Task, CUserConfig::GetInstance().GetCurrentUser()));
}

void CDownloadControl::OnStartDownload(void* data) {
    if (data) Start(static_cast<DOWNLOAD_LIST_ITEM*>(data)->Task, true);
}

void CDownloadControl::OnDownloadEnded(void* data) {
    if (data) SaveTasks({*static_cast<DOWNLOAD_LIST_ITEM*>(data)});
    m_pScheduler->OnJobFinished();
}

void CDownloadControl::OnDownloadStarted(void* data) {
    if (data) SaveTasks({*static_cast<DOWNLOAD_LIST_ITEM*>(data)});
}

void CDownloadControl::OnDownloadStopped(void* data) {
    auto* key = static_cast<DOWNLOAD_JOB_KEY*>(data);
    if (key && m_pStore) m_pStore->UpdateDownSize(key->FileID, key->UserName, key->FilePath);
    // A job ended, whatever is known of it: its slot is free.
    m_pScheduler->OnJobFinished();
}

void CDownloadControl::OnGetFileTitle(void* data) {
    auto* path = static_cast<CString*>(data);
    if (!path) return;
    if (m_pStore)
        m_pStore->GetFileTitle(*path);
    else
        *path = GetFileTitleFromPath(*path);
}

void CDownloadControl::AddTasks(std::vector<DOWNLOAD_LIST_ITEM>& items) {
    IDownloadListView* window = DownloadWnd();
    if (!window) return;
    std::vector<DOWNLOAD_LIST_ITEM> toSave;
    std::vector<DOWNLOAD_TASK_INFO> toStart;
    for (DOWNLOAD_LIST_ITEM& item : items) {
        DOWNLOAD_TASK_INFO& task = item.Task;
        // A task without a file name is skipped alone; the rest of the request goes on.
        if (CString(task.FilePath).TrimLeft().IsEmpty()) continue;
        if (IsPlaying(task.FilePath)) {
            MessageBoxW(WindowHandle(), Formatted(L"文件 %s 播放中,不能下载!", task.FilePath), kCaption,
                        MB_OK | MB_ICONINFORMATION);
            continue;
        }
        if (!window->HasTaskRow(task.FileID)) {
            // A new task always starts from byte 0.
            DeleteFileIfExists(task.FilePath + L".temp");
            item.State = DOWNLOAD_STATE_WAITING;
            toSave.push_back(item);
            window->AddTaskRow(item);
            toStart.push_back(task);
            continue;
        }
        switch (window->GetTaskRowState(task.FileID)) {
            case DOWNLOAD_STATE_FINISHED:
                if (MessageBoxW(WindowHandle(), Formatted(L"文件%s已经下载，是否重新下载?", task.FilePath), kCaption,
                                MB_YESNO | MB_ICONINFORMATION) != IDYES)
                    break;
                DeleteFileIfExists(task.FilePath);
                DeleteFileIfExists(task.FilePath + L".temp");
                task.DownSize = 0;
                item.State = DOWNLOAD_STATE_DOWNLOADING;
                toSave.push_back(item);
                window->MoveTaskRow(item, 0);
                toStart.push_back(task);
                break;
            case DOWNLOAD_STATE_PAUSED:
                window->ChangeTaskRowState(task.FileID, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_WAITING);
                Start(task, true);
                break;
        }
    }
    // The new tasks are recorded before any of their jobs can run.
    SaveTasks(toSave);
    for (const DOWNLOAD_TASK_INFO& task : toStart) Start(task, false);
}

void CDownloadControl::LoadTasks() {
    if (!m_pStore) return;
    IDownloadListView* window = DownloadWnd();
    if (!window) return;
    bool autoDownload = CUserConfig::GetInstance().GetDownloadConfig().GetAutoDownload();
    for (DOWNLOAD_LIST_ITEM& item : m_pStore->LoadTasks()) {
        if (item.State != DOWNLOAD_STATE_FINISHED)
            item.State = autoDownload ? DOWNLOAD_STATE_WAITING : DOWNLOAD_STATE_PAUSED;
        window->AddTaskRow(item);
        if (item.State == DOWNLOAD_STATE_WAITING) Start(item.Task, true);
    }
    window->ScrollListsToTop();
}

void CDownloadControl::StopUserTasks(const CString& user) {
    IDownloadListView* window = DownloadWnd();
    if (!window) return;
    std::vector<DOWNLOAD_LIST_ITEM> busy;
    window->GetTasksInState(busy, DOWNLOAD_STATE_DOWNLOADING);
    window->GetTasksInState(busy, DOWNLOAD_STATE_WAITING);
    for (const DOWNLOAD_LIST_ITEM& item : busy) m_pScheduler->Stop(KeyOf(item.Task, user));
    window->ClearTaskLists();
}

void CDownloadControl::SaveTasks(const std::vector<DOWNLOAD_LIST_ITEM>& items) {
    if (!m_pStore || items.empty()) return;
    std::vector<DOWNLOAD_LIST_ITEM> copies = items;
    for (DOWNLOAD_LIST_ITEM& copy : copies) copy.Task.DownSize = GetDownloadedSize(copy.Task.FilePath);
    m_pStore->SaveTasks(copies);
}

void CDownloadControl::Start(const DOWNLOAD_TASK_INFO& task, bool resume) {
    auto job = std::make_unique<CDownloadVedioItem>(task, m_pWnd);
    bool queued = resume ? m_pScheduler->Resume(std::move(job)) : m_pScheduler->Add(std::move(job));
    if (!queued)
        if (IDownloadListView* window = DownloadWnd())
            window->ChangeTaskRowState(task.FileID, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_PAUSED);
}
