// The play dialog's size modes: native, double and fit, and their return on resizing.
#include <afxapp.h>

#include "DlgPlay.h"
#include "VideoFit.h"
#include "common/CommonHelpers.h"

void CDlgPlay::GrowMainWindowFor(int scale) {
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->GetSafeHwnd()) return;
    CRect client, window;
    GetClientRect(&client);
    main->GetWindowRect(&window);
    if (client.Width() < m_lVideoWidth * scale) window.right += m_lVideoWidth * scale - client.Width();
    if (client.Height() < m_lVideoHeight * scale) window.bottom += m_lVideoHeight * scale - client.Height();
    main->MoveWindow(&window);
}

void CDlgPlay::SetVideoScale(int scale, int mode) {
    long width = m_lVideoWidth * scale, height = m_lVideoHeight * scale;
    if (SUCCEEDED(m_pVW->SetWindowPosition(0, 0, width, height))) {
        m_videoSurface.MoveWindow(0, 0, width, height);
        m_nSizeMode = mode;
    }
    CenterVideo();
}

void CDlgPlay::OnNativeSize() {
    if (!m_bGraph || !m_videoSurface.IsWindowVisible() || m_nSizeMode == PLAY_SIZE_NATIVE) return;
    GrowMainWindowFor(1);
    SetVideoScale(1, PLAY_SIZE_NATIVE);
}

void CDlgPlay::OnDoubleSize() {
    if (!m_bGraph || !m_videoSurface.IsWindowVisible() || m_nSizeMode == PLAY_SIZE_DOUBLE) return;
    // Twice: the second pass measures the client area after the first move.
    GrowMainWindowFor(2);
    GrowMainWindowFor(2);
    SetVideoScale(2, PLAY_SIZE_DOUBLE);
}

void CDlgPlay::OnFitSize() {
    if (!m_bGraph) return;
    CRect client;
    GetClientRect(&client);
    VIDEO_FIT fit = FitVideo(client, m_lVideoWidth, m_lVideoHeight);
    m_videoSurface.MoveWindow(&fit.surface);
    if (fit.coversClient)
        FitVideoWindow();
    else
        m_pVW->SetWindowPosition(fit.window.left, fit.window.top, fit.window.Width(), fit.window.Height());
    m_nSizeMode = PLAY_SIZE_FIT;
}

int CDlgPlay::FitVideoWindow() {
    if (m_bNoVideoWindow || !m_pVW) return 1;
    CRect surface;
    m_videoSurface.GetClientRect(&surface);
    HRESULT hr = m_pVW->SetWindowPosition(0, 0, surface.Width(), surface.Height());
    if (FAILED(hr)) DebugTrace(L"Failed to set window position!  hr=0x%x\r\n", hr);
    return hr;
}

void CDlgPlay::CenterVideo() {
    CRect client, surface;
    GetClientRect(&client);
    m_videoSurface.GetWindowRect(&surface);
    int left = (client.Width() - surface.Width()) / 2, top = (client.Height() - surface.Height()) / 2;
    m_videoSurface.MoveWindow(left, top, surface.Width(), surface.Height());
}

void CDlgPlay::OnSize(UINT, int, int) {
    Default();
    if (!m_hWnd) return;
    PlaceMessagePopup();
    CRect client;
    GetClientRect(&client);
    if (m_notPlaying.GetSafeHwnd()) m_notPlaying.MoveWindow(&client);
    if (m_downloadArea.GetSafeHwnd()) m_downloadArea.MoveWindow(&client);
    if (!m_bInitialised || !m_bGraph) return;
    if (m_nSizeMode == PLAY_SIZE_NATIVE || m_nSizeMode == PLAY_SIZE_DOUBLE) {
        int scale = m_nSizeMode == PLAY_SIZE_NATIVE ? 1 : 2;
        if (ClientHolds(client, m_lVideoWidth, m_lVideoHeight, scale)) {
            CenterVideo();
        } else {
            OnFitSize();
            (scale == 1 ? m_bShrunkFromNative : m_bShrunkFromDouble) = 1;
        }
    } else if (m_bShrunkFromNative && ClientHolds(client, m_lVideoWidth, m_lVideoHeight, 1)) {
        m_bShrunkFromNative = 0;
        OnNativeSize();
    } else if (m_bShrunkFromDouble && ClientHolds(client, m_lVideoWidth, m_lVideoHeight, 2)) {
        m_bShrunkFromDouble = 0;
        OnDoubleSize();
    } else {
        OnFitSize();
    }
}
