#include <gtest/gtest.h>

#include "account/LoginAccount.h"

namespace {

LOGIN_ACCOUNT FullAccount(bool remind) {
    LOGIN_ACCOUNT a;
    a.UserName = L"tom";
    a.Uid = L"1001";
    a.Sid = L"S1";
    a.NickName = L"Tommy";
    a.Password = L"ticket";
    a.VerifyCode = L"v";
    a.AvatarUrl = L"http://a/p";
    a.Points = 12;
    a.Gold = 5;
    a.RemindPwd = remind;
    a.IsLast = true;
    return a;
}

TEST(LoginAccountTest, ClearSessionKeepsTheNameAndTheRememberedSecret) {
    for (bool remind : {true, false}) {
        LOGIN_ACCOUNT a = FullAccount(remind);
        a.ClearSession();
        EXPECT_STREQ(L"tom", a.UserName);
        EXPECT_STREQ(L"", a.Uid);
        EXPECT_STREQ(L"", a.Sid);
        EXPECT_STREQ(L"", a.NickName);
        EXPECT_EQ(0, a.Points);
        EXPECT_EQ(0, a.Gold);
        EXPECT_STREQ(remind ? L"ticket" : L"", a.Password);
        EXPECT_STREQ(L"v", a.VerifyCode);
        EXPECT_STREQ(L"http://a/p", a.AvatarUrl);
        EXPECT_EQ(remind, a.RemindPwd);
        EXPECT_TRUE(a.IsLast);
    }
}

TEST(LoginAccountTest, CopyTakesEveryFieldAndResetGivesANewRecord) {
    LOGIN_ACCOUNT a;
    a.Copy(FullAccount(true));
    EXPECT_STREQ(L"Tommy", a.NickName);
    EXPECT_STREQ(L"tom", a.GetUserName());
    EXPECT_EQ(5, a.Gold);
    EXPECT_TRUE(a.RemindPwd);
    a.Reset();
    EXPECT_STREQ(L"", a.UserName);
    EXPECT_STREQ(L"", a.Password);
    EXPECT_STREQ(L"", a.AvatarUrl);
    EXPECT_EQ(0, a.Points);
    EXPECT_FALSE(a.RemindPwd);
    EXPECT_FALSE(a.IsLast);
}

}  // namespace
