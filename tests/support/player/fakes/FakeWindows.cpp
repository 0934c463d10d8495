#include "fakes/FakeWindows.h"

#include "account/LoginAccount.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"

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
    CAppFacade::GetInstance().SetMainDialog(withMainDialog ? &dialog : nullptr);
    g_current = this;
}

FakeWindows::~FakeWindows() {
    if (g_current != this) return;
    CAppFacade::GetInstance().SetMainDialog(nullptr);
    g_current = nullptr;
}

FakeWindows& FakeWindows::Current() { return *g_current; }

bool FakeMainDialog::IsInTray() const { return FakeWindows::Current().inTray; }
IMainWindowView* FakeMainDialog::GetMainWindow() {
    FakeWindows& windows = FakeWindows::Current();
    return windows.mainWindow ? windows.mainWindow : &windows.mainWnd;
}
void FakeMainDialog::MinimizeToTray() { Record("MinimizeToTray"); }
void FakeMainDialog::ShowLeftPanel(bool show) { Record(show ? "ShowLeftPanel(show)" : "ShowLeftPanel(hide)"); }
void FakeMainDialog::OpenBrowserPage(const CString& url) { Record("OpenBrowserPage", url); }
void FakeMainDialog::SetSeekTitle(const CString& text) { Record("SetSeekTitle", text); }
void FakeMainDialog::SetSeekElapsed(const CString& text) { Record("SetSeekElapsed", text); }
void FakeMainDialog::SetSeekTotal(const CString& text) { Record("SetSeekTotal", text); }
void FakeMainDialog::SetSeekPosition(int position, bool seek) {
    Record(seek ? "SetSeekPosition(seek)" : "SetSeekPosition", position);
}
void FakeMainDialog::EnableSeekBar(bool enable) { Record(enable ? "EnableSeekBar(on)" : "EnableSeekBar(off)"); }
void FakeMainDialog::ShowControlBarTimes(int progress, const CString& elapsed, const CString& total) {
    Record("ShowControlBarTimes", IntToCString(progress) + L" " + elapsed + L" " + total);
}
void FakeMainDialog::RefreshControlBar() { Record("RefreshControlBar"); }
void FakeMainDialog::ShowControlBarVolume(int volume) { Record("ShowControlBarVolume", volume); }
void FakeMainDialog::HideControlBar() { Record("HideControlBar"); }

IPlayDialogView* FakeMainWindow::GetDlgPlay() { return &FakeWindows::Current().dlgPlay; }
void FakeMainWindow::RefreshPlayState() { Record("RefreshPlayState"); }
bool FakeMainWindow::IsCreated() { return FakeWindows::Current().mainWndCreated; }
void FakeMainWindow::OnUserLoggedIn(LOGIN_ACCOUNT* account, const CString& token, bool keepPlayback) {
    Record(keepPlayback ? "OnUserLoggedIn(keep playback)" : "OnUserLoggedIn", account->UserName);
    FakeWindows::Current().accountToken = token;
}
void FakeMainWindow::ResetForUserChange() { Record("ResetForUserChange"); }
void FakeMainWindow::CloseVideo() { Record("CloseVideo"); }
void FakeMainWindow::ClearPlayingMark() { Record("ClearPlayingMark"); }
void FakeMainWindow::AddPlayListItem(const CString& path, const CString& title, bool markPlaying) {
    Record(markPlaying ? "AddPlayListItem(playing)" : "AddPlayListItem", path + L" " + title);
    CAppFacade::GetInstance().AddItem(path);
}
void FakeMainWindow::RemovePlayListItem(const CString& path) { Record("RemovePlayListItem", path); }
void FakeMainWindow::SetProgressTitle(const CString& title) { Record("SetProgressTitle", title); }
std::vector<CString> FakeMainWindow::ShowOpenFileDialog() {
    Record("ShowOpenFileDialog");
    return FakeWindows::Current().chosenFiles;
}
bool FakeMainWindow::IsWebViewVisible() { return FakeWindows::Current().webViewVisible; }
void FakeMainWindow::CycleViewMode() { Record("CycleViewMode"); }
void FakeMainWindow::ToggleFullScreen() { Record("ToggleFullScreen"); }
void FakeMainWindow::TogglePlayPause() { Record("TogglePlayPause"); }
void FakeMainWindow::VolumeUp() { Record("VolumeUp"); }
void FakeMainWindow::VolumeDown() { Record("VolumeDown"); }
void FakeMainWindow::MuteSound() { Record("MuteSound"); }
void FakeMainWindow::StopPlay() { Record("StopPlay"); }
void FakeMainWindow::OnHelpOnline() { Record("OnHelpOnline"); }
void FakeMainWindow::SetVideoSizeOriginal() { Record("SetVideoSizeOriginal"); }
void FakeMainWindow::SetVideoSizeDouble() { Record("SetVideoSizeDouble"); }
void FakeMainWindow::ShowSettingsDialog() { Record("ShowSettingsDialog"); }
void FakeMainWindow::ChangeVolumeByWheel(bool up) {
    Record(up ? "ChangeVolumeByWheel(up)" : "ChangeVolumeByWheel(down)");
}

void FakeMainWindow::PlayLastPlayed() { Record("PlayLastPlayed"); }
void FakeMainWindow::OpenTabPage(int tab) { Record("OpenTabPage", tab); }

IDownloadListView* FakePlayDialog::GetDownloadWnd() { return &FakeWindows::Current().downloadWnd; }
void FakePlayDialog::SavePlayPosition() { Record("SavePlayPosition"); }
void FakePlayDialog::ShowDownloadView(bool show, bool selectTab) {
    Record(show && selectTab ? "ShowDownloadView(show, select tab)" : "ShowDownloadView");
}
int FakePlayDialog::OpenFile(const CString& path) {
    Record("OpenFile", path);
    auto found = FakeWindows::Current().openResults.find(path);
    return found == FakeWindows::Current().openResults.end() ? 0 : found->second;
}
int FakePlayDialog::Stop() {
    Record("Stop");
    return 0;
}
void FakePlayDialog::OnPlayPause() { Record("OnPlayPause"); }
void FakePlayDialog::ToggleMute() { Record("ToggleMute"); }
// As the play dialog does: the end of the scale moves on to the next file.
void FakePlayDialog::SeekToProgress(int progress) {
    Record("SeekToProgress", progress);
    if (progress != PROGRESS_SCALE) return;
    bool applyOrder = true;
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_NEXT, &applyOrder);
}
void FakePlayDialog::GetPlayTimes(int& progress, CString& elapsed, CString& total) {
    progress = 0;
    elapsed = L"00:00:00";
    total = FakeWindows::Current().totalTime;
}
void FakePlayDialog::ShowMessage(const CString& text) { Record("ShowMessage", text); }
void FakePlayDialog::ShowVideoArea(bool video) { Record(video ? "ShowVideoArea(video)" : "ShowVideoArea(panel)"); }
void FakePlayDialog::ShowWebView(const CString& url, bool navigate) {
    Record(navigate ? "ShowWebView(navigate)" : "ShowWebView", url);
    if (navigate) FakeWindows::Current().webPage = true;
}
bool FakePlayDialog::HasWebPage() { return FakeWindows::Current().webPage; }
void FakePlayDialog::ClearWebPage() { FakeWindows::Current().webPage = false; }
bool FakePlayDialog::IsWebViewVisible() { return FakeWindows::Current().webViewVisible; }
bool FakePlayDialog::IsVideoSurfaceVisible() { return FakeWindows::Current().videoSurfaceVisible; }
int FakePlayDialog::Pause(bool showMiddlePanel) {
    Record(showMiddlePanel ? "Pause(middle panel)" : "Pause");
    return 0;
}
void FakePlayDialog::SetVolume(WORD volume) { Record("SetVolume", (int)volume); }
void FakePlayDialog::CenterMiddlePanel() { Record("CenterMiddlePanel"); }
void FakePlayDialog::SetViewModeFromId(const CString& id) { Record("SetViewModeFromId", id); }
void FakePlayDialog::UpdateCursorTimer() { Record("UpdateCursorTimer"); }
void FakePlayDialog::SetVideoSizeOriginal() { Record("SetVideoSizeOriginal"); }
void FakePlayDialog::SetVideoSizeDouble() { Record("SetVideoSizeDouble"); }
