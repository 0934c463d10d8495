// The application's main dialog.
#pragma once

#include <afxwin.h>

class CMainWnd;

class CZemovistaDlg : public CDialog {
public:
    // True while the dialog is hidden in the notification area.
    bool IsInTray() const;
    // The main HTML window that covers the dialog's client area.
    CMainWnd* GetMainWindow();
};
