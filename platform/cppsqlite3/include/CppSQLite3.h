// A small connection class over the SQLite 3 C API: printf-style commands, several
// statements in one call, and the rows of the last statement read one at a time.
// Errors are thrown as CppSQLite3Exception. Text is UTF-8 throughout.
#pragma once

#include <string>

struct sqlite3;
struct sqlite3_stmt;

class CppSQLite3Exception {
public:
    CppSQLite3Exception(int code, std::string message) : m_nCode(code), m_strMessage(std::move(message)) {}

    int ErrorCode() const { return m_nCode; }
    const char* ErrorMessage() const { return m_strMessage.c_str(); }

private:
    int m_nCode;
    std::string m_strMessage;
};

class CppSQLite3DB {
public:
    CppSQLite3DB() = default;
    virtual ~CppSQLite3DB();
    CppSQLite3DB(const CppSQLite3DB&) = delete;
    CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;

    // Opens or creates the database file at a UTF-8 path, closing an open one first.
    // False for a null path; throws when the engine refuses the file.
    bool Open(const char* path);
    // Drops a pending result and closes the file; nothing when not open.
    void Close();
    bool IsOpened() const { return m_pDb != nullptr; }

    // Formats the text printf-style ("%%" gives "%") and runs every statement in it.
    // The rows of the last statement stay pending for More/NumFields/Get.
    // Returns the number of rows the call changed; throws on an SQL error.
    int Cmd(const char* format, ...);
    // Steps to the next row of the pending result; false when there is none.
    bool More();
    // Number of columns of the pending result (0 without one).
    int NumFields() const;
    // Text of a column of the current row; the default for NULL or a column out of range.
    const char* Get(int column, const char* defaultText) const;
    void ClearResult();

    // True while an explicit transaction is open on the connection.
    bool InTransaction() const;

private:
    [[noreturn]] void Throw(int code) const;
    void RunStatements(const char* sql);

    sqlite3* m_pDb = nullptr;
    sqlite3_stmt* m_pStmt = nullptr;  // pending result
    bool m_bRowReady = false;         // the pending statement's first row is fetched but not yet read
    bool m_bOnRow = false;            // Get reads a row
};
