// The play dialog over real graphs of the generated media: its state machine, seeking,
// volume, play times, a broken file and dropped files.
#include "PlayDialogFixture.h"

#include <shlobj.h>

#include <cstring>

#include "TestModules.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "config/UserConfig.h"
#include "files/ScratchFolder.h"
#include "resource.h"

namespace {
constexpr LONGLONG kSecond = 10000000;
}  // namespace

TEST_F(PlayDialogTest, OpenPlaysAndPauseKeepsThePositionAndShowsTheMiddlePanel) {
    Open("flv1_aac_6s");
    EXPECT_TRUE(play.HasGraph());
    EXPECT_EQ(host.calls.front(), "OnPlayStarted");
    EXPECT_TRUE(play.GetVideoSurface().IsWindowVisible());
    EXPECT_EQ(play.GetMenu().GetMenuState(ID_PLAY_STOP, MF_BYCOMMAND) & MF_GRAYED, 0u);

    play.SeekToProgress(500);
    Pump(300);
    EXPECT_GE(play.Pause(true), 0);
    EXPECT_EQ(PlayState(), PLAY_STATE_PAUSED);
    EXPECT_EQ(host.calls.back(), "OnPlayPaused");
    EXPECT_TRUE(play.GetMiddlePanel().IsWindowVisible());
    EXPECT_EQ(CAppFacade::GetInstance().GetItemPosition(CAppFacade::GetInstance().GetCurrentPath()), 3);

    play.OnPlayPause();
    EXPECT_EQ(PlayState(), PLAY_STATE_PLAYING);
    EXPECT_FALSE(play.GetMiddlePanel().IsWindowVisible());
}

TEST_F(PlayDialogTest, StopClosesTheFileAndLeavesAnEmptyGraph) {
    Open("flv1_aac_2s");
    EXPECT_EQ(play.Stop(), 0);
    EXPECT_TRUE(Broadcasted(CMD_CLOSE_FILE));
    // The rewind to the start is no end of the file.
    EXPECT_FALSE(Broadcasted(CMD_PLAY_NEXT));
    EXPECT_EQ(PlayState(), PLAY_STATE_NONE);
    ASSERT_TRUE(play.HasGraph());
    IEnumFilters* filters = nullptr;
    ASSERT_EQ(play.GetGraph()->EnumFilters(&filters), S_OK);
    IBaseFilter* filter = nullptr;
    EXPECT_EQ(filters->Next(1, &filter, nullptr), S_FALSE);
    filters->Release();
    EXPECT_NE(play.GetMenu().GetMenuState(ID_PLAY_STOP, MF_BYCOMMAND) & MF_GRAYED, 0u);

    // Stopping again, and play/pause with nothing open, change nothing.
    broadcasts.clear();
    EXPECT_EQ(play.Stop(), 0);
    play.OnPlayPause();
    play.OnStop();
    Pump(100);
    EXPECT_TRUE(broadcasts.empty());
    EXPECT_EQ(PlayState(), PLAY_STATE_NONE);
}

TEST_F(PlayDialogTest, NothingOpenMeansNothingToPlayStopOrSeek) {
    EXPECT_EQ(play.Stop(), 0);
    play.OnPlayPause();
    play.OnStop();
    play.SeekToProgress(1000);
    EXPECT_FALSE(play.HasGraph());
    EXPECT_TRUE(broadcasts.empty());
    EXPECT_EQ(PlayState(), PLAY_STATE_NONE);
    int progress = -1;
    CString elapsed, total;
    play.GetPlayTimes(progress, elapsed, total);
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(std::wstring(elapsed), L"00:00:00");
    EXPECT_EQ(std::wstring(total), L"00:00:00");
}

TEST_F(PlayDialogTest, ABrokenOrMissingFileTakesTheFailureRoad) {
    ScratchFolder folder;
    std::wstring broken = folder.Write(L"broken.xof", std::string("XOF\x01\x05\x00\x00\x00\x09", 9) + std::string(64, '\xFF'));
    for (const std::wstring& path : {broken, folder.File(L"missing.xof")}) {
        EXPECT_LT(play.OpenFile(path.c_str()), 0);
        EXPECT_FALSE(play.HasGraph());
        EXPECT_EQ(PlayState(), PLAY_STATE_NONE);
        CString text;
        ::GetWindowTextW(play.GetMessagePopup().GetSafeHwnd(), text.GetBuffer(64), 64);
        text.ReleaseBuffer();
        EXPECT_EQ(std::wstring(text), L"打开视频文件格式错误！");
        EXPECT_TRUE(play.GetMessagePopup().IsWindowVisible());
    }
    // Play/pause then still finds nothing to run.
    play.OnPlayPause();
    EXPECT_FALSE(play.HasGraph());
}

struct SeekCase {
    int progress;
    LONGLONG expected;  // 100 ns; -1: the position does not move
    bool playsNext;
};

class SeekToProgressTest : public PlayDialogTest, public testing::WithParamInterface<SeekCase> {};

TEST_P(SeekToProgressTest, SeeksOrPlaysTheNextFile) {
    const SeekCase& c = GetParam();
    Open("flv1_aac_6s");
    play.Pause(false);
    Pump(200);
    play.SeekToProgress(300);
    Pump(200);
    LONGLONG before = Position();
    broadcasts.clear();
    play.SeekToProgress(c.progress);
    Pump(300);
    LONGLONG expected = c.expected < 0 ? before : c.expected;
    EXPECT_NEAR((double)Position(), (double)expected, 0.1 * kSecond);
    EXPECT_EQ(Broadcasted(CMD_PLAY_NEXT), c.playsNext);
    EXPECT_FALSE(host.elapsed.IsEmpty());
    // The last frame starts just before the sixth second.
    EXPECT_EQ(std::wstring(host.total), L"00:00:05");
}

INSTANTIATE_TEST_SUITE_P(Table, SeekToProgressTest,
                         testing::Values(SeekCase{500, 3 * kSecond, false}, SeekCase{-5, 0, false},
                                         SeekCase{0, 0, false}, SeekCase{1000, -1, true}));

TEST_F(PlayDialogTest, SeekingAGraphWithoutDurationNeverPlaysTheNextFile) {
    Open("flv1_aac_2s");
    play.Stop();
    broadcasts.clear();
    for (int progress : {0, 500, 999}) play.SeekToProgress(progress);
    EXPECT_FALSE(Broadcasted(CMD_PLAY_NEXT));
    EXPECT_EQ(std::wstring(host.elapsed), L"");
}

TEST_F(PlayDialogTest, VolumeReachesTheAudioRendererAndMuteKeepsTheStoredVolume) {
    Open("flv1_aac_2s");
    const struct {
        WORD volume;
        long level;
    } table[] = {{100, 0}, {50, -1505}, {10, -5000}, {1, -10000}, {0, -10000}};
    COtherConfig& settings = CUserConfig::GetInstance().GetOtherConfig();
    for (const auto& row : table) {
        play.SetVolume(row.volume);
        EXPECT_EQ(AudioLevel(), row.level) << row.volume;
        EXPECT_EQ(settings.Volume, row.volume);
    }
    play.SetVolume(50);
    play.ToggleMute();
    EXPECT_TRUE(settings.Mute);
    EXPECT_EQ(AudioLevel(), -10000);
    play.SetVolume(10);
    EXPECT_EQ(settings.Volume, 50);
    play.ToggleMute();
    EXPECT_FALSE(settings.Mute);
    EXPECT_EQ(AudioLevel(), -1505);
}

TEST_F(PlayDialogTest, AFileOpenedWhileMutedStartsSilent) {
    CUserConfig::GetInstance().GetOtherConfig().Mute = true;
    Open("flv1_aac_2s");
    EXPECT_EQ(AudioLevel(), -10000);
}

TEST_F(PlayDialogTest, PlayTimesOfThePositionAndTheDuration) {
    Open("flv1_aac_6s");
    play.Pause(false);
    play.SeekToProgress(600);
    Pump(300);
    int progress = 0;
    CString elapsed, total;
    play.GetPlayTimes(progress, elapsed, total);
    EXPECT_NEAR(progress, 600, 20);
    EXPECT_EQ(std::wstring(elapsed), L"00:00:03");
    EXPECT_EQ(std::wstring(total), L"00:00:05");
}

TEST_F(PlayDialogTest, AFilePlayedToItsEndResumesFromTheStart) {
    Open("flv1_aac_2s");
    CAppFacade& facade = CAppFacade::GetInstance();
    CString path = facade.GetCurrentPath();
    ASSERT_TRUE(PumpUntil([&] { return Position() >= 2 * kSecond - kSecond / 10; }, 6000));
    Pump(300);
    play.SavePlayPosition();
    EXPECT_EQ(facade.GetItemPosition(path), 0);
}

// HDROP of the names, as the shell hands it over.
static HGLOBAL MakeDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const std::wstring& name : names) chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = (DROPFILES*)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wchar_t* out = (wchar_t*)(drop + 1);
    for (const std::wstring& name : names) {
        memcpy(out, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        out += name.size() + 1;
    }
    *out = 0;
    GlobalUnlock(memory);
    return memory;
}

TEST_F(PlayDialogTest, DroppedVideosJoinThePlayListInNaturalOrderAndTheFirstPlays) {
    ::SendMessage(play.GetSafeHwnd(), WM_DROPFILES,
                     (WPARAM)MakeDrop({L"C:\\v\\B10.xof", L"C:\\v\\notes.txt", L"C:\\v\\b2.XOF", L"C:\\v\\.xof"}), 0);
    std::vector<std::string> added;
    for (const std::string& call : host.calls)
        if (call.rfind("AddPlayListItem", 0) == 0) added.push_back(call);
    EXPECT_EQ(added, (std::vector<std::string>{"AddPlayListItem C:\\v\\b2.XOF", "AddPlayListItem C:\\v\\B10.xof"}));
    ASSERT_EQ(broadcasts.size(), 3u);
    EXPECT_EQ(broadcasts[0].code, CMD_GET_FILE_TITLE);
    EXPECT_EQ(broadcasts[2].code, CMD_PLAY_FILE);
    EXPECT_EQ(std::wstring(broadcasts[2].path), L"C:\\v\\b2.XOF");
}

TEST_F(PlayDialogTest, DroppingOnlyOtherFilesDoesNothing) {
    ::SendMessage(play.GetSafeHwnd(), WM_DROPFILES, (WPARAM)MakeDrop({L"C:\\v\\notes.txt", L"C:\\v\\.xof", L"C:\\v\\clip.xoff"}), 0);
    EXPECT_TRUE(broadcasts.empty());
    EXPECT_EQ(host.calls, std::vector<std::string>{});
}

TEST_F(PlayDialogTest, DoubleSizeFallsBackToFitAndReturnsWhenTheWindowGrowsAgain) {
    Open("flv1_aac_2s");  // 320 x 240
    PlaceWindow(play, 50, 50, 700, 520);
    play.OnDoubleSize();
    EXPECT_EQ(play.GetSizeMode(), PLAY_SIZE_DOUBLE);
    CRect surface;
    play.GetVideoSurface().GetWindowRect(&surface);
    EXPECT_EQ(surface.Size(), CSize(640, 480));
    const struct {
        int width, height, mode;
    } steps[] = {{500, 400, PLAY_SIZE_FIT}, {400, 300, PLAY_SIZE_FIT}, {660, 490, PLAY_SIZE_DOUBLE},
                 {640, 480, PLAY_SIZE_DOUBLE}, {639, 480, PLAY_SIZE_FIT}};
    for (const auto& step : steps) {
        PlaceWindow(play, 50, 50, step.width, step.height);
        Pump(30);
        EXPECT_EQ(play.GetSizeMode(), step.mode) << step.width << "x" << step.height;
    }
    play.OnNativeSize();
    EXPECT_EQ(play.GetSizeMode(), PLAY_SIZE_NATIVE);
    play.GetVideoSurface().GetWindowRect(&surface);
    EXPECT_EQ(surface.Size(), CSize(320, 240));
}

TEST_F(PlayDialogTest, SizeCommandsWithoutAGraphChangeNothing) {
    play.OnNativeSize();
    play.OnDoubleSize();
    EXPECT_EQ(play.GetSizeMode(), PLAY_SIZE_FIT);
}

TEST_F(PlayDialogTest, MiddleButtonStopsAndEnterIsKept) {
    Open("flv1_aac_2s");
    ::PostMessage(play.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessage(play.GetSafeHwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(100, 100));
    Pump(200);
    EXPECT_TRUE(Broadcasted(CMD_CLOSE_FILE));
    EXPECT_EQ(PlayState(), PLAY_STATE_NONE);
}
