// The layer every table class stands on: queries into rows of texts, statements that
// fail silently (or throw CZemoException when asked), quoting and transactions.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

class CDatabaseConnection;

// Rows of a query, one text per column.
using SqlRows = std::vector<CStringArray>;

// A table class.
class ICommonSql {
public:
    virtual ~ICommonSql() = default;
    // The table's rows for the arguments (may be null); null when there are none.
    virtual std::unique_ptr<SqlRows> Select(const CStringArray* args) = 0;
    virtual void Save(const CStringArray* args) = 0;
};

class CCommonSql {
public:
    explicit CCommonSql(CDatabaseConnection* database) : m_pDatabase(database) {}
    virtual ~CCommonSql() = default;
    CCommonSql(const CCommonSql&) = delete;
    CCommonSql& operator=(const CCommonSql&) = delete;

    // Rows read before a failure are kept; null when there are none or the database is closed.
    std::unique_ptr<SqlRows> Query(const CString& sql);
    // True when the last query could not read its table to the end (or the database is closed).
    bool LastQueryFailed() const { return m_bLastQueryFailed; }
    // A failed statement rolls back the transaction it leaves open, then throws
    // CZemoException when asked to and is silent otherwise.
    void Execute(const CString& sql, bool throwOnError);

    // Makes a value safe inside '...' of a statement that goes through the printf-style command.
    static CString Quote(const CString& text);
    static CString WrapTransaction(const CString& sql);

protected:
    // A non-null array of name/value pairs with at least one pair.
    static bool IsPairList(const CStringArray* pairs);
    // head + "(" names joined by "," + ") VALUES(" quoted values joined by "," + ");"
    static CString InsertStatement(LPCWSTR head, const CStringArray& pairs);

    CDatabaseConnection* m_pDatabase;  // not owned
    bool m_bLastQueryFailed = false;
};
