// The main HTML window inside the main dialog.
#pragma once

#include <afxwin.h>

#include "views/MainWindowView.h"

class CMainWnd : public CWnd, public IMainWindowView {
public:
    CWnd* AsWindow() override { return this; }
    IPlayDialogView* GetDlgPlay() override;
    void RefreshPlayState() override;
    bool IsCreated() override;

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
};
