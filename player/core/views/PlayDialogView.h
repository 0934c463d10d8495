// What the core and the page behaviours call on the playback dialog inside the main window.
#pragma once

#include <afx.h>

class CWnd;
class IDownloadListView;

class IPlayDialogView {
public:
    // The dialog window itself; the main window places it over its middle rectangle.
    virtual CWnd* AsWindow() = 0;
    virtual IDownloadListView* GetDownloadWnd() = 0;
    // Stores the elapsed seconds as the current item's resume position.
    virtual void SavePlayPosition() = 0;
    // Shows (or hides) the download window in the video area, with its downloading tab.
    virtual void ShowDownloadView(bool show, bool selectTab) = 0;

    // Playback, for the play control. OpenFile returns the graph's result (negative on failure).
    virtual int OpenFile(const CString& path) = 0;
    virtual int Stop() = 0;
    virtual void OnPlayPause() = 0;
    virtual void ToggleMute() = 0;
    // Progress 0..1000; 1000 plays the next file: it broadcasts CMD_PLAY_NEXT (applyOrder true).
    virtual void SeekToProgress(int progress) = 0;
    virtual void GetPlayTimes(int& progress, CString& elapsed, CString& total) = 0;
    // The message pop-up, shown for 3000 ms.
    virtual void ShowMessage(const CString& text) = 0;
    // The video surface (true) or the not-playing panel (false).
    virtual void ShowVideoArea(bool video) = 0;
    // Pauses and shows the web dialog instead of the video area; with navigate its web
    // view opens the URL.
    virtual void ShowWebView(const CString& url, bool navigate) = 0;
    // Set once the web view navigated to a page; cleared after a change of user.
    virtual bool HasWebPage() = 0;
    virtual void ClearWebPage() = 0;
    virtual bool IsWebViewVisible() = 0;
    virtual bool IsVideoSurfaceVisible() = 0;

    // Pauses playback (showing the middle panel when asked); the graph's result.
    virtual int Pause(bool showMiddlePanel) = 0;
    // Volume 0..100 (values outside are taken as the nearest end).
    virtual void SetVolume(int volume) = 0;
    // After the dialog was placed: its middle panel centred again.
    virtual void CenterMiddlePanel() = 0;
    // "hide-both", "hide-right" or "show-both".
    virtual void SetViewModeFromId(const CString& id) = 0;
    virtual void UpdateCursorTimer() = 0;
    virtual void SetVideoSizeOriginal() = 0;
    virtual void SetVideoSizeDouble() = 0;

protected:
    ~IPlayDialogView() = default;
};
