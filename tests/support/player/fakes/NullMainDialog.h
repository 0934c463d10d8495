// A main dialog that does nothing, for tests and benchmarks that need one only to hold
// the main window or the play dialog.
#pragma once

#include <afxwin.h>

#include "views/MainDialogView.h"

// The panel operations, ignored, over either interface that carries them (the dialog's
// view or the dialog's parts).
template <class Panels>
class CNullDialogPanels : public Panels {
public:
    void ShowLeftPanel(bool) override {}
    void OpenBrowserPage(const CString&) override {}
    void SetSeekTitle(const CString&) override {}
    void SetSeekElapsed(const CString&) override {}
    void SetSeekTotal(const CString&) override {}
    void SetSeekPosition(int, bool) override {}
    void EnableSeekBar(bool) override {}
    void ShowControlBarTimes(int, const CString&, const CString&) override {}
    void RefreshControlBar() override {}
    void ShowControlBarVolume(int) override {}
    void HideControlBar() override {}
};

// A plain window never in the tray that reports the main window it is given.
class CNullMainDialog : public CWnd, public CNullDialogPanels<IMainDialogView> {
public:
    CWnd* AsWindow() override { return this; }
    bool IsInTray() const override { return false; }
    IMainWindowView* GetMainWindow() override { return mainWindow; }
    void MinimizeToTray() override {}

    IMainWindowView* mainWindow = nullptr;
};
