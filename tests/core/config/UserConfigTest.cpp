#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <vector>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/AllConfigSql.h"
#include "db/UserSetSql.h"
#include "fixtures/ProgramFolder.h"
#include "playlist/PlayOrder.h"

namespace {

// Settings over the tables of a fresh database, as the data model connects them.
class UserConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_data.upgraded);
        m_config.SetUserSetSql(&m_userSet);
        m_config.SetAllConfigSql(&m_allConfig);
    }
    // The stored UserConfig row of a user, empty when there is none.
    std::vector<CString> StoredUserRow(const CString& user) {
        CStringArray args;
        args.Add(user);
        return Plain(m_userSet.Select(&args));
    }
    std::vector<CString> StoredWindowRow() { return Plain(m_allConfig.Select(nullptr)); }
    static std::vector<CString> Plain(const std::unique_ptr<SqlRows>& rows) {
        std::vector<CString> row;
        if (rows)
            for (INT_PTR i = 0; i < rows->front().GetSize(); ++i) row.push_back(rows->front()[i]);
        return row;
    }
    void StoreUserRow(const CString& user, const std::vector<CString>& values) {
        static const wchar_t* const names[] = {L"DownloadPath", L"DownloadNum", L"AutoDownload", L"RelinkTimes",
                                               L"Mute",         L"Volume",      L"PlayOrder",    L"AutoAdd2PlayList"};
        CStringArray pairs;
        pairs.Add(L"UserName");
        pairs.Add(user);
        for (size_t i = 0; i < values.size(); ++i) {
            pairs.Add(names[i]);
            pairs.Add(values[i]);
        }
        m_userSet.Save(&pairs);
    }

    UpgradedDatabase m_data;
    CUserSetSql m_userSet{m_data.db.get()};
    CAllConfigSql m_allConfig{m_data.db.get()};
    CUserConfig m_config;
};

using Row = std::vector<CString>;

void ExpectUserDefaults(CUserConfig& config) {
    const CDownloadConfig& download = config.GetDownloadConfig();
    EXPECT_STREQ(GetProgramFolder() + L"DownloadFiles", download.DownloadPath);
    EXPECT_EQ(5, download.DownloadNum);
    EXPECT_EQ(5, download.RelinkTimes);
    EXPECT_FALSE(download.AutoDownload);
    EXPECT_TRUE(download.AutoAdd2PlayList);
    const COtherConfig& other = config.GetOtherConfig();
    EXPECT_FALSE(other.Mute);
    EXPECT_EQ(50, other.Volume);
    EXPECT_EQ(PLAY_ORDER_SEQUENTIAL, other.PlayOrder);
}

TEST_F(UserConfigTest, ANewUserGetsTheDefaultsAndTheNextSaveCreatesTheRow) {
    EXPECT_STREQ(L"default", m_config.GetCurrentUser());
    m_config.LoadUserSettings();
    ExpectUserDefaults(m_config);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_config.GetDownloadConfig().DownloadPath));
    EXPECT_TRUE(StoredUserRow(L"default").empty());

    m_config.Save(false);
    EXPECT_EQ((Row{GetProgramFolder() + L"DownloadFiles", L"5", L"0", L"5", L"0", L"50", L"0", L"1"}),
              StoredUserRow(L"default"));
    EXPECT_TRUE(StoredWindowRow().empty());
}

TEST_F(UserConfigTest, EachUserKeepsTheirOwnSettings) {
    m_config.SetCurrentUser(L"bob");
    m_config.LoadUserSettings();
    m_config.GetDownloadConfig().DownloadPath = L"D:\\下载's 100%";
    m_config.GetDownloadConfig().DownloadNum = 8;
    m_config.GetDownloadConfig().AutoDownload = true;
    m_config.GetDownloadConfig().AutoAdd2PlayList = false;
    m_config.GetOtherConfig().Mute = true;
    m_config.GetOtherConfig().Volume = 0;
    m_config.GetOtherConfig().SetPlayOrder(PLAY_ORDER_LOOP);
    m_config.Save(false);

    m_config.SetCurrentUser(L"carol");
    EXPECT_STREQ(L"bob", m_config.GetPreviousUser());
    EXPECT_EQ(8, m_config.GetDownloadConfig().DownloadNum);  // switching loads nothing
    m_config.LoadUserSettings();
    ExpectUserDefaults(m_config);

    // Read back through a new connection and new settings.
    m_data.Reopen();
    CUserSetSql userSet(m_data.db.get());
    CUserConfig config;
    config.SetUserSetSql(&userSet);
    config.SetCurrentUser(L"bob");
    config.LoadUserSettings();
    EXPECT_STREQ(L"D:\\下载's 100%", config.GetDownloadConfig().GetDownloadPath());
    EXPECT_EQ(8, config.GetDownloadConfig().DownloadNum);
    EXPECT_TRUE(config.GetDownloadConfig().GetAutoDownload());
    EXPECT_FALSE(config.GetDownloadConfig().AutoAdd2PlayList);
    EXPECT_TRUE(config.GetOtherConfig().Mute);
    EXPECT_EQ(0, config.GetOtherConfig().Volume);
    EXPECT_EQ(PLAY_ORDER_LOOP, config.GetOtherConfig().GetPlayOrder());
}

struct StoredValuesCase {
    const char* name;
    Row stored;  // DownloadPath .. AutoAdd2PlayList
    CString path;
    int downloadNum, relinkTimes, volume, playOrder;
    bool autoDownload, mute, autoAdd;
};

class StoredUserValuesTest : public UserConfigTest, public ::testing::WithParamInterface<StoredValuesCase> {};

void PrintTo(const StoredValuesCase& c, std::ostream* out) { *out << c.name; }

TEST_P(StoredUserValuesTest, LoadTakesValidValuesAndRefusesTheOthers) {
    const StoredValuesCase& c = GetParam();
    m_config.GetDownloadConfig().DownloadNum = 7;  // loaded values replace what was there
    StoreUserRow(L"default", c.stored);
    m_config.LoadUserSettings();
    const CDownloadConfig& download = m_config.GetDownloadConfig();
    const COtherConfig& other = m_config.GetOtherConfig();
    EXPECT_STREQ(c.path.IsEmpty() ? GetProgramFolder() + L"DownloadFiles" : c.path, download.DownloadPath);
    EXPECT_EQ(c.downloadNum, download.DownloadNum);
    EXPECT_EQ(c.autoDownload, download.AutoDownload);
    EXPECT_EQ(c.relinkTimes, download.RelinkTimes);
    EXPECT_EQ(c.mute, other.Mute);
    EXPECT_EQ(c.volume, other.Volume);
    EXPECT_EQ(c.playOrder, other.PlayOrder);
    EXPECT_EQ(c.autoAdd, download.AutoAdd2PlayList);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredUserValuesTest,
    ::testing::Values(
        StoredValuesCase{"Limits",
                         {L"E:\\v", L"10", L"1", L"1", L"1", L"100", L"2", L"0"},
                         L"E:\\v",
                         10,
                         1,
                         100,
                         2,
                         true,
                         true,
                         false},
        StoredValuesCase{"LowLimits",
                         {L"E:\\v", L"1", L"0", L"10", L"0", L"0", L"0", L"1"},
                         L"E:\\v",
                         1,
                         10,
                         0,
                         0,
                         false,
                         false,
                         true},
        StoredValuesCase{"OutOfRange",
                         {L"E:\\v", L"0", L"0", L"11", L"0", L"101", L"3", L"1"},
                         L"E:\\v",
                         5,
                         5,
                         50,
                         0,
                         false,
                         false,
                         true},
        StoredValuesCase{"Negative",
                         {L"E:\\v", L"-1", L"0", L"-5", L"0", L"-1", L"-1", L"1"},
                         L"E:\\v",
                         5,
                         5,
                         50,
                         0,
                         false,
                         false,
                         true},
        StoredValuesCase{"NotNumbers",
                         {L"E:\\v", L"5x", L"yes", L"", L"on", L"fifty", L"1.5", L""},
                         L"E:\\v",
                         5,
                         5,
                         50,
                         0,
                         false,
                         false,
                         true},
        StoredValuesCase{
            "EmptyPath", {L"", L"3", L"0", L"3", L"0", L"30", L"1", L"1"}, L"", 3, 3, 30, 1, false, false, true},
        StoredValuesCase{"Missing", {}, L"", 5, 5, 50, 0, false, false, true}),
    [](const ::testing::TestParamInfo<StoredValuesCase>& info) { return std::string(info.param.name); });

// Records what it was told.
class RecordingObserver : public IObserver {
public:
    void OnConfigChanged(const std::vector<int>& changes) override {
        told.push_back(changes);
        if (onChanged) onChanged();
    }
    std::vector<std::vector<int>> told;
    std::function<void()> onChanged;
};

TEST_F(UserConfigTest, ObserversAreToldTheSortedChangesOnceEachAndTheSettingsSaved) {
    RecordingObserver observers[2];
    std::vector<IObserver*> order;
    for (RecordingObserver& o : observers) o.onChanged = [&order, &o] { order.push_back(&o); };
    m_config.AddObserver(&observers[1]);
    m_config.AddObserver(&observers[0]);
    m_config.AddObserver(&observers[1]);
    m_config.AddObserver(nullptr);

    m_config.GetDownloadConfig().NotifyChange(CONFIG_CHANGE_DOWNLOAD_NUM);
    m_config.GetOtherConfig().NotifyChange(CONFIG_CHANGE_DOWNLOAD_PATH);
    m_config.GetDownloadConfig().NotifyChange(CONFIG_CHANGE_DOWNLOAD_NUM);
    m_config.GetDownloadConfig().DownloadNum = 9;
    m_config.NotifyObservers();
    EXPECT_EQ(std::vector<IObserver*>({&observers[0], &observers[1]}), order);  // ascending pointers
    EXPECT_EQ((std::vector<std::vector<int>>{{0, 1}}), observers[0].told);
    EXPECT_EQ((std::vector<std::vector<int>>{{0, 1}}), observers[1].told);
    EXPECT_STREQ(L"9", StoredUserRow(L"default")[1]);

    // Nothing changed: still told (an empty list) and saved.
    m_config.RemoveObserver(&observers[0]);
    m_config.RemoveObserver(nullptr);
    m_config.GetDownloadConfig().DownloadNum = 4;
    m_config.NotifyObservers();
    EXPECT_EQ(1u, observers[0].told.size());
    EXPECT_EQ((std::vector<std::vector<int>>{{0, 1}, {}}), observers[1].told);
    EXPECT_STREQ(L"4", StoredUserRow(L"default")[1]);
}

TEST_F(UserConfigTest, AnObserverMayLeaveWhileItIsTold) {
    RecordingObserver first, second;
    first.onChanged = [&] { m_config.RemoveObserver(&first); };
    m_config.AddObserver(&first);
    m_config.AddObserver(&second);
    m_config.NotifyObservers();
    m_config.NotifyObservers();
    EXPECT_EQ(1u, first.told.size());
    EXPECT_EQ(2u, second.told.size());
}

// A top-level window standing in for the main dialog.
struct ScreenWindow {
    explicit ScreenWindow(RECT r)
        : hwnd(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                               nullptr, nullptr, nullptr)) {}
    ~ScreenWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

TEST_F(UserConfigTest, WindowSettingsStoreTheMainWindowsCurrentRectangle) {
    m_config.LoadAllConfig();
    CAllConfig& all = m_config.GetAllConfig();
    EXPECT_EQ(2, all.WindowShowType);
    EXPECT_EQ(0, all.WindowLeft + all.WindowTop + all.WindowRight + all.WindowBottom);
    EXPECT_FALSE(all.MaximizeWindow);
    EXPECT_FALSE(all.AutoLogin);

    {
        // no main window: the fields as they are
        all.WindowLeft = 1;
        all.AutoLogin = true;
        m_config.Save(true);
        EXPECT_EQ((Row{L"2", L"1", L"0", L"0", L"0", L"0", L"1"}), StoredWindowRow());
    }
    ScreenWindow screen({100, 50, 740, 530});
    ASSERT_TRUE(screen.hwnd);
    all.SetPlacementWindow(screen.hwnd);
    m_config.LoadAllConfig();
    EXPECT_EQ(1, all.WindowLeft);
    m_config.Save(true);
    EXPECT_EQ((Row{L"2", L"100", L"50", L"740", L"530", L"0", L"1"}), StoredWindowRow());

    MoveWindow(screen.hwnd, 200, 60, 800, 600, FALSE);
    all.MaximizeWindow = true;
    m_config.Save(false);  // the user's row only
    EXPECT_EQ((Row{L"2", L"100", L"50", L"740", L"530", L"0", L"1"}), StoredWindowRow());
    m_config.Save(true);
    EXPECT_EQ((Row{L"2", L"200", L"60", L"1000", L"660", L"1", L"1"}), StoredWindowRow());

    // Minimised, the window has no place of its own; the stored one stays.
    ShowWindow(screen.hwnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(screen.hwnd));
    m_config.Save(true);
    EXPECT_EQ((Row{L"2", L"200", L"60", L"1000", L"660", L"1", L"1"}), StoredWindowRow());
    all.SetPlacementWindow(nullptr);
}

TEST_F(UserConfigTest, StoredWindowSettingsAreRefusedWhenNotValid) {
    CStringArray pairs;
    for (const wchar_t* text : {L"WindowShowType", L"7", L"WindowLeft", L"-20", L"WindowTop", L"x", L"WindowRight",
                                L"1900", L"WindowBottom", L"1000", L"MaximizeWindow", L"1", L"AutoLogin", L"1"})
        pairs.Add(text);
    m_allConfig.Save(&pairs);
    m_config.LoadAllConfig();
    const CAllConfig& all = m_config.GetAllConfig();
    EXPECT_EQ(2, all.WindowShowType);
    EXPECT_EQ(-20, all.WindowLeft);
    EXPECT_EQ(0, all.WindowTop);
    EXPECT_EQ(1900, all.WindowRight);
    EXPECT_EQ(1000, all.WindowBottom);
    EXPECT_TRUE(all.MaximizeWindow);
    EXPECT_TRUE(all.AutoLogin);
}

TEST(UserConfigWithoutTablesTest, KeepsTheDefaultsAndSavesNothing) {
    CUserConfig config;
    config.GetOtherConfig().Volume = 10;
    config.LoadUserSettings();
    config.LoadAllConfig();
    EXPECT_NO_FATAL_FAILURE(ExpectUserDefaults(config));
    config.Save(true);
    config.NotifyObservers();
    for (CBaseConfig* group :
         std::vector<CBaseConfig*>{&config.GetDownloadConfig(), &config.GetOtherConfig(), &config.GetAllConfig()}) {
        group->Save(nullptr);
        group->Load(nullptr);
    }
    EXPECT_NO_FATAL_FAILURE(ExpectUserDefaults(config));
    EXPECT_STREQ(L"Images\\default\\", config.GetSkinFolder());
    EXPECT_EQ(&CUserConfig::GetInstance(), &CUserConfig::GetInstance());
}

}  // namespace
