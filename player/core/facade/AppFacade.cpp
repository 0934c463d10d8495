#include "facade/AppFacade.h"

#include <afxwin.h>
#include <shlwapi.h>

#include "account/LoginSession.h"
#include "config/UserConfig.h"
#include "control/PlayControl.h"
#include "control/WebControl.h"
#include "download/DownloadControl.h"
#include "facade/CommandCodes.h"
#include "model/DataModel.h"
#include "playlist/PlayList.h"
#include "views/DownloadListView.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Shortcuts of WM_KEYDOWN; -1 when the key goes on to the common handling.
int HandleKeyDown(CAppFacade& facade, IMainWindowView& main, WPARAM key) {
    bool ctrl = KeyDown(VK_CONTROL);
    switch (key) {
        case VK_TAB:
            if (!facade.IsFullScreen()) main.CycleViewMode();
            return 1;
        case VK_RETURN:
            main.ToggleFullScreen();
            return -1;
        case VK_ESCAPE:
            if (!facade.IsFullScreen()) return -1;
            main.ToggleFullScreen();
            return 1;
        case VK_SPACE:
            main.TogglePlayPause();
            return 1;
        case VK_UP:
            main.VolumeUp();
            return 1;
        case VK_DOWN:
            main.VolumeDown();
            return 1;
        case VK_F1:
            main.OnHelpOnline();
            return 1;
    }
    if (!ctrl) return -1;
    switch (key) {
        case VK_PRIOR:
            facade.Broadcast(CMD_PLAY_PREV, nullptr);
            return 1;
        case VK_NEXT:
            facade.Broadcast(CMD_PLAY_NEXT, nullptr);
            return 1;
        case 'M':
            main.MuteSound();
            return 1;
        case 'O':
            facade.Broadcast(CMD_OPEN_FILE, nullptr);
            return 1;
        case 'S':
            main.StopPlay();
            return 1;
    }
    return -1;
}

// Shortcuts of WM_SYSKEYDOWN (Alt held); -1 when the key goes on.
int HandleSysKeyDown(IMainWindowView& main, WPARAM key) {
    if (!KeyDown(VK_MENU)) return -1;
    switch (key) {
        case '1':
        case VK_NUMPAD1:
            main.SetVideoSizeOriginal();
            return 1;
        case '2':
        case VK_NUMPAD2:
            main.SetVideoSizeDouble();
            return 1;
        case 'O':
            main.ShowSettingsDialog();
            return 1;
    }
    return -1;
}

}  // namespace

CAppFacade& CAppFacade::GetInstance() {
    static CAppFacade instance;
    return instance;
}

CAppFacade::CAppFacade() : m_pCore(new CPlayerCore) {}

CAppFacade::~CAppFacade() {
    for (auto& entry : m_controls) {
        delete entry.second;
        entry.second = nullptr;
    }
    m_pCore.reset();
}

bool CAppFacade::IsFullScreen() const { return m_pCore && m_pCore->FullScreen; }

void CAppFacade::SetFullScreen(bool fullScreen) {
    if (m_pCore) m_pCore->FullScreen = fullScreen;
}

int CAppFacade::GetPlayState() const { return m_pCore ? m_pCore->PlayState : PLAY_STATE_NONE; }

void CAppFacade::SetPlayState(int state) {
    if (m_pCore) m_pCore->PlayState = state;
}

IMainWindowView* CAppFacade::GetMainWnd() const { return m_pMainDialog ? m_pMainDialog->GetMainWindow() : nullptr; }

IDownloadListView* CAppFacade::GetDownloadWnd() const {
    IMainWindowView* main = GetMainWnd();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    return play ? play->GetDownloadWnd() : nullptr;
}

void CAppFacade::CreateControls() {
    IMainWindowView* main = GetMainWnd();
    if (!main) return;
    RegisterControl(CONTROL_PLAY, new CPlayControl(main, m_pCore.get()));
    RegisterControl(CONTROL_WEB, new CWebControl(main->AsWindow(), m_pCore.get()));
    // Starts the download workers.
    if (IDownloadListView* downloads = GetDownloadWnd())
        RegisterControl(CONTROL_DOWNLOAD, new CDownloadControl(downloads, m_pCore.get()));
}

std::unique_ptr<CLoginSession> CAppFacade::CreateLoginSession() {
    return m_pCore ? m_pCore->GetDataModel()->CreateLoginSession() : nullptr;
}

void CAppFacade::SetCurrentAccount(LOGIN_ACCOUNT* account, const CString& token) {
    m_pAccount = account;
    m_strToken = token;
}

bool CAppFacade::RegisterControl(int id, CBaseControl* control) {
    if (!control) return false;
    if (!m_controls.emplace(id, control).second) {
        delete control;
        return false;
    }
    return true;
}

void CAppFacade::Broadcast(int code, void* data) {
    for (auto& entry : m_controls)
        if (entry.second) entry.second->Execute(code, data);
}

CString CAppFacade::GetDisplayTitle(const CString& path) {
    CString title = path;
    Broadcast(CMD_GET_FILE_TITLE, &title);
    return title;
}

CPlayList* CAppFacade::PlayList() const { return m_pCore ? m_pCore->GetPlayList() : nullptr; }

void CAppFacade::AddItem(const CString& path) {
    if (CPlayList* list = PlayList()) list->AddItem(path, false);
}

void CAppFacade::RemoveItem(const CString& path) {
    if (CPlayList* list = PlayList()) list->RemoveItem(path);
}

void CAppFacade::SwapItems(const CString& first, const CString& second) {
    if (CPlayList* list = PlayList()) list->SwapItems(first, second);
}

int CAppFacade::ReorderItems(const CStringArray* paths) {
    CPlayList* list = PlayList();
    return list ? list->ReorderItems(paths) : 0;
}

void CAppFacade::MoveItem(const CString& path, int index) {
    IMainWindowView* main = GetMainWnd();
    CPlayList* list = PlayList();
    if (!main || !list) return;
    list->MoveItem(path, index);
    main->RefreshPlayState();
}

void CAppFacade::ClearPlayList(bool) {
    if (CPlayList* list = PlayList()) list->Clear();
}

std::unique_ptr<CStringArray> CAppFacade::GetPlayListPaths(bool reload) {
    CPlayList* list = PlayList();
    if (!list) return nullptr;
    if (reload) list->Load();
    return list->GetPaths();
}

CString CAppFacade::GetCurrentPath() const {
    CPlayList* list = PlayList();
    return list ? list->GetCurrentPath() : CString();
}

void CAppFacade::SetCurrentPath(const CString& path) {
    if (CPlayList* list = PlayList()) list->SetCurrentPath(path);
}

CString CAppFacade::GetFirstItemPath() const {
    CPlayList* list = PlayList();
    return list ? list->GetFirstPath() : CString();
}

CString CAppFacade::GetLastItemPath() const {
    CPlayList* list = PlayList();
    return list ? list->GetLastPath() : CString();
}

CString CAppFacade::GetPrevPath() const {
    CPlayList* list = PlayList();
    return list ? list->GetPrevPath() : CString();
}

CString CAppFacade::GetNextPath(bool applyOrder) {
    CPlayList* list = PlayList();
    return list ? list->GetNextPath(applyOrder) : CString();
}

CString CAppFacade::GetLastPlayedPath() const {
    CPlayList* list = PlayList();
    return list ? list->GetLastPlayedPath() : CString();
}

bool CAppFacade::IsFirstItem() const {
    CPlayList* list = PlayList();
    return !list || list->IsFirstItem();
}

bool CAppFacade::IsLastItem() const {
    CPlayList* list = PlayList();
    return !list || list->IsLastItem();
}

void CAppFacade::SetItemPlayTime(const CString& path, __int64 time) {
    if (CPlayList* list = PlayList()) list->SetItemPlayTime(path, time);
}

void CAppFacade::SetItemPosition(const CString& path, int seconds) {
    if (CPlayList* list = PlayList()) list->SetItemPosition(path, seconds);
}

int CAppFacade::GetItemPosition(const CString& path) const {
    CPlayList* list = PlayList();
    return list ? list->GetItemPosition(path) : -1;
}

void CAppFacade::ResetRandomPool(bool refill) {
    if (CPlayList* list = PlayList()) list->ResetRandomPool(refill);
}

void CAppFacade::SavePlayList() {
    if (CPlayList* list = PlayList()) list->Save();
}

void CAppFacade::SortPaths(std::vector<CString>& paths, int first, int last) {
    int size = (int)paths.size();
    if (first >= last || first < 0 || last < 0 || first >= size || last >= size) return;
    CString pivot = paths[first];
    int i = first, j = last;
    while (i != j) {
        while (i < j && StrCmpLogicalW(paths[j], pivot) >= 0) --j;
        paths[i] = paths[j];
        while (i < j && StrCmpLogicalW(paths[i], pivot) <= 0) ++i;
        paths[j] = paths[i];
    }
    paths[i] = pivot;
    SortPaths(paths, first, i - 1);
    SortPaths(paths, i + 1, last);
}

int CAppFacade::HandleHotKey(const MSG* message) {
    IMainDialogView* dialog = m_pMainDialog;
    if (!message || !dialog || dialog->AsWindow()->IsIconic() || dialog->IsInTray()) return 0;
    IMainWindowView* main = GetMainWnd();
    if (!main) return 0;

    int result = -1;
    if (message->message == WM_KEYDOWN)
        result = HandleKeyDown(*this, *main, message->wParam);
    else if (message->message == WM_SYSKEYDOWN)
        result = HandleSysKeyDown(*main, message->wParam);
    if (result >= 0) return result;

    if (main->IsWebViewVisible()) return 0;
    if (message->message == WM_MOUSEWHEEL) {
        main->ChangeVolumeByWheel((INT32)message->wParam > 0xFFFF);
        return 1;
    }
    return 0;
}

int CAppFacade::PrepareShutdown() {
    IMainWindowView* main = GetMainWnd();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    if (!play) return 0;
    play->SavePlayPosition();
    SavePlayList();
    CUserConfig::GetInstance().Save(true);
    Broadcast(CMD_APP_EXIT, nullptr);
    return 1;
}
