#include "fakes/FakeWindows.h"

#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"

namespace {
FakeWindows* g_current = nullptr;

void Record(const char* call) { FakeWindows::Current().calls.push_back(call); }

void Record(const char* call, const CString& argument) {
    std::string utf8;
    WideToUtf8(argument, true, utf8);
    FakeWindows::Current().calls.push_back(std::string(call) + " " + utf8);
}

void Record(const char* call, int argument) { Record(call, IntToCString(argument)); }
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
void CMainWnd::CloseVideo() { Record("CloseVideo"); }
void CMainWnd::ClearPlayingMark() { Record("ClearPlayingMark"); }
// As the main window's play list element, it also adds the path to the play list model.
void CMainWnd::AddPlayListItem(const CString& path, const CString& title, bool markPlaying) {
    Record(markPlaying ? "AddPlayListItem(playing)" : "AddPlayListItem", path + L" " + title);
    CAppFacade::GetInstance().AddItem(path);
}
void CMainWnd::SetProgressTitle(const CString& title) { Record("SetProgressTitle", title); }
std::vector<CString> CMainWnd::ShowOpenFileDialog() {
    Record("ShowOpenFileDialog");
    return FakeWindows::Current().chosenFiles;
}
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
int CDlgPlay::OpenFile(const CString& path) {
    Record("OpenFile", path);
    auto found = FakeWindows::Current().openResults.find(path);
    return found == FakeWindows::Current().openResults.end() ? 0 : found->second;
}
int CDlgPlay::Stop() {
    Record("Stop");
    return 0;
}
void CDlgPlay::OnPlayPause() { Record("OnPlayPause"); }
void CDlgPlay::ToggleMute() { Record("ToggleMute"); }
void CDlgPlay::SeekToProgress(int progress) { Record("SeekToProgress", progress); }
void CDlgPlay::GetPlayTimes(int& progress, CString& elapsed, CString& total) {
    progress = 0;
    elapsed = L"00:00:00";
    total = FakeWindows::Current().totalTime;
}
void CDlgPlay::ShowMessage(const CString& text) { Record("ShowMessage", text); }
void CDlgPlay::ShowVideoArea(bool video) { Record(video ? "ShowVideoArea(video)" : "ShowVideoArea(panel)"); }
void CDlgPlay::ShowWebView(const CString& url, bool navigate) {
    Record(navigate ? "ShowWebView(navigate)" : "ShowWebView", url);
}
