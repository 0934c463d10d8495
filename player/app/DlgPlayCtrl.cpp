#include "DlgPlayCtrl.h"

#include "DlgPlay.h"
#include "SkinImages.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainWindowView.h"

namespace {
const int kBarHeight = 65;
const UINT kControlPageId = 10;
const int kPageTop = 25, kPageHeight = 35;

void GiveImage(CEngComButton& button, LPCWSTR name) {
    CString path = SkinImage(name);
    button.SetStateImages(path, path, path, path);
    button.SizeToImage();
}
}  // namespace

BEGIN_MESSAGE_MAP(CDlgPlayCtrl, CDialog)
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SLIDER_JUMPED, OnSliderSeek)
ON_MESSAGE(WM_SLIDER_MOVING, OnSliderSeek)
END_MESSAGE_MAP()

CDlgPlayCtrl::CDlgPlayCtrl() : CDialog(IDD_DLG_PLAYCTRL) {}

BOOL CDlgPlayCtrl::Create(CWnd* owner) { return CDialog::Create(IDD_DLG_PLAYCTRL, owner); }

void CDlgPlayCtrl::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_REWIND, m_btnRewind);
    DDX_Control(dx, IDC_BTN_FORWARD, m_btnForward);
    DDX_Control(dx, IDC_SLIDER, m_slider);
}

BOOL CDlgPlayCtrl::OnInitDialog() {
    CDialog::OnInitDialog();
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, height - kBarHeight, width, kBarHeight, SWP_HIDEWINDOW);
    ::SetCurrentDirectoryW(GetProgramFolder());
    GiveImage(m_btnRewind, L"player-seek-fastrewind.png");
    GiveImage(m_btnForward, L"player-seek-fastforward.png");
    m_slider.SetFitMode(true);
    m_slider.SetBackground(L"", 0xFF0A0A0A);
    m_slider.SetDrawFocusRect(false);
    m_slider.SetRange(0, PROGRESS_SCALE);
    CRect page(0, kPageTop, width, kPageTop + kPageHeight);
    if (!m_controlPage.Create(L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, page, this, kControlPageId))
        return -1;
    return 1;
}

BOOL CDlgPlayCtrl::OnEraseBkgnd(CDC* dc) {
    RECT client;
    GetClientRect(&client);
    HBRUSH brush = ::CreateSolidBrush(RGB(10, 10, 10));
    ::FillRect(dc->GetSafeHdc(), &client, brush);
    ::DeleteObject(brush);
    return TRUE;
}

void CDlgPlayCtrl::ShowBar() {
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    m_btnRewind.MoveWindow(5, 7, 15, 9);
    m_slider.MoveWindow(23, 5, width - 46, 13);
    m_slider.SetChannelImages(SkinImage(L"player-seek-remained.png"), SkinImage(L"player-seek-played.png"));
    m_slider.SetThumbImages(SkinImage(L"btn-seeker.png"), SkinImage(L"btn-seeker-hover.png"),
                            SkinImage(L"btn-seeker-down.png"));
    m_btnForward.MoveWindow(width - 20, 7, 15, 9);
    m_controlPage.MoveWindow(0, kPageTop, width, kPageHeight);
    m_controlPage.Invalidate();
    ShowWindow(SW_SHOWNOACTIVATE);
}

void CDlgPlayCtrl::SetTimeText(const CString& elapsed, const CString& total) {
    if (!m_controlPage.GetSafeHwnd()) return;
    m_controlPage.SetWindowText(elapsed + L" / " + total);
    m_controlPage.Invalidate();
}

void CDlgPlayCtrl::SetProgress(const CString& elapsed, const CString& total, int position) {
    SetTimeText(elapsed, total);
    m_slider.SetPos(position);
    if (position == PROGRESS_SCALE) {
        bool applyOrder = true;
        CAppFacade::GetInstance().Broadcast(CMD_PLAY_NEXT, &applyOrder);
    }
}

void CDlgPlayCtrl::ResetProgress() { SetProgress(L"00:00:00", L"00:00:00", 0); }

LRESULT CDlgPlayCtrl::OnSliderSeek(WPARAM id, LPARAM) {
    if (id != IDC_SLIDER) return 1;
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    if (IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr) play->SeekToProgress(m_slider.GetPos());
    return 1;
}

BOOL CDlgPlayCtrl::PreTranslateMessage(MSG* msg) {
    if (CAppFacade::GetInstance().HandleHotKey(msg) == 1) return TRUE;
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}
