#include "fakes/FakeWindows.h"

namespace {
FakeWindows* g_current = nullptr;

void Record(const char* call) { FakeWindows::Current().calls.push_back(call); }
}  // namespace

FakeWindows::FakeWindows(bool withMainDialog) {
    app.m_pMainWnd = withMainDialog ? &dialog : nullptr;
    g_current = this;
}

FakeWindows::~FakeWindows() {
    if (g_current == this) g_current = nullptr;
}

FakeWindows& FakeWindows::Current() { return *g_current; }

bool CZemovistaDlg::IsInTray() const { return FakeWindows::Current().inTray; }
CMainWnd* CZemovistaDlg::GetMainWindow() { return &FakeWindows::Current().mainWnd; }

CDlgPlay* CMainWnd::GetDlgPlay() { return &FakeWindows::Current().dlgPlay; }
void CMainWnd::RefreshPlayState() { Record("RefreshPlayState"); }
bool CMainWnd::IsCreated() { return FakeWindows::Current().mainWndCreated; }
bool CMainWnd::IsWebViewVisible() { return FakeWindows::Current().webViewVisible; }
void CMainWnd::CycleViewMode() { Record("CycleViewMode"); }
void CMainWnd::ToggleFullScreen() { Record("ToggleFullScreen"); }
void CMainWnd::TogglePlayPause() { Record("TogglePlayPause"); }
void CMainWnd::VolumeUp() { Record("VolumeUp"); }
void CMainWnd::VolumeDown() { Record("VolumeDown"); }
void CMainWnd::MuteSound() { Record("MuteSound"); }
void CMainWnd::StopPlay() { Record("StopPlay"); }
void CMainWnd::OnHelpOnline() { Record("OnHelpOnline"); }
void CMainWnd::SetVideoSizeOriginal() { Record("SetVideoSizeOriginal"); }
void CMainWnd::SetVideoSizeDouble() { Record("SetVideoSizeDouble"); }
void CMainWnd::ShowSettingsDialog() { Record("ShowSettingsDialog"); }
void CMainWnd::ChangeVolumeByWheel(bool up) { Record(up ? "ChangeVolumeByWheel(up)" : "ChangeVolumeByWheel(down)"); }

CDownloadWnd* CDlgPlay::GetDownloadWnd() { return &FakeWindows::Current().downloadWnd; }
void CDlgPlay::SavePlayPosition() { Record("SavePlayPosition"); }
void CDlgPlay::ShowDownloadView(bool show, bool selectTab) {
    Record(show && selectTab ? "ShowDownloadView(show, select tab)" : "ShowDownloadView");
}
