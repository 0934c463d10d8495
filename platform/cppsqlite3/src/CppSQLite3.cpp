#include "CppSQLite3.h"

#include <sqlite3.h>

#include <stdarg.h>
#include <string.h>

#include <memory>

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

struct TextDeleter {
    void operator()(char* text) const { sqlite3_free(text); }
};

// Skips white space, comments and empty statements: what remains is a further statement.
const char* SkipBlanks(const char* sql) {
    for (;;) {
        while (*sql == ' ' || *sql == '\t' || *sql == '\r' || *sql == '\n' || *sql == '\f' || *sql == ';') ++sql;
        if (sql[0] == '-' && sql[1] == '-') {
            while (*sql && *sql != '\n') ++sql;
        } else if (sql[0] == '/' && sql[1] == '*') {
            const char* end = strstr(sql + 2, "*/");
            sql = end ? end + 2 : sql + strlen(sql);
        } else {
            return sql;
        }
    }
}

}  // namespace

CppSQLite3DB::~CppSQLite3DB() { Close(); }

void CppSQLite3DB::Throw(int code) const {
    throw CppSQLite3Exception(code, m_pDb ? sqlite3_errmsg(m_pDb) : sqlite3_errstr(code));
}

bool CppSQLite3DB::Open(const char* path) {
    Close();
    if (!path) return false;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        CppSQLite3Exception error(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw error;
    }
    m_pDb = db;
    return true;
}

void CppSQLite3DB::Close() {
    ClearResult();
    if (m_pDb) {
        sqlite3_close(m_pDb);
        m_pDb = nullptr;
    }
}

int CppSQLite3DB::Cmd(const char* format, ...) {
    if (!m_pDb) throw CppSQLite3Exception(SQLITE_MISUSE, "the database is not open");
    ClearResult();
    va_list args;
    va_start(args, format);
    std::unique_ptr<char, TextDeleter> sql(sqlite3_vmprintf(format, args));
    va_end(args);
    if (!sql) throw CppSQLite3Exception(SQLITE_NOMEM, sqlite3_errstr(SQLITE_NOMEM));
    int before = sqlite3_total_changes(m_pDb);
    RunStatements(sql.get());
    return sqlite3_total_changes(m_pDb) - before;
}

void CppSQLite3DB::RunStatements(const char* sql) {
    for (const char* tail = SkipBlanks(sql); *tail; tail = SkipBlanks(tail)) {
        sqlite3_stmt* prepared = nullptr;
        int rc = sqlite3_prepare_v2(m_pDb, tail, -1, &prepared, &tail);
        Statement statement(prepared);
        if (rc != SQLITE_OK) Throw(rc);
        if (!statement) continue;
        rc = sqlite3_step(statement.get());
        if (rc == SQLITE_ROW && !*SkipBlanks(tail)) {
            // The last statement's rows wait for More.
            m_pStmt = statement.release();
            m_bRowReady = true;
            return;
        }
        while (rc == SQLITE_ROW) rc = sqlite3_step(statement.get());
        if (rc != SQLITE_DONE) Throw(rc);
    }
}

bool CppSQLite3DB::More() {
    if (!m_pStmt) return false;
    if (m_bRowReady) {
        m_bRowReady = false;
        m_bOnRow = true;
        return true;
    }
    int rc = sqlite3_step(m_pStmt);
    if (rc == SQLITE_ROW) return true;
    std::string message = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(m_pDb);
    // Stepping on after the end would start the query again.
    ClearResult();
    if (rc != SQLITE_DONE) throw CppSQLite3Exception(rc, message);
    return false;
}

int CppSQLite3DB::NumFields() const { return m_pStmt ? sqlite3_column_count(m_pStmt) : 0; }

const char* CppSQLite3DB::Get(int column, const char* defaultText) const {
    if (!m_bOnRow || column < 0 || column >= NumFields() || sqlite3_column_type(m_pStmt, column) == SQLITE_NULL)
        return defaultText;
    const unsigned char* text = sqlite3_column_text(m_pStmt, column);
    return text ? (const char*)text : defaultText;
}

void CppSQLite3DB::ClearResult() {
    if (m_pStmt) sqlite3_finalize(m_pStmt);
    m_pStmt = nullptr;
    m_bRowReady = false;
    m_bOnRow = false;
}

bool CppSQLite3DB::InTransaction() const { return m_pDb && sqlite3_get_autocommit(m_pDb) == 0; }
