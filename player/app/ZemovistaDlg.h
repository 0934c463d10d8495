// The application's main dialog.
#pragma once

#include <afxwin.h>

#include "views/MainDialogView.h"

class CZemovistaDlg : public CDialog, public IMainDialogView {
public:
    CWnd* AsWindow() override { return this; }
    bool IsInTray() const override;
    IMainWindowView* GetMainWindow() override;
};
