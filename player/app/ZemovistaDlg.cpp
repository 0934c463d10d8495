#include "ZemovistaDlg.h"

#include <afxmenu.h>

#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainWindowView.h"

namespace {
const WCHAR TITLE[] = L"Zemovista";
// Registered once at program start; Explorer sends it when the taskbar comes back.
const UINT WM_TASKBAR_CREATED = RegisterWindowMessageW(L"TaskbarCreated");

void MoveOnto(CWnd* window, const RECT& rect) {
    if (window && window->GetSafeHwnd()) window->MoveWindow(&rect, TRUE);
}
}  // namespace

IMPLEMENT_DYNAMIC(CZemovistaDlg, CDialog)

BEGIN_MESSAGE_MAP(CZemovistaDlg, CDialog)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(WM_SIZE, OnSizeMessage)
ON_MESSAGE(WM_MOVE, OnMoveMessage)
ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
ON_MESSAGE(WM_CLOSE, OnCloseMessage)
ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
ON_MESSAGE(WM_OPEN_VIDEO_REQUEST, OnOpenVideoRequest)
ON_MESSAGE(WM_ANOTHER_INSTANCE, OnAnotherInstance)
ON_COMMAND(ID_TRAY_SHOW, OnTrayShow)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
END_MESSAGE_MAP()

CZemovistaDlg::CZemovistaDlg(std::unique_ptr<IMainDialogParts> parts)
    : CDialog(IDD_ZEMOVISTA_DIALOG, nullptr),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_parts(std::move(parts)) {
    ZeroMemory(&m_trayData, sizeof m_trayData);
}

CZemovistaDlg::~CZemovistaDlg() {
    if (m_bInTray) Shell_NotifyIconW(NIM_DELETE, &m_trayData);
    CAppFacade& facade = CAppFacade::GetInstance();
    if (facade.GetMainDialog() == this) facade.SetMainDialog(nullptr);
}

IMainWindowView* CZemovistaDlg::GetMainWindow() { return m_parts->GetMainWindow(); }

LRESULT CZemovistaDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TASKBAR_CREATED && WM_TASKBAR_CREATED) return OnTaskbarCreated();
    return CDialog::WindowProc(message, wParam, lParam);
}

int CZemovistaDlg::OnCreate(LPCREATESTRUCT cs) {
    if (CDialog::OnCreate(cs) == -1) return -1;
    CAppFacade::GetInstance().SetMainDialog(this);
    CRect client;
    GetClientRect(&client);
    return m_parts->CreateChildren(this, client) ? 0 : -1;
}

void CZemovistaDlg::MakeLayered() {
    typedef BOOL(WINAPI * SET_LAYERED)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto setLayered = user32 ? reinterpret_cast<SET_LAYERED>(reinterpret_cast<void*>(
                                   GetProcAddress(user32, "SetLayeredWindowAttributes")))
                             : nullptr;
    if (!setLayered) return;
    ModifyStyleEx(0, WS_EX_LAYERED);
    setLayered(m_hWnd, COLOR_KEY, 255, LWA_COLORKEY);
}

BOOL CZemovistaDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    MakeLayered();
    ModifyStyle(0, WS_SYSMENU | WS_MINIMIZEBOX);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    SetWindowText(TITLE);
    m_parts->CreatePanels(this);
    CUserConfig::GetInstance().GetAllConfig().SetPlacementWindow(m_hWnd);
    SetTimer(TIMER_RESTORE_WINDOW, RESTORE_WINDOW_MS);
    return TRUE;
}

void CZemovistaDlg::RestoreStoredRectangle() {
    CAllConfig& config = CUserConfig::GetInstance().GetAllConfig();
    if (config.MaximizeWindow) {
        RECT work;
        if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) MoveWindow(&work, TRUE);
        return;
    }
    CRect stored(config.WindowLeft, config.WindowTop, config.WindowRight, config.WindowBottom);
    if (!stored.left && !stored.top && !stored.right && !stored.bottom) return;
    // One pixel taller first, so that the size changes and the layout runs even when the
    // stored size is the current one.
    MoveWindow(stored.left, stored.top, stored.Width(), stored.Height() + 1, TRUE);
    MoveWindow(&stored, TRUE);
}

void CZemovistaDlg::OnTimer(UINT_PTR id) {
    if (id == TIMER_RESTORE_WINDOW) {
        IMainWindowView* mainWnd = GetMainWindow();
        CWnd* window = mainWnd ? mainWnd->AsWindow() : nullptr;
        if (window && window->IsWindowVisible()) {
            KillTimer(TIMER_RESTORE_WINDOW);
            RestoreStoredRectangle();
        }
    }
    Default();
}

LRESULT CZemovistaDlg::OnSizeMessage(WPARAM, LPARAM) {
    LRESULT result = Default();
    IMainWindowView* mainWnd = GetMainWindow();
    CWnd* window = mainWnd ? mainWnd->AsWindow() : nullptr;
    if (m_hWnd && window && window->GetSafeHwnd()) {
        CRect client;
        GetClientRect(&client);
        window->MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
        m_parts->LayoutForWidth(client.Width());
        LayoutPanels();
    }
    return result;
}

LRESULT CZemovistaDlg::OnMoveMessage(WPARAM, LPARAM) {
    LRESULT result = Default();
    IMainWindowView* mainWnd = GetMainWindow();
    CWnd* window = mainWnd ? mainWnd->AsWindow() : nullptr;
    if (m_hWnd && window && window->GetSafeHwnd()) m_parts->PlaceDlgPlay();
    LayoutPanels();
    return result;
}

void CZemovistaDlg::LayoutPanels() {
    if (!m_hWnd) return;
    MoveOnto(m_parts->GetPanel(PANEL_LEFT), m_parts->GetLeftPanelRect());
    MoveOnto(m_parts->GetPanel(PANEL_SEEK_BAR), m_parts->GetProgressRect());
    CRect middle = m_parts->GetMiddleRect();
    CRect browser = middle;
    browser.bottom -= STRIP_BOTTOM_OFFSET;
    MoveOnto(m_parts->GetPanel(PANEL_BROWSER), browser);
    CRect client;
    GetClientRect(&client);
    CRect strip(middle.left, client.bottom - STRIP_BOTTOM_OFFSET, middle.right,
                client.bottom - STRIP_BOTTOM_OFFSET + STRIP_HEIGHT);
    MoveOnto(m_parts->GetPanel(PANEL_SCROLLING_STRIP), strip);
}

LRESULT CZemovistaDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = MIN_TRACK_WIDTH;
    info->ptMinTrackSize.y = MIN_TRACK_HEIGHT;
    return 0;
}

LRESULT CZemovistaDlg::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CZemovistaDlg::OnQueryDragIcon(WPARAM, LPARAM) { return (LRESULT)m_hIcon; }

LRESULT CZemovistaDlg::OnCloseMessage(WPARAM, LPARAM) {
    m_parts->HidePlayDialog();
    ShowWindow(SW_HIDE);
    CAppFacade::GetInstance().Broadcast(CMD_APP_EXIT, nullptr);
    EndDialog(IDCANCEL);
    return 0;
}

void CZemovistaDlg::OnDestroy() {
    CAllConfig& config = CUserConfig::GetInstance().GetAllConfig();
    // The restore rectangle: a minimised or maximised window's own rectangle is not the
    // user's size. In full screen the stored rectangle stays as it is.
    WINDOWPLACEMENT placement = {sizeof placement};
    if (!CAppFacade::GetInstance().IsFullScreen() && ::GetWindowPlacement(m_hWnd, &placement)) {
        const RECT& rect = placement.rcNormalPosition;
        config.WindowLeft = rect.left;
        config.WindowTop = rect.top;
        config.WindowRight = rect.right;
        config.WindowBottom = rect.bottom;
    }
    config.SetPlacementWindow(nullptr);
    if (m_bInTray) Shell_NotifyIconW(NIM_DELETE, &m_trayData);
    m_bInTray = false;
    CAppFacade::GetInstance().SetMainDialog(nullptr);
    Default();
}

void CZemovistaDlg::MinimizeToTray() {
    ZeroMemory(&m_trayData, sizeof m_trayData);
    m_trayData.cbSize = NOTIFYICONDATAW_V3_SIZE;
    m_trayData.hWnd = m_hWnd;
    m_trayData.uID = 0;
    m_trayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_trayData.uCallbackMessage = WM_TRAY_NOTIFY;
    m_trayData.hIcon = m_hIcon;
    lstrcpynW(m_trayData.szTip, TITLE, 128);
    Shell_NotifyIconW(NIM_ADD, &m_trayData);
    m_parts->OnTrayChanged(true);
    ShowWindow(SW_HIDE);
    m_bInTray = true;
}

void CZemovistaDlg::RestoreFromTray() {
    ShowWindow(SW_SHOW);
    CWnd* seekBar = m_parts->GetPanel(PANEL_SEEK_BAR);
    if (seekBar && seekBar->GetSafeHwnd()) seekBar->UpdateWindow();
    m_parts->OnTrayChanged(false);
    Shell_NotifyIconW(NIM_DELETE, &m_trayData);
    m_bInTray = false;
}

void CZemovistaDlg::OnTrayShow() { RestoreFromTray(); }

void CZemovistaDlg::OnTrayExit() {
    Shell_NotifyIconW(NIM_DELETE, &m_trayData);
    m_bInTray = false;
    PostMessage(WM_CLOSE, 0, 0);
}

void CZemovistaDlg::ShowTrayMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow();
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_TRAY)) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup) popup->TrackPopupMenu(0, cursor.x, cursor.y, this);
    menu.DestroyMenu();
    // Lets the menu close when the user clicks elsewhere next time.
    PostMessage(WM_NULL, 0, 0);
}

LRESULT CZemovistaDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != 0) return 0;
    if (lParam == WM_LBUTTONUP)
        RestoreFromTray();
    else if (lParam == WM_RBUTTONUP)
        ShowTrayMenu();
    return 0;
}

LRESULT CZemovistaDlg::OnTaskbarCreated() {
    if (m_bInTray && !Shell_NotifyIconW(NIM_ADD, &m_trayData)) m_bInTray = false;
    return 0;
}

void CZemovistaDlg::RestoreForHandOver() {
    if (IsIconic())
        ShowWindow(SW_RESTORE);
    else if (!IsWindowVisible())
        RestoreFromTray();
}

LRESULT CZemovistaDlg::OnAnotherInstance(WPARAM, LPARAM) {
    RestoreForHandOver();
    return 0;
}

LRESULT CZemovistaDlg::OnOpenVideoRequest(WPARAM wParam, LPARAM) {
    std::unique_ptr<CString> path(reinterpret_cast<CString*>(wParam));
    RestoreForHandOver();
    if (path) CAppFacade::GetInstance().Broadcast(CMD_OPEN_FROM_OTHER_INSTANCE, path.get());
    return 1;
}
