// The windows the main dialog holds as its children: the main HTML window with the play
// dialog inside it, the browser, the left panel, the seek bar, the scrolling strip and the
// full-screen control bar, with the dialog's panel operations. The program makes the real
// ones; a test makes its own.
#pragma once

#include <afxwin.h>

#include <memory>

#include "views/MainDialogView.h"

class IMainWindowView;

enum DIALOG_PANEL { PANEL_LEFT, PANEL_SEEK_BAR, PANEL_BROWSER, PANEL_SCROLLING_STRIP, PANEL_CONTROL_BAR, PANEL_COUNT };

class IMainDialogParts : public IMainDialogPanels {
public:
    virtual ~IMainDialogParts() = default;

    // While the dialog is created: the browser (hidden), the main window over the client
    // rectangle (shown) and the control bar (hidden). False fails the dialog's creation.
    virtual bool CreateChildren(CWnd* dialog, const RECT& client) = 0;
    // From the dialog's OnInitDialog: the left panel, the seek bar and the scrolling strip, shown.
    virtual void CreatePanels(CWnd* dialog) = 0;

    // Null until CreateChildren has made it.
    virtual IMainWindowView* GetMainWindow() = 0;
    // The panel's window, null while it does not exist.
    virtual CWnd* GetPanel(DIALOG_PANEL panel) = 0;

    // The main window's own layout for a client width: its page, its region and the play
    // dialog's place; PlaceDlgPlay only the latter.
    virtual void LayoutForWidth(int width) = 0;
    virtual void PlaceDlgPlay() = 0;
    // The main window's rectangles for the panels, in the dialog's client coordinates.
    virtual RECT GetLeftPanelRect() = 0;
    virtual RECT GetProgressRect() = 0;
    virtual RECT GetMiddleRect() = 0;

    // The play dialog: hidden when the dialog closes; told when the dialog goes to the
    // tray (it hides its floating panels) and when it comes back.
    virtual void HidePlayDialog() = 0;
    virtual void OnTrayChanged(bool inTray) = 0;
};

// The program's parts (each program that runs the main dialog defines it).
std::unique_ptr<IMainDialogParts> MakeMainDialogParts();
