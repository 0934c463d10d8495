#include "DlgPlaySize.h"

#include <afxapp.h>

#include "DlgPlay.h"
#include "DlgPlayCtrl.h"
#include "PlayDialogHost.h"
#include "SkinImages.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "resource.h"

namespace {

const UINT kActivityTimeoutMs = 3000;
const int kBarAreaHeight = 60;
const int kFullScreenDrop = 20;

void GiveImages(CEngComButton& button, LPCWSTR normal, LPCWSTR hover, LPCWSTR pressed, LPCWSTR disabled) {
    button.SetStateImages(SkinImage(normal), SkinImage(hover), SkinImage(pressed), SkinImage(disabled));
    button.SizeToImage();
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgPlaySize, CDialog)
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_BN_CLICKED(IDC_BTN_NATIVE, OnNativeSize)
ON_BN_CLICKED(IDC_BTN_DOUBLE, OnDoubleSize)
ON_BN_CLICKED(IDC_BTN_FIT, OnFitSize)
ON_BN_CLICKED(IDC_BTN_FULLSCREEN, OnFullScreen)
ON_BN_CLICKED(IDC_BTN_QUICK_FULLSCREEN, OnFullScreen)
ON_BN_CLICKED(IDC_BTN_PIN, TogglePin)
END_MESSAGE_MAP()

CDlgPlaySize::CDlgPlaySize() : CDialog(IDD_DLG_PLAYSIZE) {}

BOOL CDlgPlaySize::Create(CWnd* playDialog) { return CDialog::Create(IDD_DLG_PLAYSIZE, playDialog); }

void CDlgPlaySize::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_NATIVE, m_btnNative);
    DDX_Control(dx, IDC_BTN_DOUBLE, m_btnDouble);
    DDX_Control(dx, IDC_BTN_FIT, m_btnFit);
    DDX_Control(dx, IDC_BTN_FULLSCREEN, m_btnFullScreen);
    DDX_Control(dx, IDC_BTN_QUICK_FULLSCREEN, m_btnQuickFullScreen);
    DDX_Control(dx, IDC_BTN_PIN, m_btnPin);
}

BOOL CDlgPlaySize::OnInitDialog() {
    CDialog::OnInitDialog();
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    if (HMODULE user32 = ::GetModuleHandleW(L"user32.dll")) {
        auto setLayered = (SetLayered)(void*)::GetProcAddress(user32, "SetLayeredWindowAttributes");
        if (setLayered) setLayered(m_hWnd, 0x161110, 255, LWA_COLORKEY);
    }
    GiveImages(m_btnNative, L"btn-video-1x.png", L"btn-video-1x-down.png", L"btn-video-1x-hover.png",
               L"btn-video-1x-down.png");
    GiveImages(m_btnDouble, L"btn-video-2x.png", L"btn-video-2x-down.png", L"btn-video-2x-hover.png",
               L"btn-video-2x-down.png");
    GiveImages(m_btnFullScreen, L"btn-video-full.png", L"btn-video-full-down.png", L"btn-video-full-hover.png",
               L"btn-video-full-down.png");
    GiveImages(m_btnFit, L"btn-setting.png", L"btn-setting-down.png", L"btn-setting-hover.png",
               L"btn-setting-down.png");
    GiveImages(m_btnQuickFullScreen, L"btn_quickfull_hover.png", L"btn_quickfull.png", L"btn_quickfull_down.png",
               L"btn_quickfull.png");
    SetPinImages();

    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.SetTipTextColor(0);
    m_toolTip.SetDelayTime(TTDT_INITIAL, 0);
    m_toolTip.AddTool(&m_btnNative, L"原始大小");
    m_toolTip.AddTool(&m_btnDouble, L"两倍大小");
    m_toolTip.AddTool(&m_btnFit, L"合适大小");
    m_toolTip.AddTool(&m_btnFullScreen, L"全屏");
    m_toolTip.AddTool(&m_btnPin, L"置顶");
    SetTimer(TIMER_PLAYSIZE_TRACK, 100);
    return TRUE;
}

void CDlgPlaySize::SetPinImages() {
    if (m_bPinned)
        GiveImages(m_btnPin, L"win_nail_on.png", L"win_nail_on_hover.png", L"win_nail_on_down.png",
                   L"win_nail_on_hover.png");
    else
        GiveImages(m_btnPin, L"win_nail.png", L"win_nail_hover.png", L"win_nail_down.png", L"win_nail_hover.png");
}

BOOL CDlgPlaySize::OnEraseBkgnd(CDC* dc) {
    RECT client;
    GetClientRect(&client);
    HBRUSH brush = ::CreateSolidBrush(RGB(0x10, 0x11, 0x16));
    ::FillRect(dc->GetSafeHdc(), &client, brush);
    ::DeleteObject(brush);
    return TRUE;
}

CDlgPlay* CDlgPlaySize::PlayDialog() const {
    if (!m_hWnd) return nullptr;
    return dynamic_cast<CDlgPlay*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CDlgPlaySize::OnNativeSize() {
    if (CDlgPlay* play = PlayDialog()) play->OnNativeSize();
}
void CDlgPlaySize::OnDoubleSize() {
    if (CDlgPlay* play = PlayDialog()) play->OnDoubleSize();
}
void CDlgPlaySize::OnFitSize() {
    if (CDlgPlay* play = PlayDialog()) play->OnFitSize();
}
void CDlgPlaySize::OnFullScreen() {
    if (CDlgPlay* play = PlayDialog()) play->OnFullScreen();
}

void CDlgPlaySize::ShowBar() {
    m_dwLastActivity = ::GetTickCount();
    if (!m_hWnd || IsWindowVisible()) return;
    CDlgPlay* play = PlayDialog();
    if (!play || !play->GetVideoSurface().IsWindowVisible()) return;
    bool fullScreen = CAppFacade::GetInstance().IsFullScreen();
    int show = fullScreen ? SW_HIDE : SW_SHOW;
    for (CWnd* button : {(CWnd*)&m_btnNative, (CWnd*)&m_btnDouble, (CWnd*)&m_btnFit, (CWnd*)&m_btnFullScreen,
                         (CWnd*)&m_btnPin})
        button->ShowWindow(show);
    m_btnQuickFullScreen.ShowWindow(fullScreen ? SW_SHOW : SW_HIDE);
    RECT bar, client;
    GetWindowRect(&bar);
    play->GetClientRect(&client);
    int width = bar.right - bar.left;
    int top = fullScreen ? kFullScreenDrop : 0;
    ::SetWindowPos(m_hWnd, HWND_TOP, client.right - width, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CDlgPlaySize::HideBar() {
    m_dwLastActivity = 0;
    if (m_hWnd) ShowWindow(SW_HIDE);
    if (IPlayDialogHost* host = FindPlayDialogHost()) {
        CDlgPlayCtrl* bar = host->GetPlayCtrlBar();
        if (bar && bar->GetSafeHwnd()) bar->ShowWindow(SW_HIDE);
    }
}

bool CDlgPlaySize::IsPointerInBarArea() {
    CDlgPlay* play = PlayDialog();
    if (!play) return false;
    POINT pointer;
    ::GetCursorPos(&pointer);
    RECT area;
    play->GetWindowRect(&area);
    area.bottom = area.top + kBarAreaHeight;
    if (::PtInRect(&area, pointer)) return true;
    return CAppFacade::GetInstance().IsFullScreen() && IsPointInBottomStrip(pointer);
}

void CDlgPlaySize::OnTimer(UINT_PTR id) {
    if (id != TIMER_PLAYSIZE_TRACK) {
        Default();
        return;
    }
    if (!IsWindowVisible()) return;
    if (IsPointerInBarArea())
        m_dwLastActivity = ::GetTickCount();
    else if (::GetTickCount() - m_dwLastActivity > kActivityTimeoutMs)
        HideBar();
}

void CDlgPlaySize::TogglePin() {
    m_bPinned = !m_bPinned;
    SetPinImages();
    // Pinned is topmost, unpinned is not, whatever the window was before.
    if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd())
        ::SetWindowPos(main->GetSafeHwnd(), m_bPinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_toolTip.GetSafeHwnd()) m_toolTip.UpdateTipText(m_bPinned ? L"取消置顶" : L"置顶", &m_btnPin);
}

BOOL CDlgPlaySize::PreTranslateMessage(MSG* msg) {
    if (CAppFacade::GetInstance().HandleHotKey(msg) == 1) return TRUE;
    if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}
