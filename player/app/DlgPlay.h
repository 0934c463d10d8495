// The playback dialog inside the main window.
#pragma once

#include <afxwin.h>

class CDownloadWnd;

class CDlgPlay : public CDialog {
public:
    CDownloadWnd* GetDownloadWnd();
    // Stores the elapsed seconds as the current item's resume position.
    void SavePlayPosition();
};
