// The playback dialog inside the main window.
#pragma once

#include <afxwin.h>

class CDownloadWnd;

class CDlgPlay : public CDialog {
public:
    CDownloadWnd* GetDownloadWnd();
    // Stores the elapsed seconds as the current item's resume position.
    void SavePlayPosition();
    // Shows (or hides) the download window in the video area, with its downloading tab.
    void ShowDownloadView(bool show, bool selectTab);

    // Playback, for the play control. OpenFile returns the graph's result (negative on failure).
    int OpenFile(const CString& path);
    int Stop();
    void OnPlayPause();
    void ToggleMute();
    // Progress 0..1000; 1000 plays the next file.
    void SeekToProgress(int progress);
    void GetPlayTimes(int& progress, CString& elapsed, CString& total);
    // The message pop-up, shown for 3000 ms.
    void ShowMessage(const CString& text);
    // The video surface (true) or the not-playing panel (false).
    void ShowVideoArea(bool video);
    // Pauses and shows the web dialog instead of the video area; with navigate its web
    // view opens the URL.
    void ShowWebView(const CString& url, bool navigate);
};
