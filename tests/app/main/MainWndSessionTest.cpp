// The sign-in changes of the main window against the loopback account service: the
// keep-alive goes out while someone is signed in, from a worker, one at a time, and a
// service that stalls leaves the window answering; the avatar files do not pile up.
#include "MainWndFixture.h"

#include <atomic>
#include <thread>

#include "account/LoginAccount.h"
#include "account/LoginSession.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "db/ZemoException.h"
#include "http/LoopbackHttpServer.h"
#include "ovra.h"
#include "web/WebUriGettor.h"

namespace {

bool Exists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The account platform, set up once a process from "ovraCfg.ini", reads the test's
// loopback service from it for the test, and the shipped file again afterwards.
class MainWndSessionTest : public MainWndTest {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        ovraLoadCfg(GetServiceConfigPath());
    }
    // Nobody stays signed in for the tests after this one.
    void TearDown() override {
        CLoginSession* session = Wnd().GetLoginSession();
        LOGIN_ACCOUNT* account = session ? session->GetCurrentAccount() : nullptr;
        if (account && !account->Sid.IsEmpty()) {
            try {
                session->Logout();
            } catch (const CZemoException&) {
            }
        }
        MainWndTest::TearDown();
        ovraLoadCfg(GetServiceConfigPath());
    }
    void SignIn() {
        service.AddAccount("tom", {"secret", "1001", "Tommy"});
        LOGIN_ACCOUNT record;
        record.UserName = L"tom";
        record.Password = L"secret";
        try {
            Wnd().GetLoginSession()->Login(record, false);
        } catch (const CZemoException& failure) {
            FAIL() << CStringA(failure.GetErrorText()).GetString();
        }
        ASSERT_NE(nullptr, Wnd().GetLoginSession()->GetCurrentAccount());
        ASSERT_FALSE(Wnd().GetLoginSession()->GetCurrentAccount()->Sid.IsEmpty());
    }
};

TEST_F(MainWndSessionTest, KeepAliveReachesTheServiceOnlyWhileSignedIn) {
    Open();
    PumpFor(1400);
    EXPECT_EQ(0, service.KeepAliveCount()) << "nobody signed in";
    SignIn();
    PumpFor(1400);
    int signedIn = service.KeepAliveCount();
    EXPECT_GE(signedIn, 1);
    Wnd().GetLoginSession()->Logout();
    PumpFor(700);  // a request in flight may still arrive
    int afterLogout = service.KeepAliveCount();
    PumpFor(1400);
    EXPECT_EQ(afterLogout, service.KeepAliveCount()) << "signed out: no more";
}

// The keep-alive's address points at a service that answers only after a long pause.
class StalledSessionTest : public MainWndSessionTest {
protected:
    void SetUp() override {
        MainWndSessionTest::SetUp();
        stalled.SetHandler([this](const HttpRequest& request, HttpReply& reply) {
            if (request.Path() == "/checksession/active") ++requests;
            reply.body = std::string(4, 'x');
            reply.pieceSize = 1;
            reply.pieceDelay = std::chrono::milliseconds(700);  // 2.8 s for the whole answer
        });
        std::string text = service.ConfigText();
        std::string ours = "[session_active]\r\nserver=127.0.0.1\r\nport=";
        size_t at = text.find(ours);
        ASSERT_NE(std::string::npos, at);
        size_t end = text.find("\r\n", at + ours.size());
        text.replace(at, end - at, ours + std::to_string(stalled.Port()));
        config->Write(text);
        ovraLoadCfg(GetServiceConfigPath());
    }
    LoopbackHttpServer stalled;
    std::atomic<int> requests{0};
};

TEST_F(StalledSessionTest, AStalledServiceLeavesTheWindowAnswering) {
    Open();
    SignIn();
    HWND window = Wnd().m_hWnd;
    std::atomic<int> answered{0}, unanswered{0};
    std::thread prober([&] {
        for (int i = 0; i < 10; ++i) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 400, &result))
                ++answered;
            else
                ++unanswered;
            Sleep(150);
        }
    });
    PumpFor(2500);
    prober.join();
    EXPECT_EQ(10, answered.load());
    EXPECT_EQ(0, unanswered.load());
    EXPECT_EQ(1, requests.load()) << "one request in flight at most, though the timer ticked on";
}

TEST_F(MainWndSessionTest, EachNewAvatarReplacesTheFileBeforeIt) {
    Open();
    CString first = GetTempFilePath(), second = GetTempFilePath();
    for (const CString& path : {first, second}) {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("PNG", 3);
    }
    Wnd().PostMessage(WM_AVATAR_READY, (WPARAM) new CString(first), 0);
    PumpFor(30);
    EXPECT_TRUE(Exists(first));
    EXPECT_NE(-1, CString(Manager().GetElementById(L"head-portrait").get_attribute("style")).Find(first));
    Wnd().PostMessage(WM_AVATAR_READY, (WPARAM) new CString(second), 0);
    PumpFor(30);
    EXPECT_FALSE(Exists(first)) << "the old picture is deleted";
    EXPECT_TRUE(Exists(second));
    Wnd().DestroyWindow();
    EXPECT_FALSE(Exists(second)) << "the last one goes with the window";
}

TEST_F(MainWndSessionTest, SignInFetchesTheAvatarOnItsOwnThread) {
    Open();
    SignIn();
    windows.calls.clear();
    Wnd().GetLoginSession()->NotifyLoggedIn(true);
    PumpFor(800);
    EXPECT_STREQ(L"Tommy", Manager().GetElementById(L"user-name").inner_text().c_str());
    EXPECT_STREQ(L"none", Manager().GetElementStyle(L"unlogin", "display"));
    CString avatar = Wnd().GetAvatarFile();
    if (!avatar.IsEmpty()) {
        EXPECT_TRUE(Exists(avatar));
    }
    EXPECT_TRUE(Called("RefreshForUser"));
    EXPECT_FALSE(Called("Stop")) << "playback kept";
}

}  // namespace
