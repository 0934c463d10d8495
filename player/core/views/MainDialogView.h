// What the core and the page behaviours call on the application's main dialog.
#pragma once

class CWnd;
class IMainWindowView;

class IMainDialogView {
public:
    // The dialog window itself.
    virtual CWnd* AsWindow() = 0;
    // True while the dialog is hidden in the notification area.
    virtual bool IsInTray() const = 0;
    // The main HTML window that covers the dialog's client area.
    virtual IMainWindowView* GetMainWindow() = 0;

protected:
    ~IMainDialogView() = default;
};
