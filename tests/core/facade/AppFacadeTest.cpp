#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <shlwapi.h>

#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"
#include "support/ProgramFolderLocks.h"

namespace {

// Records what the controls of one test received. The facade is a process-wide
// singleton, so every test registers controls under ids of its own.
struct Delivery {
    int id;
    int code;
    void* data;
};

std::vector<Delivery>& Deliveries() {
    static std::vector<Delivery> log;
    return log;
}

int g_destroyed = 0;

class RecordingControl : public CBaseControl {
public:
    explicit RecordingControl(int id, std::function<void(int)> onExecute = nullptr)
        : CBaseControl(nullptr, nullptr), m_id(id), m_onExecute(std::move(onExecute)) {}
    ~RecordingControl() override { ++g_destroyed; }
    int Execute(int code, void* data) override {
        Deliveries().push_back({m_id, code, data});
        if (m_onExecute) m_onExecute(code);
        return 0;
    }

private:
    int m_id;
    std::function<void(int)> m_onExecute;
};

std::vector<Delivery> DeliveriesTo(int firstId, int lastId) {
    std::vector<Delivery> mine;
    for (const Delivery& d : Deliveries())
        if (d.id >= firstId && d.id <= lastId) mine.push_back(d);
    return mine;
}

TEST(AppFacadeTest, BroadcastReachesEveryControlInAscendingIdWithTheData) {
    CAppFacade& facade = CAppFacade::GetInstance();
    for (int id : {103, 101, 102}) ASSERT_TRUE(facade.RegisterControl(id, new RecordingControl(id)));
    int value = 5;
    facade.Broadcast(CMD_SET_PLAY_ORDER, &value);
    facade.Broadcast(8, nullptr);  // a code nobody handles still reaches every control

    std::vector<Delivery> got = DeliveriesTo(101, 103);
    ASSERT_EQ(6u, got.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(101 + i, got[i].id);
        EXPECT_EQ(CMD_SET_PLAY_ORDER, got[i].code);
        EXPECT_EQ(&value, got[i].data);
        EXPECT_EQ(101 + i, got[3 + i].id);
        EXPECT_EQ(8, got[3 + i].code);
    }
}

TEST(AppFacadeTest, NestedBroadcastEndsBeforeTheOuterOneGoesOn) {
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.RegisterControl(201, new RecordingControl(201, [&](int code) {
                               if (code == CMD_PLAY_FILE) facade.Broadcast(CMD_GET_FILE_TITLE, nullptr);
                           }));
    facade.RegisterControl(202, new RecordingControl(202));
    facade.Broadcast(CMD_PLAY_FILE, nullptr);

    std::vector<Delivery> got = DeliveriesTo(201, 202);
    ASSERT_EQ(4u, got.size());
    EXPECT_EQ(201, got[0].id);
    EXPECT_EQ(CMD_PLAY_FILE, got[0].code);
    EXPECT_EQ(201, got[1].id);
    EXPECT_EQ(CMD_GET_FILE_TITLE, got[1].code);
    EXPECT_EQ(202, got[2].id);
    EXPECT_EQ(CMD_GET_FILE_TITLE, got[2].code);
    EXPECT_EQ(202, got[3].id);
    EXPECT_EQ(CMD_PLAY_FILE, got[3].code);
}

TEST(AppFacadeTest, DuplicateRegistrationKeepsTheFirstControlAndFreesTheSecond) {
    CAppFacade& facade = CAppFacade::GetInstance();
    ASSERT_TRUE(facade.RegisterControl(301, new RecordingControl(301)));
    int destroyedBefore = g_destroyed;
    EXPECT_FALSE(facade.RegisterControl(301, new RecordingControl(399)));
    EXPECT_EQ(destroyedBefore + 1, g_destroyed);
    EXPECT_FALSE(facade.RegisterControl(302, nullptr));

    facade.Broadcast(CMD_OPEN_FILE, nullptr);
    std::vector<Delivery> got = DeliveriesTo(301, 399);
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ(301, got[0].id);
}

TEST(AppFacadeTest, StateAndAccountRoundTrip) {
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetPlayState(PLAY_STATE_PAUSED);
    EXPECT_EQ(PLAY_STATE_PAUSED, facade.GetPlayState());
    facade.SetFullScreen(true);
    EXPECT_TRUE(facade.IsFullScreen());
    facade.SetFullScreen(false);
    facade.SetPlayState(PLAY_STATE_NONE);

    facade.SetCurrentAccount(nullptr, L"token-1");
    EXPECT_STREQ(L"token-1", facade.GetAccountToken());
    facade.SetCurrentAccount(nullptr, L"");
    EXPECT_TRUE(facade.GetAccountToken().IsEmpty());
}

TEST(AppFacadeTest, WindowsAreReachedThroughTheMainDialog) {
    CAppFacade& facade = CAppFacade::GetInstance();
    {
        FakeWindows windows(false);
        EXPECT_EQ(nullptr, facade.GetMainWnd());
        EXPECT_EQ(nullptr, facade.GetDownloadWnd());
        EXPECT_EQ(0, facade.PrepareShutdown());
        EXPECT_TRUE(windows.calls.empty());
    }
    FakeWindows windows;
    EXPECT_EQ(&windows.mainWnd, facade.GetMainWnd());
    EXPECT_EQ(&windows.downloadWnd, facade.GetDownloadWnd());
}

TEST(AppFacadeTest, PrepareShutdownSavesThePositionThenEndsTheDownloads) {
    ProgramDatabaseLock lock;  // it saves into the program folder's database
    CAppFacade& facade = CAppFacade::GetInstance();
    FakeWindows windows;
    facade.RegisterControl(401, new RecordingControl(401, [&](int code) {
                               if (code == CMD_APP_EXIT) windows.calls.push_back("CMD_APP_EXIT");
                           }));
    EXPECT_EQ(1, facade.PrepareShutdown());
    EXPECT_EQ((std::vector<std::string>{"SavePlayPosition", "CMD_APP_EXIT"}), windows.calls);
}

// The controls stay registered for the life of the process, so the case runs in a
// process of its own.
TEST(CreateControlsTest, RegistersThePlayWebAndDownloadControls) {
    EXPECT_EXIT(
        {
            FakeWindows windows;
            CAppFacade& facade = CAppFacade::GetInstance();
            facade.CreateControls();
            facade.Broadcast(CMD_CLOSE_FILE, nullptr);
            CString title = L"C:\\videos\\clip 1.xof";
            facade.Broadcast(CMD_GET_FILE_TITLE, &title);
            bool closed = std::count(windows.calls.begin(), windows.calls.end(), "CloseVideo") == 1;
            fflush(stdout);
            _exit(closed && title == L"clip 1" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(CreateControlsTest, NothingWithoutAMainWindow) {
    FakeWindows windows(false);
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.CreateControls();
    CString title = L"C:\\videos\\clip 1.xof";
    facade.Broadcast(CMD_GET_FILE_TITLE, &title);
    EXPECT_STREQ(L"C:\\videos\\clip 1.xof", title);
}

struct SortCase {
    const char* name;
    std::vector<const wchar_t*> input;
    int first, last;
    std::vector<const wchar_t*> expected;
};

void PrintTo(const SortCase& c, std::ostream* out) { *out << c.name; }

class SortPathsTest : public testing::TestWithParam<SortCase> {};

TEST_P(SortPathsTest, SortsTheRangeInNaturalOrder) {
    const SortCase& c = GetParam();
    std::vector<CString> paths(c.input.begin(), c.input.end());
    CAppFacade::SortPaths(paths, c.first, c.last);
    std::vector<CString> expected(c.expected.begin(), c.expected.end());
    EXPECT_EQ(expected, paths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortPathsTest,
    testing::Values(SortCase{"NumbersAsNumbersCaseIgnored", {L"b10", L"B2", L"a1"}, 0, 2, {L"a1", L"B2", L"b10"}},
                    SortCase{"Episodes",
                             {L"C:\\v\\ep 12.xof", L"C:\\v\\ep 2.xof", L"C:\\v\\ep 1.xof", L"C:\\v\\ep 2.xof",
                              L"C:\\v\\ep 100.xof"},
                             0,
                             4,
                             {L"C:\\v\\ep 1.xof", L"C:\\v\\ep 2.xof", L"C:\\v\\ep 2.xof", L"C:\\v\\ep 12.xof",
                              L"C:\\v\\ep 100.xof"}},
                    SortCase{"SubRangeOnly", {L"z", L"c", L"b", L"a"}, 1, 2, {L"z", L"b", L"c", L"a"}},
                    SortCase{"FirstNotBelowLast", {L"b", L"a"}, 1, 1, {L"b", L"a"}},
                    SortCase{"LastOutOfRange", {L"b", L"a"}, 0, 2, {L"b", L"a"}},
                    SortCase{"FirstNegative", {L"b", L"a"}, -1, 1, {L"b", L"a"}}, SortCase{"Empty", {}, 0, 0, {}}),
    [](const testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST(SortPathsLargeTest, MatchesAStableReferenceSort) {
    std::vector<CString> paths;
    unsigned seed = 12345;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245 + 12345;
        CString p;
        p.Format(L"Clip %u part %u.xof", (seed >> 8) % 50, (seed >> 16) % 7);
        paths.push_back(p);
    }
    std::vector<CString> expected = paths;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const CString& a, const CString& b) { return StrCmpLogicalW(a, b) < 0; });
    CAppFacade::SortPaths(paths, 0, (int)paths.size() - 1);
    EXPECT_EQ(expected, paths);
}

}  // namespace
