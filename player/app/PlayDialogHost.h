// What the play dialog calls on the main window that holds it. The main window
// implements it beside IMainWindowView; the play dialog finds it through the facade's
// main window and does without it while there is none.
#pragma once

#include <afx.h>

class CDlgPlayCtrl;
class CDlgVideoProgress;
class CWnd;

class IPlayDialogHost {
public:
    // The main dialog's seek bar texts.
    virtual void SetProgressElapsed(const CString& text) = 0;
    virtual void SetProgressTotal(const CString& text) = 0;
    // Playing mode: "play-pause" refreshed, the play-time timer started, the video area shown.
    virtual void OnPlayStarted() = 0;
    // The play-time timer killed and "play-pause" refreshed.
    virtual void OnPlayPaused() = 0;
    // After a stop: CMD_CLOSE_FILE broadcast and the play elements refreshed.
    virtual void OnPlayStopped() = 0;
    // The control manager's view mode from "show-both", "hide-right" or "hide-both".
    virtual void SetViewMode(const char* id) = 0;
    // The main dialog's full-screen control bar; null before it exists.
    virtual CDlgPlayCtrl* GetPlayCtrlBar() = 0;
    // The main dialog's web dialog; null without one.
    virtual CWnd* GetWebDialog() = 0;
    // Shows the web dialog and lets its web view open the URL after the reachability check.
    virtual void NavigateWebDialog(const CString& url) = 0;

protected:
    ~IPlayDialogHost() = default;
};

// The facade's main window as the play dialog's host; null without one.
IPlayDialogHost* FindPlayDialogHost();
