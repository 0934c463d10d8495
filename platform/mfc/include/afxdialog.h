// Dialogs from the program's RT_DIALOG templates, with data exchange between the
// controls and the dialog's members, and message boxes over the running dialog.
#pragma once

#include "afxwin.h"

#include <vector>

// Thrown by a failed data exchange; the exchange's caller catches it.
class CUserException : public CException {};
[[noreturn]] void AfxThrowUserException();

// One direction of one data exchange (load: members to controls; save and validate:
// controls to members). A failing DDX_ function calls Fail, which puts the focus on the
// control it prepared last and throws.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    // The dialog's control with that id, remembered as the one a failure points at;
    // a missing control fails the exchange.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Binds the control object to the dialog's control, the first time only.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Whole numbers: anything but an optional sign and digits, or a value out of range, shows
// a message and fails the exchange.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog in a loop of its own until EndDialog: the owner (the parent's
    // top-level window, else the main window) is disabled meanwhile. Returns the
    // EndDialog value, -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // A modeless dialog from the template (the parent is a WS_CHILD template's parent,
    // else its owner).
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);

    // Ends the modal loop with the result (a modeless dialog is hidden).
    void EndDialog(int result);
    // Runs DoDataExchange; FALSE when it failed (the failure's message has been shown).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void SetDefID(UINT id) { ::SendMessage(m_hWnd, DM_SETDEFID, id, 0); }

    // Modeless top-level dialogs take their dialog keys (Tab, Enter, Esc) here.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The innermost dialog running DoModal on this thread, null when none is.
    static CDialog* GetActiveModal();

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    // Loads the controls from the members (UpdateData(FALSE)); TRUE lets the system
    // put the focus on the first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Enter and the OK button: UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // Esc, the Cancel button and closing: EndDialog(IDCANCEL).
    virtual void OnCancel();

    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Creates the dialog window from the template, bound to this object.
    BOOL CreateFromTemplate(UINT templateId, HWND parent);

    bool m_inModalLoop = false;
    bool m_endModal = false;
    int m_nModalResult = -1;
};

// A control's place in pixels at 96 DPI; id -1 stands for the template's next control
// without an id.
struct AFX_CONTROL_PLACE {
    int id;
    int x, y, cx, cy;
};
// Dialog layout: sizes the dialog's client area and places its controls from pixel
// positions at 96 DPI, scaled to the screen's DPI. Dialogs call it in OnInitDialog, so
// their layout does not depend on the size the template's font gives a dialog unit.
// Returns FALSE when a control of the table is missing (the others are still placed).
BOOL AfxPlaceDialog(CWnd* dialog, int clientWidth, int clientHeight, const AFX_CONTROL_PLACE* places, size_t count);

// A message box owned by the innermost running modal dialog (else the main window),
// captioned with the application's name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
