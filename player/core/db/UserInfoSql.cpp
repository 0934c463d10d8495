#include "db/UserInfoSql.h"

std::unique_ptr<SqlRows> CUserInfoSql::Select(const CStringArray*) {
    return Query(L"Select Username, Nickname, Password, RemindPwd, IsLast, VerifyCode from User order by IsLast;");
}

void CUserInfoSql::Save(const CStringArray* account) {
    if (!account || account->GetSize() < 5) return;
    CString insert;
    insert.Format(
        L"Insert Or Replace Into User ( Username, Nickname, Password, RemindPwd, IsLast, VerifyCode) values "
        L"\t\t\t\t  ('%s', '%s', '%s', '%s', '%d', '%s');",
        (LPCWSTR)Quote((*account)[0]), (LPCWSTR)Quote((*account)[1]), (LPCWSTR)Quote((*account)[2]),
        (LPCWSTR)Quote((*account)[3]), 1, (LPCWSTR)Quote((*account)[4]));
    Execute(L"Update User Set IsLast = 0;" + insert, false);
}

CString CUserInfoSql::SelectLastUser() {
    std::unique_ptr<SqlRows> rows = Query(L"SELECT UserName FROM User WHERE IsLast = 1;");
    return rows && !rows->front().IsEmpty() ? rows->front()[0] : CString();
}
