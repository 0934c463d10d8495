#include "db/CommonSql.h"

#include <string>

#include "common/CommonHelpers.h"
#include "db/DatabaseConnection.h"
#include "db/ZemoException.h"

namespace {

void RollBackOpenTransaction(CDatabaseConnection& database) {
    if (!database.InTransaction()) return;
    try {
        database.Cmd("ROLLBACK;");
    } catch (const CppSQLite3Exception&) {
        // The engine has already ended the transaction.
    }
}

}  // namespace

std::unique_ptr<SqlRows> CCommonSql::Query(const CString& sql) {
    m_bLastQueryFailed = true;
    if (!m_pDatabase || !m_pDatabase->IsOpen()) return nullptr;
    OutputDebugStringW(sql);
    auto rows = std::make_unique<SqlRows>();
    std::string utf8;
    try {
        WideToUtf8(sql, true, utf8);
        m_pDatabase->Cmd(utf8.c_str());
        while (m_pDatabase->More()) {
            CStringArray row;
            int columns = m_pDatabase->NumFields();
            for (int i = 0; i < columns; ++i) row.Add(Utf8ToWide(m_pDatabase->Get(i, "")));
            rows->push_back(std::move(row));
        }
        m_bLastQueryFailed = false;
    } catch (...) {
        // A failing query yields the rows read so far.
    }
    m_pDatabase->ClearResult();
    if (rows->empty()) return nullptr;
    return rows;
}

void CCommonSql::Execute(const CString& sql, bool throwOnError) {
    if (!m_pDatabase || !m_pDatabase->IsOpen()) return;
    OutputDebugStringW(sql);
    std::string utf8;
    try {
        WideToUtf8(sql, true, utf8);
        m_pDatabase->Cmd(utf8.c_str());
        m_pDatabase->ClearResult();
    } catch (...) {
        m_pDatabase->ClearResult();
        // Left open, the transaction would swallow every later statement of the connection.
        RollBackOpenTransaction(*m_pDatabase);
        if (throwOnError) throw CZemoException(L"执行数据库操作失败！");
    }
}

CString CCommonSql::Quote(const CString& text) {
    CString quoted(text);
    quoted.Replace(L"%", L"%%");
    quoted.Replace(L"'", L"''");
    return quoted;
}

CString CCommonSql::WrapTransaction(const CString& sql) { return L"Begin Transaction;" + sql + L"Commit Transaction;"; }

bool CCommonSql::IsPairList(const CStringArray* pairs) {
    return pairs && !pairs->IsEmpty() && pairs->GetSize() % 2 == 0;
}

CString CCommonSql::InsertStatement(LPCWSTR head, const CStringArray& pairs) {
    CString names, values;
    for (INT_PTR i = 0; i + 1 < pairs.GetSize(); i += 2) {
        if (i > 0) {
            names += L",";
            values += L",";
        }
        names += pairs[i];
        values += L"'" + Quote(pairs[i + 1]) + L"'";
    }
    return CString(head) + L"(" + names + L") VALUES(" + values + L");";
}
