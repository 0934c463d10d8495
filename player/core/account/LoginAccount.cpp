#include "account/LoginAccount.h"

void LOGIN_ACCOUNT::ClearSession() {
    Uid.Empty();
    Sid.Empty();
    NickName.Empty();
    Points = 0;
    Gold = 0;
    if (!RemindPwd) Password.Empty();
}
