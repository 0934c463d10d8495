#include <gtest/gtest.h>

#include <algorithm>

#include "account/LoginSession.h"
#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/ZemoException.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fixtures/SignInPlayer.h"

namespace {

CString Wide(const std::string& utf8) { return Utf8ToWide(utf8.c_str()); }

// The codes broadcast while a test runs.
std::vector<int>& Broadcasts() {
    static std::vector<int> codes;
    return codes;
}

class RecordingControl : public CBaseControl {
public:
    RecordingControl() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void*) override {
        Broadcasts().push_back(code);
        return 0;
    }
};

template <typename Call>
CString ThrownMessage(Call call) {
    try {
        call();
    } catch (const CZemoException& e) {
        return e.GetErrorText();
    }
    return L"(none)";
}

class LoginSessionTest : public testing::Test, protected SignInPlayer {
protected:
    LoginSessionTest() { CAppFacade::GetInstance().RegisterControl(1000, new RecordingControl); }

    void SetUp() override {
        ASSERT_TRUE(Prepare());
        Broadcasts().clear();
    }

    void Start() {
        SignInPlayer::Start();
        Broadcasts().clear();
    }

    void RememberTomAndRestart() {
        SignInPlayer::RememberTomAndRestart();
        Broadcasts().clear();
    }
};

TEST_F(LoginSessionTest, AutomaticSignInTakesTheLastRememberedAccountByTicket) {
    RememberTomAndRestart();
    std::string ticket = m_service.LastTicket();
    ASSERT_FALSE(ticket.empty());
    EXPECT_STREQ(L"tom", CUserConfig::GetInstance().GetCurrentUser());
    size_t asked = SignInRoads().size();

    m_session->AutoLogin();
    LOGIN_ACCOUNT* current = m_session->GetCurrentAccount();
    ASSERT_NE(nullptr, current);
    EXPECT_STREQ(L"tom", current->UserName);
    EXPECT_STREQ(L"1001", current->Uid);
    EXPECT_STREQ(Wide(ticket), current->Password);
    EXPECT_TRUE(current->RemindPwd);  // as the remembered row says
    EXPECT_EQ(7, CUserConfig::GetInstance().GetDownloadConfig().DownloadNum);
    std::vector<std::string> roads = SignInRoads();
    EXPECT_EQ(std::vector<std::string>{"/ovra/ticketlogin"}, std::vector<std::string>(roads.begin() + asked, roads.end()));
    ASSERT_EQ(1u, m_windows.calls.size());
    EXPECT_EQ("OnUserLoggedIn(keep playback) tom", m_windows.calls[0]);
    EXPECT_FALSE(m_windows.accountToken.IsEmpty());
    EXPECT_EQ(std::vector<int>{CMD_USER_LOGIN}, Broadcasts());

    // The cache holds both rows in table order; the sign-out keeps tom's ticket.
    std::unique_ptr<AccountPointers> list = m_session->GetAccountList();
    ASSERT_TRUE(list);
    ASSERT_EQ(2u, list->size());
    EXPECT_STREQ(L"ann", (*list)[0]->UserName);
    m_session->Logout();
    EXPECT_STREQ(Wide(ticket), m_session->FindAccount(L"tom")->Password);
}

TEST_F(LoginSessionTest, WithoutAutoLoginOrRowsNothingIsSignedIn) {
    // No rows, AutoLogin on: nothing thrown, nobody asked.
    CUserConfig::GetInstance().GetAllConfig().AutoLogin = true;
    EXPECT_STREQ(L"(none)", ThrownMessage([&] { m_session->AutoLogin(); }));
    EXPECT_EQ(nullptr, m_session->GetAccountList());

    RememberTomAndRestart();
    CUserConfig::GetInstance().GetAllConfig().AutoLogin = false;
    m_session->AutoLogin();
    EXPECT_EQ(nullptr, m_session->GetCurrentAccount());
    std::unique_ptr<AccountPointers> list = m_session->GetAccountList();
    ASSERT_TRUE(list);
    EXPECT_EQ(2u, list->size());
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_TRUE(Broadcasts().empty());
    EXPECT_EQ(std::vector<std::string>({"/ovra/login", "/ovra/login"}), SignInRoads());
}

TEST_F(LoginSessionTest, AnExpiredTicketIsForgottenInTheCacheAndTheRowStays) {
    RememberTomAndRestart();
    m_service.ExpireTicket(m_service.LastTicket());
    std::vector<CStringArray> before = StoredUsers();

    EXPECT_STREQ(L"票据验证错误！", ThrownMessage([&] { m_session->AutoLogin(); }));
    const LOGIN_ACCOUNT* tom = m_session->FindAccount(L"tom");
    ASSERT_NE(nullptr, tom);
    EXPECT_STREQ(L"", tom->Password);
    EXPECT_STREQ(L"", tom->VerifyCode);
    EXPECT_EQ(nullptr, m_session->GetCurrentAccount());
    EXPECT_STREQ(L"default", CUserConfig::GetInstance().GetCurrentUser());
    EXPECT_EQ(3, CUserConfig::GetInstance().GetDownloadConfig().DownloadNum);
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_TRUE(Broadcasts().empty());

    std::vector<CStringArray> after = StoredUsers();
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
        for (int column = 0; column < before[i].GetSize(); ++column) EXPECT_STREQ(before[i][column], after[i][column]);
}

struct DialogSignIn {
    const char* name;
    const wchar_t* user;
    const wchar_t* typedPassword;  // null: the stored value is left as it is
    bool remember;
    const char* road;
    const wchar_t* message;  // "(none)" when it signs in
};

class DialogSignInTest : public LoginSessionTest, public testing::WithParamInterface<DialogSignIn> {};

TEST_P(DialogSignInTest, TakesTheRoadOfTheRecord) {
    RememberTomAndRestart();
    m_session->AutoLogin();
    m_session->Logout();
    size_t asked = SignInRoads().size();
    const DialogSignIn& c = GetParam();

    LOGIN_ACCOUNT record = DialogRecord(c.user, c.typedPassword, c.remember);
    EXPECT_STREQ(c.message, ThrownMessage([&] { m_session->Login(record, c.remember); }));
    std::vector<std::string> roads = SignInRoads();
    ASSERT_EQ(asked + 1, roads.size());
    EXPECT_EQ(c.road, roads.back());
    if (CString(c.message) != L"(none)") {
        EXPECT_STREQ(L"default", CUserConfig::GetInstance().GetCurrentUser());
        return;
    }
    LOGIN_ACCOUNT* current = m_session->GetCurrentAccount();
    EXPECT_STREQ(c.user, current->UserName);
    EXPECT_STREQ(c.user, CUserConfig::GetInstance().GetCurrentUser());
    EXPECT_STREQ(L"default", CUserConfig::GetInstance().GetPreviousUser());
    EXPECT_EQ(c.remember, CUserConfig::GetInstance().GetAllConfig().AutoLogin);
    // The cache and the row follow the signed-in account.
    LOGIN_ACCOUNT* cached = m_session->FindAccount(c.user);
    ASSERT_NE(nullptr, cached);
    EXPECT_STREQ(current->Uid, cached->Uid);
    EXPECT_STREQ(current->Password, cached->Password);
    std::vector<CStringArray> rows = StoredUsers();
    ASSERT_FALSE(rows.empty());
    EXPECT_STREQ(c.user, rows.back()[0]);
    EXPECT_STREQ(c.remember ? L"1" : L"0", rows.back()[3]);
    EXPECT_EQ(c.remember, !rows.back()[2].IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Roads, DialogSignInTest,
                         testing::Values(
                             // A remembered account whose stored ticket was not touched signs in by ticket.
                             DialogSignIn{"RememberedUntouched", L"tom", nullptr, true, "/ovra/ticketlogin", L"(none)"},
                             DialogSignIn{"RememberedThenNotKept", L"tom", nullptr, false, "/ovra/ticketlogin",
                                          L"(none)"},
                             DialogSignIn{"RememberedRetyped", L"tom", L"secret", true, "/ovra/login", L"(none)"},
                             DialogSignIn{"NotRemembered", L"ann", L"pw", false, "/ovra/login", L"(none)"},
                             DialogSignIn{"NewAccount", L"tommy", L"pw2", false, "/ovra/login", L"(none)"},
                             DialogSignIn{"WrongPassword", L"ann", L"nope", false, "/ovra/login", L"密码错误！"},
                             DialogSignIn{"NoSuchUser", L"tomm", L"pw", false, "/ovra/login", L"用户名不存在！"}),
                         [](const testing::TestParamInfo<DialogSignIn>& info) { return std::string(info.param.name); });

TEST_F(LoginSessionTest, ATicketWithItsVerifyCodeTakesTheTicketRoad) {
    m_session->AutoLogin();
    LOGIN_ACCOUNT record;
    record.UserName = L"ann";
    record.Password = Wide(m_service.IssueTicket("ann", "V-7"));
    record.VerifyCode = L"V-7";
    m_session->Login(record, false);
    EXPECT_EQ(std::vector<std::string>{"/ovra/ticketlogin"}, SignInRoads());
    EXPECT_STREQ(L"1002", m_session->GetCurrentAccount()->Uid);
    EXPECT_STREQ(L"V-7", m_session->GetCurrentAccount()->VerifyCode);
}

TEST_F(LoginSessionTest, SignOutClearsTheSessionAndSwitchesToDefault) {
    m_session->AutoLogin();
    m_session->Login(DialogRecord(L"ann", L"pw", false), true);
    m_session->NotifyLoggedIn(false);
    EXPECT_EQ("OnUserLoggedIn ann", m_windows.calls.back());
    Broadcasts().clear();
    m_windows.calls.clear();

    m_session->Logout();
    const LOGIN_ACCOUNT* ann = m_session->FindAccount(L"ann");
    ASSERT_NE(nullptr, ann);
    EXPECT_STREQ(L"", ann->Uid);
    EXPECT_STREQ(L"", ann->Sid);
    EXPECT_STREQ(L"", ann->NickName);
    EXPECT_STREQ(L"", ann->Password);  // not remembered
    EXPECT_EQ(0, ann->Points);
    EXPECT_EQ(0, ann->Gold);
    EXPECT_STREQ(L"default", m_session->GetCurrentAccount()->UserName);
    EXPECT_STREQ(L"default", CUserConfig::GetInstance().GetCurrentUser());
    EXPECT_FALSE(m_session->IsAutoLogin());
    EXPECT_EQ(std::vector<std::string>{"ResetForUserChange"}, m_windows.calls);
    EXPECT_EQ(std::vector<int>{CMD_USER_LOGOUT}, Broadcasts());
    EXPECT_EQ(1, m_service.WebLogoutCount());
}

TEST_F(LoginSessionTest, SignOutWithNobodySignedInIsRefused) {
    m_session->AutoLogin();
    // Before any sign-in, and again after a sign-out.
    EXPECT_STREQ(L"登出失败！", ThrownMessage([&] { m_session->Logout(); }));
    m_session->Login(DialogRecord(L"ann", L"pw", false), false);
    m_session->Logout();
    EXPECT_STREQ(L"登出失败！", ThrownMessage([&] { m_session->Logout(); }));
    EXPECT_EQ(1, m_service.WebLogoutCount());
    std::vector<std::string> roads = SignInRoads();
    EXPECT_EQ(1, std::count(roads.begin(), roads.end(), "/ovra/logout"));
    EXPECT_EQ(std::vector<int>{CMD_USER_LOGOUT}, Broadcasts());

    // A refused sign-out (the SDK session ended behind the player's back) changes nothing.
    m_session->Login(DialogRecord(L"ann", L"pw", false), false);
    ASSERT_TRUE(ovraLogout(m_model->GetOvraHelper().GetSession(), 30000));
    Broadcasts().clear();
    m_windows.calls.clear();
    EXPECT_STREQ(L"登出失败！", ThrownMessage([&] { m_session->Logout(); }));
    EXPECT_STREQ(L"ann", m_session->GetCurrentAccount()->UserName);
    EXPECT_STREQ(L"ann", CUserConfig::GetInstance().GetCurrentUser());
    EXPECT_FALSE(m_session->FindAccount(L"ann")->Uid.IsEmpty());
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_TRUE(Broadcasts().empty());
}

TEST_F(LoginSessionTest, TheCacheMatchesWholeNamesAndHandsOutItsOwnRecords) {
    RememberTomAndRestart();
    m_session->AutoLogin();
    m_session->Login(DialogRecord(L"tommy", L"pw2", false), false);
    EXPECT_EQ(nullptr, m_session->FindAccount(L"to"));
    EXPECT_EQ(nullptr, m_session->FindAccount(L"Tom"));
    ASSERT_NE(nullptr, m_session->FindAccount(L"tom"));
    EXPECT_STREQ(L"tom", m_session->FindAccount(L"tom")->UserName);

    std::unique_ptr<AccountPointers> list = m_session->GetAccountList();
    ASSERT_TRUE(list);
    ASSERT_EQ(3u, list->size());
    EXPECT_EQ(m_session->FindAccount(L"tommy"), (*list)[2]);
    const struct {
        const wchar_t* name;
        int index;
    } lookups[] = {{L"ann", 0}, {L"tom", 1}, {L"tommy", 2}, {L"to", -1}, {L"Tom", -1}, {L"tommy ", -1}, {L"", -1}};
    for (const auto& lookup : lookups) EXPECT_EQ(lookup.index, IndexOfAccount(*list, lookup.name)) << lookup.name;
    list.reset();  // the records stay the cache's
    EXPECT_STREQ(L"tommy", m_session->FindAccount(L"tommy")->UserName);

    m_session->ForgetPassword(L"tom");
    EXPECT_STREQ(L"", m_session->FindAccount(L"tom")->Password);
}

TEST_F(LoginSessionTest, TheDialogStartsWithThePreviousUserOrTheLastAccount) {
    EXPECT_STREQ(L"", m_session->GetStartName());  // no cache, previous user "default"
    RememberTomAndRestart();
    m_session->AutoLogin();
    const struct {
        const wchar_t* previous;
        const wchar_t* start;
    } cases[] = {{L"ann", L"ann"}, {L"default", L"tom"}, {L"", L"tom"}};
    for (const auto& c : cases) {
        CUserConfig::GetInstance().SetCurrentUser(c.previous);
        CUserConfig::GetInstance().SetCurrentUser(L"x");
        EXPECT_STREQ(c.start, m_session->GetStartName()) << c.previous;
    }
}

TEST_F(LoginSessionTest, TheAgeChoiceReachesTheSignedCall) {
    m_service.AddAccount("kid", {"pw", "1009", "Kid", "0", 4, true});
    m_session->AutoLogin();
    m_session->Login(DialogRecord(L"kid", L"pw", false), false);
    m_session->SubmitAgeChoice(false, L"mum@mail.cn");
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ("tm.members.updateIndulge", calls.back().Method);
    EXPECT_TRUE(calls.back().SignatureValid);
    EXPECT_EQ("1009", calls.back().Params["uid"]);
    EXPECT_EQ("0", calls.back().Params["is_12yearsold"]);
    EXPECT_EQ("mum@mail.cn", calls.back().Params["parent_email"]);
}

TEST(LoginSessionFacadeTest, TheFacadeHandsOutASessionOverItsDataModel) {
    std::unique_ptr<CLoginSession> session = CAppFacade::GetInstance().CreateLoginSession();
    ASSERT_TRUE(session);
    EXPECT_EQ(CAppFacade::GetInstance().GetCore()->GetDataModel()->GetAccountManager()->GetCurrentAccount(),
              session->GetCurrentAccount());
}

}  // namespace
