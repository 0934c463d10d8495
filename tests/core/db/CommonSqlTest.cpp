#include <gtest/gtest.h>

#include "db/CommonSql.h"
#include "db/ZemoException.h"
#include "fixtures/DebugOutputLog.h"
#include "fixtures/ProgramFolder.h"

namespace {

// A bare table class over a scratch table.
class CScratchSql : public CCommonSql {
public:
    using CCommonSql::CCommonSql;
};

class CommonSqlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.IsOpen());
        m_sql.Execute(L"CREATE TABLE t(a TEXT, n INTEGER);", true);
    }
    CTempProgramFolder m_folder;
    CDatabaseConnection m_db{m_folder.DatabasePath()};
    CScratchSql m_sql{&m_db};
};

struct QuoteCase {
    const wchar_t* value;
    const wchar_t* quoted;
};

TEST_F(CommonSqlTest, QuotedValuesReachTheDatabaseUnchanged) {
    const QuoteCase cases[] = {
        {L"", L""},
        {L"plain", L"plain"},
        {L"it's", L"it''s"},
        {L"100%", L"100%%"},
        {L"%s%d%n", L"%%s%%d%%n"},
        {L"'%'%%''", L"''%%''%%%%''''"},
        {L"D:\\视频\\第1集.xof", L"D:\\视频\\第1集.xof"},
    };
    for (const QuoteCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "value #" << (&c - cases));
        EXPECT_STREQ(c.quoted, CCommonSql::Quote(c.value));
        m_sql.Execute(L"DELETE FROM t;", true);
        m_sql.Execute(L"INSERT INTO t VALUES('" + CCommonSql::Quote(c.value) + L"', 1);", true);
        auto rows = m_sql.Query(L"SELECT a FROM t WHERE a = '" + CCommonSql::Quote(c.value) + L"';");
        ASSERT_TRUE(rows);
        ASSERT_EQ(1u, rows->size());
        EXPECT_STREQ(c.value, (*rows)[0][0]);
    }
}

TEST_F(CommonSqlTest, QueryReturnsRowsOfTextsAndNullWithoutRows) {
    EXPECT_EQ(nullptr, m_sql.Query(L"SELECT a, n FROM t;"));
    m_sql.Execute(L"INSERT INTO t VALUES('x', 2); INSERT INTO t VALUES(NULL, 10);", true);
    auto rows = m_sql.Query(L"SELECT a, n FROM t ORDER BY n;");
    ASSERT_TRUE(rows);
    ASSERT_EQ(2u, rows->size());
    EXPECT_STREQ(L"x", (*rows)[0][0]);
    EXPECT_STREQ(L"2", (*rows)[0][1]);
    EXPECT_STREQ(L"", (*rows)[1][0]);  // NULL reads as an empty text
    EXPECT_STREQ(L"10", (*rows)[1][1]);
    EXPECT_EQ(nullptr, m_sql.Query(L"SELECT a FROM t WHERE n = 99;"));
    EXPECT_EQ(nullptr, m_sql.Query(L"SELECT nothing FROM nowhere;"));
}

TEST_F(CommonSqlTest, FailuresAreSilentUnlessThrowingIsAsked) {
    EXPECT_NO_THROW(m_sql.Execute(L"INSERT INTO nowhere VALUES(1);", false));
    try {
        m_sql.Execute(L"INSERT INTO nowhere VALUES(1);", true);
        FAIL() << "no exception";
    } catch (const CZemoException& e) {
        EXPECT_STREQ(L"执行数据库操作失败！", e.GetErrorText());
    }
}

TEST_F(CommonSqlTest, AFailedStatementInAWrappedTransactionLeavesNoTransactionOpen) {
    m_sql.Execute(CCommonSql::WrapTransaction(L"INSERT INTO t VALUES('lost', 1);INSERT INTO nowhere VALUES(1);"),
                  false);
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_EQ(nullptr, m_sql.Query(L"SELECT a FROM t;"));

    // A later save is kept, also by another connection.
    m_sql.Execute(CCommonSql::WrapTransaction(L"INSERT INTO t VALUES('kept', 2);"), false);
    CDatabaseConnection other(m_folder.DatabasePath());
    auto rows = CScratchSql(&other).Query(L"SELECT a FROM t;");
    ASSERT_TRUE(rows);
    EXPECT_STREQ(L"kept", (*rows)[0][0]);
}

TEST_F(CommonSqlTest, WrapTransactionConcatenates) {
    EXPECT_STREQ(L"Begin Transaction;DELETE FROM t;Commit Transaction;",
                 CCommonSql::WrapTransaction(L"DELETE FROM t;"));
}

TEST_F(CommonSqlTest, EveryStatementIsWrittenToTheDebuggerOutputBeforeItRuns) {
    CDebugOutputLog log;
    m_sql.Query(L"SELECT a FROM t;");
    m_sql.Execute(L"INSERT INTO nowhere VALUES(1);", false);
    ASSERT_EQ(2u, log.lines.size());
    EXPECT_STREQ(L"SELECT a FROM t;", log.lines[0]);
    EXPECT_STREQ(L"INSERT INTO nowhere VALUES(1);", log.lines[1]);
}

TEST(CommonSqlClosedTest, AClosedDatabaseReadsAndWritesNothing) {
    CDatabaseConnection db(L"Z:\\no\\such\\folder\\zemo.db3");
    ASSERT_FALSE(db.IsOpen());
    CScratchSql sql(&db);
    CDebugOutputLog log;
    EXPECT_EQ(nullptr, sql.Query(L"SELECT 1;"));
    EXPECT_NO_THROW(sql.Execute(L"CREATE TABLE t(a);", true));
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
