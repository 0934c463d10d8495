// The play dialog's input: full screen, cursor hiding, the context menu, dropped files
// and keys.
#include <afxapp.h>
#include <shellapi.h>

#include "DlgPlay.h"
#include "DlgPlayCtrl.h"
#include "PlayDialogHost.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"

#include <vector>

namespace {
const UINT kCursorTickMs = 100;
const DWORD kCursorRestMs = 3000;
const int kSizeBarStrip = 60;
const int kViewSubMenu = 3;
}  // namespace

void CDlgPlay::OnFullScreen() {
    HideSizeBars();
    if (IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd()) main->ToggleFullScreen();
}

void CDlgPlay::ResetCursorAnchor() {
    m_nAnchorX = m_nAnchorY = -1;
    m_dwStillSince = 0;
}

void CDlgPlay::ShowCursorIfHidden() {
    if (m_bCursorShown) return;
    ::ShowCursor(TRUE);
    m_bCursorShown = true;
}

void CDlgPlay::HideCursorOnce() {
    if (!m_bCursorShown) return;
    ::ShowCursor(FALSE);
    m_bCursorShown = false;
}

void CDlgPlay::UpdateCursorTimer() {
    if (CAppFacade::GetInstance().IsFullScreen()) {
        ResetCursorAnchor();
        SetTimer(TIMER_HIDE_CURSOR, kCursorTickMs);
    } else {
        KillTimer(TIMER_HIDE_CURSOR);
        ShowCursorIfHidden();
    }
    m_nLastMouseX = m_nLastMouseY = -1;
}

void CDlgPlay::OnTimer(UINT_PTR id) {
    if (id != TIMER_HIDE_CURSOR) {
        Default();
        return;
    }
    if (!CAppFacade::GetInstance().IsFullScreen()) {
        KillTimer(TIMER_HIDE_CURSOR);
        ShowCursorIfHidden();
        return;
    }
    POINT pointer;
    ::GetCursorPos(&pointer);
    if (m_bMenuOpen || IsPointInBottomStrip(pointer) || m_sizeBar.IsPointerInBarArea() || !IsWindowVisible()) {
        ShowCursorIfHidden();
        return;
    }
    DWORD now = ::GetTickCount();
    if (m_nAnchorX == -1 && m_nAnchorY == -1) {
        m_nAnchorX = pointer.x;
        m_nAnchorY = pointer.y;
        m_dwStillSince = now;
    }
    if (m_dwStillSince != 0 && now - m_dwStillSince > kCursorRestMs) {
        KillTimer(TIMER_HIDE_CURSOR);
        HideCursorOnce();
    }
}

void CDlgPlay::ShowFullScreenBar() {
    IPlayDialogHost* host = FindPlayDialogHost();
    CDlgPlayCtrl* bar = host ? host->GetPlayCtrlBar() : nullptr;
    if (!bar || !bar->GetSafeHwnd()) return;
    m_sizeBar.ShowBar();
    RECT strip = GetBottomStripRect();
    bar->MoveWindow(&strip);
    bar->ShowBar();
}

void CDlgPlay::OnMouseMove(UINT, CPoint point) {
    Default();
    if (point.x == m_nLastMouseX && point.y == m_nLastMouseY) return;
    CAppFacade& facade = CAppFacade::GetInstance();
    if (facade.IsFullScreen()) {
        ResetCursorAnchor();
        ShowCursorIfHidden();
        SetTimer(TIMER_HIDE_CURSOR, kCursorTickMs);
        int state = facade.GetPlayState();
        if (state == PLAY_STATE_PAUSED || state == PLAY_STATE_PLAYING) ShowFullScreenBar();
    } else {
        m_sizeBar.ShowBar();
    }
    m_nLastMouseX = point.x;
    m_nLastMouseY = point.y;
}

void CDlgPlay::OnLButtonDown(UINT, CPoint) {
    if (CAppFacade::GetInstance().IsFullScreen()) m_bMenuOpen = 0;
    Default();
}

void CDlgPlay::OnRButtonDown(UINT, CPoint) {
    POINT pointer;
    ::GetCursorPos(&pointer);
    bool fullScreen = CAppFacade::GetInstance().IsFullScreen();
    if (fullScreen) {
        ResetCursorAnchor();
        ShowCursorIfHidden();
        SetTimer(TIMER_HIDE_CURSOR, kCursorTickMs);
    }
    bool menuAllowed = true;
    if (m_bGraph && m_pVW) {
        long mode = 0;
        HRESULT hr = m_pVW->get_FullScreenMode(&mode);
        if (FAILED(hr)) {
            DebugTrace(L"FAILED(hr=0x%x) in m_pVW->get_FullScreenMode(&lMode)\n", hr);
            menuAllowed = false;
        }
    }
    if (menuAllowed) {
        CRect below;
        GetWindowRect(&below);
        below.top += kSizeBarStrip;
        if (fullScreen || below.PtInRect(pointer)) TrackContextMenu(pointer);
    }
    Default();
}

void CDlgPlay::TrackContextMenu(CPoint screenPoint) {
    CMenu* popup = m_menu.GetSubMenu(0);
    if (!popup) return;
    for (UINT id : {ID_SIZE_FIT, ID_SIZE_NATIVE, ID_SIZE_DOUBLE, ID_VIEW_SIMPLEST, ID_VIEW_COMPACT, ID_VIEW_ALL})
        ::CheckMenuItem(m_menu.GetSafeHmenu(), id, MF_BYCOMMAND | MF_UNCHECKED);
    ::CheckMenuItem(m_menu.GetSafeHmenu(), m_nSizeMode, MF_BYCOMMAND | MF_CHECKED);
    ::CheckMenuItem(m_menu.GetSafeHmenu(), m_nViewMode, MF_BYCOMMAND | MF_CHECKED);
    bool fullScreen = CAppFacade::GetInstance().IsFullScreen();
    popup->EnableMenuItem(kViewSubMenu, MF_BYPOSITION | (fullScreen ? MF_GRAYED | MF_DISABLED : MF_ENABLED));
    m_bMenuOpen = 1;
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
    m_bMenuOpen = 0;
}

LRESULT CDlgPlay::OnDropFiles(WPARAM wParam, LPARAM) {
    HDROP drop = (HDROP)wParam;
    if (!dynamic_cast<IMainDialogView*>(AfxGetMainWnd())) return 0;
    const CString extension = L".xof";
    std::vector<CString> paths;
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::vector<wchar_t> name(length + 1);
        ::DragQueryFileW(drop, i, name.data(), length + 1);
        // The name itself, not the whole path, must be longer than the extension.
        CString path(name.data());
        if (GetFileNameFromPath(path).GetLength() > extension.GetLength() &&
            _wcsicmp((LPCWSTR)path + path.GetLength() - extension.GetLength(), extension) == 0)
            paths.push_back(path);
    }
    ::DragFinish(drop);
    if (paths.empty()) return 0;
    CAppFacade& facade = CAppFacade::GetInstance();
    CAppFacade::SortPaths(paths, 0, (int)paths.size() - 1);
    IMainWindowView* main = facade.GetMainWnd();
    for (const CString& path : paths) {
        CString title = path;
        facade.Broadcast(CMD_GET_FILE_TITLE, &title);
        if (main) main->AddPlayListItem(path, title, false);
    }
    CString first = paths.front();
    facade.Broadcast(CMD_PLAY_FILE, &first);
    return 0;
}

BOOL CDlgPlay::PreTranslateMessage(MSG* msg) {
    bool downloads = m_downloadArea.GetSafeHwnd() && m_downloadArea.IsWindowVisible();
    if (downloads && msg->message == WM_MOUSEWHEEL) return CDialog::PreTranslateMessage(msg);
    if (CAppFacade::GetInstance().HandleHotKey(msg) == 1) return TRUE;
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    if (!downloads && msg->message == WM_LBUTTONDBLCLK) {
        OnFullScreen();
        return TRUE;
    }
    if (!downloads && msg->message == WM_MBUTTONDOWN) {
        OnStop();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}
