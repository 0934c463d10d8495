// Drives a dialog from inside its own modal loop: the steps run one per timer tick
// (about 30 ms apart) while the dialog's loop, or a loop nested in it such as a
// message box's, dispatches messages. A step that opens a nested loop lets the next
// step answer it. Once the steps are done the dialog is given a second to end; a dialog
// still open then, with any message box over it, is closed so the test cannot hang.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

class CDialogDriver {
public:
    using Step = std::function<void(CDialog& dialog)>;

    CDialogDriver& Then(Step step);
    // DoModal with the steps; its result (-2 when the driver had to close the dialog).
    INT_PTR RunModal(CDialog& dialog);

    // What the steps do most.
    static void SetText(CDialog& dialog, int id, LPCTSTR text);
    // BM_CLICK on the dialog's button: pressed and released by messages, not the pointer.
    static void Click(CDialog& dialog, int id);
    // A key press and release posted to the window, as the keyboard would queue them.
    static void PostKey(HWND window, UINT key);
    // The message box (or other system dialog) owned by the window, null when none is open.
    static HWND FindOwnedDialog(HWND owner);
    // The texts of the box's static controls, one after the other.
    static CString BoxText(HWND box);
    // Presses the box's button with that id (IDOK, IDYES, ...).
    static void Answer(HWND box, int id);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_idleTicks = 0;
    CDialog* m_dialog = nullptr;
};

// Dispatches what is queued for this thread, then returns.
void PumpWindowMessages();
