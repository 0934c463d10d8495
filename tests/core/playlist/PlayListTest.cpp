#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <set>
#include <vector>

#include <sqlite3.h>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/PlayRecordSql.h"
#include "fixtures/ProgramFolder.h"
#include "playlist/PlayList.h"

namespace {

using Paths = std::vector<CString>;

Paths PathsOf(const CPlayList& list) {
    Paths paths;
    if (auto array = list.GetPaths())
        for (INT_PTR i = 0; i < array->GetSize(); ++i) paths.push_back((*array)[i]);
    return paths;
}

// A list that stores nothing, under a play order the test chooses.
class PlayListTest : public ::testing::Test {
protected:
    void SetUp() override { SetPlayOrder(PLAY_ORDER_SEQUENTIAL); }
    void TearDown() override { SetPlayOrder(PLAY_ORDER_SEQUENTIAL); }
    static void SetPlayOrder(int order) { CUserConfig::GetInstance().GetOtherConfig().SetPlayOrder(order); }
    void Fill(const Paths& paths) {
        for (const CString& path : paths) m_list.AddItem(path, false);
    }
    CPlayList m_list{nullptr};
};

struct StepCase {
    const char* name;
    Paths items;
    CString current;
    int order;
    bool applyOrder;
    CString next, prev;
    bool isFirst, isLast;
};

class PlayListStepTest : public PlayListTest, public ::testing::WithParamInterface<StepCase> {};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

TEST_P(PlayListStepTest, NextPreviousAndTheButtons) {
    const StepCase& c = GetParam();
    Fill(c.items);
    SetPlayOrder(c.order);
    m_list.SetCurrentPath(c.current);
    EXPECT_STREQ(c.prev, m_list.GetPrevPath());
    EXPECT_EQ(c.isFirst, m_list.IsFirstItem());
    EXPECT_EQ(c.isLast, m_list.IsLastItem());
    EXPECT_STREQ(c.next, m_list.GetNextPath(c.applyOrder));
}

const Paths kAbc = {L"C:\\a.xof", L"C:\\b.xof", L"C:\\c.xof"};
const Paths kAb = {L"C:\\a.xof", L"C:\\b.xof"};

INSTANTIATE_TEST_SUITE_P(
    Orders, PlayListStepTest,
    ::testing::Values(
        StepCase{"MiddleInSequence", kAbc, L"C:\\b.xof", PLAY_ORDER_SEQUENTIAL, true, L"C:\\c.xof", L"C:\\a.xof", false,
                 false},
        StepCase{"LastInSequenceEnds", kAbc, L"C:\\c.xof", PLAY_ORDER_SEQUENTIAL, true, L"", L"C:\\b.xof", false, true},
        StepCase{"LastInLoopStartsAgain", kAbc, L"C:\\c.xof", PLAY_ORDER_LOOP, true, L"C:\\a.xof", L"C:\\b.xof", false,
                 true},
        StepCase{"LoopWithoutApplyingTheOrderEnds", kAbc, L"C:\\c.xof", PLAY_ORDER_LOOP, false, L"", L"C:\\b.xof",
                 false, true},
        StepCase{"FirstHasNoPrevious", kAbc, L"C:\\a.xof", PLAY_ORDER_SEQUENTIAL, true, L"C:\\b.xof", L"", true, false},
        StepCase{"CurrentFoundWithoutRegardToCase", kAbc, L"c:\\B.XOF", PLAY_ORDER_SEQUENTIAL, true, L"C:\\c.xof",
                 L"C:\\a.xof", false, false},
        StepCase{"OutsideTheListInSequence", kAb, L"C:\\x.xof", PLAY_ORDER_SEQUENTIAL, true, L"C:\\a.xof", L"", true,
                 false},
        StepCase{"OutsideTheListInLoop", kAb, L"C:\\x.xof", PLAY_ORDER_LOOP, true, L"C:\\a.xof", L"", true, false},
        StepCase{"NoCurrentPath", kAb, L"", PLAY_ORDER_SEQUENTIAL, true, L"C:\\a.xof", L"", true, true},
        StepCase{"EmptyList", {}, L"C:\\x.xof", PLAY_ORDER_LOOP, true, L"", L"", true, true},
        StepCase{"EmptyListInRandomOrder", {}, L"C:\\x.xof", PLAY_ORDER_RANDOM, true, L"", L"", true, true}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(PlayListTest, RandomOrderPlaysEveryPathOncePerFillingOfThePool) {
    SetPlayOrder(PLAY_ORDER_RANDOM);
    Fill(kAbc);  // in random order adding also fills the pool
    m_list.SetCurrentPath(kAbc[0]);
    std::set<CString> played{kAbc[0]};
    for (int i = 0; i < 2; ++i) {
        CString next = m_list.GetNextPath(true);
        ASSERT_FALSE(next.IsEmpty());
        EXPECT_TRUE(played.insert(next).second) << "played twice: " << CStringA(next).GetString();
        m_list.SetCurrentPath(next);
    }
    EXPECT_STREQ(L"", m_list.GetNextPath(true));

    m_list.ResetRandomPool(true);
    m_list.SetCurrentPath(L"C:\\x.xof");  // not in the list: nothing leaves the pool
    EXPECT_NE(kAbc.end(), std::find(kAbc.begin(), kAbc.end(), m_list.GetNextPath(true)));
    m_list.ResetRandomPool(false);
    EXPECT_STREQ(L"", m_list.GetNextPath(true));
    EXPECT_STREQ(L"C:\\a.xof", m_list.GetNextPath(false));  // plain sequence
}

TEST_F(PlayListTest, RandomPoolFollowsAddingAndRemoving) {
    SetPlayOrder(PLAY_ORDER_RANDOM);
    Fill(kAb);
    m_list.RemoveItem(L"c:\\A.XOF");
    m_list.AddItem(L"C:\\b.xof", false);  // already pooled
    m_list.SetCurrentPath(L"C:\\x.xof");
    EXPECT_EQ((Paths{L"C:\\b.xof"}), PathsOf(m_list));
    EXPECT_STREQ(L"C:\\b.xof", m_list.GetNextPath(true));
    m_list.SetCurrentPath(L"C:\\b.xof");
    EXPECT_STREQ(L"", m_list.GetNextPath(true));
}

TEST_F(PlayListTest, AddingIgnoresCaseAndStampsTheTimes) {
    __int64 before = _time64(nullptr);
    m_list.AddItem(L"C:\\Videos\\A.xof", false);
    m_list.AddItem(L"c:\\videos\\a.XOF", false);
    m_list.AddItem(L"", false);
    m_list.AddItem(L"C:\\Videos\\B.xof", true);
    EXPECT_EQ((Paths{L"C:\\Videos\\A.xof", L"C:\\Videos\\B.xof"}), PathsOf(m_list));
    EXPECT_EQ(0, m_list.GetItemPosition(L"C:\\VIDEOS\\A.XOF"));
    EXPECT_EQ(-1, m_list.GetItemPosition(L"C:\\Videos\\C.xof"));
    m_list.SetItemPosition(L"c:\\videos\\b.xof", 600);
    m_list.SetItemPosition(L"C:\\Videos\\C.xof", 5);
    EXPECT_EQ(600, m_list.GetItemPosition(L"C:\\Videos\\B.xof"));
    // The play time stamp is what makes B the last played one.
    EXPECT_STREQ(L"C:\\Videos\\B.xof", m_list.GetLastPlayedPath());
    m_list.SetItemPlayTime(L"C:\\Videos\\A.xof", before + 3600);
    EXPECT_STREQ(L"C:\\Videos\\A.xof", m_list.GetLastPlayedPath());
}

TEST_F(PlayListTest, LastPlayedKeepsTheEarlierOfATie) {
    EXPECT_STREQ(L"", m_list.GetLastPlayedPath());
    Fill(kAbc);
    EXPECT_STREQ(L"C:\\a.xof", m_list.GetLastPlayedPath());
    m_list.SetItemPlayTime(kAbc[1], 500);
    m_list.SetItemPlayTime(kAbc[2], 500);
    EXPECT_STREQ(L"C:\\b.xof", m_list.GetLastPlayedPath());
}

struct MoveCase {
    const char* name;
    CString path;
    int index;
    bool moved;
    Paths result;
};

class PlayListMoveTest : public PlayListTest, public ::testing::WithParamInterface<MoveCase> {};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.name; }

TEST_P(PlayListMoveTest, MovesOneItemAndShiftsTheOthers) {
    Fill({L"a", L"b", L"c", L"d"});
    EXPECT_EQ(GetParam().moved, m_list.MoveItem(GetParam().path, GetParam().index));
    EXPECT_EQ(GetParam().result, PathsOf(m_list));
}

INSTANTIATE_TEST_SUITE_P(Moves, PlayListMoveTest,
                         ::testing::Values(MoveCase{"LastToFirst", L"d", 0, true, {L"d", L"a", L"b", L"c"}},
                                           MoveCase{"FirstToLast", L"A", 3, true, {L"b", L"c", L"d", L"a"}},
                                           MoveCase{"Forward", L"b", 2, true, {L"a", L"c", L"b", L"d"}},
                                           MoveCase{"InPlace", L"c", 2, true, {L"a", L"b", L"c", L"d"}},
                                           MoveCase{"IndexEqualToTheSize", L"a", 4, false, {L"a", L"b", L"c", L"d"}},
                                           MoveCase{"NegativeIndex", L"c", -1, false, {L"a", L"b", L"c", L"d"}},
                                           MoveCase{"PathNotInTheList", L"x", 0, false, {L"a", L"b", L"c", L"d"}}),
                         [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

CStringArray ArrayOf(const Paths& paths) {
    CStringArray array;
    for (const CString& path : paths) array.Add(path);
    return array;
}

TEST_F(PlayListTest, ReorderFollowsACompleteArrayAndRefusesOthers) {
    Fill({L"a", L"b", L"c", L"d"});
    CStringArray order = ArrayOf({L"d", L"b", L"a", L"c"});
    EXPECT_EQ(1, m_list.ReorderItems(&order));
    EXPECT_EQ((Paths{L"d", L"b", L"a", L"c"}), PathsOf(m_list));

    CStringArray shorter = ArrayOf({L"a", L"b"}), longer = ArrayOf({L"a", L"b", L"c", L"d", L"e"}), none;
    for (const CStringArray* refused : std::vector<const CStringArray*>{&shorter, &longer, &none, nullptr})
        EXPECT_EQ(0, m_list.ReorderItems(refused));
    EXPECT_EQ((Paths{L"d", L"b", L"a", L"c"}), PathsOf(m_list));
}

TEST_F(PlayListTest, SwapNeedsBothItems) {
    Fill(kAbc);
    m_list.SwapItems(L"C:\\A.xof", L"C:\\c.xof");
    EXPECT_EQ((Paths{L"C:\\c.xof", L"C:\\b.xof", L"C:\\a.xof"}), PathsOf(m_list));
    m_list.SwapItems(L"C:\\a.xof", L"C:\\x.xof");
    EXPECT_EQ((Paths{L"C:\\c.xof", L"C:\\b.xof", L"C:\\a.xof"}), PathsOf(m_list));
}

TEST_F(PlayListTest, ClearKeepsTheCurrentPath) {
    Fill(kAbc);
    m_list.SetCurrentPath(kAbc[1]);
    EXPECT_STREQ(L"C:\\a.xof", m_list.GetFirstPath());
    EXPECT_STREQ(L"C:\\c.xof", m_list.GetLastPath());
    m_list.Clear();
    EXPECT_EQ(nullptr, m_list.GetPaths());
    EXPECT_STREQ(L"", m_list.GetFirstPath());
    EXPECT_STREQ(L"", m_list.GetLastPath());
    EXPECT_STREQ(kAbc[1], m_list.GetCurrentPath());
}

// A list stored in a database made by the shipped scripts.
class StoredPlayListTest : public PlayListTest {
protected:
    void SetUp() override {
        PlayListTest::SetUp();
        ASSERT_TRUE(m_data.upgraded);
    }
    UpgradedDatabase m_data;
};

TEST_F(StoredPlayListTest, OrderTimesAndPositionsSurviveAReopenOfTheDatabase) {
    Paths paths;
    {
        CPlayRecordSql sql(m_data.db.get());
        CPlayList list(&sql);
        list.Load();
        for (int i = 0; i < 12; ++i) {
            CString path;
            path.Format(L"D:\\动画\\第%d集 it's 100%%.xof", 12 - i);  // names that sort against the list order
            paths.push_back(path);
            list.AddItem(path, false);
            list.SetItemPosition(path, i * 60);
            list.SetItemPlayTime(path, 4000000000LL + i);
        }
        list.MoveItem(paths[11], 0);
        std::rotate(paths.begin(), paths.begin() + 11, paths.end());
        list.SetCurrentPath(paths[3]);
        list.Save();
    }
    m_data.Reopen();
    CPlayRecordSql sql(m_data.db.get());
    CPlayList list(&sql);
    list.Load();
    EXPECT_EQ(paths, PathsOf(list));
    EXPECT_STREQ(L"", list.GetCurrentPath());
    EXPECT_EQ(11 * 60, list.GetItemPosition(paths[0]));
    EXPECT_EQ(0, list.GetItemPosition(paths[1]));
    EXPECT_STREQ(paths[0], list.GetLastPlayedPath());

    list.RemoveItem(paths[0]);
    list.Save();
    list.AddItem(L"E:\\new.xof", false);
    list.Load();  // drops what was not saved
    EXPECT_EQ(Paths(paths.begin() + 1, paths.end()), PathsOf(list));
}

TEST_F(StoredPlayListTest, LoadingInRandomOrderFillsThePool) {
    CPlayRecordSql sql(m_data.db.get());
    CPlayList list(&sql);
    sql.SaveList({{kAb[0], 1, 0, 0}, {kAb[1], 2, 0, 0}});
    SetPlayOrder(PLAY_ORDER_RANDOM);
    list.Load();
    list.SetCurrentPath(kAb[0]);
    EXPECT_STREQ(kAb[1], list.GetNextPath(true));
}

TEST_F(StoredPlayListTest, AListThatWasNotReadNeverReplacesTheStoredOne) {
    CPlayRecordSql sql(m_data.db.get());
    sql.SaveList({{kAb[0], 1, 0, 0}, {kAb[1], 2, 0, 0}});

    // Never loaded: saving at exit keeps the stored list.
    {
        CPlayList list(&sql);
        list.AddItem(L"C:\\other.xof", false);
        list.Save();
    }
    // Another program holds the database: the load fails and so does the save.
    sqlite3* other = nullptr;
    std::string path;
    ASSERT_TRUE(WideToUtf8(m_data.folder.DatabasePath(), true, path));
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &other));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr));
    CPlayList list(&sql);
    list.Load();
    EXPECT_EQ(nullptr, list.GetPaths());
    sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    list.AddItem(L"C:\\other.xof", false);
    list.Save();

    CPlayList reloaded(&sql);
    reloaded.Load();
    EXPECT_EQ(kAb, PathsOf(reloaded));
    reloaded.AddItem(L"C:\\other.xof", false);
    reloaded.Save();
    list.Load();
    EXPECT_EQ((Paths{kAb[0], kAb[1], L"C:\\other.xof"}), PathsOf(list));
}

TEST(ClosedPlayListTest, AClosedDatabaseGivesAnEmptyListAndStoresNothing) {
    CDatabaseConnection db(L"Z:\\no\\such\\folder\\zemo.db3");
    CPlayRecordSql sql(&db);
    CPlayList list(&sql);
    list.AddItem(L"C:\\a.xof", false);
    list.Save();
    list.Load();
    EXPECT_EQ(nullptr, list.GetPaths());
}

}  // namespace
