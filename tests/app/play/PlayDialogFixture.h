// A play dialog inside a test main dialog, as the main window holds it: the host side
// records what the dialog calls on the main window, a control on the facade records
// every broadcast, and the generated media play through our splitter and decoders.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DlgPlay.h"
#include "DlgPlayCtrl.h"
#include "PlayDialogHost.h"
#include "dshow/RegistrationLock.h"
#include "fakes/FakeWindows.h"
#include "fakes/NullMainDialog.h"
#include "fixtures/WindowConfigScope.h"

// The main window's side of the play dialog, as the main window does it.
class TestPlayHost : public FakeMainWindow, public IPlayDialogHost {
public:
    IPlayDialogView* GetDlgPlay() override { return play; }
    // CMD_CLOSE_FILE's road: stop, the not-playing panel, no play state, no current item.
    void CloseVideo() override;
    void ToggleFullScreen() override;
    void AddPlayListItem(const CString& path, const CString& title, bool markPlaying) override;

    void OnPlayStarted() override;
    void OnPlayPaused() override { calls.push_back("OnPlayPaused"); }
    void OnPlayStopped() override;
    void SetViewMode(const char* id) override;
    CDlgPlayCtrl* GetPlayCtrlBar() override { return bar; }
    CWnd* GetWebDialog() override { return nullptr; }
    void NavigateWebDialog(const CString& url) override { calls.push_back("NavigateWebDialog"); }

    CDlgPlay* play = nullptr;
    CDlgPlayCtrl* bar = nullptr;
    // The seek bar's texts as the main dialog received them.
    CString elapsed, total;
    std::vector<std::string> calls;
};

// The application's main window in the tests: a top-level window holding the host,
// which keeps the seek bar's texts.
class TestMainDialog : public CNullMainDialog {
public:
    IMainWindowView* GetMainWindow() override { return host; }
    void SetSeekElapsed(const CString& text) override { host->elapsed = text; }
    void SetSeekTotal(const CString& text) override { host->total = text; }
    TestPlayHost* host = nullptr;
};

// One broadcast as the recording control saw it: the code and, for the path codes, the path.
struct RecordedBroadcast {
    int code;
    CString path;
};

class PlayDialogTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Dispatches messages for the time, through the windows' PreTranslateMessage as the
    // program's loop does.
    static void Pump(DWORD ms);
    // Pumps until the condition holds; false after the time-out.
    static bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
    // Opens the generated file and waits until it plays.
    void Open(const char* media);
    bool Broadcasted(int code) const;
    int PlayState() const;
    // The level the audio renderer holds.
    long AudioLevel();
    // The current position in 100 ns units.
    LONGLONG Position();
    // The screen area as a PNG under the test program's artifacts folder.
    static bool SaveScreen(const RECT& area, const wchar_t* fileName);

    CRegistrationLock registration;
    FakeWindows windows;
    TestPlayHost host;
    TestMainDialog mainDialog;
    CDlgPlayCtrl bar;
    CDlgPlay play;
    std::vector<RecordedBroadcast> broadcasts;

private:
    HRESULT m_com = E_FAIL;
    ULONG_PTR m_gdiplus = 0;
    WindowConfigScope m_settings;
};

// Places a window by its screen rectangle.
void PlaceWindow(CWnd& window, int x, int y, int width, int height);
