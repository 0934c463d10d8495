// The playback dialog inside the main window.
#pragma once

#include <afxwin.h>

#include "views/PlayDialogView.h"

class CDlgPlay : public CDialog, public IPlayDialogView {
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
};
