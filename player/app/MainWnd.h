// The main HTML window inside the main dialog.
#pragma once

#include <afxwin.h>

#include <vector>

class CDlgPlay;

class CMainWnd : public CWnd {
public:
    CDlgPlay* GetDlgPlay();
    void RefreshPlayState();
    // False until the window's creation has signed the remembered user in.
    bool IsCreated();

    // Play-list and playback targets of the play control.
    void CloseVideo();
    void ClearPlayingMark();
    void AddPlayListItem(const CString& path, const CString& title, bool markPlaying);
    void SetProgressTitle(const CString& title);
    // The chosen ".xof" files in natural order; empty when cancelled.
    std::vector<CString> ShowOpenFileDialog();

    // Hot-key targets.
    bool IsWebViewVisible();
    void CycleViewMode();
    void ToggleFullScreen();
    void TogglePlayPause();
    void VolumeUp();
    void VolumeDown();
    void MuteSound();
    void StopPlay();
    void OnHelpOnline();
    void SetVideoSizeOriginal();
    void SetVideoSizeDouble();
    void ShowSettingsDialog();
    void ChangeVolumeByWheel(bool up);
};
