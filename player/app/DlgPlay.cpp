// The play dialog's window: creation, layout, painting and the panels of the video area.
#include "DlgPlay.h"

#include <afxapp.h>
#include <afxgdi.h>
#include <objidl.h>
#include <gdiplus.h>

#include "PlayDialogHost.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "resource.h"
#include "views/MainDialogView.h"

namespace {
const int kMiddlePanelSize = 380;
const UINT_PTR kNotPlayingId = 3;
const UINT_PTR kDownloadId = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CDlgPlay, CDialog)
ON_WM_SHOWWINDOW()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_RBUTTONDOWN()
ON_COMMAND(ID_PLAY_PAUSE, OnPlayPauseCommand)
ON_COMMAND(ID_PLAY_STOP, OnStop)
ON_COMMAND(ID_SIZE_NATIVE, OnNativeSize)
ON_COMMAND(ID_SIZE_DOUBLE, OnDoubleSize)
ON_COMMAND(ID_SIZE_FIT, OnFitSize)
ON_COMMAND(ID_VIEW_SIMPLEST, OnViewSimplest)
ON_COMMAND(ID_VIEW_COMPACT, OnViewCompact)
ON_COMMAND(ID_VIEW_ALL, OnViewAll)
ON_COMMAND(ID_FULLSCREEN, OnFullScreen)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_DROPFILES, OnDropFiles)
ON_WM_MOVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDlgPlay::CDlgPlay() : CDialog(IDD_DLG_PLAY) { m_downloadWnd.SetViewKind(2); }

CDlgPlay::~CDlgPlay() { ReleaseGraph(); }

BOOL CDlgPlay::Create(CWnd* owner) { return CDialog::Create(IDD_DLG_PLAY, owner); }

bool CDlgPlay::IsMainDialogHidden() {
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    if (!dialog) return false;
    CWnd* window = dialog->AsWindow();
    return dialog->IsInTray() || (window && window->GetSafeHwnd() && ::IsIconic(window->GetSafeHwnd()));
}

void CDlgPlay::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_VIDEO_SURFACE, m_videoSurface); }

BOOL CDlgPlay::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetCurrentDirectoryW(GetProgramFolder());
    m_menu.LoadMenu(IDR_MENU_PLAY);
    CRect client;
    GetClientRect(&client);
    m_notPlaying.Create(nullptr, L"", WS_CHILD | WS_CLIPCHILDREN, client, this, kNotPlayingId);
    m_sizeBar.Create(this);
    m_sizeBar.ShowWindow(SW_HIDE);
    m_downloadWnd.Create(nullptr, L"", WS_CHILD | WS_CLIPCHILDREN, client, this, kDownloadId);
    m_middlePanel.Create(IDD_DLG_MIDDLEAD, this);
    m_middlePanel.ShowWindow(SW_HIDE);
    m_messagePopup.Create(IDD_DLG_MESSAGE, this);
    m_messagePopup.ShowWindow(SW_HIDE);
    DragAcceptFiles(TRUE);
    m_bInitialised = true;
    PlaceMessagePopup();
    return TRUE;
}

void CDlgPlay::SetStopEnabled(bool enabled) {
    if (m_menu.GetSafeHmenu()) m_menu.EnableMenuItem(ID_PLAY_STOP, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CDlgPlay::PlaceMessagePopup() {
    if (!m_bInitialised) return;
    m_sizeBar.HideBar();
    if (!m_messagePopup.GetSafeHwnd()) return;
    CRect dialog, popup;
    GetWindowRect(&dialog);
    m_messagePopup.GetWindowRect(&popup);
    ::SetWindowPos(m_messagePopup.GetSafeHwnd(), nullptr, dialog.right - popup.Width(), dialog.bottom - popup.Height(),
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgPlay::OnMove(int, int) {
    Default();
    PlaceMessagePopup();
}

void CDlgPlay::OnShowWindow(BOOL show, UINT) {
    Default();
    if (!show && m_messagePopup.GetSafeHwnd()) m_messagePopup.ShowWindow(SW_HIDE);
}

BOOL CDlgPlay::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    if (m_videoSurface.GetSafeHwnd() && m_videoSurface.IsWindowVisible()) {
        CRect surface;
        m_videoSurface.GetWindowRect(&surface);
        ScreenToClient(&surface);
        ::ExcludeClipRect(dc->GetSafeHdc(), surface.left, surface.top, surface.right, surface.bottom);
    }
    bool downloads = m_downloadWnd.GetSafeHwnd() && m_downloadWnd.IsWindowVisible();
    Gdiplus::Graphics graphics(dc->GetSafeHdc());
    Gdiplus::SolidBrush brush(Gdiplus::Color(downloads ? 0xFFFFFFFF : 0xFF000000));
    graphics.FillRectangle(&brush, 0, 0, client.Width(), client.Height());
    return TRUE;
}

// Panels of the video area.

void CDlgPlay::HideSizeBars() {
    m_sizeBar.ClearActivity();
    m_sizeBar.HideBar();
}

static void ShowIfCreated(CWnd* window, bool show) {
    if (window && window->GetSafeHwnd()) window->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CDlgPlay::ShowVideoArea(bool video) {
    if (!IsMainDialogHidden()) ShowWindow(SW_SHOW);
    IPlayDialogHost* host = FindPlayDialogHost();
    ShowIfCreated(host ? host->GetWebDialog() : nullptr, false);
    ShowIfCreated(&m_downloadWnd, false);
    if (video) {
        ShowIfCreated(&m_videoSurface, true);
        ShowIfCreated(&m_notPlaying, false);
        return;
    }
    ShowIfCreated(&m_videoSurface, false);
    ShowIfCreated(&m_middlePanel, false);
    if (CAppFacade::GetInstance().GetNextPath(true).IsEmpty()) m_sizeBar.HideBar();
    ShowIfCreated(&m_notPlaying, true);
}

void CDlgPlay::ShowDownloadView(bool show, bool) {
    HideSizeBars();
    ShowIfCreated(&m_messagePopup, false);
    ShowWindow(SW_SHOW);
    if (!show) {
        ShowIfCreated(&m_downloadWnd, false);
        return;
    }
    IPlayDialogHost* host = FindPlayDialogHost();
    ShowIfCreated(host ? host->GetWebDialog() : nullptr, false);
    ShowIfCreated(&m_videoSurface, false);
    ShowIfCreated(&m_middlePanel, false);
    ShowIfCreated(&m_notPlaying, false);
    ShowIfCreated(&m_downloadWnd, true);
}

IDownloadListView* CDlgPlay::GetDownloadWnd() { return m_downloadWnd.GetSafeHwnd() ? &m_downloadWnd : nullptr; }

void CDlgPlay::ShowWebView(const CString& url, bool navigate) {
    HideSizeBars();
    ShowWindow(SW_HIDE);
    if (!CAppFacade::GetInstance().GetMainDialog()) return;
    Pause(false);
    ShowIfCreated(&m_videoSurface, false);
    ShowIfCreated(&m_middlePanel, false);
    ShowIfCreated(&m_notPlaying, false);
    ShowIfCreated(&m_downloadWnd, false);
    IPlayDialogHost* host = FindPlayDialogHost();
    if (!host) return;
    if (navigate) {
        host->NavigateWebDialog(url);
        m_bWebPage = true;
    } else
        ShowIfCreated(host->GetWebDialog(), true);
}

bool CDlgPlay::IsWebViewVisible() {
    IPlayDialogHost* host = FindPlayDialogHost();
    CWnd* web = host ? host->GetWebDialog() : nullptr;
    return web && web->IsWindowVisible();
}

void CDlgPlay::SuspendPanels(bool suspend) {
    HideSizeBars();
    if (suspend) {
        m_bDialogWasVisible = IsWindowVisible() != FALSE;
        m_bMiddleWasVisible = m_middlePanel.IsWindowVisible() != FALSE;
        ShowWindow(SW_HIDE);
        ShowIfCreated(&m_middlePanel, false);
        return;
    }
    if (m_bDialogWasVisible) ShowWindow(SW_SHOW);
    if (m_bMiddleWasVisible) ShowIfCreated(&m_middlePanel, true);
    m_bDialogWasVisible = m_bMiddleWasVisible = false;
}

void CDlgPlay::CenterMiddlePanel() {
    if (!m_middlePanel.GetSafeHwnd() || !m_videoSurface.GetSafeHwnd()) return;
    CRect surface;
    m_videoSurface.GetWindowRect(&surface);
    ScreenToClient(&surface);
    int left = surface.left + (surface.Width() - kMiddlePanelSize) / 2;
    int top = surface.top + (surface.Height() - kMiddlePanelSize) / 2;
    m_middlePanel.MoveWindow(left, top, kMiddlePanelSize, kMiddlePanelSize);
}

void CDlgPlay::ShowMessage(const CString& text) {
    if (!m_messagePopup.GetSafeHwnd()) return;
    m_messagePopup.SetMessage(text);
    m_messagePopup.ShowWindow(SW_SHOWNOACTIVATE);
}

// View modes: the main window's control manager sets them and hands the id back.

void CDlgPlay::OnViewSimplest() {
    if (IPlayDialogHost* host = FindPlayDialogHost()) host->SetViewMode("hide-both");
}
void CDlgPlay::OnViewCompact() {
    if (IPlayDialogHost* host = FindPlayDialogHost()) host->SetViewMode("hide-right");
}
void CDlgPlay::OnViewAll() {
    if (IPlayDialogHost* host = FindPlayDialogHost()) host->SetViewMode("show-both");
}

void CDlgPlay::SetViewModeFromId(const CString& id) {
    if (id == L"show-both")
        m_nViewMode = PLAY_VIEW_ALL;
    else if (id == L"hide-right")
        m_nViewMode = PLAY_VIEW_COMPACT;
    else if (id == L"hide-both")
        m_nViewMode = PLAY_VIEW_SIMPLEST;
}
