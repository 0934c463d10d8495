// What the core and the page behaviours call on the application's main dialog.
#pragma once

#include <afx.h>

class CWnd;
class IMainWindowView;

// The operations that land on the main dialog's panels beside the main window.
class IMainDialogPanels {
public:
    // The left HTML panel beside the main window's page.
    virtual void ShowLeftPanel(bool show) = 0;
    // Shows the browser and lets its web view check and open the page.
    virtual void OpenBrowserPage(const CString& url) = 0;

    // The seek bar under the video area: its texts (each repaints its own rectangle),
    // the thumb's position 0..1000 (seek: playback follows) and whether it takes input
    // (a thumb drag in progress ends when it is disabled).
    virtual void SetSeekTitle(const CString& text) = 0;
    virtual void SetSeekElapsed(const CString& text) = 0;
    virtual void SetSeekTotal(const CString& text) = 0;
    virtual void SetSeekPosition(int position, bool seek) = 0;
    virtual void EnableSeekBar(bool enable) = 0;

    // The full-screen control bar: the play times, its play and volume elements, and
    // hiding it when full screen ends.
    virtual void ShowControlBarTimes(int progress, const CString& elapsed, const CString& total) = 0;
    virtual void RefreshControlBar() = 0;
    virtual void ShowControlBarVolume(int volume) = 0;
    virtual void HideControlBar() = 0;

protected:
    ~IMainDialogPanels() = default;
};

class IMainDialogView : public IMainDialogPanels {
public:
    // The dialog window itself.
    virtual CWnd* AsWindow() = 0;
    // True while the dialog is hidden in the notification area.
    virtual bool IsInTray() const = 0;
    // The main HTML window that covers the dialog's client area.
    virtual IMainWindowView* GetMainWindow() = 0;
    virtual void MinimizeToTray() = 0;

protected:
    ~IMainDialogView() = default;
};
