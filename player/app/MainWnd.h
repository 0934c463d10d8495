// The main HTML window inside the main dialog.
#pragma once

#include <afxwin.h>

class CDlgPlay;

class CMainWnd : public CWnd {
public:
    CDlgPlay* GetDlgPlay();
    void RefreshPlayState();
    // False until the window's creation has signed the remembered user in.
    bool IsCreated();

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
