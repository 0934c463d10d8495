// The main HTML window inside the main dialog: the page "mainwnd.html" with its
// control manager, the play dialog it owns, the sign-in controller, the layout of the
// dialog's panels, the borderless resize and drag, the play-time and session timers
// and the main menu commands. User-interface thread only, but for the avatar thread
// and the session keep-alive worker.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "MainWndGeometry.h"
#include "PlayDialogHost.h"
#include "account/SessionKeepAlive.h"
#include "views/MainWindowView.h"
#include "web/WebViewHost.h"
#include "window/BaseSkinWnd.h"

class CLoginSession;
class CMainWndCtrlManager;

class CMainWnd : public CBaseSkinWnd, public IMainWindowView, public IPlayDialogHost, public IWebViewHost {
    DECLARE_DYNAMIC(CMainWnd)
public:
    enum { TIMER_PLAY_PROGRESS = 1, TIMER_SESSION_ACTIVE = 7 };
    enum { PLAY_PROGRESS_MS = 500, SESSION_ACTIVE_MS = 600 };

    // Makes the play dialog, created from its template with the owner and hidden; null
    // when none can be made. The maker keeps the dialog.
    typedef IPlayDialogView* (*PLAY_DIALOG_MAKER)(CWnd* owner);
    static void SetPlayDialogMaker(PLAY_DIALOG_MAKER maker);

    CMainWnd();
    ~CMainWnd() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    // IMainWindowView
    CWnd* AsWindow() override { return this; }
    IPlayDialogView* GetDlgPlay() override { return m_pDlgPlay; }
    void RefreshPlayState() override;
    bool IsCreated() override { return m_bCreated; }
    void OnUserLoggedIn(LOGIN_ACCOUNT* account, const CString& token, bool keepPlayback) override;
    void ResetForUserChange() override;
    void CloseVideo() override;
    void ClearPlayingMark() override;
    void AddPlayListItem(const CString& path, const CString& title, bool markPlaying) override;
    void SetProgressTitle(const CString& title) override;
    std::vector<CString> ShowOpenFileDialog() override;
    bool IsWebViewVisible() override;
    void CycleViewMode() override;
    void ToggleFullScreen() override;
    void TogglePlayPause() override;
    void VolumeUp() override;
    void VolumeDown() override;
    void MuteSound() override;
    void StopPlay() override;
    void OnHelpOnline() override;
    void SetVideoSizeOriginal() override;
    void SetVideoSizeDouble() override;
    void ShowSettingsDialog() override;
    void ChangeVolumeByWheel(bool up) override;
    void PlayLastPlayed() override;
    void OpenTabPage(int tab) override;

    // IPlayDialogHost
    void OnPlayStarted() override;
    void OnPlayPaused() override;
    void OnPlayStopped() override;
    void SetViewMode(const char* id) override;
    CDlgPlayCtrl* GetPlayCtrlBar() override;
    CWnd* GetWebDialog() override;
    void NavigateWebDialog(const CString& url) override;

    // IWebViewHost (with PlayLastPlayed above)
    void ShowLoginDialog(const CString& userName) override;
    void SetStartViewFlag(bool on) override { m_bStartView = on; }
    void HidePlayDialog() override;

    CMainWndCtrlManager* GetManager() const;
    CLoginSession* GetLoginSession() const { return m_pLoginSession.get(); }
    const CString& GetLastOpenFolder() const { return m_strLastFolder; }

    // Rectangles of the page in client coordinates.
    RECT GetProgressRect() const;
    RECT GetLeftPanelRect() const;
    RECT GetMiddleRect() const;
    void LayoutForWidth(int width);
    void UpdateWindowRegion();
    void PlaceDlgPlay();

    void SetProgressElapsed(const CString& text);
    void SetProgressTotal(const CString& text);
    void SetSeekPosition(int position, bool seek);
    void RefreshElement(const CString& id);
    void RemovePlayListItem(const CString& path);
    void ReloadPlayList();
    void ShowDownloads();
    void OpenCategoryPage(HELEMENT element);
    void ApplyStartView(bool firstTime);
    bool Logout();

    // Plays the first argument after the program's path; false when there is none.
    bool PlayCommandLine(const std::vector<CString>& args);

    // The border zone under a point in client coordinates (none while maximised).
    BORDER_HIT BorderTest(POINT point) const;

    // The avatar thread: downloads the picture into a new temporary file and posts its
    // path. The parameter is a heap AVATAR_REQUEST, freed here.
    static unsigned __stdcall AvatarThreadProc(void* parameter);
    // The avatar file shown now; deleted when the next arrives and with the window.
    const CString& GetAvatarFile() const { return m_strAvatarFile; }

protected:
    void CreateCtrlManager() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVideoCategoryItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecentUploadItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenStartPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowLeftPanel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAvatarReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenCommandLine(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshBalance(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHelpFeedback();
    afx_msg void OnHelpAbout();
    afx_msg void OnFileOpen();
    afx_msg void OnFileClose();
    afx_msg void OnFileExit();
    afx_msg void OnListAdd();
    afx_msg void OnItemPlay();
    afx_msg void OnItemDelete();
    afx_msg void OnItemUp();
    afx_msg void OnItemDown();

    DECLARE_MESSAGE_MAP()

private:
    void SendSessionKeepAlive();
    void OnPlayProgressTick();
    // The page's address, through the web sign-in when a user is signed in, in the browser.
    void OpenServicePageOutside(LPCWSTR key, LPCWSTR defaultPath);
    CWnd* MainDialogWindow() const;
    // The main dialog's panel, null while it does not exist or the dialog is not the player's.
    CWnd* MainDialogPanel(int panel) const;
    // The play dialog takes the focus before a modal dialog or a message box.
    void FocusPlayDialog();

    IPlayDialogView* m_pDlgPlay = nullptr;  // the maker's
    std::unique_ptr<CLoginSession> m_pLoginSession;
    std::unique_ptr<CSessionKeepAlive> m_pKeepAlive;
    CString m_strLastFolder;
    CString m_strAvatarFile;
    bool m_bStartView = true;
    bool m_bCreated = false;
};
