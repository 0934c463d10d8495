#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CppSQLite3.h"

namespace fs = std::filesystem;

namespace {

// A database file in a fresh folder of its own, removed afterwards.
class CppSQLite3Test : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("cppsqlite3-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        ASSERT_TRUE(m_db.Open(PathOf("test.db3").c_str()));
    }
    void TearDown() override {
        m_db.Close();
        fs::remove_all(m_folder);
    }
    std::string PathOf(const std::string& utf8Name) const { return (m_folder / fs::u8path(utf8Name)).u8string(); }
    // Every pending row as column texts, NULL read as "<null>".
    std::vector<std::vector<std::string>> ReadRows() {
        std::vector<std::vector<std::string>> rows;
        while (m_db.More()) {
            std::vector<std::string> row;
            for (int i = 0; i < m_db.NumFields(); ++i) row.push_back(m_db.Get(i, "<null>"));
            rows.push_back(row);
        }
        return rows;
    }

    fs::path m_folder;
    CppSQLite3DB m_db;
};

using Rows = std::vector<std::vector<std::string>>;

TEST_F(CppSQLite3Test, CmdFormatsPrintfStyleAndDoubledPercentGivesOne) {
    EXPECT_EQ(0, m_db.Cmd("CREATE TABLE t(a, b, c);"));
    EXPECT_EQ(1, m_db.Cmd("INSERT INTO t VALUES('%s', %d, '100%%');", "a b", 42));
    m_db.Cmd("SELECT a, b, c FROM t;");
    EXPECT_EQ((Rows{{"a b", "42", "100%"}}), ReadRows());
}

TEST_F(CppSQLite3Test, SeveralStatementsRunInOneCallAndTheLastOnesRowsWait) {
    EXPECT_EQ(2, m_db.Cmd("CREATE TABLE t(a INTEGER, b TEXT);\n"
                          "-- two rows\n"
                          "INSERT INTO t VALUES(2, NULL); /* and */ INSERT INTO t VALUES(1, 'x');\n"
                          "SELECT a, b FROM t ORDER BY a;\n"));
    EXPECT_EQ(2, m_db.NumFields());
    ASSERT_TRUE(m_db.More());
    EXPECT_STREQ("1", m_db.Get(0, ""));
    EXPECT_STREQ("x", m_db.Get(1, ""));
    EXPECT_STREQ("none", m_db.Get(2, "none"));
    EXPECT_STREQ("none", m_db.Get(-1, "none"));
    ASSERT_TRUE(m_db.More());
    EXPECT_STREQ("2", m_db.Get(0, ""));
    EXPECT_STREQ("dflt", m_db.Get(1, "dflt"));
    EXPECT_FALSE(m_db.More());
    EXPECT_FALSE(m_db.More());
}

TEST_F(CppSQLite3Test, AQueryFollowedByMoreStatementsLeavesNoRowsPending) {
    m_db.Cmd("CREATE TABLE t(a); SELECT 1; INSERT INTO t VALUES(5);");
    EXPECT_FALSE(m_db.More());
    m_db.Cmd("SELECT a FROM t");
    EXPECT_EQ((Rows{{"5"}}), ReadRows());
}

TEST_F(CppSQLite3Test, ClearResultAndANewCmdDropThePendingRows) {
    m_db.Cmd("CREATE TABLE t(a); INSERT INTO t VALUES(1); INSERT INTO t VALUES(2);");
    m_db.Cmd("SELECT a FROM t;");
    m_db.ClearResult();
    EXPECT_EQ(0, m_db.NumFields());
    EXPECT_FALSE(m_db.More());
    EXPECT_STREQ("d", m_db.Get(0, "d"));

    m_db.Cmd("SELECT a FROM t ORDER BY a;");
    ASSERT_TRUE(m_db.More());
    m_db.Cmd("SELECT a * 10 FROM t ORDER BY a;");
    EXPECT_EQ((Rows{{"10"}, {"20"}}), ReadRows());
}

TEST_F(CppSQLite3Test, Utf8TextAndPathsRoundTrip) {
    const std::string name = "\xE6\x92\xAD\xE6\x94\xBE.db3";                        // 播放.db3
    const std::string text = "\xE8\xA7\x86\xE9\xA2\x91 \xC3\xA9 \xF0\x9F\x8E\xAC";  // 视频 é 🎬
    CppSQLite3DB db;
    ASSERT_TRUE(db.Open(PathOf(name).c_str()));
    db.Cmd("CREATE TABLE t(a); INSERT INTO t VALUES('%s');", text.c_str());
    db.Close();
    EXPECT_TRUE(fs::exists(m_folder / fs::u8path(name)));

    ASSERT_TRUE(db.Open(PathOf(name).c_str()));
    db.Cmd("SELECT a, length(a) FROM t;");
    ASSERT_TRUE(db.More());
    EXPECT_EQ(text, db.Get(0, ""));
    EXPECT_STREQ("6", db.Get(1, ""));  // characters, not bytes
}

TEST_F(CppSQLite3Test, CloseWithAPendingResultClosesTheFile) {
    m_db.Cmd("CREATE TABLE t(a); INSERT INTO t VALUES(1); INSERT INTO t VALUES(2);");
    m_db.Cmd("SELECT a FROM t;");
    ASSERT_TRUE(m_db.More());
    m_db.Close();
    EXPECT_FALSE(m_db.IsOpened());
    EXPECT_FALSE(m_db.More());
    // Closed for real: the file can be removed and a new one made in its place.
    fs::remove(PathOf("test.db3"));
    ASSERT_TRUE(m_db.Open(PathOf("test.db3").c_str()));
    EXPECT_THROW(m_db.Cmd("SELECT a FROM t;"), CppSQLite3Exception);
}

TEST_F(CppSQLite3Test, ErrorsThrowWithTheEnginesMessage) {
    try {
        m_db.Cmd("SELEKT 1;");
        FAIL() << "no exception";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_NE(0, e.ErrorCode());
        EXPECT_NE(std::string::npos, std::string(e.ErrorMessage()).find("syntax error"));
    }
    m_db.Cmd("CREATE TABLE t(a PRIMARY KEY);");
    EXPECT_THROW(m_db.Cmd("INSERT INTO t VALUES(1); INSERT INTO t VALUES(1);"), CppSQLite3Exception);
    // Statements before the failing one stay done; an explicit transaction stays open.
    m_db.Cmd("SELECT count(*) FROM t;");
    EXPECT_EQ((Rows{{"1"}}), ReadRows());
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_THROW(m_db.Cmd("BEGIN; INSERT INTO t VALUES(2); INSERT INTO t VALUES(2);"), CppSQLite3Exception);
    EXPECT_TRUE(m_db.InTransaction());
    m_db.Cmd("ROLLBACK;");
    EXPECT_FALSE(m_db.InTransaction());
}

TEST_F(CppSQLite3Test, OpeningFailsCleanly) {
    CppSQLite3DB db;
    EXPECT_FALSE(db.Open(nullptr));
    EXPECT_THROW(db.Cmd("SELECT 1;"), CppSQLite3Exception);
    EXPECT_THROW(db.Open(m_folder.u8string().c_str()), CppSQLite3Exception);  // a folder
    EXPECT_FALSE(db.IsOpened());
    EXPECT_FALSE(db.More());
    EXPECT_FALSE(db.InTransaction());
}

}  // namespace
