#include <gtest/gtest.h>

#include "account/AccountManager.h"
#include "config/UserConfig.h"
#include "db/AllConfigSql.h"
#include "db/DatabaseConnection.h"
#include "db/PlayRecordSql.h"
#include "db/UpgradeHelper.h"
#include "db/UserInfoSql.h"
#include "db/UserSetSql.h"
#include "fixtures/ProgramFolder.h"
#include "model/DataModel.h"
#include "playlist/PlayList.h"
#include "services/AccountWebService.h"
#include "support/ServiceConfigFile.h"

namespace {

CStringArray Pairs(std::initializer_list<const wchar_t*> texts) {
    CStringArray pairs;
    for (const wchar_t* text : texts) pairs.Add(text);
    return pairs;
}

// A program folder with an upgraded database that remembers "tom" as the last user.
class DataModelTest : public testing::Test {
protected:
    DataModelTest() : m_config(m_service.ConfigText()) {}

    void SetUp() override {
        ASSERT_TRUE(CUpgradeHelper().UpgradeDatabase(m_folder.Path()));
        CDatabaseConnection db(m_folder.DatabasePath());
        CStringArray tom = Pairs({L"tom", L"Tommy", L"", L"0", L""});
        CUserInfoSql(&db).Save(&tom);
        CStringArray settings = Pairs({L"UserName", L"tom", L"DownloadNum", L"7", L"Volume", L"21"});
        CUserSetSql(&db).Save(&settings);
        CUserConfig::GetInstance().SetCurrentUser(L"default");
    }

    void StoreAutoLogin(bool autoLogin) {
        CDatabaseConnection db(m_folder.DatabasePath());
        CStringArray window = Pairs({L"AutoLogin", autoLogin ? L"1" : L"0"});
        CAllConfigSql(&db).Save(&window);
    }

    AccountWebService m_service;
    ServiceConfigFile m_config;
    CTempProgramFolder m_folder;
};

TEST_F(DataModelTest, StartUpLoadsTheSettingsOfTheUserThatAutoLoginChooses) {
    for (bool autoLogin : {true, false}) {
        SCOPED_TRACE(autoLogin);
        StoreAutoLogin(autoLogin);
        CDataModel model(m_folder.Path());
        model.Init();
        CUserConfig& config = CUserConfig::GetInstance();
        EXPECT_EQ(autoLogin, config.GetAllConfig().AutoLogin);
        EXPECT_STREQ(autoLogin ? L"tom" : L"default", config.GetCurrentUser());
        EXPECT_EQ(autoLogin ? 7 : 5, config.GetDownloadConfig().DownloadNum);
        EXPECT_EQ(autoLogin ? 21 : 50, config.GetOtherConfig().Volume);
        EXPECT_NE(0u, model.GetOvraHelper().GetSession());
        ASSERT_NE(nullptr, model.GetAccountManager());
        EXPECT_EQ(nullptr, model.GetAccountManager()->GetCurrentAccount());
    }
}

TEST_F(DataModelTest, AtExitThePlayListAndTheSettingsAreWrittenBeforeTheDatabaseCloses) {
    StoreAutoLogin(false);
    std::unique_ptr<CPlayList> playList;
    {
        CDataModel model(m_folder.Path());
        model.Init();
        playList = std::make_unique<CPlayList>(model.GetPlayRecordSql());
        playList->Load();
        playList->AddItem(L"C:\\v\\one.xof", false);
        playList->AddItem(L"C:\\v\\two.xof", false);
        model.SetPlayList(playList.get());
        CUserConfig::GetInstance().GetOtherConfig().Volume = 33;
        CUserConfig::GetInstance().GetAllConfig().WindowShowType = 1;
        // The open database file cannot be renamed away.
        EXPECT_FALSE(MoveFileW(m_folder.DatabasePath(), m_folder.DatabasePath() + L".moved"));
    }
    playList.reset();
    // The model closed it.
    ASSERT_TRUE(MoveFileW(m_folder.DatabasePath(), m_folder.DatabasePath() + L".moved"));
    ASSERT_TRUE(MoveFileW(m_folder.DatabasePath() + L".moved", m_folder.DatabasePath()));

    CDatabaseConnection db(m_folder.DatabasePath());
    std::unique_ptr<SqlRows> items = CPlayRecordSql(&db).Select(nullptr);
    ASSERT_TRUE(items);
    ASSERT_EQ(2u, items->size());
    EXPECT_STREQ(L"C:\\v\\two.xof", (*items)[1][0]);
    CStringArray user = Pairs({L"default"});
    std::unique_ptr<SqlRows> settings = CUserSetSql(&db).Select(&user);
    ASSERT_TRUE(settings);
    EXPECT_STREQ(L"33", (*settings)[0][5]);
    std::unique_ptr<SqlRows> window = CAllConfigSql(&db).Select(nullptr);
    ASSERT_TRUE(window);
    EXPECT_STREQ(L"1", (*window)[0][0]);
}

TEST_F(DataModelTest, AFolderWithoutADatabaseKeepsTheDefaults) {
    CTempProgramFolder empty;
    CUserConfig::GetInstance().GetAllConfig().AutoLogin = false;
    CUserConfig::GetInstance().GetDownloadConfig().DownloadNum = 9;
    {
        CDataModel model(empty.Path() + L"missing\\");
        model.Init();
        EXPECT_EQ(5, CUserConfig::GetInstance().GetDownloadConfig().DownloadNum);
        EXPECT_EQ(nullptr, model.GetAccountManager()->LoadRememberedAccounts());
    }
    EXPECT_FALSE(empty.Exists(L"missing\\zemo.db3"));
}

}  // namespace
