#include <gtest/gtest.h>

#include "account/AccountManager.h"
#include "account/OvraHelper.h"
#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/UserInfoSql.h"
#include "db/ZemoException.h"
#include "fixtures/ProgramFolder.h"
#include "services/AccountWebService.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ServiceConfigFile.h"

namespace {

CString Wide(const std::string& utf8) { return Utf8ToWide(utf8.c_str()); }

// A signed-out player against the loopback services, with the table User of an
// upgraded database.
class AccountManagerTest : public testing::Test {
protected:
    AccountManagerTest() : m_config(m_service.ConfigText()), m_users(m_database.db.get()) {
        m_service.AddAccount("tom", {"secret", "1001", "Tommy", "12.9", 35});
        m_service.AddAccount("ann", {"pw", "1002", "Ann", "3", 1});
        CUserConfig::GetInstance().GetAllConfig().AutoLogin = false;
        m_ovra.Startup();
        m_manager = std::make_unique<CAccountManager>(m_users, m_ovra);
    }

    int PortNumber() const {
        std::string url = m_service.Url("/");
        return std::stoi(url.substr(url.rfind(':') + 1));
    }

    // The message of the CZemoException that the call throws; "(none)" when it throws nothing.
    template <typename Call>
    static CString ThrownMessage(Call call) {
        try {
            call();
        } catch (const CZemoException& e) {
            return e.GetErrorText();
        }
        return L"(none)";
    }

    // Rows of table User as stored.
    std::vector<CStringArray> StoredRows() {
        std::unique_ptr<SqlRows> rows = m_users.Select(nullptr);
        return rows ? *rows : std::vector<CStringArray>();
    }

    AccountWebService m_service;
    ServiceConfigFile m_config;
    UpgradedDatabase m_database;
    CUserInfoSql m_users;
    COvraHelper m_ovra;
    std::unique_ptr<CAccountManager> m_manager;
};

TEST_F(AccountManagerTest, PasswordSignInFetchesTheUserInformation) {
    EXPECT_EQ(nullptr, m_manager->GetCurrentAccount());
    m_manager->Login(L"tom", L"secret", false);
    LOGIN_ACCOUNT* account = m_manager->GetCurrentAccount();
    ASSERT_NE(nullptr, account);
    EXPECT_STREQ(L"tom", account->UserName);
    EXPECT_STREQ(L"1001", account->Uid);
    EXPECT_FALSE(account->Sid.IsEmpty());
    EXPECT_STREQ(L"Tommy", account->NickName);
    EXPECT_STREQ(L"secret", account->Password);
    EXPECT_STREQ(L"", account->VerifyCode);
    EXPECT_EQ(12, account->Points);
    EXPECT_EQ(35, account->Gold);
    CString avatar;
    avatar.Format(L"http://127.0.0.1:%d/center/show.php?uid=1001", PortNumber());
    EXPECT_STREQ(avatar, account->AvatarUrl);
    // The web pages were signed in with the session id; the gold call was signed right.
    ASSERT_EQ(1u, m_service.WebLoginSids().size());
    EXPECT_STREQ(account->Sid, Wide(m_service.WebLoginSids()[0]));
    ASSERT_EQ(1u, m_service.SignedCalls().size());
    EXPECT_TRUE(m_service.SignedCalls()[0].SignatureValid);
}

TEST_F(AccountManagerTest, NamesThatNeedEncodingReachTheUserServices) {
    m_service.AddAccount("\xe5\xb0\x8f\xe6\x98\x8e a&b=c", {"pw", "1003", "\xe5\xb0\x8f", "7", 2});
    m_manager->Login(L"\x5c0f\x660e a&b=c", L"pw", false);
    EXPECT_STREQ(L"\x5c0f", m_manager->GetCurrentAccount()->NickName);
    EXPECT_EQ(7, m_manager->GetCurrentAccount()->Points);
}

TEST_F(AccountManagerTest, RememberKeepsTheTicketAndSavesItEnciphered) {
    m_manager->Login(L"tom", L"secret", true);
    m_manager->SetRemindPwd(true);
    CString ticket = Wide(m_service.LastTicket());
    ASSERT_FALSE(ticket.IsEmpty());
    EXPECT_STREQ(ticket, m_manager->GetCurrentAccount()->Password);
    m_manager->SaveCurrentAccount();

    std::vector<CStringArray> rows = StoredRows();
    ASSERT_EQ(1u, rows.size());
    EXPECT_STREQ(L"tom", rows[0][0]);
    EXPECT_STREQ(L"Tommy", rows[0][1]);
    EXPECT_NE(ticket, rows[0][2]);
    EXPECT_EQ(0, rows[0][2].GetLength() % 16);
    EXPECT_STREQ(L"1", rows[0][3]);
    EXPECT_STREQ(L"", rows[0][5]);  // an empty verify code stays empty

    std::unique_ptr<AccountList> remembered = m_manager->LoadRememberedAccounts();
    ASSERT_TRUE(remembered);
    ASSERT_EQ(1u, remembered->size());
    EXPECT_STREQ(ticket, (*remembered)[0]->Password);
    EXPECT_TRUE((*remembered)[0]->RemindPwd);
    EXPECT_TRUE((*remembered)[0]->IsLast);

    // The automatic sign-in: the remembered ticket with its (empty) verify code.
    m_manager->TicketLogin(L"tom", (*remembered)[0]->Password, (*remembered)[0]->VerifyCode);
    EXPECT_STREQ(L"tom", m_manager->GetCurrentAccount()->UserName);
    EXPECT_STREQ(L"1001", m_manager->GetCurrentAccount()->Uid);
    EXPECT_STREQ(ticket, m_manager->GetCurrentAccount()->Password);
    EXPECT_STREQ(L"Tommy", m_manager->GetCurrentAccount()->NickName);
}

TEST_F(AccountManagerTest, RememberedAccountsRoundTripInSaveOrder) {
    std::string issued = m_service.IssueTicket("tom", "V-9");
    m_manager->TicketLogin(L"tom", Wide(issued), L"V-9");
    m_manager->SetRemindPwd(true);
    m_manager->SaveCurrentAccount();
    m_manager->Login(L"ann", L"pw", false);
    m_manager->SaveCurrentAccount();

    std::vector<CStringArray> rows = StoredRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ(L"", rows[1][2]);  // not remembered: no password stored
    EXPECT_FALSE(rows[0][5].IsEmpty());
    EXPECT_NE(CString(L"V-9"), rows[0][5]);

    std::unique_ptr<AccountList> remembered = m_manager->LoadRememberedAccounts();
    ASSERT_TRUE(remembered);
    ASSERT_EQ(2u, remembered->size());
    const LOGIN_ACCOUNT& tom = *(*remembered)[0];
    const LOGIN_ACCOUNT& ann = *(*remembered)[1];
    EXPECT_STREQ(L"tom", tom.UserName);
    EXPECT_STREQ(Wide(issued), tom.Password);
    EXPECT_STREQ(L"V-9", tom.VerifyCode);
    EXPECT_TRUE(tom.RemindPwd);
    EXPECT_FALSE(tom.IsLast);
    EXPECT_STREQ(L"ann", ann.UserName);
    EXPECT_STREQ(L"", ann.Password);
    EXPECT_FALSE(ann.RemindPwd);
    EXPECT_TRUE(ann.IsLast);
}

TEST_F(AccountManagerTest, SecretsOfAnyLengthAndScriptRoundTrip) {
    // Longer than the cipher's usual work buffer; Chinese, kept in the ANSI code page.
    const std::pair<std::string, CString> secrets[] = {{std::string(700, 'k'), CString(L'k', 700)},
                                                       {"\xe5\xaf\x86\xe7\xa0\x81", L"\x5bc6\x7801"}};
    for (const auto& secret : secrets) {
        m_service.AddAccount("long", {secret.first, "1004", "L"});
        m_manager->Login(L"long", secret.second, false);
        m_manager->SetRemindPwd(true);
        m_manager->SaveCurrentAccount();
        std::unique_ptr<AccountList> remembered = m_manager->LoadRememberedAccounts();
        ASSERT_TRUE(remembered);
        EXPECT_STREQ(secret.second, (*remembered)[0]->Password);
    }
}

TEST_F(AccountManagerTest, ADamagedRowIsSkipped) {
    const wchar_t* damaged[] = {L"ABC", L"0123456789ABCDEF0", L"0123456789abcdef", L"0123456789ABCDEG"};
    for (const wchar_t* secret : damaged) {
        CStringArray row;
        row.Add(CString(L"bad-") + secret);
        row.Add(L"n");
        row.Add(secret);
        row.Add(L"1");
        row.Add(L"");
        m_users.Save(&row);
    }
    m_manager->Login(L"ann", L"pw", true);
    m_manager->SetRemindPwd(true);
    m_manager->SaveCurrentAccount();
    std::unique_ptr<AccountList> remembered = m_manager->LoadRememberedAccounts();
    ASSERT_TRUE(remembered);
    ASSERT_EQ(1u, remembered->size());
    EXPECT_STREQ(L"ann", (*remembered)[0]->UserName);
}

TEST_F(AccountManagerTest, NoRowsGiveNoList) { EXPECT_EQ(nullptr, m_manager->LoadRememberedAccounts()); }

struct RefusedSignIn {
    const char* name;
    uint32_t forced;
    const wchar_t* user;
    const wchar_t* password;
    bool byTicket;
    const wchar_t* message;
};

class AccountRefusalTest : public AccountManagerTest, public testing::WithParamInterface<RefusedSignIn> {};

TEST_P(AccountRefusalTest, ThrowsTheMessageAndKeepsTheCurrentAccount) {
    m_manager->Login(L"ann", L"pw", false);
    LOGIN_ACCOUNT* before = m_manager->GetCurrentAccount();
    const RefusedSignIn& c = GetParam();
    m_service.SetForcedError(c.forced);
    CString message = ThrownMessage([&] {
        if (c.byTicket)
            m_manager->TicketLogin(c.user, c.password, L"");
        else
            m_manager->Login(c.user, c.password, false);
    });
    EXPECT_STREQ(c.message, message);
    EXPECT_EQ(before, m_manager->GetCurrentAccount());
    EXPECT_STREQ(L"ann", m_manager->GetCurrentAccount()->UserName);
    EXPECT_STREQ(L"1002", m_manager->GetCurrentAccount()->Uid);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, AccountRefusalTest,
    testing::Values(RefusedSignIn{"WrongNameOrPassword", 600000020, L"tom", L"secret", false, L"用户名或密码错误！"},
                    RefusedSignIn{"NoSuchUser", 0, L"nobody", L"x", false, L"用户名不存在！"},
                    RefusedSignIn{"WrongPassword", 0, L"tom", L"wrong", false, L"密码错误！"},
                    RefusedSignIn{"PasswordOther", 600000001, L"tom", L"secret", false, L"登录失败，请检查网络状况！"},
                    RefusedSignIn{"TicketNotFound", 0, L"tom", L"T-none", true, L"票据未找到！"},
                    RefusedSignIn{"TicketNotValid", 600000099, L"tom", L"T-none", true, L"票据验证错误！"},
                    RefusedSignIn{"TicketOther", 1, L"tom", L"T-none", true, L"登录失败，请检查网络状况！"}),
    [](const testing::TestParamInfo<RefusedSignIn>& info) { return std::string(info.param.name); });

TEST_F(AccountManagerTest, AnUnreachableServiceIsANetworkFailure) {
    m_config.Write("[ovra]\r\nserver=127.0.0.1\r\nport=" + std::to_string(UnusedLoopbackPort()) + "\r\n");
    COvraHelper offline;
    offline.Startup();
    CAccountManager manager(m_users, offline);
    EXPECT_STREQ(L"登录失败，请检查网络状况！", ThrownMessage([&] { manager.Login(L"tom", L"secret", false); }));
    EXPECT_EQ(nullptr, manager.GetCurrentAccount());
}

TEST_F(AccountManagerTest, SignOutResetsTheSameRecord) {
    m_manager->Login(L"tom", L"secret", true);
    LOGIN_ACCOUNT* account = m_manager->GetCurrentAccount();
    m_manager->Logout();
    EXPECT_EQ(account, m_manager->GetCurrentAccount());
    EXPECT_STREQ(L"default", account->UserName);
    EXPECT_STREQ(L"", account->Uid);
    EXPECT_STREQ(L"", account->Sid);
    EXPECT_STREQ(L"", account->Password);
    EXPECT_EQ(0, account->Gold);
    EXPECT_EQ(1, m_service.WebLogoutCount());
    EXPECT_TRUE(m_service.SignedInUsers().empty());

    // A refused sign-out leaves the record as it was.
    account->NickName = L"kept";
    EXPECT_STREQ(L"登出失败！", ThrownMessage([&] { m_manager->Logout(); }));
    EXPECT_STREQ(L"kept", account->NickName);
}

TEST_F(AccountManagerTest, ForgetPasswordOnlyForTheCurrentNameExactly) {
    std::string issued = m_service.IssueTicket("tom", "V");
    m_manager->TicketLogin(L"tom", Wide(issued), L"V");
    m_manager->SetRemindPwd(true);
    m_manager->SaveCurrentAccount();

    m_manager->ForgetPassword(L"Tom");
    EXPECT_TRUE(m_manager->GetCurrentAccount()->RemindPwd);
    EXPECT_STREQ(Wide(issued), m_manager->GetCurrentAccount()->Password);

    m_manager->ForgetPassword(L"tom");
    EXPECT_FALSE(m_manager->GetCurrentAccount()->RemindPwd);
    EXPECT_STREQ(L"", m_manager->GetCurrentAccount()->Password);
    EXPECT_STREQ(L"", m_manager->GetCurrentAccount()->VerifyCode);
    std::vector<CStringArray> rows = StoredRows();
    ASSERT_EQ(1u, rows.size());
    EXPECT_STREQ(L"", rows[0][2]);
    EXPECT_STREQ(L"0", rows[0][3]);
    EXPECT_STREQ(L"", rows[0][5]);
}

TEST_F(AccountManagerTest, TheStartUserIsTheLastSavedOneWithAutoLogin) {
    m_manager->Login(L"tom", L"secret", false);
    m_manager->SaveCurrentAccount();
    m_manager->Login(L"ann", L"pw", false);
    m_manager->SaveCurrentAccount();
    for (bool autoLogin : {true, false}) {
        CUserConfig::GetInstance().GetAllConfig().AutoLogin = autoLogin;
        CAccountManager manager(m_users, m_ovra);
        EXPECT_EQ(autoLogin, manager.IsAutoLogin());
        EXPECT_STREQ(autoLogin ? L"ann" : L"default", CUserConfig::GetInstance().GetCurrentUser());
    }
    m_manager->SetAutoLogin(true);
    EXPECT_TRUE(CUserConfig::GetInstance().GetAllConfig().AutoLogin);
}

TEST_F(AccountManagerTest, SignedCallsForTheCurrentAccount) {
    // Without an account nothing is asked.
    EXPECT_EQ(0, m_manager->GetGold());
    EXPECT_FALSE(m_manager->NeedChooseAge());
    m_manager->SubmitAgeChoice(true, L"p@x.cn");
    EXPECT_STREQ(L"http://a/b", m_manager->GetWebLoginUrl(L"http://a/b"));
    EXPECT_TRUE(m_service.SignedCalls().empty());

    m_service.AddAccount("kid", {"pw", "1009", "Kid", "0", 4, true});
    m_manager->Login(L"kid", L"pw", false);
    EXPECT_TRUE(m_manager->NeedChooseAge());
    m_manager->SubmitAgeChoice(false, L"mum+kid@mail.cn");
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_EQ(3u, calls.size());  // gold at sign-in, the question, the choice
    for (const SIGNED_CALL& call : calls) EXPECT_TRUE(call.SignatureValid) << call.Method;
    EXPECT_EQ("tm.members.updateIndulge", calls[2].Method);
    EXPECT_EQ("mum+kid@mail.cn", calls[2].Params["parent_email"]);
    EXPECT_EQ("0", calls[2].Params["is_12yearsold"]);
    EXPECT_EQ("1009", calls[2].Params["uid"]);

    CString expected;
    expected.Format(
        L"http://127.0.0.1:%d/?controller=public&action=loginpassportovra&sid=%s&url=http%%3A%%2F%%2Fa%%2Fb",
        PortNumber(), m_manager->GetCurrentAccount()->Sid.GetString());
    EXPECT_STREQ(expected, m_manager->GetWebLoginUrl(L"http://a/b"));
}

TEST_F(AccountManagerTest, PointsRefreshAndKeepAlive) {
    m_manager->Login(L"tom", L"secret", false);
    m_service.AddAccount("tom", {"secret", "1001", "Tommy", "40", 35});
    m_manager->RefreshPoints();
    EXPECT_EQ(40, m_manager->GetCurrentAccount()->Points);
    m_manager->SendSessionRequest(m_service.Url("/checksession/active?sid=x").c_str());
    EXPECT_EQ(1, m_service.KeepAliveCount());
}

TEST(OvraHelperStartupTest, AMissingConfigurationIsShownAndLeavesNoSession) {
    ServiceConfigFile config("");
    config.Remove();
    COvraHelper ovra;
    {
        MessageBoxAnswerer watcher;
        ovra.Startup();
        ASSERT_EQ(1u, watcher.Shown().size());
        EXPECT_EQ(L"Ovra_SDK_ovraSetCfg Fail, ErrorCode:2", watcher.Shown()[0].Text);
    }
    EXPECT_EQ(0u, ovra.GetSession());
    LOGIN_ACCOUNT account;
    try {
        ovra.Login(account, L"tom", L"secret", false);
        FAIL() << "signed in without a session";
    } catch (const CZemoException& e) {
        EXPECT_STREQ(L"登录失败，请检查网络状况！", e.GetErrorText());
    }
}

}  // namespace
