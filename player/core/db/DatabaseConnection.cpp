#include "db/DatabaseConnection.h"

#include <string>

#include "common/CommonHelpers.h"

CDatabaseConnection::CDatabaseConnection(const CString& path) : m_strPath(path) { Open(); }

bool CDatabaseConnection::Open() {
    std::string utf8;
    try {
        return WideToUtf8(m_strPath, true, utf8) && CppSQLite3DB::Open(utf8.c_str());
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}
