// The open local database behind the table classes.
#pragma once

#include <afx.h>

#include "CppSQLite3.h"

class CDatabaseConnection : public CppSQLite3DB {
public:
    // Opens the file at once; a failure leaves the connection closed, unreported.
    explicit CDatabaseConnection(const CString& path);

    bool Open();
    bool IsOpen() const { return IsOpened(); }
    const CString& GetPath() const { return m_strPath; }

private:
    CString m_strPath;
};
