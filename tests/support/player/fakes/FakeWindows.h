// Test implementations of the window views that the core and the element behaviours
// call. They record every call; a test arranges the state they report.
#pragma once

#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

#include "views/DownloadListView.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

class FakeMainDialog : public CDialog, public IMainDialogView {
public:
    CWnd* AsWindow() override { return this; }
    bool IsInTray() const override;
    IMainWindowView* GetMainWindow() override;
    void MinimizeToTray() override;
    void ShowLeftPanel(bool show) override;
    void OpenBrowserPage(const CString& url) override;
    void SetSeekTitle(const CString& text) override;
    void SetSeekElapsed(const CString& text) override;
    void SetSeekTotal(const CString& text) override;
    void SetSeekPosition(int position, bool seek) override;
    void EnableSeekBar(bool enable) override;
    void ShowControlBarTimes(int progress, const CString& elapsed, const CString& total) override;
    void RefreshControlBar() override;
    void ShowControlBarVolume(int volume) override;
    void HideControlBar() override;
};

class FakeMainWindow : public CWnd, public IMainWindowView {
public:
    CWnd* AsWindow() override { return this; }
    IPlayDialogView* GetDlgPlay() override;
    void RefreshPlayState() override;
    bool IsCreated() override;
    void OnUserLoggedIn(LOGIN_ACCOUNT* account, const CString& token, bool keepPlayback) override;
    void ResetForUserChange() override;
    void CloseVideo() override;
    void ClearPlayingMark() override;
    // As the main window's play list element, it also adds the path to the play list model.
    void AddPlayListItem(const CString& path, const CString& title, bool markPlaying) override;
    void RemovePlayListItem(const CString& path) override;
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
};

class FakePlayDialog : public CDialog, public IPlayDialogView {
public:
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
    CWnd* AsWindow() override { return this; }
    bool HasWebPage() override;
    void ClearWebPage() override;
    bool IsWebViewVisible() override;
    bool IsVideoSurfaceVisible() override;
    int Pause(bool showMiddlePanel) override;
    void SetVolume(WORD volume) override;
    void CenterMiddlePanel() override;
    void SetViewModeFromId(const CString& id) override;
    void UpdateCursorTimer() override;
    void SetVideoSizeOriginal() override;
    void SetVideoSizeDouble() override;
};

// Row operations over FakeWindows::downloadRows.
class FakeDownloadWindow : public CWnd, public IDownloadListView {
public:
    CWnd* AsWindow() override { return this; }
    void AddTaskRow(const DOWNLOAD_LIST_ITEM& item) override;
    void ClearTaskLists() override;
    bool HasTaskRow(int fileId) override;
    int GetTaskRowState(int fileId) override;
    void ChangeTaskRowState(int fileId, int from, int to) override;
    void MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) override;
    void GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) override;
    void ScrollListsToTop() override;
    void RefreshForUser() override;
};

struct FakeWindows {
    // Registers the fake main dialog (or none) with the facade until destroyed.
    explicit FakeWindows(bool withMainDialog = true);
    ~FakeWindows();
    FakeWindows(const FakeWindows&) = delete;
    FakeWindows& operator=(const FakeWindows&) = delete;

    static FakeWindows& Current();

    CWinApp app;
    FakeMainDialog dialog;
    FakeMainWindow mainWnd;
    FakePlayDialog dlgPlay;
    FakeDownloadWindow downloadWnd;

    // The main window the fake dialog reports: mainWnd unless a test sets a real one.
    IMainWindowView* mainWindow = nullptr;

    bool inTray = false;
    bool webViewVisible = false;
    // The play dialog's page flag (ShowWebView with navigation sets it) and video surface.
    bool webPage = false;
    bool videoSurfaceVisible = false;
    bool mainWndCreated = true;
    // The download window's rows by FileID, as its row operations leave them.
    std::map<int, DOWNLOAD_LIST_ITEM> downloadRows;
    // What the play dialog reports: OpenFile's result by path (0 when not listed) and
    // the total time text; what the open-file dialog returns.
    std::map<CString, int> openResults;
    CString totalTime = L"00:00:00";
    std::vector<CString> chosenFiles;
    // The token of the last OnUserLoggedIn.
    CString accountToken;
    // Every call, with its arguments in UTF-8 after a space ("OpenFile C:\a.xof").
    std::vector<std::string> calls;
};
