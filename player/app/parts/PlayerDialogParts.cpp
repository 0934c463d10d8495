#include "parts/PlayerDialogParts.h"

#include "resource.h"
#include "web/WebHtmlView.h"

namespace {
CPlayerDialogParts* g_parts = nullptr;

void ShowIfMade(CWnd& window, bool show) {
    if (window.GetSafeHwnd()) window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}
}  // namespace

CPlayerDialogParts::CPlayerDialogParts() {
    m_mainWnd.SetViewKind(1);
    g_parts = this;
    CMainWnd::SetPlayDialogMaker(&CPlayerDialogParts::MakePlayDialog);
}

CPlayerDialogParts::~CPlayerDialogParts() {
    if (g_parts != this) return;
    CMainWnd::SetPlayDialogMaker(nullptr);
    g_parts = nullptr;
}

IPlayDialogView* CPlayerDialogParts::MakePlayDialog(CWnd* owner) {
    if (!g_parts || !g_parts->m_play.Create(owner)) return nullptr;
    return &g_parts->m_play;
}

bool CPlayerDialogParts::CreateChildren(CWnd* dialog, const RECT& client) {
    if (m_web.Create(IDD_DLG_WEB, dialog)) m_web.ShowWindow(SW_HIDE);
    if (!m_mainWnd.Create(nullptr, nullptr, WS_CHILD, client, dialog, 0)) return false;
    m_mainWnd.ShowWindow(SW_SHOW);
    m_bar = std::make_unique<CDlgPlayCtrl>();
    if (m_bar->Create(dialog)) m_bar->ShowWindow(SW_HIDE);
    return true;
}

void CPlayerDialogParts::CreatePanels(CWnd* dialog) {
    if (m_left.Create(IDD_DLG_LEFTAD, dialog)) m_left.ShowWindow(SW_SHOW);
    if (m_seekBar.Create(dialog)) m_seekBar.ShowWindow(SW_SHOW);
    if (m_strip.Create(IDD_DLG_SCROLLINGPANEL, dialog)) m_strip.ShowWindow(SW_SHOW);
}

CWnd* CPlayerDialogParts::GetPanel(DIALOG_PANEL panel) {
    CWnd* windows[PANEL_COUNT] = {&m_left, &m_seekBar, &m_web, &m_strip, m_bar.get()};
    CWnd* window = panel >= 0 && panel < PANEL_COUNT ? windows[panel] : nullptr;
    return window && window->GetSafeHwnd() ? window : nullptr;
}

void CPlayerDialogParts::LayoutForWidth(int width) {
    m_mainWnd.LayoutForWidth(width);
    m_mainWnd.UpdateWindowRegion();
    m_mainWnd.PlaceDlgPlay();
}

void CPlayerDialogParts::HidePlayDialog() { ShowIfMade(m_play, false); }

void CPlayerDialogParts::OnTrayChanged(bool inTray) {
    if (m_play.GetSafeHwnd()) m_play.SuspendPanels(inTray);
}

void CPlayerDialogParts::ShowLeftPanel(bool show) { ShowIfMade(m_left, show); }

void CPlayerDialogParts::OpenBrowserPage(const CString& url) {
    if (!m_web.GetSafeHwnd()) return;
    m_web.ShowWindow(SW_SHOW);
    if (CWebHtmlView* view = m_web.GetWebView()) CWebHtmlView::CheckAndNavigate(view, url);
}

void CPlayerDialogParts::SetSeekTitle(const CString& text) {
    if (m_seekBar.GetSafeHwnd()) m_seekBar.SetTitleText(text);
}

void CPlayerDialogParts::SetSeekElapsed(const CString& text) {
    if (m_seekBar.GetSafeHwnd()) m_seekBar.SetElapsedText(text);
}

void CPlayerDialogParts::SetSeekTotal(const CString& text) {
    if (m_seekBar.GetSafeHwnd()) m_seekBar.SetTotalText(text);
}

void CPlayerDialogParts::SetSeekPosition(int position, bool seek) {
    if (m_seekBar.GetSafeHwnd()) m_seekBar.SetProgress(position, seek);
}

void CPlayerDialogParts::EnableSeekBar(bool enable) {
    if (m_seekBar.GetSafeHwnd()) m_seekBar.EnableSlider(enable);
}

void CPlayerDialogParts::ShowControlBarTimes(int progress, const CString& elapsed, const CString& total) {
    if (m_bar && m_bar->GetSafeHwnd()) m_bar->SetProgress(elapsed, total, progress);
}

void CPlayerDialogParts::RefreshControlBar() {
    if (m_bar && m_bar->GetSafeHwnd()) m_bar->RefreshButtons();
}

void CPlayerDialogParts::ShowControlBarVolume(int volume) {
    if (m_bar && m_bar->GetSafeHwnd()) m_bar->SetVolumeValue(volume);
}

void CPlayerDialogParts::HideControlBar() {
    if (m_bar && m_bar->GetSafeHwnd()) m_bar->ShowWindow(SW_HIDE);
}
