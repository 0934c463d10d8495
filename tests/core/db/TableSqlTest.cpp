#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "db/AllConfigSql.h"
#include "db/DownloadRecordSql.h"
#include "db/PlayRecordSql.h"
#include "db/UserInfoSql.h"
#include "db/UserSetSql.h"
#include "fixtures/DebugOutputLog.h"
#include "fixtures/ProgramFolder.h"

namespace {

CStringArray Texts(std::initializer_list<const wchar_t*> texts) {
    CStringArray array;
    for (const wchar_t* text : texts) array.Add(text);
    return array;
}

std::vector<std::vector<CString>> Plain(const std::unique_ptr<SqlRows>& rows) {
    std::vector<std::vector<CString>> plain;
    if (!rows) return plain;
    for (const CStringArray& row : *rows) {
        plain.emplace_back();
        for (INT_PTR i = 0; i < row.GetSize(); ++i) plain.back().push_back(row[i]);
    }
    return plain;
}

using Rows = std::vector<std::vector<CString>>;

struct Tables {
    explicit Tables(CDatabaseConnection* db) : allConfig(db), users(db), userSet(db), downloads(db), plays(db) {}
    CAllConfigSql allConfig;
    CUserInfoSql users;
    CUserSetSql userSet;
    CDownloadRecordSql downloads;
    CPlayRecordSql plays;
};

// Every table class over a database made by the shipped scripts.
class TableSqlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_data.upgraded); }

    UpgradedDatabase m_data;
    Tables t{m_data.db.get()};
    CAllConfigSql& allConfig = t.allConfig;
    CUserInfoSql& users = t.users;
    CUserSetSql& userSet = t.userSet;
    CDownloadRecordSql& downloads = t.downloads;
    CPlayRecordSql& plays = t.plays;
};

struct StatementCase {
    const char* name;
    std::function<void(Tables&)> run;
    std::vector<const wchar_t*> statements;
};

class TableStatementTest : public TableSqlTest, public ::testing::WithParamInterface<StatementCase> {};

void PrintTo(const StatementCase& c, std::ostream* out) { *out << c.name; }

TEST_P(TableStatementTest, SendsTheStatementsWordForWord) {
    CDebugOutputLog log;
    GetParam().run(t);
    ASSERT_EQ(GetParam().statements.size(), log.lines.size());
    for (size_t i = 0; i < log.lines.size(); ++i) EXPECT_STREQ(GetParam().statements[i], log.lines[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableStatementTest,
    ::testing::Values(
        StatementCase{"AllConfigSelect",
                      [](Tables& t) { t.allConfig.Select(nullptr); },
                      {L"SELECT WindowShowType, WindowLeft, WindowTop, WindowRight, WindowBottom, MaximizeWindow, "
                       L"AutoLogin FROM AllConfig;"}},
        StatementCase{"AllConfigFirstSaveInserts",
                      [](Tables& t) {
                          CStringArray pairs = Texts({L"WindowLeft", L"10", L"AutoLogin", L"1"});
                          t.allConfig.Save(&pairs);
                      },
                      {L"SELECT WindowShowType FROM AllConfig",
                       L"INSERT INTO AllConfig(WindowLeft,AutoLogin) VALUES('10','1');"}},
        StatementCase{
            "AllConfigLaterSaveUpdates",
            [](Tables& t) {
                CStringArray pairs = Texts({L"WindowShowType", L"2"});
                t.allConfig.Save(&pairs);
                pairs = Texts({L"WindowLeft", L"1'0", L"AutoLogin", L"1"});
                t.allConfig.Save(&pairs);
            },
            {L"SELECT WindowShowType FROM AllConfig", L"INSERT INTO AllConfig(WindowShowType) VALUES('2');",
             L"SELECT WindowShowType FROM AllConfig", L"UPDATE AllConfig SET WindowLeft = '1''0',AutoLogin = '1';"}},
        StatementCase{"AllConfigOddOrNoPairs",
                      [](Tables& t) {
                          CStringArray odd = Texts({L"WindowLeft"}), none;
                          t.allConfig.Save(&odd);
                          t.allConfig.Save(&none);
                          t.allConfig.Save(nullptr);
                      },
                      {}},
        StatementCase{
            "UserSelect",
            [](Tables& t) { t.users.Select(nullptr); },
            {L"Select Username, Nickname, Password, RemindPwd, IsLast, VerifyCode from User order by IsLast;"}},
        StatementCase{"UserSave",
                      [](Tables& t) {
                          CStringArray account = Texts({L"bob", L"Bob's", L"p%w", L"1", L"v"});
                          t.users.Save(&account);
                          CStringArray tooShort = Texts({L"bob", L"Bob's", L"p%w", L"1"});
                          t.users.Save(&tooShort);
                      },
                      {L"Update User Set IsLast = 0;Insert Or Replace Into User ( Username, Nickname, Password, "
                       L"RemindPwd, IsLast, VerifyCode) values \t\t\t\t  ('bob', 'Bob''s', 'p%%w', '1', '1', 'v');"}},
        StatementCase{"UserSelectLast",
                      [](Tables& t) { t.users.SelectLastUser(); },
                      {L"SELECT UserName FROM User WHERE IsLast = 1;"}},
        StatementCase{"UserConfigSelect",
                      [](Tables& t) {
                          CStringArray name = Texts({L"o'neil"});
                          t.userSet.Select(&name);
                      },
                      {L"SELECT DownloadPath, DownloadNum, AutoDownload, RelinkTimes, Mute, Volume, PlayOrder, "
                       L"AutoAdd2PlayList \t\t\t\t\tFROM UserConfig WHERE UserName = 'o''neil';"}},
        StatementCase{"UserConfigSave",
                      [](Tables& t) {
                          CStringArray pairs = Texts({L"UserName", L"bob", L"DownloadPath", L"C:\\100%"});
                          t.userSet.Save(&pairs);
                          CStringArray odd = Texts({L"UserName"});
                          t.userSet.Save(&odd);
                      },
                      {L"INSERT OR REPLACE INTO UserConfig(UserName,DownloadPath) VALUES('bob','C:\\100%%');"}},
        StatementCase{"DownloadSelect",
                      [](Tables& t) {
                          CStringArray name = Texts({L"bob"});
                          t.downloads.Select(&name);
                      },
                      {L"Select FileID, FilePath, FileSize, DownSize, DownloadUrl, (case when (FileSize = DownSize)"
                       L"\t\t\t\t\tthen 1 else 0 end) As state from DownloadRecord\t\t\t\t\t where UserName = 'bob'"}},
        StatementCase{"DownloadUpdateDownSize",
                      [](Tables& t) {
                          CStringArray args = Texts({L"bob", L"f1", L"512"});
                          t.downloads.UpdateDownSize(&args);
                      },
                      {L"Update DownloadRecord SET DownSize= '512' where UserName = 'bob' and FileID = 'f1';"}},
        StatementCase{"DownloadSelectAlbumSection",
                      [](Tables& t) {
                          CStringArray args = Texts({L"bob", L"C:\\a.xof"});
                          t.downloads.SelectAlbumSection(&args);
                      },
                      {L"SELECT AlbumName, SectionName FROM DownloadRecord WHERE UserName = 'bob' AND FilePath = "
                       L"'C:\\a.xof' COLLATE NOCASE;"}},
        StatementCase{
            "DownloadSaveList",
            [](Tables& t) {
                t.downloads.SaveList(
                    {Texts({L"bob", L"f1", L"C:\\a.xof", L"100", L"50", L"http://h/a", L"1", L"Album", L"S1"}),
                     Texts({L"bob", L"f2", L"C:\\b.xof", L"100", L"0", L"http://h/b", L"0", L"Album", L"S2"})});
            },
            {L"Begin Transaction;INSERT OR REPLACE INTO DownloadRecord(UserName, FileID, FilePath, FileSize, "
             L"DownSize, DownloadUrl, Sequence, AlbumName, SectionName) \t\t\t\t\t\t VALUES('bob', 'f1', "
             L"'C:\\a.xof', '100', '50', 'http://h/a', '1', 'Album', 'S1');UPDATE DownloadRecord \t\t\t\t\t\t "
             L"SET FilePath = 'C:\\b.xof', FileSize = '100', DownSize = '0', DownloadUrl = 'http://h/b' "
             L"\t\t\t\t\t\t WHERE UserName = 'bob' AND FileID = 'f2';Commit Transaction;"}},
        StatementCase{"DownloadDeleteList",
                      [](Tables& t) {
                          t.downloads.DeleteList({Texts({L"bob", L"f1"}), Texts({L"bob", L"f2"})});
                      },
                      {L"Begin Transaction;Delete from DownloadRecord where UserName = 'bob' and FileID = 'f1';Delete "
                       L"from DownloadRecord where UserName = 'bob' and FileID = 'f2';Commit Transaction;"}},
        StatementCase{"PlaySelect",
                      [](Tables& t) { t.plays.Select(nullptr); },
                      {L"SELECT FilePath, AddTime, PlayTime, Consuming FROM UserPlayRecord ORDER BY Sequence;"}},
        StatementCase{
            "PlaySaveList",
            [](Tables& t) {
                PLAY_RECORD_INFO a{L"C:\\it's.xof", 1700000000000LL, 0, 65};
                PLAY_RECORD_INFO b{L"C:\\b.xof", 5, 6, 0};
                t.plays.SaveList({a, b});
            },
            {L"Begin Transaction;DELETE FROM UserPlayRecord;INSERT OR REPLACE INTO UserPlayRecord(FilePath, "
             L"AddTime, PlayTime, Consuming, Sequence) \t\t\t\t\t\t  VALUES('C:\\it''s.xof', '1700000000000', "
             L"'0', '65', '0');INSERT OR REPLACE INTO UserPlayRecord(FilePath, AddTime, PlayTime, Consuming, "
             L"Sequence) \t\t\t\t\t\t  VALUES('C:\\b.xof', '5', '6', '0', '1');Commit Transaction;"}}),
    [](const ::testing::TestParamInfo<StatementCase>& info) { return std::string(info.param.name); });

TEST_F(TableSqlTest, WindowSettingsKeepOneRow) {
    EXPECT_EQ(nullptr, allConfig.Select(nullptr));
    CStringArray first = Texts({L"WindowShowType", L"2", L"WindowLeft", L"0", L"WindowTop", L"0", L"WindowRight", L"0",
                                L"WindowBottom", L"0", L"MaximizeWindow", L"0", L"AutoLogin", L"0"});
    allConfig.Save(&first);
    CStringArray second = Texts({L"WindowLeft", L"10", L"WindowTop", L"20", L"AutoLogin", L"1"});
    allConfig.Save(&second);
    EXPECT_EQ((Rows{{L"2", L"10", L"20", L"0", L"0", L"0", L"1"}}), Plain(allConfig.Select(nullptr)));
}

TEST_F(TableSqlTest, SavingAnAccountMakesItTheOnlyLastOne) {
    CStringArray alice = Texts({L"alice", L"Alice", L"pw1", L"1", L""});
    CStringArray bob = Texts({L"bob", L"Bob", L"pw2", L"0", L"code"});
    users.Save(&alice);
    EXPECT_STREQ(L"alice", users.SelectLastUser());
    users.Save(&bob);
    EXPECT_STREQ(L"bob", users.SelectLastUser());
    // Ordered by IsLast: the last user comes last.
    EXPECT_EQ((Rows{{L"alice", L"Alice", L"pw1", L"1", L"0", L""}, {L"bob", L"Bob", L"pw2", L"0", L"1", L"code"}}),
              Plain(users.Select(nullptr)));
    alice[2] = L"new";
    users.Save(&alice);
    EXPECT_EQ((Rows{{L"bob", L"Bob", L"pw2", L"0", L"0", L"code"}, {L"alice", L"Alice", L"new", L"1", L"1", L""}}),
              Plain(users.Select(nullptr)));
}

TEST_F(TableSqlTest, NoLastUserWithoutAccounts) { EXPECT_STREQ(L"", users.SelectLastUser()); }

TEST_F(TableSqlTest, EachUserHasOneSettingsRow) {
    CStringArray bob =
        Texts({L"UserName", L"bob", L"DownloadPath", L"D:\\下载", L"DownloadNum", L"3", L"AutoDownload", L"1",
               L"RelinkTimes", L"5", L"Mute", L"0", L"Volume", L"70", L"PlayOrder", L"2", L"AutoAdd2PlayList", L"1"});
    userSet.Save(&bob);
    bob[5] = L"4";
    userSet.Save(&bob);
    CStringArray carol = Texts({L"UserName", L"carol", L"DownloadNum", L"9"});
    userSet.Save(&carol);

    CStringArray name = Texts({L"bob"});
    EXPECT_EQ((Rows{{L"D:\\下载", L"4", L"1", L"5", L"0", L"70", L"2", L"1"}}), Plain(userSet.Select(&name)));
    name[0] = L"carol";
    EXPECT_EQ((Rows{{L"", L"9", L"", L"", L"", L"", L"", L""}}), Plain(userSet.Select(&name)));
    name[0] = L"nobody";
    EXPECT_EQ(nullptr, userSet.Select(&name));
    EXPECT_EQ(nullptr, userSet.Select(nullptr));
}

TEST_F(TableSqlTest, DownloadRecordsAreCreatedOnlyWithAlbumDataAndUpdatedOtherwise) {
    downloads.SaveList({
        Texts({L"bob", L"f1", L"C:\\A.xof", L"100", L"100", L"u1", L"1", L"Album", L"S1"}),
        Texts({L"bob", L"f2", L"C:\\b.xof", L"100", L"0", L"u2", L"0", L"Album", L"S2"}),  // Sequence 0
        Texts({L"bob", L"f3", L"C:\\c.xof", L"100", L"0", L"u3", L"3", L"", L"S3"}),       // no album
        Texts({L"carol", L"f1", L"C:\\d.xof", L"2048", L"1024", L"u4", L"4", L"Other", L"S4"}),
        Texts({L"short"}),
    });
    CStringArray bob = Texts({L"bob"});
    EXPECT_EQ((Rows{{L"f1", L"C:\\A.xof", L"100", L"100", L"u1", L"1"}}), Plain(downloads.Select(&bob)));

    // Without album data an existing record is updated.
    downloads.SaveList({Texts({L"carol", L"f1", L"C:\\e.xof", L"2048", L"1500", L"u5", L"0", L"", L""})});
    CStringArray carol = Texts({L"carol"});
    EXPECT_EQ((Rows{{L"f1", L"C:\\e.xof", L"2048", L"1500", L"u5", L"0"}}), Plain(downloads.Select(&carol)));

    CStringArray progress = Texts({L"carol", L"f1", L"2048"});
    downloads.UpdateDownSize(&progress);
    EXPECT_EQ((Rows{{L"f1", L"C:\\e.xof", L"2048", L"2048", L"u5", L"1"}}), Plain(downloads.Select(&carol)));

    CStringArray lookup = Texts({L"bob", L"c:\\a.XOF"});
    EXPECT_EQ((Rows{{L"Album", L"S1"}}), Plain(downloads.SelectAlbumSection(&lookup)));

    downloads.DeleteList({Texts({L"bob", L"f1"}), Texts({L"nobody", L"f9"})});
    EXPECT_EQ(nullptr, downloads.Select(&bob));
    EXPECT_TRUE(downloads.Select(&carol));
}

TEST_F(TableSqlTest, FinishedStateComparesSizesAsNumbers) {
    downloads.SaveList({Texts({L"bob", L"f1", L"C:\\a.xof", L"1000", L"999", L"u", L"1", L"A", L"S"}),
                        Texts({L"bob", L"f2", L"C:\\b.xof", L"20", L"020", L"u", L"2", L"A", L"S"})});
    CStringArray bob = Texts({L"bob"});
    Rows rows = Plain(downloads.Select(&bob));
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ(L"0", rows[0][5]);
    EXPECT_STREQ(L"1", rows[1][5]);
}

TEST_F(TableSqlTest, PlayListRowsComeBackInListOrderPastTenItems) {
    std::vector<PLAY_RECORD_INFO> items;
    for (int i = 0; i < 25; ++i) {
        CString path;
        path.Format(L"C:\\videos\\%c-%d%%'.xof", L'z' - i, i);
        items.push_back({path, 1000 + i, i % 2 ? 4000000000LL + i : 0, i * 7});
    }
    plays.SaveList(items);
    Rows rows = Plain(plays.Select(nullptr));
    ASSERT_EQ(items.size(), rows.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_STREQ(items[i].FilePath, rows[i][0]);
        EXPECT_EQ(items[i].AddTime, _wtoi64(rows[i][1]));
        EXPECT_EQ(items[i].PlayTime, _wtoi64(rows[i][2]));
        EXPECT_EQ(items[i].Consuming, _wtoi(rows[i][3]));
    }
    plays.SaveList({});
    EXPECT_EQ(nullptr, plays.Select(nullptr));
}

}  // namespace
