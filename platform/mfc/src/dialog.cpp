#include "afxwin.h"

#include <algorithm>

namespace {
// The dialogs running DoModal on this thread, innermost last.
thread_local std::vector<CDialog*> t_modal;

// The dialog procedure under the bound window procedure: the object's message map has
// had every message first, so the system's defaults are all that is left.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HINSTANCE ResourceModule() {
    CWinApp* app = AfxGetApp();
    return app && app->m_hInstance ? app->m_hInstance : GetModuleHandle(nullptr);
}

// A modal dialog's owner: the top-level window of the parent, else of the main window.
HWND ModalOwner(CWnd* parent) {
    CWnd* wnd = parent ? parent : AfxGetMainWnd();
    HWND hWnd = wnd ? wnd->m_hWnd : nullptr;
    return hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
}
}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog* CDialog::GetActiveModal() { return t_modal.empty() ? nullptr : t_modal.back(); }

BOOL CDialog::CreateFromTemplate(UINT templateId, HWND parent) {
    if (m_hWnd) return FALSE;
    HINSTANCE module = ResourceModule();
    HRSRC found = FindResource(module, MAKEINTRESOURCE(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATE>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate) return FALSE;
    m_nIDTemplate = templateId;
    return CreateBound([&] { return CreateDialogIndirectParam(module, dialogTemplate, parent, AfxDlgProc, 0); }) !=
           nullptr;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_pParentWnd = parent;
    CWnd* main = AfxGetMainWnd();
    HWND parentWnd = parent ? parent->m_hWnd : (main && main != this ? main->m_hWnd : nullptr);
    return CreateFromTemplate(templateId, parentWnd);
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner(m_pParentWnd);
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    m_endModal = false;
    m_nModalResult = -1;
    m_inModalLoop = true;
    t_modal.push_back(this);
    if (CreateFromTemplate(m_nIDTemplate, owner)) {
        if (!m_endModal && !IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
        MSG msg;
        while (!m_endModal) {
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                // The outermost loop is the program's main loop when the main window is a
                // dialog; a nested one may run under a handler that holds temporary objects.
                if (t_modal.size() == 1) AfxDeleteTempObjects();
                WaitMessage();
                continue;
            }
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                // The program is ending: the loop that follows sees the quit too.
                PostQuitMessage((int)msg.wParam);
                m_nModalResult = -1;
                break;
            }
            CWinThread* thread = AfxGetThread();
            BOOL taken = thread ? thread->PreTranslateMessage(&msg) : AfxWalkPreTranslateMessage(&msg);
            if (!taken && !(m_hWnd && IsDialogMessage(m_hWnd, &msg))) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }
    t_modal.erase(std::find(t_modal.begin(), t_modal.end(), this));
    m_inModalLoop = false;
    // The owner comes back before the dialog goes, so that it gets the activation.
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_inModalLoop) {
        m_endModal = true;
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)control->m_hWnd, TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (m_inModalLoop || !m_hWnd || (GetStyle() & WS_CHILD)) return FALSE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    return IsDialogMessage(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    CDialog* modal = CDialog::GetActiveModal();
    CWnd* owner = modal && modal->m_hWnd ? modal : AfxGetMainWnd();
    CWinApp* app = AfxGetApp();
    return MessageBox(owner ? owner->GetSafeHwnd() : nullptr, text, app ? app->m_pszAppName : nullptr, type);
}
