#include <gtest/gtest.h>

#include <vector>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/AllConfigSql.h"
#include "db/DatabaseConnection.h"
#include "db/UpgradeHelper.h"
#include "db/UserSetSql.h"
#include "facade/AppFacade.h"
#include "fakes/FakeWindows.h"
#include "playlist/PlayOrder.h"
#include "support/ProgramFolderLocks.h"

namespace {

using Paths = std::vector<CString>;

Paths PathsOf(const std::unique_ptr<CStringArray>& array) {
    Paths paths;
    if (array)
        for (INT_PTR i = 0; i < array->GetSize(); ++i) paths.push_back((*array)[i]);
    return paths;
}

// The facade's play list starts empty in every test.
class PlayListForwardersTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_facade.ClearPlayList(false);
        m_facade.SetCurrentPath(L"");
        CUserConfig::GetInstance().GetOtherConfig().SetPlayOrder(PLAY_ORDER_SEQUENTIAL);
    }
    CAppFacade& m_facade = CAppFacade::GetInstance();
};

TEST_F(PlayListForwardersTest, ReachTheCoresPlayList) {
    for (const wchar_t* path : {L"C:\\a.xof", L"C:\\b.xof", L"C:\\B.XOF", L"C:\\c.xof"}) m_facade.AddItem(path);
    EXPECT_EQ((Paths{L"C:\\a.xof", L"C:\\b.xof", L"C:\\c.xof"}), PathsOf(m_facade.GetPlayListPaths(false)));
    EXPECT_TRUE(m_facade.IsFirstItem());
    EXPECT_TRUE(m_facade.IsLastItem());

    m_facade.SetCurrentPath(L"C:\\b.xof");
    EXPECT_STREQ(L"C:\\b.xof", m_facade.GetCurrentPath());
    EXPECT_STREQ(L"C:\\a.xof", m_facade.GetPrevPath());
    EXPECT_STREQ(L"C:\\c.xof", m_facade.GetNextPath(true));
    EXPECT_FALSE(m_facade.IsFirstItem());
    EXPECT_FALSE(m_facade.IsLastItem());
    EXPECT_STREQ(L"C:\\a.xof", m_facade.GetFirstItemPath());
    EXPECT_STREQ(L"C:\\c.xof", m_facade.GetLastItemPath());

    m_facade.SetItemPosition(L"C:\\c.xof", 600);
    m_facade.SetItemPlayTime(L"C:\\c.xof", 99);
    EXPECT_EQ(600, m_facade.GetItemPosition(L"c:\\C.xof"));
    EXPECT_EQ(-1, m_facade.GetItemPosition(L"C:\\x.xof"));
    EXPECT_STREQ(L"C:\\c.xof", m_facade.GetLastPlayedPath());

    m_facade.SwapItems(L"C:\\a.xof", L"C:\\c.xof");
    CStringArray order;
    for (const wchar_t* path : {L"C:\\b.xof", L"C:\\a.xof", L"C:\\c.xof"}) order.Add(path);
    EXPECT_EQ(1, m_facade.ReorderItems(&order));
    m_facade.RemoveItem(L"C:\\A.xof");
    EXPECT_EQ((Paths{L"C:\\b.xof", L"C:\\c.xof"}), PathsOf(m_facade.GetPlayListPaths(false)));

    CUserConfig::GetInstance().GetOtherConfig().SetPlayOrder(PLAY_ORDER_RANDOM);
    m_facade.ResetRandomPool(true);
    m_facade.SetCurrentPath(L"C:\\b.xof");
    EXPECT_STREQ(L"C:\\c.xof", m_facade.GetNextPath(true));

    m_facade.ClearPlayList(true);
    EXPECT_EQ(nullptr, m_facade.GetPlayListPaths(false));
    EXPECT_STREQ(L"C:\\b.xof", m_facade.GetCurrentPath());
}

TEST_F(PlayListForwardersTest, MoveItemNeedsTheMainWindowAndRefreshesIt) {
    for (const wchar_t* path : {L"a", L"b", L"c"}) m_facade.AddItem(path);
    {
        FakeWindows windows(false);
        m_facade.MoveItem(L"c", 0);
        EXPECT_EQ((Paths{L"a", L"b", L"c"}), PathsOf(m_facade.GetPlayListPaths(false)));
    }
    FakeWindows windows;
    m_facade.MoveItem(L"c", 0);
    EXPECT_EQ((Paths{L"c", L"a", L"b"}), PathsOf(m_facade.GetPlayListPaths(false)));
    EXPECT_EQ((std::vector<std::string>{"RefreshPlayState"}), windows.calls);
}

// The facade's database is zemo.db3 in the program folder of the test.
TEST_F(PlayListForwardersTest, PrepareShutdownSavesThePlayListAndAllSettings) {
    ProgramDatabaseLock lock;
    ASSERT_TRUE(CUpgradeHelper().UpgradeDatabase());
    CDatabaseConnection db(GetDatabasePath());
    CUserSetSql userSet(&db);
    CAllConfigSql allConfig(&db);
    CUserConfig& config = CUserConfig::GetInstance();
    config.SetUserSetSql(&userSet);
    config.SetAllConfigSql(&allConfig);
    config.GetOtherConfig().Volume = 33;
    config.GetAllConfig().AutoLogin = true;

    m_facade.GetPlayListPaths(true);  // the main window's list reads the stored list first
    for (const wchar_t* path : {L"C:\\z.xof", L"C:\\y.xof"}) m_facade.AddItem(path);
    m_facade.SetItemPosition(L"C:\\y.xof", 42);
    {
        FakeWindows windows;
        EXPECT_EQ(1, m_facade.PrepareShutdown());
        EXPECT_EQ((std::vector<std::string>{"SavePlayPosition"}), windows.calls);
    }
    m_facade.ClearPlayList(false);
    EXPECT_EQ((Paths{L"C:\\z.xof", L"C:\\y.xof"}), PathsOf(m_facade.GetPlayListPaths(true)));
    EXPECT_EQ(42, m_facade.GetItemPosition(L"C:\\y.xof"));

    config.GetOtherConfig().Volume = 50;
    config.GetAllConfig().AutoLogin = false;
    config.LoadUserSettings();
    config.LoadAllConfig();
    EXPECT_EQ(33, config.GetOtherConfig().Volume);
    EXPECT_TRUE(config.GetAllConfig().AutoLogin);
    config.SetUserSetSql(nullptr);
    config.SetAllConfigSql(nullptr);
}

}  // namespace
