#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace {
thread_local CDialogDriver* t_driver = nullptr;
const UINT kTickMs = 30;
// About a second after the last step.
const int kGraceTicks = 34;

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND hWnd, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    TCHAR name[16] = {};
    GetClassName(hWnd, name, 16);
    if (GetWindow(hWnd, GW_OWNER) == search->owner && lstrcmp(name, _T("#32770")) == 0 && IsWindowVisible(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

CDialogDriver& CDialogDriver::Then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

INT_PTR CDialogDriver::RunModal(CDialog& dialog) {
    CDialogDriver* previous = t_driver;
    t_driver = this;
    m_dialog = &dialog;
    m_next = 0;
    m_idleTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
    INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, timer);
    t_driver = previous;
    return result;
}

void CALLBACK CDialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_driver) t_driver->OnTick();
}

void CDialogDriver::OnTick() {
    if (!m_dialog->m_hWnd) return;
    if (m_next < m_steps.size()) {
        // Counted first: a step that opens a nested loop sees the next step run inside it.
        const Step& step = m_steps[m_next++];
        step(*m_dialog);
        return;
    }
    if (++m_idleTicks < kGraceTicks) return;
    ADD_FAILURE_AT(__FILE__, __LINE__) << "the dialog was still open after its last step";
    if (HWND box = FindOwnedDialog(m_dialog->m_hWnd)) PostMessage(box, WM_CLOSE, 0, 0);
    m_dialog->EndDialog(-2);
}

void CDialogDriver::SetText(CDialog& dialog, int id, LPCTSTR text) { dialog.SetDlgItemText(id, text); }

void CDialogDriver::Click(CDialog& dialog, int id) { dialog.SendDlgItemMessage(id, BM_CLICK); }

void CDialogDriver::PostKey(HWND window, UINT key) {
    UINT scan = MapVirtualKey(key, MAPVK_VK_TO_VSC);
    PostMessage(window, WM_KEYDOWN, key, MAKELPARAM(1, scan));
    PostMessage(window, WM_KEYUP, key, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
}

HWND CDialogDriver::FindOwnedDialog(HWND owner) {
    OwnedSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CString CDialogDriver::BoxText(HWND box) {
    CString text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        TCHAR name[16] = {};
        GetClassName(child, name, 16);
        if (lstrcmpi(name, _T("Static")) != 0) continue;
        CString part;
        CWnd::FromHandle(child)->GetWindowText(part);
        text += part;
    }
    return text;
}

void CDialogDriver::Answer(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    if (button)
        SendMessage(button, BM_CLICK, 0, 0);
    else
        PostMessage(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void PumpWindowMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}
