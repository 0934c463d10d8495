// Table User: the remembered accounts; the last one signed in has IsLast 1.
#pragma once

#include "db/CommonSql.h"

class CUserInfoSql : public ICommonSql, public CCommonSql {
public:
    using CCommonSql::CCommonSql;

    // Rows: Username, Nickname, Password, RemindPwd, IsLast, VerifyCode.
    std::unique_ptr<SqlRows> Select(const CStringArray* args) override;
    // [0] Username, [1] Nickname, [2] Password, [3] RemindPwd, [4] VerifyCode; the
    // account becomes the only one with IsLast 1.
    void Save(const CStringArray* account) override;
    // The user name with IsLast 1; empty when there is none.
    CString SelectLastUser();
};
