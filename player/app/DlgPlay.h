// The playback dialog inside the main window: it owns the filter graph every file plays
// through, the video surface the graph's video window sits on and the panels that take
// the video area's place.
#pragma once

#include <afxdialog.h>
#include <afxmenu.h>
#include <dshow.h>

#include "DShowStatic.h"
#include "DlgPlaySize.h"
#include "DownloadWnd.h"
#include "NotPlayingWnd.h"
#include "dialog/DlgMessage.h"
#include "views/PlayDialogView.h"
#include "web/HtmlPanels.h"

// Size and view modes are the context menu's command ids.
enum {
    PLAY_SIZE_NATIVE = 32774,
    PLAY_SIZE_DOUBLE = 32775,
    PLAY_SIZE_FIT = 32776,
    PLAY_VIEW_COMPACT = 32778,
    PLAY_VIEW_SIMPLEST = 32779,
    PLAY_VIEW_ALL = 32780,
};

const UINT_PTR TIMER_HIDE_CURSOR = 9;

class CDlgPlay : public CDialog, public IPlayDialogView {
public:
    CDlgPlay();
    ~CDlgPlay() override;

    // A pop-up owned by the main window (template 130).
    BOOL Create(CWnd* owner);

    // IPlayDialogView
    CWnd* AsWindow() override { return this; }
    IDownloadListView* GetDownloadWnd() override;
    void SavePlayPosition() override;
    void ShowDownloadView(bool show, bool selectTab) override;
    int OpenFile(const CString& path) override;
    int Stop() override;
    void OnPlayPause() override;
    void ToggleMute() override;
    void SeekToProgress(int progress) override;
    void GetPlayTimes(int& progress, CString& elapsed, CString& total) override;
    void ShowMessage(const CString& text) override;
    void ShowVideoArea(bool video) override;
    void ShowWebView(const CString& url, bool navigate) override;
    bool HasWebPage() override { return m_bWebPage; }
    void ClearWebPage() override { m_bWebPage = false; }
    bool IsWebViewVisible() override;
    bool IsVideoSurfaceVisible() override { return m_videoSurface.IsWindowVisible() != FALSE; }
    int Pause(bool showMiddlePanel) override;
    // Volume 0..100 (values outside are taken as the nearest end).
    void SetVolume(int volume) override;
    void CenterMiddlePanel() override;
    void SetViewModeFromId(const CString& id) override;
    void UpdateCursorTimer() override;
    void SetVideoSizeOriginal() override { OnNativeSize(); }
    void SetVideoSizeDouble() override { OnDoubleSize(); }

    // "" runs the play list's current item.
    int Run(const CString& path);
    void SuspendPanels(bool suspend);

    // Menu commands (also the size bar's buttons).
    void OnStop();
    void OnNativeSize();
    void OnDoubleSize();
    void OnFitSize();
    void OnViewSimplest();
    void OnViewCompact();
    void OnViewAll();
    void OnFullScreen();

    int GetSizeMode() const { return m_nSizeMode; }
    int GetViewMode() const { return m_nViewMode; }
    bool HasGraph() const { return m_bGraph != 0; }
    IGraphBuilder* GetGraph() const { return m_pGB; }
    long GetVideoWidth() const { return m_lVideoWidth; }
    long GetVideoHeight() const { return m_lVideoHeight; }
    bool IsMenuOpen() const { return m_bMenuOpen != 0; }
    bool IsCursorShown() const { return m_bCursorShown; }
    CDShowStatic& GetVideoSurface() { return m_videoSurface; }
    CDlgPlaySize& GetSizeBar() { return m_sizeBar; }
    CMenu& GetMenu() { return m_menu; }
    CWnd& GetNotPlayingPanel() { return m_notPlaying; }
    CWnd& GetMiddlePanel() { return m_middlePanel; }
    CDlgMessage& GetMessagePopup() { return m_messagePopup; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnDropFiles(WPARAM drop, LPARAM);
    afx_msg void OnPlayPauseCommand() { OnPlayPause(); }
    DECLARE_MESSAGE_MAP()

private:
    int CreateGraph();
    int ReleaseGraph();
    int RenderFile(const CString& path);
    int FitVideoWindow();
    void CenterVideo();
    // Grows the main window so the client area holds the video at the scale.
    void GrowMainWindowFor(int scale);
    void SetVideoScale(int scale, int mode);
    void PlaceMessagePopup();
    void SetStopEnabled(bool enabled);
    void ShowCursorIfHidden();
    void HideCursorOnce();
    void ResetCursorAnchor();
    void HideSizeBars();
    void ShowFullScreenBar();
    void TrackContextMenu(CPoint screenPoint);

    // The main dialog is minimised or in the tray.
    static bool IsMainDialogHidden();

    CMenu m_menu;
    CDShowStatic m_videoSurface;
    bool m_bInitialised = false;
    long m_lVideoWidth = 0, m_lVideoHeight = 0;
    int m_bGraph = 0;
    int m_bShrunkFromNative = 0;
    int m_bShrunkFromDouble = 0;
    int m_bNoVideoWindow = 0;
    IGraphBuilder* m_pGB = nullptr;
    IBasicAudio* m_pBA = nullptr;
    IBasicVideo* m_pBV = nullptr;
    IMediaSeeking* m_pMS = nullptr;
    IMediaControl* m_pMC = nullptr;
    IMediaEventEx* m_pME = nullptr;
    IVideoWindow* m_pVW = nullptr;
    int m_nSizeMode = PLAY_SIZE_FIT;
    int m_nViewMode = PLAY_VIEW_ALL;
    int m_nAnchorX = -1, m_nAnchorY = -1;
    bool m_bCursorShown = true;
    DWORD m_dwStillSince = 0;
    int m_bMenuOpen = 0;
    int m_nLastMouseX = -1, m_nLastMouseY = -1;
    CNotPlayingWnd m_notPlaying;
    CDlgPlaySize m_sizeBar;
    CDownloadWnd m_downloadWnd;
    // The advertisement panel shown centred over a paused video.
    CDlgMiddleAD m_middlePanel;
    CDlgMessage m_messagePopup;
    bool m_bMiddleWasVisible = false, m_bDialogWasVisible = false;
    bool m_bWebPage = false;
};
