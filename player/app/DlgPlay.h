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
};
