#include <gtest/gtest.h>

#include <ovra.h>

#include <fstream>
#include <string>

#include "services/AccountWebService.h"

namespace {

constexpr DWORD kTimeout = 30000;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring TempConfigPath() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"ovra-sdk-test-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
}

// A started SDK with a session on the loopback account service.
class OvraSdkTest : public testing::Test {
protected:
    void SetUp() override {
        m_service.AddAccount("tom", {"secret", "1001", "Tommy"});
        m_service.AddAccount("ann", {"pw", "1002", "Ann"});
        WriteConfig(m_service.ConfigText());
        ASSERT_TRUE(ovraStartup());
        ASSERT_TRUE(ovraLoadCfg(m_configPath.c_str()));
        m_session = ovraCreateSession();
        ASSERT_NE(0u, m_session);
    }
    void TearDown() override {
        if (m_session) ovraCloseHandle(m_session);
        DeleteFileW(m_configPath.c_str());
    }

    void WriteConfig(const std::string& text) {
        HANDLE file = CreateFileW(m_configPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
        CloseHandle(file);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, m_configPath.c_str());
    }

    BOOL Login(const wchar_t* user, const wchar_t* password) {
        OVRA_LOGIN_INFO info = {user, password, 0, L"3", nullptr, 0};
        return ovraLogin(m_session, &info, kTimeout);
    }

    BOOL TicketLogin(const std::wstring& ticket, const wchar_t* verifyCode) {
        OVRA_TICKET_INFO info = {L"3", verifyCode, ticket.c_str()};
        return ovraTicketLogin(m_session, &info, kTimeout);
    }

    std::wstring UserId() {
        wchar_t id[OVRA_ID_CHARS] = {};
        return ovraGetUserID(m_session, id, OVRA_ID_CHARS) ? id : L"(none)";
    }

    AccountWebService m_service;
    std::wstring m_configPath = TempConfigPath();
    OVRA_HANDLE m_session = 0;
};

TEST_F(OvraSdkTest, PasswordSignInGivesTheIdsAndATicket) {
    ASSERT_TRUE(Login(L"tom", L"secret"));
    EXPECT_EQ(L"1001", UserId());
    wchar_t sid[OVRA_ID_CHARS] = {}, ticket[OVRA_TICKET_CHARS] = {};
    ASSERT_TRUE(ovraGetSessionID(m_session, sid, OVRA_ID_CHARS));
    ASSERT_TRUE(ovraGetTicket(m_session, ticket, OVRA_TICKET_CHARS));
    EXPECT_EQ(Wide(m_service.LastTicket()), ticket);
    EXPECT_EQ(std::vector<std::string>{"tom"}, m_service.SignedInUsers());
    // A buffer too small for the value is refused, not overrun.
    wchar_t small[2] = {L'x', L'y'};
    EXPECT_FALSE(ovraGetSessionID(m_session, small, 2));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(L'x', small[0]);
}

TEST_F(OvraSdkTest, UserNamesAndPasswordsTravelAsUtf8FormValues) {
    m_service.AddAccount("\xe5\xb0\x8f&=+", {"p w&%", "1003", "x"});
    EXPECT_TRUE(Login(L"\x5c0f&=+", L"p w&%"));
    EXPECT_EQ(L"1003", UserId());
}

struct RefusalCase {
    const char* name;
    const wchar_t* user;
    const wchar_t* password;
    uint32_t forced;
    DWORD error;
};

class OvraSignInRefusalTest : public OvraSdkTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(OvraSignInRefusalTest, LeavesTheServiceNumberAndTheSessionAsItWas) {
    ASSERT_TRUE(Login(L"ann", L"pw"));
    m_service.SetForcedError(GetParam().forced);
    EXPECT_FALSE(Login(GetParam().user, GetParam().password));
    EXPECT_EQ(GetParam().error, GetLastError());
    EXPECT_EQ(L"1002", UserId());
}

INSTANTIATE_TEST_SUITE_P(Errors, OvraSignInRefusalTest,
                         testing::Values(RefusalCase{"WrongNameOrPassword", L"tom", L"secret", 600000020, 600000020},
                                         RefusalCase{"NoSuchUser", L"nobody", L"x", 0, 600000021},
                                         RefusalCase{"WrongPassword", L"tom", L"wrong", 0, 600000022}),
                         [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(OvraSdkTest, TicketSignIn) {
    std::string issued = m_service.IssueTicket("tom", "V1");
    std::wstring ticket = Wide(issued);
    EXPECT_FALSE(TicketLogin(L"T-unknown", L""));
    EXPECT_EQ((DWORD)OVRA_ERROR_TICKET_NOT_FOUND, GetLastError());
    EXPECT_FALSE(TicketLogin(ticket, L"other"));
    EXPECT_EQ((DWORD)OVRA_ERROR_TICKET_NOT_VALID, GetLastError());
    EXPECT_EQ(L"(none)", UserId());
    // Signed in as another user, the ticket sign-in takes the ticket's user and ticket.
    ASSERT_TRUE(Login(L"ann", L"pw"));
    EXPECT_TRUE(TicketLogin(ticket, L"V1"));
    EXPECT_EQ(L"1001", UserId());
    wchar_t kept[OVRA_TICKET_CHARS] = {};
    ASSERT_TRUE(ovraGetTicket(m_session, kept, OVRA_TICKET_CHARS));
    EXPECT_EQ(ticket, kept);
    // The automatic sign-in sends no verify code.
    EXPECT_TRUE(TicketLogin(ticket, L""));
    m_service.ExpireTicket(issued);
    EXPECT_FALSE(TicketLogin(ticket, L""));
    EXPECT_EQ((DWORD)OVRA_ERROR_TICKET_NOT_VALID, GetLastError());
}

TEST_F(OvraSdkTest, SignOutEndsTheServiceSession) {
    EXPECT_FALSE(ovraLogout(m_session, kTimeout));  // nobody signed in
    ASSERT_TRUE(Login(L"tom", L"secret"));
    ASSERT_TRUE(ovraLogout(m_session, kTimeout));
    EXPECT_TRUE(m_service.SignedInUsers().empty());
    EXPECT_EQ(L"(none)", UserId());
    EXPECT_EQ((DWORD)ERROR_NOT_LOGGED_ON, GetLastError());
    EXPECT_FALSE(ovraLogout(m_session, kTimeout));
}

TEST_F(OvraSdkTest, DataRequestsKeepTheBodyOfA200Reply) {
    std::wstring url = Wide(m_service.Url("/user?username=tom"));
    OVRA_HTTP_REQUEST request = {url.c_str(), L"", OVRA_REQUEST_DATA};
    DWORD status = 0, length = 0;
    OVRA_HANDLE body = 0;
    ASSERT_TRUE(ovraHttpReqSyn(m_session, &request, &status, &length, &body, kTimeout));
    EXPECT_EQ(200u, status);
    ASSERT_NE(0u, body);
    std::wstring text(length + 1, L'\0');
    ASSERT_TRUE(ovraDecodeJson(body, &text[0], length + 1));
    text.pop_back();
    EXPECT_EQ(L"{\"nickname\":\"Tommy\",\"uid\":\"1001\"}", text);
    EXPECT_FALSE(ovraDecodeJson(body, &text[0], length));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());

    // The next request releases the body; other statuses and keep-alives give none.
    std::wstring missing = Wide(m_service.Url("/missing"));
    OVRA_HTTP_REQUEST notFound = {missing.c_str(), L"", OVRA_REQUEST_DATA};
    ASSERT_TRUE(ovraHttpReqSyn(m_session, &notFound, &status, &length, &body, kTimeout));
    EXPECT_EQ(404u, status);
    EXPECT_EQ(0u, length);
    EXPECT_EQ(0u, body);
    request.Kind = OVRA_REQUEST_KEEP_ALIVE;
    ASSERT_TRUE(ovraHttpReqSyn(m_session, &request, &status, &length, &body, kTimeout));
    EXPECT_EQ(200u, status);
    EXPECT_EQ(0u, body);
}

TEST_F(OvraSdkTest, TransportFailuresAreNoServiceNumbers) {
    std::wstring url = Wide("http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/");
    OVRA_HTTP_REQUEST request = {url.c_str(), L"", OVRA_REQUEST_DATA};
    DWORD status = 0, length = 0;
    OVRA_HANDLE body = 0;
    EXPECT_FALSE(ovraHttpReqSyn(m_session, &request, &status, &length, &body, 5000));
    DWORD error = GetLastError();
    EXPECT_NE(0u, error);
    EXPECT_LT(error, 600000000u);

    WriteConfig("[ovra]\r\nserver=127.0.0.1\r\nport=" + std::to_string(UnusedLoopbackPort()) + "\r\n");
    ASSERT_TRUE(ovraLoadCfg(m_configPath.c_str()));
    EXPECT_FALSE(Login(L"tom", L"secret"));
    EXPECT_LT(GetLastError(), 600000000u);
}

TEST_F(OvraSdkTest, HandlesThatAreNoSessionsAreRefused) {
    EXPECT_FALSE(ovraCloseHandle(0));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    OVRA_LOGIN_INFO info = {L"tom", L"secret", 0, L"3", nullptr, 0};
    EXPECT_FALSE(ovraLogin(0, &info, kTimeout));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    ASSERT_TRUE(ovraCloseHandle(m_session));
    EXPECT_FALSE(ovraLogin(m_session, &info, kTimeout));
    m_session = 0;
    EXPECT_TRUE(m_service.SignedInUsers().empty());
}

TEST_F(OvraSdkTest, IdsLongerThanTheCallersBuffersAreRefused) {
    m_service.AddAccount("long", {"pw", std::string(OVRA_ID_CHARS, '9'), "x"});
    EXPECT_FALSE(Login(L"long", L"pw"));
    EXPECT_EQ((DWORD)ERROR_INVALID_DATA, GetLastError());
}

TEST(OvraConfigTest, AConfigurationNeedsTheFileAndAServer) {
    EXPECT_FALSE(ovraLoadCfg(L"C:\\no\\such\\ovraCfg.ini"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    std::wstring path = TempConfigPath();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "[ovra]\r\nport=80\r\n";
    DWORD written = 0;
    WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(ovraLoadCfg(path.c_str()));
    EXPECT_EQ((DWORD)ERROR_NOT_FOUND, GetLastError());
    DeleteFileW(path.c_str());
}

}  // namespace
