#include "DownloadWnd.h"

#include <memory>

#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "downloadwnd/DownloadRowHtml.h"
#include "downloadwnd/DownloadWndCtrlManager.h"
#include "downloadwnd/DownloadWndSystem.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainWindowView.h"

namespace {

constexpr UINT_PTR TIMER_DOWNLOAD_SPEED = 17;
constexpr UINT kSpeedInterval = 3000;
// The largest size WM_DOWNLOAD_STARTED carries: the size is this or more.
constexpr LONGLONG kClampedSize = 0x7FFFFFFF;

using KeyPtr = std::unique_ptr<DOWNLOAD_JOB_KEY>;
using ErrorPtr = std::unique_ptr<DOWNLOAD_ERROR_INFO>;

KeyPtr TakeKey(WPARAM wParam) { return KeyPtr(reinterpret_cast<DOWNLOAD_JOB_KEY*>(wParam)); }
ErrorPtr TakeError(LPARAM lParam) { return ErrorPtr(reinterpret_cast<DOWNLOAD_ERROR_INFO*>(lParam)); }

bool IsCurrentUser(const DOWNLOAD_JOB_KEY& key) { return key.UserName == CUserConfig::GetInstance().GetCurrentUser(); }

void Broadcast(int code, void* data) { CAppFacade::GetInstance().Broadcast(code, data); }

// A job whose row is gone or not this user's: the download control frees its slot.
void ReportStopped(DOWNLOAD_JOB_KEY& key) { Broadcast(CMD_DOWNLOAD_STOPPED, &key); }

}  // namespace

BEGIN_MESSAGE_MAP(CDownloadWnd, CBaseSkinWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(ID_OPEN_FOLDER, OnOpenFolder)
ON_MESSAGE(WM_DOWNLOAD_STARTED, OnDownloadStarted)
ON_MESSAGE(WM_DOWNLOAD_PROGRESS, OnDownloadProgress)
ON_MESSAGE(WM_DOWNLOAD_COMPLETE, OnDownloadComplete)
ON_MESSAGE(WM_DOWNLOAD_PAUSED, OnDownloadPaused)
ON_MESSAGE(WM_DOWNLOAD_CONNECT_FAILED, OnDownloadConnectFailed)
ON_MESSAGE(WM_DOWNLOAD_FAILED, OnDownloadFailed)
END_MESSAGE_MAP()

void CDownloadWnd::CreateCtrlManager() { m_pCtrlManager = new CDownloadWndCtrlManager(this); }

CDownloadWndCtrlManager* CDownloadWnd::Manager() const {
    return dynamic_cast<CDownloadWndCtrlManager*>(m_pCtrlManager);
}

int CDownloadWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CBaseSkinWnd::OnCreate(cs) == -1) return -1;
    // Without its page the window is not created.
    if (!LoadSkinPage(L"download.html", nullptr)) return -1;
    SetTimer(TIMER_DOWNLOAD_SPEED, kSpeedInterval, nullptr);
    return 0;
}

void CDownloadWnd::OnDestroy() {
    KillTimer(TIMER_DOWNLOAD_SPEED);
    CBaseSkinWnd::OnDestroy();
}

void CDownloadWnd::OnTimer(UINT_PTR id) {
    if (id != TIMER_DOWNLOAD_SPEED) {
        CBaseSkinWnd::OnTimer(id);
        return;
    }
    if (CDownloadWndCtrlManager* manager = Manager()) manager->UpdateSpeeds();
}

void CDownloadWnd::OnOpenFolder() {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->OpenContainingFolder();
}

void CDownloadWnd::AddTaskRow(const DOWNLOAD_LIST_ITEM& item) {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->AddTaskRow(item);
}

void CDownloadWnd::ClearTaskLists() {
    if (CDownloadWndCtrlManager* manager = Manager()) {
        manager->ClearList(DOWNLOADING_LIST);
        manager->ClearList(DOWNLOADED_LIST);
    }
}

bool CDownloadWnd::HasTaskRow(int fileId) {
    CDownloadWndCtrlManager* manager = Manager();
    return manager && manager->HasTaskRow(fileId);
}

int CDownloadWnd::GetTaskRowState(int fileId) {
    CDownloadWndCtrlManager* manager = Manager();
    return manager ? manager->GetTaskRowState(fileId) : 0;
}

void CDownloadWnd::ChangeTaskRowState(int fileId, int from, int to) {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->ChangeTaskRowState(fileId, from, to);
}

void CDownloadWnd::MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) {
    CDownloadWndCtrlManager* manager = Manager();
    if (!manager) return;
    manager->DeleteTaskRow(item.Task.FileID);
    item.State = list == DOWNLOADED_LIST ? DOWNLOAD_STATE_FINISHED : DOWNLOAD_STATE_WAITING;
    manager->AddTaskRow(item);
}

void CDownloadWnd::GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->GetTasksInState(items, state);
}

void CDownloadWnd::ScrollListsToTop() {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->ScrollListsToTop();
}

void CDownloadWnd::ClearShutdownChoice() {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->ClearShutdownChoice();
}

void CDownloadWnd::SelectDownloadingTab() {
    if (CDownloadWndCtrlManager* manager = Manager()) manager->SelectDownloadingTab();
}

bool CDownloadWnd::IsShutdownWhenComplete() {
    CDownloadWndCtrlManager* manager = Manager();
    if (!manager || !manager->IsShutdownChecked()) return false;
    std::vector<DOWNLOAD_LIST_ITEM> busy;
    manager->GetTasksInState(busy, DOWNLOAD_STATE_DOWNLOADING);
    manager->GetTasksInState(busy, DOWNLOAD_STATE_WAITING);
    return busy.empty();
}

void CDownloadWnd::AddDownloadedToPlayList(const CString& path) {
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    if (!main) return;
    CString title = path;
    Broadcast(CMD_GET_FILE_TITLE, &title);
    main->AddPlayListItem(path, title, false);
    main->RefreshPlayState();
}

void CDownloadWnd::ShutdownIfComplete() {
    if (IsShutdownWhenComplete()) ShutdownWindows();
}

LRESULT CDownloadWnd::OnDownloadStarted(WPARAM wParam, LPARAM lParam) {
    CDownloadWndCtrlManager* manager = Manager();
    if (!manager) return 1;
    int fileId = (int)wParam;
    int before = manager->GetTaskRowState(fileId);
    if (manager->HasTaskRow(fileId)) {
        manager->ChangeTaskRowState(fileId, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING);
        // A size of 2 GiB or more arrives cut short: the row's own figure is kept then.
        LONGLONG total = (LONGLONG)lParam;
        LONGLONG known = manager->GetTaskItem(fileId).Task.FileSize;
        if (total < kClampedSize || known < kClampedSize) manager->SetTaskTotalSize(fileId, total);
        if (before == DOWNLOAD_STATE_WAITING) manager->ResetSpeedText(fileId);
        DOWNLOAD_LIST_ITEM item = manager->GetTaskItem(fileId);
        Broadcast(CMD_DOWNLOAD_STARTED, &item);
    }
    manager->UpdateCounters();
    return 0;
}

LRESULT CDownloadWnd::OnDownloadProgress(WPARAM wParam, LPARAM) {
    KeyPtr key = TakeKey(wParam);
    CDownloadWndCtrlManager* manager = Manager();
    if (!key || !IsCurrentUser(*key) || !manager) return 0;
    int fileId = key->FileID;
    int state = manager->GetTaskRowState(fileId);
    if (state == DOWNLOAD_STATE_WAITING) {
        manager->ChangeTaskRowState(fileId, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING);
        manager->SetStatusText(fileId, L"");
    } else if (state == DOWNLOAD_STATE_DOWNLOADING) {
        manager->SetStatusText(fileId, L"下载中");
    }
    // The key carries both sizes in full, also from 2 GiB on.
    if (key->FileSize > 0 && key->FileSize != manager->GetTaskItem(fileId).Task.FileSize)
        manager->SetTaskTotalSize(fileId, key->FileSize);
    manager->SetTaskProgress(fileId, key->DownSize);
    manager->AddTransferredBytes(fileId, (DWORD)key->Bytes);
    return 0;
}

LRESULT CDownloadWnd::OnDownloadComplete(WPARAM wParam, LPARAM) {
    KeyPtr key = TakeKey(wParam);
    if (!key) return 0;
    CDownloadWndCtrlManager* manager = Manager();
    if (!IsCurrentUser(*key) || !manager || !manager->HasTaskRow(key->FileID)) {
        // A deleted row keeps its ".temp" and gets no new row.
        ReportStopped(*key);
        return 0;
    }
    FinishDownload(*key);
    return 0;
}

void CDownloadWnd::FinishDownload(const DOWNLOAD_JOB_KEY& key) {
    CDownloadWndCtrlManager* manager = Manager();
    int fileId = key.FileID;
    DOWNLOAD_LIST_ITEM item = manager->GetTaskItem(fileId);
    // One move replaces a file of the final name: a failure leaves that file in place.
    if (!MoveFileExW(key.FilePath + L".temp", key.FilePath, MOVEFILE_REPLACE_EXISTING)) {
        DWORD error = GetLastError();
        manager->ChangeTaskRowState(fileId, item.State, DOWNLOAD_STATE_PAUSED);
        CString status;
        status.Format(L"重命名文件失败(%lu)", error);
        manager->SetStatusText(fileId, status);
        manager->UpdateCounters();
        DOWNLOAD_LIST_ITEM paused = manager->GetTaskItem(fileId);
        Broadcast(CMD_DOWNLOAD_FAILED, &paused);
        return;
    }
    MoveTaskRow(item, DOWNLOADED_LIST);
    Broadcast(CMD_DOWNLOAD_COMPLETE, &item);
    manager->UpdateCounters();
    if (CUserConfig::GetInstance().GetDownloadConfig().AutoAdd2PlayList) AddDownloadedToPlayList(key.FilePath);
    if (IsShutdownWhenComplete()) {
        CAppFacade::GetInstance().PrepareShutdown();
        ShutdownWindows();
    }
}

bool CDownloadWnd::HandleJobStopped(WPARAM wParam, LPARAM lParam) {
    KeyPtr key = TakeKey(wParam);
    ErrorPtr error = TakeError(lParam);
    if (!key) return false;
    CDownloadWndCtrlManager* manager = Manager();
    if (!IsCurrentUser(*key) || !manager) {
        ReportStopped(*key);
        return false;
    }
    int fileId = key->FileID;
    if (manager->HasTaskRow(fileId)) {
        DOWNLOAD_LIST_ITEM item = manager->GetTaskItem(fileId);
        manager->ChangeTaskRowState(fileId, item.State, DOWNLOAD_STATE_PAUSED);
        if (error) manager->SetStatusText(fileId, error->GetText());
        Broadcast(CMD_DOWNLOAD_FAILED, &item);
    } else {
        Broadcast(CMD_DOWNLOAD_FAILED, nullptr);
    }
    manager->UpdateCounters();
    return true;
}

LRESULT CDownloadWnd::OnDownloadPaused(WPARAM wParam, LPARAM lParam) {
    HandleJobStopped(wParam, lParam);
    return 0;
}

LRESULT CDownloadWnd::OnDownloadConnectFailed(WPARAM wParam, LPARAM lParam) {
    if (HandleJobStopped(wParam, lParam)) ShutdownIfComplete();
    return 0;
}

LRESULT CDownloadWnd::OnDownloadFailed(WPARAM wParam, LPARAM lParam) {
    if (HandleJobStopped(wParam, lParam)) ShutdownIfComplete();
    return 0;
}

void CDownloadWnd::RefreshForUser() {
    if (m_pCtrlManager) m_pCtrlManager->RefreshElements();
}
