#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/CommonSql.h"
#include "db/UpgradeHelper.h"
#include "fixtures/ProgramFolder.h"

namespace {

class CScratchSql : public CCommonSql {
public:
    using CCommonSql::CCommonSql;
};

// A program folder with scripts of the test's own: script n logs n and sets DBVersion to n.
class UpgradeHelperTest : public ::testing::Test {
protected:
    static std::string Script(int version, const std::string& extra = "") {
        std::string n = std::to_string(version);
        return "CREATE TABLE IF NOT EXISTS Log(Step INTEGER, Note TEXT);\n"
               "INSERT INTO Log(Step) VALUES(" +
               n + ");\n" + extra +
               "CREATE TABLE IF NOT EXISTS DBVersion(Version INTEGER);\n"
               "DELETE FROM DBVersion; INSERT INTO DBVersion VALUES(" +
               n + ");\n";
    }
    void SetScripts(int newest, int count) {
        m_folder.WriteFile(L"DbUpdateConfig.ini", "[NewestVersion]\r\nversion=" + std::to_string(newest) + "\r\n");
        for (int v = 1; v <= count; ++v) WriteScript(v, Script(v));
    }
    void WriteScript(int version, const std::string& text) { m_folder.WriteFile(ScriptName(version), text); }
    static CString ScriptName(int version) {
        CString name;
        name.Format(L"Sql\\dbupdate%d.sql", version);
        return name;
    }
    // Runs statements on the database with a connection of its own.
    void Prepare(const CString& sql) {
        CDatabaseConnection db(m_folder.DatabasePath());
        CScratchSql(&db).Execute(sql, true);
    }
    std::vector<CString> Column(const CString& sql) {
        CDatabaseConnection db(m_folder.DatabasePath());
        std::vector<CString> values;
        if (auto rows = CScratchSql(&db).Query(sql))
            for (const CStringArray& row : *rows) values.push_back(row[0]);
        return values;
    }
    bool Upgrade() { return CUpgradeHelper().UpgradeDatabase(m_folder.Path()); }
    std::string DatabaseBytes() { return m_folder.ReadFile(L"zemo.db3"); }
    bool NoLeftovers() { return !m_folder.Exists(L"zemo.db3.backup") && !m_folder.Exists(L"zemo.db3-journal"); }

    CTempProgramFolder m_folder;
};

using Texts = std::vector<CString>;

TEST_F(UpgradeHelperTest, FromVersionTwoToFourRunsScriptsThreeAndFourInOrder) {
    SetScripts(4, 4);
    Prepare(L"CREATE TABLE DBVersion(Version INTEGER); INSERT INTO DBVersion VALUES(2);");
    ASSERT_TRUE(Upgrade());
    EXPECT_EQ((Texts{L"3", L"4"}), Column(L"SELECT Step FROM Log ORDER BY rowid;"));
    EXPECT_EQ((Texts{L"4"}), Column(L"SELECT Version FROM DBVersion;"));
    EXPECT_TRUE(NoLeftovers());

    // Up to date: nothing runs and no backup is made.
    std::string before = DatabaseBytes();
    ASSERT_TRUE(Upgrade());
    EXPECT_EQ(before, DatabaseBytes());
    EXPECT_TRUE(NoLeftovers());
}

TEST_F(UpgradeHelperTest, AMissingOrEmptyVersionTableCountsAsVersionZero) {
    SetScripts(3, 3);
    ASSERT_TRUE(Upgrade());
    EXPECT_EQ((Texts{L"1", L"2", L"3"}), Column(L"SELECT Step FROM Log ORDER BY rowid;"));

    Prepare(L"DELETE FROM DBVersion; DELETE FROM Log;");
    ASSERT_TRUE(Upgrade());
    EXPECT_EQ((Texts{L"1", L"2", L"3"}), Column(L"SELECT Step FROM Log ORDER BY rowid;"));
}

TEST_F(UpgradeHelperTest, APercentSignInAScriptIsDataAndAByteOrderMarkIsSkipped) {
    SetScripts(1, 0);
    WriteScript(1, "\xEF\xBB\xBF" + Script(1, "INSERT INTO Log VALUES(10, '100% %s %d %%');\n"));
    ASSERT_TRUE(Upgrade());
    EXPECT_EQ((Texts{L"100% %s %d %%"}), Column(L"SELECT Note FROM Log WHERE Step = 10;"));
}

struct FailureCase {
    const char* name;
    std::string script4;      // empty: the script is missing
    bool unreadable = false;  // a folder stands where script 4 should be
};

class UpgradeFailureTest : public UpgradeHelperTest, public ::testing::WithParamInterface<FailureCase> {};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

TEST_P(UpgradeFailureTest, LeavesTheDatabaseByteForByteAsBefore) {
    SetScripts(4, 3);
    if (!GetParam().script4.empty()) WriteScript(4, GetParam().script4);
    if (GetParam().unreadable) ASSERT_TRUE(CreateDirectoryW(m_folder.File(ScriptName(4)), nullptr));
    Prepare(
        L"CREATE TABLE DBVersion(Version INTEGER); INSERT INTO DBVersion VALUES(2);"
        L"CREATE TABLE Keep(a); INSERT INTO Keep VALUES('data');");
    const std::string before = DatabaseBytes();
    ASSERT_FALSE(before.empty());

    EXPECT_FALSE(Upgrade());
    EXPECT_EQ(before, DatabaseBytes());
    EXPECT_TRUE(NoLeftovers());
    EXPECT_EQ((Texts{L"data"}), Column(L"SELECT a FROM Keep;"));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UpgradeFailureTest,
    ::testing::Values(FailureCase{"FailingHalfway",
                                  "INSERT INTO Keep VALUES('half');\nINSERT INTO Nowhere VALUES(1);\n"},
                      FailureCase{"FailingInsideItsTransaction",
                                  "BEGIN; INSERT INTO Keep VALUES('half'); DROP TABLE Nowhere; COMMIT;"},
                      FailureCase{"Missing", ""}, FailureCase{"Unreadable", "", true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(UpgradeHelperTest, WithoutTheConfigurationThereIsNothingToDo) {
    SetScripts(1, 1);
    DeleteFileW(m_folder.File(L"DbUpdateConfig.ini"));
    Prepare(L"CREATE TABLE Keep(a);");
    const std::string before = DatabaseBytes();
    EXPECT_TRUE(Upgrade());
    EXPECT_EQ(before, DatabaseBytes());
    EXPECT_TRUE(NoLeftovers());
}

// Users install the player under folders with Chinese names.
TEST_F(UpgradeHelperTest, WorksInAProgramFolderWithChineseCharacters) {
    const CString sub = L"视频 播放器\\";
    const CString folder = m_folder.File(sub);
    m_folder.WriteFile(sub + L"DbUpdateConfig.ini", "[NewestVersion]\r\nversion=2\r\n");
    for (int v = 1; v <= 2; ++v) m_folder.WriteFile(sub + ScriptName(v), Script(v));
    ASSERT_TRUE(CUpgradeHelper().UpgradeDatabase(folder));
    EXPECT_FALSE(m_folder.Exists(sub + L"zemo.db3.backup"));
    const std::string before = m_folder.ReadFile(sub + L"zemo.db3");
    {
        CDatabaseConnection db(folder + L"zemo.db3");
        ASSERT_TRUE(db.IsOpen());
        auto rows = CScratchSql(&db).Query(L"SELECT Version FROM DBVersion;");
        ASSERT_TRUE(rows);
        EXPECT_STREQ(L"2", (*rows)[0][0]);
    }

    m_folder.WriteFile(sub + L"DbUpdateConfig.ini", "[NewestVersion]\r\nversion=3\r\n");
    m_folder.WriteFile(sub + ScriptName(3), "INSERT INTO Log(Step) VALUES(3);\nINSERT INTO Nowhere VALUES(1);\n");
    EXPECT_FALSE(CUpgradeHelper().UpgradeDatabase(folder));
    EXPECT_EQ(before, m_folder.ReadFile(sub + L"zemo.db3"));
    EXPECT_FALSE(m_folder.Exists(sub + L"zemo.db3.backup"));
}

TEST_F(UpgradeHelperTest, ADatabaseThatCannotBeOpenedFails) {
    SetScripts(1, 1);
    ASSERT_TRUE(CreateDirectoryW(m_folder.DatabasePath(), nullptr));
    EXPECT_FALSE(Upgrade());
    EXPECT_TRUE(NoLeftovers());
}

TEST_F(UpgradeHelperTest, ARefusedRestoreFailsAndKeepsTheBackup) {
    SetScripts(2, 1);
    WriteScript(2, "INSERT INTO Nowhere VALUES(1);");
    Prepare(L"CREATE TABLE Keep(a); INSERT INTO Keep VALUES('data');");
    const std::string before = DatabaseBytes();
    // An open handle that does not share deletion keeps the database file from being replaced.
    HANDLE holder = CreateFileW(m_folder.DatabasePath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(Upgrade());
    CloseHandle(holder);
    EXPECT_EQ(before, m_folder.ReadFile(L"zemo.db3.backup"));
}

// The scripts shipped with the player make the schema the table classes use.
TEST(ShippedScriptsTest, MakeEveryTableOfTheLocalDatabase) {
    CTempProgramFolder folder;
    ASSERT_TRUE(CUpgradeHelper().UpgradeDatabase(folder.Path()));
    CDatabaseConnection db(folder.DatabasePath());
    CScratchSql sql(&db);
    auto tables = sql.Query(L"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name;");
    ASSERT_TRUE(tables);
    Texts names;
    for (const CStringArray& row : *tables) names.push_back(row[0]);
    EXPECT_EQ((Texts{L"AllConfig", L"DBVersion", L"DownloadRecord", L"User", L"UserConfig", L"UserPlayRecord"}), names);

    auto version = sql.Query(L"SELECT Version FROM DBVersion;");
    ASSERT_TRUE(version);
    ASSERT_EQ(1u, version->size());
    EXPECT_EQ((int)GetPrivateProfileIntW(L"NewestVersion", L"version", 0, folder.File(L"DbUpdateConfig.ini")),
              _wtoi((*version)[0][0]));
    EXPECT_FALSE(folder.Exists(L"zemo.db3.backup"));
}

}  // namespace
