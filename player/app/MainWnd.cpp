#include "MainWnd.h"

#include <afxdlgs.h>
#include <process.h>
#include <windowsx.h>

#include "DlgPlayCtrl.h"
#include "MainWndCtrlManager.h"
#include "PageOpener.h"
#include "ZemovistaDlg.h"
#include "account/LoginAccount.h"
#include "account/LoginSession.h"
#include "common/CommonHelpers.h"
#include "common/PostOwnedMessage.h"
#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "db/ZemoException.h"
#include "dialog/DlgAbout.h"
#include "dialog/DlgSetting.h"
#include "element/ElementStates.h"
#include "element/ElementVideoTab.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "net/HttpHelpers.h"
#include "playlist/PlayOrder.h"
#include "resource.h"
#include "startup/InstancePipe.h"
#include "views/DownloadListView.h"
#include "views/MainDialogView.h"
#include "views/PlayDialogView.h"
#include "web/WebInfo.h"
#include "web/WebUriGettor.h"

namespace {

const int kPlayDialogReserve = 35;
const DWORD kOpenFileFlags = 0x1204;  // multiple selection, files must exist, no read-only box
const DWORD kNameBufferChars = 0x100000;

CMainWnd::PLAY_DIALOG_MAKER g_playDialogMaker = nullptr;

struct AVATAR_REQUEST {
    HWND window;
    CString url;
};

IMainDialogView* MainDialog() { return CAppFacade::GetInstance().GetMainDialog(); }

bool IsRandomOrder() { return CUserConfig::GetInstance().GetOtherConfig().PlayOrder == PLAY_ORDER_RANDOM; }

RECT Inflated(RECT r, int left, int top, int right, int bottom) {
    r.left += left;
    r.top += top;
    r.right -= right;
    r.bottom -= bottom;
    return r;
}

void SubtractRect(HRGN region, const RECT& r) {
    HRGN hole = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(region, region, hole, RGN_DIFF);
    DeleteObject(hole);
}

}  // namespace

IMPLEMENT_DYNAMIC(CMainWnd, CBaseSkinWnd)

BEGIN_MESSAGE_MAP(CMainWnd, CBaseSkinWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_MESSAGE(WM_VIDEO_CATEGORY_ITEM, OnVideoCategoryItem)
ON_MESSAGE(WM_RECENT_UPLOAD_ITEM, OnRecentUploadItem)
ON_MESSAGE(WM_OPEN_START_PAGE, OnOpenStartPage)
ON_MESSAGE(WM_SHOW_LEFT_PANEL, OnShowLeftPanel)
ON_MESSAGE(WM_AVATAR_READY, OnAvatarReady)
ON_MESSAGE(WM_OPEN_COMMAND_LINE, OnOpenCommandLine)
ON_MESSAGE(WM_REFRESH_BALANCE, OnRefreshBalance)
ON_COMMAND(ID_HELP_ONLINE, OnHelpOnline)
ON_COMMAND(ID_HELP_FEEDBACK, OnHelpFeedback)
ON_COMMAND(ID_HELP_ABOUT, OnHelpAbout)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_EXIT, OnFileExit)
ON_COMMAND(ID_LIST_ADD, OnListAdd)
ON_COMMAND(ID_ITEM_PLAY, OnItemPlay)
ON_COMMAND(ID_ITEM_DELETE, OnItemDelete)
ON_COMMAND(ID_ITEM_UP, OnItemUp)
ON_COMMAND(ID_ITEM_DOWN, OnItemDown)
END_MESSAGE_MAP()

void CMainWnd::SetPlayDialogMaker(PLAY_DIALOG_MAKER maker) { g_playDialogMaker = maker; }

CMainWnd::CMainWnd() : m_strLastFolder(GetDefaultDownloadFolder()) {}

CMainWnd::~CMainWnd() {
    DestroyWindow();
    if (m_pLoginSession) {
        try {
            m_pLoginSession->ClearAccountList();
            m_pLoginSession.reset();
        } catch (...) {
        }
    }
}

CMainWndCtrlManager* CMainWnd::GetManager() const { return static_cast<CMainWndCtrlManager*>(m_pCtrlManager); }

// A window created again gets a new manager.
void CMainWnd::CreateCtrlManager() {
    delete m_pCtrlManager;
    m_pCtrlManager = new CMainWndCtrlManager(this);
}

CWnd* CMainWnd::MainDialogWindow() const {
    IMainDialogView* dialog = MainDialog();
    return dialog ? dialog->AsWindow() : nullptr;
}

CWnd* CMainWnd::MainDialogPanel(int panel) const {
    auto* dialog = dynamic_cast<CZemovistaDlg*>(MainDialog());
    return dialog ? dialog->GetParts().GetPanel(static_cast<DIALOG_PANEL>(panel)) : nullptr;
}

void CMainWnd::FocusPlayDialog() {
    if (m_pDlgPlay) ::SetFocus(m_pDlgPlay->AsWindow()->GetSafeHwnd());
}

BOOL CMainWnd::PreTranslateMessage(MSG* msg) { return CAppFacade::GetInstance().HandleHotKey(msg) != 0; }

int CMainWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CBaseSkinWnd::OnCreate(cs) == -1) return -1;
    // Without its page the window has nothing to offer: creation fails, so the owner
    // does not go on with a window that has no page, controls or play dialog.
    if (!LoadSkinPage(L"mainwnd.html", nullptr)) return -1;
    // The play dialog comes first: the download control is made on its download window,
    // and without that control no download is ever added or started.
    if (g_playDialogMaker) m_pDlgPlay = g_playDialogMaker(this);
    if (m_pDlgPlay) ::ShowWindow(m_pDlgPlay->AsWindow()->GetSafeHwnd(), SW_HIDE);
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.CreateControls();
    m_pCtrlManager->RefreshElements();
    m_pLoginSession = facade.CreateLoginSession();
    if (m_pLoginSession) {
        CLoginSession* session = m_pLoginSession.get();
        m_pKeepAlive = std::make_unique<CSessionKeepAlive>(
            [session](const CString& url) { session->SendSessionRequest(url); });
        try {
            m_pLoginSession->AutoLogin();
        } catch (const CZemoException&) {
        }
    }
    m_bCreated = true;
    facade.Broadcast(CMD_MAIN_WINDOW_CREATED, nullptr);
    PostMessage(WM_OPEN_START_PAGE, 0, 0);
    PostMessage(WM_OPEN_COMMAND_LINE, 0, 0);
    SetTimer(TIMER_SESSION_ACTIVE, SESSION_ACTIVE_MS, nullptr);
    return 0;
}

void CMainWnd::OnDestroy() {
    KillTimer(TIMER_SESSION_ACTIVE);
    KillTimer(TIMER_PLAY_PROGRESS);
    m_pKeepAlive.reset();  // waits for the request in flight, which uses the session
    if (!m_strAvatarFile.IsEmpty()) {
        DeleteFileIfExists(m_strAvatarFile);
        m_strAvatarFile.Empty();
    }
    m_pDlgPlay = nullptr;  // the maker's dialog goes with its owner
    m_bCreated = false;
    CBaseSkinWnd::OnDestroy();
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The resize cursor wins over the page's cursor on the border.
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        POINT p = {};
        GetCursorPos(&p);
        ::ScreenToClient(m_hWnd, &p);
        if (LPCWSTR cursor = BorderCursor(BorderTest(p))) {
            ::SetCursor(LoadCursorW(nullptr, cursor));
            return TRUE;
        }
    }
    return CBaseSkinWnd::WindowProc(message, wParam, lParam);
}

// ---- geometry

RECT CMainWnd::GetProgressRect() const {
    return m_pCtrlManager ? m_pCtrlManager->GetElementRect(L"show-progress-bg") : RECT();
}

RECT CMainWnd::GetLeftPanelRect() const {
    if (!m_pCtrlManager) return RECT();
    return Inflated(m_pCtrlManager->GetElementRect(L"ad-bg"), 5, 5, 7, 9);
}

RECT CMainWnd::GetMiddleRect() const {
    if (!m_pCtrlManager) return RECT();
    RECT r = m_pCtrlManager->GetElementRect(L"middle");
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    r.bottom = client.bottom;
    return r;
}

void CMainWnd::LayoutForWidth(int width) {
    if (!m_hWnd || !m_pCtrlManager) return;
    bool wide = width >= 1000;
    m_pCtrlManager->SetElementStyle(L"show-progress-bg", "left", wide ? L"33%" : L"38%");
    m_pCtrlManager->SetElementStyle(L"view-control", "left", wide ? L"72%" : L"87%");
}

void CMainWnd::UpdateWindowRegion() {
    if (!m_hWnd) return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    HRGN region = CreateRectRgn(client.left, client.top, client.right, client.bottom);
    SubtractRect(region, GetProgressRect());
    SubtractRect(region, GetLeftPanelRect());
    RECT middle = GetMiddleRect();
    middle.bottom -= 2;
    SubtractRect(region, middle);
    if (!::SetWindowRgn(m_hWnd, region, TRUE)) DeleteObject(region);
}

void CMainWnd::PlaceDlgPlay() {
    if (!m_pDlgPlay || !m_hWnd) return;
    RECT r = GetMiddleRect();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    if (!CAppFacade::GetInstance().IsFullScreen()) r.bottom -= kPlayDialogReserve;
    if (HWND dialog = m_pDlgPlay->AsWindow()->GetSafeHwnd())
        ::MoveWindow(dialog, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    m_pDlgPlay->CenterMiddlePanel();
}

BORDER_HIT CMainWnd::BorderTest(POINT point) const {
    if (CUserConfig::GetInstance().GetAllConfig().MaximizeWindow) return BORDER_NONE;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return BorderHitAt(client, point);
}

LRESULT CMainWnd::OnNcHitTest(WPARAM, LPARAM lParam) {
    // The message's point is in screen coordinates.
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &p);
    if (LPCWSTR cursor = BorderCursor(BorderTest(p))) ::SetCursor(LoadCursorW(nullptr, cursor));
    return Default();
}

void CMainWnd::OnLButtonDown(UINT flags, CPoint point) {
    CWnd* dialog = MainDialogWindow();
    if (CUserConfig::GetInstance().GetAllConfig().MaximizeWindow || !dialog) {
        Default();
        return;
    }
    POINT p = {point.x, point.y};
    BORDER_HIT hit = BorderTest(p);
    POINT screen = p;
    ::ClientToScreen(m_hWnd, &screen);
    if (hit != BORDER_NONE) {
        ::SetCursor(LoadCursorW(nullptr, BorderCursor(hit)));
        ::SendMessageW(dialog->GetSafeHwnd(), WM_SYSCOMMAND, SC_SIZE + hit, MAKELPARAM(screen.x, screen.y));
    } else if (GetManager()->IsDragArea(p)) {
        ::PostMessageW(dialog->GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    } else {
        Default();
    }
    (void)flags;
}

void CMainWnd::OnLButtonDblClk(UINT, CPoint point) {
    POINT p = {point.x, point.y};
    if (m_pCtrlManager && GetManager()->IsDragArea(p)) GetManager()->ToggleMaximize();
    Default();
}

// ---- timers

void CMainWnd::OnTimer(UINT_PTR id) {
    if (id == TIMER_PLAY_PROGRESS)
        OnPlayProgressTick();
    else if (id == TIMER_SESSION_ACTIVE)
        SendSessionKeepAlive();
    Default();
}

void CMainWnd::OnPlayProgressTick() {
    Sleep(1);
    IMainDialogView* dialog = MainDialog();
    if (!m_pDlgPlay || !dialog) return;
    int progress = 0;
    CString elapsed, total;
    m_pDlgPlay->GetPlayTimes(progress, elapsed, total);
    if (CAppFacade::GetInstance().IsFullScreen()) {
        dialog->ShowControlBarTimes(progress, elapsed, total);
        return;
    }
    dialog->SetSeekElapsed(elapsed);
    dialog->SetSeekTotal(total);
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) dialog->SetSeekPosition(progress, false);
}

void CMainWnd::SendSessionKeepAlive() {
    if (!m_pLoginSession || !m_pKeepAlive) return;
    LOGIN_ACCOUNT* account = m_pLoginSession->GetCurrentAccount();
    if (!account || account->Sid.IsEmpty()) return;
    CString url = CWebUriGettor::GetUri(L"session_active", L"/checksession/active", true, L"", L"");
    m_pKeepAlive->Send(url + L"?sid=" + account->Sid);
}

// ---- posted messages

LRESULT CMainWnd::OnVideoCategoryItem(WPARAM wParam, LPARAM) {
    std::unique_ptr<BASE_WEB_INFO> record(reinterpret_cast<BASE_WEB_INFO*>(wParam));
    if (record && m_pCtrlManager) GetManager()->AddCategory(record->name, record->url);
    return 1;
}

LRESULT CMainWnd::OnRecentUploadItem(WPARAM wParam, LPARAM) {
    std::unique_ptr<WEB_INFO_NEWESE_VIDEO> record(reinterpret_cast<WEB_INFO_NEWESE_VIDEO*>(wParam));
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (record && tab) tab->AddNewestItem(*record);
    return 1;
}

LRESULT CMainWnd::OnOpenStartPage(WPARAM, LPARAM) {
    ApplyStartView(true);
    return 1;
}

LRESULT CMainWnd::OnShowLeftPanel(WPARAM wParam, LPARAM) {
    PlaceDlgPlay();
    if (IMainDialogView* dialog = MainDialog()) dialog->ShowLeftPanel(wParam == 1);
    return 1;
}

LRESULT CMainWnd::OnAvatarReady(WPARAM wParam, LPARAM) {
    std::unique_ptr<CString> path(reinterpret_cast<CString*>(wParam));
    if (!path) return 0;
    if (!m_strAvatarFile.IsEmpty() && m_strAvatarFile.CompareNoCase(*path) != 0) DeleteFileIfExists(m_strAvatarFile);
    m_strAvatarFile = *path;
    if (m_pCtrlManager) GetManager()->SetAvatar(*path);
    return 0;
}

LRESULT CMainWnd::OnOpenCommandLine(WPARAM, LPARAM) { return PlayCommandLine(GetCommandLineArgs()) ? 1 : 0; }

bool CMainWnd::PlayCommandLine(const std::vector<CString>& args) {
    if (args.size() < 2) return false;
    CString path = CommandLinePath(args[1]);
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_FILE, &path);
    return true;
}

LRESULT CMainWnd::OnRefreshBalance(WPARAM, LPARAM) {
    if (!m_pLoginSession) return 0;
    m_pLoginSession->RefreshPoints();
    LOGIN_ACCOUNT* account = m_pLoginSession->GetCurrentAccount();
    if (account && m_pCtrlManager) GetManager()->SetPointsText(IntToCString(account->Points));
    return 0;
}

// ---- menu commands

void CMainWnd::OpenServicePageOutside(LPCWSTR key, LPCWSTR defaultPath) {
    CString url = CWebUriGettor::GetUri(key, defaultPath, true, L"", L"");
    if (m_pLoginSession) url = m_pLoginSession->GetWebLoginUrl(url);
    OpenPage(kInternetExplorer, url);
}

void CMainWnd::OnHelpOnline() { OpenServicePageOutside(L"help_get", L"/parent/faq.shtml"); }

void CMainWnd::OnHelpFeedback() { OpenServicePageOutside(L"forum_get", L"/forumdisplay.php?fid=29"); }

void CMainWnd::OnHelpAbout() {
    FocusPlayDialog();
    CDlgAbout about(MainDialogWindow());
    about.DoModal();
}

void CMainWnd::OnFileOpen() {
    if (IsRandomOrder()) CAppFacade::GetInstance().ResetRandomPool(true);
    CAppFacade::GetInstance().Broadcast(CMD_OPEN_FILE, nullptr);
}

void CMainWnd::OnFileClose() { CAppFacade::GetInstance().Broadcast(CMD_CLOSE_FILE, nullptr); }

void CMainWnd::OnFileExit() {
    if (CWnd* dialog = MainDialogWindow()) ::PostMessageW(dialog->GetSafeHwnd(), WM_CLOSE, 0, 0);
}

void CMainWnd::OnListAdd() {
    if (m_pCtrlManager) GetManager()->AddVideos();
}

void CMainWnd::OnItemPlay() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->PlayItem(m_pCtrlManager->GetCurrentElement());
}

void CMainWnd::OnItemDelete() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->DeleteItem(m_pCtrlManager->GetCurrentElement());
}

void CMainWnd::OnItemUp() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->MoveItemUp(m_pCtrlManager->GetCurrentElement());
}

void CMainWnd::OnItemDown() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->MoveItemDown(m_pCtrlManager->GetCurrentElement());
}

// ---- operations for other windows

void CMainWnd::SetProgressTitle(const CString& title) {
    if (IMainDialogView* dialog = MainDialog()) dialog->SetSeekTitle(title);
}

void CMainWnd::SetProgressElapsed(const CString& text) {
    if (IMainDialogView* dialog = MainDialog()) dialog->SetSeekElapsed(text);
}

void CMainWnd::SetProgressTotal(const CString& text) {
    if (IMainDialogView* dialog = MainDialog()) dialog->SetSeekTotal(text);
}

void CMainWnd::SetSeekPosition(int position, bool seek) {
    if (IMainDialogView* dialog = MainDialog()) dialog->SetSeekPosition(position, seek);
}

void CMainWnd::RefreshElement(const CString& id) {
    if (m_pCtrlManager) GetManager()->ApplyElementState(id);
}

void CMainWnd::RefreshPlayState() {
    if (m_pCtrlManager) GetManager()->RefreshPlayState();
    if (IMainDialogView* dialog = MainDialog()) dialog->RefreshControlBar();
}

void CMainWnd::OnPlayStarted() {
    RefreshElement(L"play-pause");
    SetTimer(TIMER_PLAY_PROGRESS, PLAY_PROGRESS_MS, nullptr);
    IMainDialogView* dialog = MainDialog();
    CWnd* window = dialog ? dialog->AsWindow() : nullptr;
    bool minimized = window && ::IsIconic(window->GetSafeHwnd());
    if (m_pDlgPlay && dialog && !minimized && !dialog->IsInTray()) m_pDlgPlay->ShowVideoArea(true);
}

void CMainWnd::OnPlayPaused() {
    KillTimer(TIMER_PLAY_PROGRESS);
    RefreshElement(L"play-pause");
}

void CMainWnd::SetViewMode(const char* id) {
    if (CMainWndCtrlManager* manager = GetManager()) manager->SetViewMode(CString(id));
}

CDlgPlayCtrl* CMainWnd::GetPlayCtrlBar() { return dynamic_cast<CDlgPlayCtrl*>(MainDialogPanel(PANEL_CONTROL_BAR)); }

CWnd* CMainWnd::GetWebDialog() { return MainDialogPanel(PANEL_BROWSER); }

void CMainWnd::NavigateWebDialog(const CString& url) {
    if (IMainDialogView* dialog = MainDialog()) dialog->OpenBrowserPage(url);
}

void CMainWnd::HidePlayDialog() {
    if (m_pDlgPlay) ::ShowWindow(m_pDlgPlay->AsWindow()->GetSafeHwnd(), SW_HIDE);
}

void CMainWnd::OnPlayStopped() {
    CAppFacade::GetInstance().Broadcast(CMD_CLOSE_FILE, nullptr);
    if (CAppFacade::GetInstance().IsFullScreen()) {
        if (IMainDialogView* dialog = MainDialog()) dialog->RefreshControlBar();
    } else {
        RefreshElement(L"play-pause");
    }
}

void CMainWnd::CloseVideo() {
    if (m_pDlgPlay && !m_pDlgPlay->IsWebViewVisible()) m_pDlgPlay->ShowVideoArea(false);
    KillTimer(TIMER_PLAY_PROGRESS);
    if (m_pDlgPlay) m_pDlgPlay->Stop();
    SetProgressTitle(CString());
    SetProgressElapsed(CString());
    SetProgressTotal(CString());
    SetSeekPosition(0, true);
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetPlayState(PLAY_STATE_NONE);
    ClearPlayingMark();
    facade.SetCurrentPath(CString());
    RefreshPlayState();
}

void CMainWnd::AddPlayListItem(const CString& path, const CString& title, bool markPlaying) {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->AddItemAndShowList(path, title, markPlaying);
}

void CMainWnd::ClearPlayingMark() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->ClearPlayingMark();
}

void CMainWnd::RemovePlayListItem(const CString& path) {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->RemoveItemByPath(path);
}

void CMainWnd::ReloadPlayList() {
    CElementVideoTab* tab = m_pCtrlManager ? GetManager()->VideoTab() : nullptr;
    if (tab) tab->ReloadItems();
}

void CMainWnd::ShowDownloads() {
    if (!m_pDlgPlay) return;
    m_pDlgPlay->Pause(false);
    m_pDlgPlay->ShowDownloadView(true, false);
    RefreshElement(L"play-pause");
}

void CMainWnd::OpenTabPage(int tab) {
    static const struct {
        LPCWSTR key;
        LPCWSTR path;
    } kTabs[] = {{L"index_get", L"/index.aspx"},
                 {L"rank_get", L"/Rank.aspx"},
                 {L"subscribe_get", L"/Subscribe.aspx"},
                 {L"vip_get", L"/Vip.aspx"},
                 {L"index_get", L"/index.aspx"}};
    if (tab < 1 || tab > 5 || !m_pDlgPlay) return;
    if (tab == 1 && m_pDlgPlay->HasWebPage()) {
        m_pDlgPlay->ShowWebView(CString(), false);
        return;
    }
    m_pDlgPlay->ShowWebView(CWebUriGettor::GetUri(kTabs[tab - 1].key, kTabs[tab - 1].path, true, L"", L""), true);
}

void CMainWnd::OpenCategoryPage(HELEMENT element) {
    if (!m_pCtrlManager || !m_pDlgPlay) return;
    CString url = GetManager()->GetCategoryUrl(element);
    if (!url.IsEmpty()) m_pDlgPlay->ShowWebView(url, true);
}

void CMainWnd::ApplyStartView(bool firstTime) {
    IMainDialogView* dialog = MainDialog();
    if (!dialog) return;
    CAllConfig& config = CUserConfig::GetInstance().GetAllConfig();
    if (firstTime) {
        ReloadPlayList();
        RECT stored = {config.WindowLeft, config.WindowTop, config.WindowRight, config.WindowBottom};
        RECT workArea = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        RECT r = SettleStartRect(stored, config.MaximizeWindow, workArea, GetDefaultMainWindowRect(),
                                 &IsPointOnAnyMonitor);
        config.WindowLeft = r.left;
        config.WindowTop = r.top;
        config.WindowRight = r.right;
        config.WindowBottom = r.bottom;
        if (HWND window = dialog->AsWindow()->GetSafeHwnd())
            ::MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (m_bStartView) {
        if (CAppFacade::GetInstance().GetFirstItemPath().IsEmpty())
            dialog->OpenBrowserPage(CWebUriGettor::GetUri(L"index_get", L"/index.aspx", true, L"", L""));
        else if (m_pDlgPlay)
            m_pDlgPlay->ShowVideoArea(false);
    }
    if (CMainWndCtrlManager* manager = GetManager()) {
        manager->RefreshPlayOrder();
        if (firstTime) manager->ApplyStoredViewMode();
        if (auto* slider = static_cast<CElementVolumeSlider*>(manager->GetElementObject(L"slider-volume")))
            slider->ShowVolume();
    }
    RefreshPlayState();
    RefreshElement(L"btn-speaker");
    RefreshElement(L"slider-volume");
}

void CMainWnd::PlayLastPlayed() {
    CString path = CAppFacade::GetInstance().GetLastPlayedPath();
    if (path.IsEmpty()) return;
    if (IsRandomOrder()) CAppFacade::GetInstance().ResetRandomPool(true);
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_FILE, &path);
}

std::vector<CString> CMainWnd::ShowOpenFileDialog() {
    CFileDialog dialog(TRUE, L"xof", nullptr, kOpenFileFlags, L"XOF文件(*.xof)|*.xof||",
                       m_pDlgPlay ? m_pDlgPlay->AsWindow() : this);
    std::vector<wchar_t> names(kNameBufferChars, L'\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = kNameBufferChars;
    dialog.m_ofn.lpstrInitialDir = m_strLastFolder;
    std::vector<CString> paths;
    if (dialog.DoModal() == IDOK) {
        POSITION position = dialog.GetStartPosition();
        while (position) paths.push_back(dialog.GetNextPathName(position));
    }
    if (paths.empty()) return paths;
    int slash = paths.front().ReverseFind(L'\\');
    if (slash > 0) m_strLastFolder = paths.front().Left(slash);
    CAppFacade::SortPaths(paths, 0, (int)paths.size() - 1);
    return paths;
}

void CMainWnd::ShowSettingsDialog() {
    if (CAppFacade::GetInstance().IsFullScreen()) return;
    FocusPlayDialog();
    CDlgSetting settings(MainDialogWindow());
    settings.DoModal();
}

void CMainWnd::ToggleFullScreen() {
    CAppFacade& facade = CAppFacade::GetInstance();
    bool full = facade.IsFullScreen();
    if (!m_pDlgPlay || (!full && !m_pDlgPlay->IsVideoSurfaceVisible())) return;
    facade.SetFullScreen(!full);
    if (CMainWndCtrlManager* manager = GetManager()) {
        if (full)
            manager->LeaveFullScreen();
        else
            manager->EnterFullScreen();
    }
    m_pDlgPlay->UpdateCursorTimer();
}

bool CMainWnd::IsWebViewVisible() { return m_pDlgPlay && m_pDlgPlay->IsWebViewVisible(); }

void CMainWnd::CycleViewMode() {
    if (CMainWndCtrlManager* manager = GetManager()) manager->CycleViewMode();
}

void CMainWnd::TogglePlayPause() {
    if (CMainWndCtrlManager* manager = GetManager()) manager->PlayPause();
}

void CMainWnd::VolumeUp() {
    if (CMainWndCtrlManager* manager = GetManager()) manager->VolumeUp();
}

void CMainWnd::VolumeDown() {
    if (CMainWndCtrlManager* manager = GetManager()) manager->VolumeDown();
}

void CMainWnd::MuteSound() {
    if (CMainWndCtrlManager* manager = GetManager()) manager->ToggleMute();
}

void CMainWnd::ChangeVolumeByWheel(bool up) {
    if (up)
        VolumeUp();
    else
        VolumeDown();
}

void CMainWnd::StopPlay() { CAppFacade::GetInstance().Broadcast(CMD_CLOSE_FILE, nullptr); }

void CMainWnd::SetVideoSizeOriginal() {
    if (m_pDlgPlay) m_pDlgPlay->SetVideoSizeOriginal();
}

void CMainWnd::SetVideoSizeDouble() {
    if (m_pDlgPlay) m_pDlgPlay->SetVideoSizeDouble();
}

// ---- sign-in changes

void CMainWnd::OnUserLoggedIn(LOGIN_ACCOUNT* account, const CString& token, bool keepPlayback) {
    if (!account || !m_pCtrlManager) return;
    auto request = new AVATAR_REQUEST{m_hWnd, account->AvatarUrl};
    uintptr_t thread = _beginthreadex(nullptr, 0, &CMainWnd::AvatarThreadProc, request, 0, nullptr);
    if (thread)
        CloseHandle(reinterpret_cast<HANDLE>(thread));
    else
        delete request;
    GetManager()->ShowAccount(*account);
    if (!keepPlayback) ResetForUserChange();
    if (m_bStartView && m_pDlgPlay) m_pDlgPlay->ClearWebPage();
    if (IDownloadListView* downloads = CAppFacade::GetInstance().GetDownloadWnd()) downloads->RefreshForUser();
    CAppFacade::GetInstance().SetCurrentAccount(account, token);
}

unsigned __stdcall CMainWnd::AvatarThreadProc(void* parameter) {
    std::unique_ptr<AVATAR_REQUEST> request(static_cast<AVATAR_REQUEST*>(parameter));
    int size = 0;
    void* picture = HttpGetToMemory(request->url, size);
    if (!picture) return 0;
    CString path = GetTempFilePath();
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    bool written = false;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD count = 0;
        written = WriteFile(file, picture, (DWORD)size, &count, nullptr) && count == (DWORD)size;
        CloseHandle(file);
        if (!written) DeleteFileW(path);
    }
    VirtualFree(picture, 0, MEM_RELEASE);
    if (written && !PostOwnedMessage(request->window, WM_AVATAR_READY, std::make_unique<CString>(path)))
        DeleteFileW(path);
    return 0;
}

bool CMainWnd::Logout() {
    if (!m_pLoginSession) return false;
    try {
        m_pLoginSession->Logout();
    } catch (const CZemoException& failure) {
        FocusPlayDialog();
        ::MessageBoxW(m_hWnd, failure.GetErrorText(), L"Zemovista", MB_OK);
        return false;
    }
    if (m_pDlgPlay) m_pDlgPlay->ClearWebPage();
    if (IDownloadListView* downloads = CAppFacade::GetInstance().GetDownloadWnd()) downloads->RefreshForUser();
    CAppFacade::GetInstance().SetCurrentAccount(nullptr, CString());
    return true;
}

void CMainWnd::ShowLoginDialog(const CString& userName) {
    if (m_pLoginSession) m_pLoginSession->ShowLoginDialog(userName);
}

void CMainWnd::ResetForUserChange() {
    if (m_pDlgPlay) m_pDlgPlay->Stop();
    CUserConfig::GetInstance().LoadUserSettings();
    ApplyStartView(false);
    if (m_pDlgPlay && ::IsWindowVisible(m_pDlgPlay->AsWindow()->GetSafeHwnd())) m_pDlgPlay->ShowVideoArea(false);
}
