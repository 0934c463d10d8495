// What the core and the page behaviours call on the main HTML window inside the main dialog.
#pragma once

#include <afx.h>

#include <vector>

class CWnd;
class IPlayDialogView;
struct LOGIN_ACCOUNT;

class IMainWindowView {
public:
    // The window itself.
    virtual CWnd* AsWindow() = 0;
    virtual IPlayDialogView* GetDlgPlay() = 0;
    virtual void RefreshPlayState() = 0;
    // False until the window's creation has signed the remembered user in.
    virtual bool IsCreated() = 0;

    // Sign-in targets: the account signed in with its token (keep playback after the
    // automatic sign-in), and the reset after a change of user.
    virtual void OnUserLoggedIn(LOGIN_ACCOUNT* account, const CString& token, bool keepPlayback) = 0;
    virtual void ResetForUserChange() = 0;

    // Play-list and playback targets of the play control.
    virtual void CloseVideo() = 0;
    virtual void ClearPlayingMark() = 0;
    virtual void AddPlayListItem(const CString& path, const CString& title, bool markPlaying) = 0;
    // Takes the path's item out of the play list (the download list deletes finished files).
    virtual void RemovePlayListItem(const CString& path) = 0;
    virtual void SetProgressTitle(const CString& title) = 0;
    // The chosen ".xof" files in natural order; empty when cancelled.
    virtual std::vector<CString> ShowOpenFileDialog() = 0;

    // Targets of the not-playing panel: the most recently played file, and the service
    // tab pages 1 to 5.
    virtual void PlayLastPlayed() = 0;
    virtual void OpenTabPage(int tab) = 0;

    // Hot-key targets.
    virtual bool IsWebViewVisible() = 0;
    virtual void CycleViewMode() = 0;
    virtual void ToggleFullScreen() = 0;
    virtual void TogglePlayPause() = 0;
    virtual void VolumeUp() = 0;
    virtual void VolumeDown() = 0;
    virtual void MuteSound() = 0;
    virtual void StopPlay() = 0;
    virtual void OnHelpOnline() = 0;
    virtual void SetVideoSizeOriginal() = 0;
    virtual void SetVideoSizeDouble() = 0;
    virtual void ShowSettingsDialog() = 0;
    virtual void ChangeVolumeByWheel(bool up) = 0;

protected:
    ~IMainWindowView() = default;
};
