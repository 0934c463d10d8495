// The play dialog's filter graph: creation and release, rendering, run, pause, stop,
// seeking, play times and volume.
#include <ctime>

#include "DlgPlay.h"
#include "DlgPlayCtrl.h"
#include "PlayDialogHost.h"
#include "PlayTimes.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainDialogView.h"

namespace {

template <class T>
void ReleaseAndNull(T*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

COtherConfig& PlaySettings() { return CUserConfig::GetInstance().GetOtherConfig(); }

// The platform's graph may finish StopWhenReady on a thread of its own; a run started
// before that stop lands would be stopped by it. The stop follows the pause closely:
// short steps keep the first frame from waiting on the poll.
void WaitUntilStopped(IMediaControl* control) {
    const DWORD kLimitMs = 1000, kStepMs = 2;
    const DWORD start = ::GetTickCount();
    do {
        OAFilterState state = State_Running;
        if (control->GetState(kStepMs, &state) == S_OK && state == State_Stopped) return;
        ::Sleep(kStepMs);
    } while (::GetTickCount() - start < kLimitMs);
}

void BroadcastPlayNext() {
    bool applyOrder = true;
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_NEXT, &applyOrder);
}

}  // namespace

int CDlgPlay::CreateGraph() {
    HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC, IID_IGraphBuilder, (void**)&m_pGB);
    if (FAILED(hr)) {
        DebugTrace(
            L"FAILED(0x%x) CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC, IID_IGraphBuilder, (void "
            L"**)&m_pGB)\n",
            hr);
        ReleaseGraph();
        return hr;
    }
    struct Step {
        REFIID iid;
        void** out;
        LPCWSTR trace;
    };
    const Step steps[] = {
        {IID_IBasicAudio, (void**)&m_pBA, L"FAILED(0x%x) m_pGB->QueryInterface(IID_IBasicAudio, (void **)&m_pBA)\n"},
        {IID_IBasicVideo, (void**)&m_pBV, L"FAILED(0x%x) m_pGB->QueryInterface(IID_IBasicVideo, (void **)&m_pBV)\n"},
        {IID_IMediaControl, (void**)&m_pMC,
         L"FAILED(0x%x) m_pGB->QueryInterface(IID_IMediaControl, (void **)&m_pMC)\n"},
        {IID_IMediaSeeking, (void**)&m_pMS,
         L"FAILED(0x%x) m_pGB->QueryInterface(IID_IMediaSeeking, (void **)&m_pMS)\n"},
        {IID_IVideoWindow, (void**)&m_pVW, L"FAILED(0x%x) m_pGB->QueryInterface(IID_IVideoWindow, (void **)&m_pVW)\n"},
        {IID_IMediaEventEx, (void**)&m_pME,
         L"FAILED(0x%x) m_pGB->QueryInterface(IID_IMediaEventEx, (void **)&m_pME)\n"},
    };
    for (const Step& step : steps) {
        hr = m_pGB->QueryInterface(step.iid, step.out);
        if (FAILED(hr)) {
            DebugTrace(step.trace, hr);
            ReleaseGraph();
            return hr;
        }
    }
    m_bNoVideoWindow = 0;
    m_bGraph = 1;
    return 0;
}

int CDlgPlay::ReleaseGraph() {
    HRESULT hr = Stop();
    if (FAILED(hr)) {
        DebugTrace(L"FAILED(0x%x) StopMedia()\n", hr);
    } else if (m_pME) {
        hr = m_pME->SetNotifyWindow((OAHWND) nullptr, 0, 0);
        if (FAILED(hr)) {
            DebugTrace(L"FAILED(0x%x) m_pME->SetNotifyWindow((OAHWND)NULL, 0, 0)\n", hr);
        } else if (m_pVW) {
            hr = m_pVW->put_Visible(OAFALSE);
            if (FAILED(hr))
                DebugTrace(L"FAILED(0x%x) m_pVW->put_Visible(OAFALSE)\n", hr);
            else if (FAILED(hr = m_pVW->put_Owner((OAHWND) nullptr)))
                DebugTrace(L"FAILED(0x%x) m_pVW->put_Owner(NULL)\n", hr);
        }
    }
    ReleaseAndNull(m_pBA);
    ReleaseAndNull(m_pBV);
    ReleaseAndNull(m_pMC);
    ReleaseAndNull(m_pMS);
    ReleaseAndNull(m_pVW);
    ReleaseAndNull(m_pME);
    ReleaseAndNull(m_pGB);
    m_bGraph = 0;
    return 0;
}

int CDlgPlay::RenderFile(const CString& path) {
    // Without a graph (its creation failed) the file cannot render.
    if (!m_pGB) return E_POINTER;
    HRESULT hr = m_pGB->RenderFile(path, nullptr);
    if (FAILED(hr)) {
        DebugTrace(L"*** Failed(%08lx) in RenderFile(%s)!\r\n", hr, (LPCWSTR)path);
        return hr;
    }
    SetVolume(PlaySettings().Mute ? 0 : PlaySettings().Volume);
    if (FAILED(m_pVW->put_MessageDrain((OAHWND)m_hWnd))) m_bNoVideoWindow = 1;
    m_pME->SetNotifyWindow((OAHWND)m_hWnd, WM_GRAPH_NOTIFY, 0);
    HRESULT result = m_pBV->GetVideoSize(&m_lVideoWidth, &m_lVideoHeight);
    if (!m_bNoVideoWindow) {
        if (FAILED(m_pVW->put_Owner((OAHWND)m_videoSurface.GetSafeHwnd()))) return 1;
        if (FAILED(m_pVW->put_WindowStyle(WS_CHILD))) return 1;
        if (FAILED(m_pVW->put_Visible(OAFALSE))) return 1;
        OnFitSize();
        if (FAILED(m_pVW->put_Visible(OATRUE))) return 1;
        if (FAILED(m_pVW->SetWindowForeground(OATRUE))) return 1;
    }
    CAppFacade::GetInstance().SetPlayState(PLAY_STATE_STOPPED);
    if (m_bInitialised) SetStopEnabled(false);
    return result;
}

int CDlgPlay::OpenFile(const CString& path) {
    if (ReleaseGraph() == 0) CreateGraph();
    int result = RenderFile(path);
    if (result < 0) {
        ::MessageBeep(0);
        ShowMessage(L"打开视频文件格式错误！");
        ReleaseGraph();
    } else {
        m_pMC->StopWhenReady();
        WaitUntilStopped(m_pMC);
        Run(path);
        SetFocus();
    }
    return result;
}

int CDlgPlay::Run(const CString& path) {
    if (m_middlePanel.GetSafeHwnd()) m_middlePanel.ShowWindow(SW_HIDE);
    CAppFacade& facade = CAppFacade::GetInstance();
    CString target = path.IsEmpty() ? facade.GetCurrentPath() : path;
    if (!m_pMC) {
        OpenFile(target);
        return 0;
    }
    HRESULT hr = m_pMC->Run();
    if (FAILED(hr)) {
        DebugTrace(L"\r\n*** Failed(%08lx) in Run()!\r\n", hr);
        return hr;
    }
    if (!target.IsEmpty()) facade.SetItemPlayTime(target, (__int64)std::time(nullptr));
    facade.SetPlayState(PLAY_STATE_PLAYING);
    SetStopEnabled(true);
    if (IPlayDialogHost* host = FindPlayDialogHost()) host->OnPlayStarted();
    return hr;
}

int CDlgPlay::Pause(bool showMiddlePanel) {
    CAppFacade& facade = CAppFacade::GetInstance();
    if (!m_pMC || facade.GetPlayState() != PLAY_STATE_PLAYING) return 0;
    HRESULT hr = m_pMC->Pause();
    if (FAILED(hr)) {
        DebugTrace(L"\r\n*** Failed(%08lx) in Pause()!\r\n", hr);
        return hr;
    }
    SavePlayPosition();
    facade.SetPlayState(PLAY_STATE_PAUSED);
    SetStopEnabled(true);
    if (IPlayDialogHost* host = FindPlayDialogHost()) host->OnPlayPaused();
    if (showMiddlePanel && m_middlePanel.GetSafeHwnd()) {
        CenterMiddlePanel();
        m_middlePanel.ShowWindow(SW_SHOW);
    }
    return hr;
}

void CDlgPlay::OnPlayPause() {
    CAppFacade& facade = CAppFacade::GetInstance();
    switch (facade.GetPlayState()) {
        case PLAY_STATE_STOPPED:
        case PLAY_STATE_PAUSED:
            Run(L"");
            break;
        case PLAY_STATE_PLAYING:
            Pause(true);
            break;
        default:
            break;
    }
    if (!facade.IsFullScreen()) return;
    IPlayDialogHost* host = FindPlayDialogHost();
    if (CDlgPlayCtrl* bar = host ? host->GetPlayCtrlBar() : nullptr) bar->RefreshButtons();
}

int CDlgPlay::Stop() {
    CAppFacade& facade = CAppFacade::GetInstance();
    int state = facade.GetPlayState();
    if (!m_pMC || state == PLAY_STATE_NONE || state == PLAY_STATE_STOPPED) return 0;
    if (state == PLAY_STATE_PLAYING) SavePlayPosition();
    HRESULT hr = m_pMC->Stop();
    if (FAILED(hr)) {
        DebugTrace(L"\r\n*** Failed(%08lx) in Stop()!\r\n", hr);
        return hr;
    }
    OAFilterState filterState;
    hr = m_pMC->GetState(500, &filterState);
    if (FAILED(hr)) DebugTrace(L"Failed to read graph state!  hr=0x%x\r\n", hr);
    SetStopEnabled(false);
    facade.SetPlayState(PLAY_STATE_STOPPED);
    if (facade.GetMainWnd()) {
        SeekToProgress(0);
        if (IPlayDialogHost* host = FindPlayDialogHost()) host->OnPlayStopped();
    }
    if (ReleaseGraph() != 0) return 0;
    return CreateGraph();
}

void CDlgPlay::OnStop() {
    int state = CAppFacade::GetInstance().GetPlayState();
    if (state == PLAY_STATE_NONE || state == PLAY_STATE_STOPPED || !m_bGraph) return;
    Stop();
    // A failed creation of the new graph leaves nothing to rewind.
    if (m_pMS && m_pMC) {
        LONGLONG start = 0;
        HRESULT hr = m_pMS->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        if (FAILED(hr))
            DebugTrace(L"Failed to seek to beginning of media!  hr=0x%x\r\n", hr);
        else
            hr = m_pMC->StopWhenReady();
        if (FAILED(hr)) DebugTrace(L"Failed in StopWhenReady!  hr=0x%x\r\n", hr);
    }
    m_sizeBar.HideBar();
}

void CDlgPlay::SeekToProgress(int progress) {
    if (!m_pMC) return;
    if (progress == PROGRESS_SCALE) {
        BroadcastPlayNext();
    } else {
        OAFilterState filterState;
        m_pMC->GetState(0, &filterState);
        LONGLONG target = progress;
        LONGLONG duration = 0;
        if (target < 0) {
            target = 0;
        } else {
            m_pMS->GetDuration(&duration);
            target = (LONGLONG)((double)progress / PROGRESS_SCALE * (double)duration);
        }
        m_pMS->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        // Only a known duration has an end to reach; the rewind to 0 never plays on.
        if (duration > 0 && progress > 0 && target == duration) BroadcastPlayNext();
    }
    CString elapsed, total;
    if (CAppFacade::GetInstance().GetPlayState() != PLAY_STATE_NONE) {
        int position = 0;
        GetPlayTimes(position, elapsed, total);
    }
    if (IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog()) {
        dialog->SetSeekElapsed(elapsed);
        dialog->SetSeekTotal(total);
    }
    IPlayDialogHost* host = FindPlayDialogHost();
    if (CDlgPlayCtrl* bar = host ? host->GetPlayCtrlBar() : nullptr) bar->SetTimeText(elapsed, total);
}

void CDlgPlay::GetPlayTimes(int& progress, CString& elapsed, CString& total) {
    if (!m_bGraph || !m_pMS) {
        elapsed = total = L"00:00:00";
        progress = 0;
        return;
    }
    progress = 0;
    LONGLONG position = 0, duration = 0;
    if (FAILED(m_pMS->GetCurrentPosition(&position))) position = 0;
    if (FAILED(m_pMS->GetDuration(&duration))) duration = 0;
    if (duration == 0) return;
    progress = (int)(position * PROGRESS_SCALE / duration);
    GUID format = GUID_NULL;
    m_pMS->GetTimeFormat(&format);
    if (format == TIME_FORMAT_MEDIA_TIME) {
        elapsed = FormatMediaTime(position);
        total = FormatMediaTime(duration);
    } else if (format == TIME_FORMAT_FRAME) {
        elapsed.Format(L"%I64d", position);
        total.Format(L"-%I64d", duration);
    }
}

void CDlgPlay::SavePlayPosition() {
    int progress = 0;
    CString elapsed, total;
    GetPlayTimes(progress, elapsed, total);
    int seconds = TimeTextToSeconds(elapsed);
    CAppFacade& facade = CAppFacade::GetInstance();
    CString path = facade.GetCurrentPath();
    if (seconds >= 0 && !path.IsEmpty()) facade.SetItemPosition(path, elapsed == total ? 0 : seconds);
}

void CDlgPlay::SetVolume(int value) {
    WORD volume = (WORD)(value < 0 ? 0 : value > 100 ? 100 : value);
    COtherConfig& settings = PlaySettings();
    if (!settings.Mute) settings.Volume = volume;
    long current = 0;
    if (m_pBA && SUCCEEDED(m_pBA->get_Volume(&current))) m_pBA->put_Volume(VolumeToLevel(volume));
}

void CDlgPlay::ToggleMute() {
    COtherConfig& settings = PlaySettings();
    settings.Mute = !settings.Mute;
    SetVolume(settings.Mute ? 0 : settings.Volume);
}
