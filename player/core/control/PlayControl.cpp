#include "control/PlayControl.h"

#include <afxwin.h>

#include "common/portable/TimeText.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "playlist/PlayOrder.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {

constexpr DWORD kNextGuardMs = 700;

bool FileExists(const CString& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace

CPlayControl::CPlayControl(IMainWindowView* main, CPlayerCore* core)
    : CBaseControl(main ? main->AsWindow() : nullptr, core), m_pMain(main) {}

int CPlayControl::Execute(int code, void* data) {
    CAppFacade& facade = CAppFacade::GetInstance();
    IMainWindowView* main = MainWindow();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    switch (code) {
        case CMD_OPEN_FILE:
            OpenFiles();
            break;
        case CMD_CLOSE_FILE:
            if (main) main->CloseVideo();
            break;
        case CMD_PLAY_PAUSE:
            if (play) play->OnPlayPause();
            break;
        case CMD_STOP:
            Stop();
            break;
        case CMD_TOGGLE_MUTE:
            if (play) play->ToggleMute();
            break;
        case CMD_PLAY_FILE:
            if (data && !PlayFile(*(CString*)data, false)) SkipFailedFile(*(CString*)data);
            break;
        case CMD_CLEAR_PLAY_LIST:
            if (data) facade.ClearPlayList(*(bool*)data);
            break;
        case CMD_PLAY_PREV:
            PlayPrev();
            break;
        case CMD_PLAY_NEXT:
            PlayNext((const bool*)data);
            break;
        case CMD_OPEN_FROM_OTHER_INSTANCE:
            if (data) PlayFile(*(CString*)data, true);
            break;
        case CMD_SET_PLAY_ORDER:
            if (data) SetPlayOrder(*(int*)data);
            break;
    }
    return 0;
}

bool CPlayControl::PlayFile(const CString& path, bool fromOtherInstance) {
    IMainWindowView* main = MainWindow();
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    if (path.IsEmpty() || !play || !dialog) return false;
    CWnd* dialogWindow = dialog->AsWindow();
    if (fromOtherInstance && dialogWindow->IsIconic())
        ::SendMessageW(dialogWindow->GetSafeHwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!FileExists(path)) {
        play->ShowMessage(L"下载文件不存在");
        return false;
    }
    CAppFacade& facade = CAppFacade::GetInstance();
    // A partly rendered file (a success code above 0) plays; only failures stop here.
    if (FAILED(play->OpenFile(path))) {
        main->ClearPlayingMark();
        facade.SetCurrentPath(CString());
        main->RefreshPlayState();
        return false;
    }
    facade.SetCurrentPath(path);
    play->ShowVideoArea(true);
    ResumeSavedPosition(path);

    CString title = facade.GetDisplayTitle(path);
    main->AddPlayListItem(path, title, true);
    main->RefreshPlayState();
    main->SetProgressTitle(title);
    return true;
}

void CPlayControl::ResumeSavedPosition(const CString& path) {
    int position = CAppFacade::GetInstance().GetItemPosition(path);
    if (position == -1) return;
    int progress = 0;
    CString elapsed, total;
    IPlayDialogView* play = MainWindow()->GetDlgPlay();
    play->GetPlayTimes(progress, elapsed, total);
    int seconds = TimeTextToSeconds(
        std::u16string(reinterpret_cast<const char16_t*>(total.GetString()), (size_t)total.GetLength()));
    // A total that cannot be read, or under a second, leaves nothing to resume against.
    if (seconds <= 0) return;
    play->SeekToProgress((int)(1000LL * position / seconds));
}

void CPlayControl::SkipFailedFile(const CString& path) {
    CAppFacade::GetInstance().SetCurrentPath(path);
    bool applyOrder = true;
    PlayNext(&applyOrder);
}

void CPlayControl::PlayNext(const bool* applyOrder) {
    if (applyOrder) {
        DWORD now = GetTickCount();
        if (now - m_lastGuardedNext < kNextGuardMs) return;
        m_lastGuardedNext = now;
    }
    CString next = CAppFacade::GetInstance().GetNextPath(applyOrder && *applyOrder);
    if (next.IsEmpty()) {
        if (applyOrder) Stop();
        return;
    }
    if (!PlayFile(next, false)) SkipFailedFile(next);
}

void CPlayControl::PlayPrev() {
    CString prev = CAppFacade::GetInstance().GetPrevPath();
    if (!prev.IsEmpty() && !PlayFile(prev, false)) SkipFailedFile(prev);
}

void CPlayControl::OpenFiles() {
    CAppFacade& facade = CAppFacade::GetInstance();
    IMainWindowView* main = MainWindow();
    if (facade.IsFullScreen() || !main) return;
    std::vector<CString> paths = main->ShowOpenFileDialog();
    if (paths.empty()) return;
    for (const CString& path : paths) main->AddPlayListItem(path, facade.GetDisplayTitle(path), false);
    if (!PlayFile(paths.front(), false)) facade.SetCurrentPath(paths.front());
}

void CPlayControl::Stop() {
    IMainWindowView* main = MainWindow();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    if (!play) return;
    play->Stop();
    CAppFacade::GetInstance().SetCurrentPath(CString());
    main->RefreshPlayState();
}

void CPlayControl::SetPlayOrder(int order) {
    CAppFacade::GetInstance().ResetRandomPool(order == PLAY_ORDER_RANDOM);
    CUserConfig::GetInstance().GetOtherConfig().SetPlayOrder(order);
}
