// The web view's navigation rules, its reachability check and its keys, in a real
// window against the loopback catalogue site.
#include <gtest/gtest.h>

#include <string>

#include "RecordingDownloads.h"
#include "WebViewFixture.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "http/LoopbackHttpServer.h"

namespace {

constexpr wchar_t kPlayLast[] = L"{BB9D263D-437D-4db0-94A2-24A1648C164F}";

// The address followed by the session query after the separator: "" when it is not.
CString GuidAfterSessionQuery(const CString& url, const CString& original, LPCWSTR separator) {
    CString prefix = original + separator + L"zemoid=TOK&sid=S9&guid=";
    if (url.Left(prefix.GetLength()) != prefix) return CString();
    return url.Mid(prefix.GetLength());
}

std::string Utf8(const CString& text) {
    std::string out;
    WideToUtf8(text, true, out);
    return out;
}

class WebHtmlView : public WebViewTest {
protected:
    void Reset() {
        view->navigations.clear();
        view->documents.clear();
        host.calls.clear();
    }
};

enum class Outcome {
    Ahead,      // goes ahead as it is
    Rewritten,  // cancelled, then goes ahead again with the session query
    Cancelled,  // nothing loads
};

TEST_F(WebHtmlView, NavigationsFollowTheRulesForAddressSignInAndPostedData) {
    CString service = Url("");
    service.TrimRight(L'/');
    CString elsewhere;
    elsewhere.Format(L"http://127.0.0.1:%u", UnusedLoopbackPort());
    CString port;
    port.Format(L"%u", site.Port());
    std::vector<std::string> signIn = {"StartView off", "ShowLoginDialog", "StartView on"};
    struct Case {
        CString url;
        bool signedIn;
        const char* post;  // null: no posted data
        Outcome outcome;
        LPCWSTR separator;  // of the session query, for rewritten ones
        std::vector<std::string> calls;
    } cases[] = {
        {service + L"/video.aspx?id=11", true, nullptr, Outcome::Rewritten, L"&", {}},
        {service + L"/index.aspx", true, nullptr, Outcome::Rewritten, L"?", {}},
        {L"HTTP://127.0.0.1:" + port + L"/index.aspx", true, nullptr, Outcome::Rewritten, L"?", {}},
        {service + L"/video.aspx?id=11", true, "a=1&b=2", Outcome::Rewritten, L"&", {}},
        {service + L"/video.aspx?id=11", false, nullptr, Outcome::Ahead, nullptr, {}},
        {service + L"/video.aspx?id=11&zemoid=X", true, nullptr, Outcome::Ahead, nullptr, {}},
        // Look-alikes: another host name for the same server, the host inside the query.
        {L"http://localhost:" + port + L"/video.aspx?id=11", true, nullptr, Outcome::Ahead, nullptr, {}},
        {elsewhere + L"/?r=127.0.0.1:" + port, true, nullptr, Outcome::Ahead, nullptr, {}},
        {elsewhere + L"/?r=http://127.0.0.1:" + port + L"/", true, nullptr, Outcome::Ahead, nullptr, {}},
        {service + L"/index.aspx?" + kPlayLast, true, nullptr, Outcome::Cancelled, nullptr, {"PlayLastPlayed"}},
        {service + L"/index.aspx?" + kPlayLast, false, nullptr, Outcome::Cancelled, nullptr, {"PlayLastPlayed"}},
        {service + L"/PAY.aspx?Action=PaySucceed", true, nullptr, Outcome::Cancelled, nullptr, {"RefreshBalance"}},
        {service + L"/pay.aspx?action=paySucceed", false, nullptr, Outcome::Cancelled, nullptr, {"RefreshBalance"}},
        {service + L"/pay.aspx?action=paySucceed&x=1", true, nullptr, Outcome::Rewritten, L"&", {}},
        {L"javascript:buyVideo(11)", true, nullptr, Outcome::Ahead, nullptr, {}},
        {L"javascript:buyFile(11)", false, nullptr, Outcome::Cancelled, nullptr, signIn},
        {service + L"/album.aspx?Action=multidownload&id=7", true, nullptr, Outcome::Rewritten, L"&", {}},
        {service + L"/album.aspx?Action=multidownload&id=7", false, nullptr, Outcome::Ahead, nullptr, signIn},
        {service + L"/album.aspx?Action=multidownload&id=7", false, "fileid=101", Outcome::Cancelled, nullptr, signIn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.url) + (c.signedIn ? " signed in" : " signed out") + (c.post ? " posted" : ""));
        c.signedIn ? SignIn() : SignOut();
        Reset();
        site.ClearRequests();
        std::string post = c.post ? c.post : "";
        view->Navigate2(c.url, 0, nullptr, c.post ? L"Content-Type: application/x-www-form-urlencoded\r\n" : nullptr,
                        c.post ? &post[0] : nullptr, (DWORD)post.size());
        PumpWindowMessages();
        EXPECT_EQ(c.calls, host.calls);
        ASSERT_FALSE(view->navigations.empty());
        EXPECT_STREQ(c.url, view->navigations[0].url);
        EXPECT_EQ(c.outcome != Outcome::Ahead, view->navigations[0].cancelled);
        if (c.outcome == Outcome::Rewritten) {
            ASSERT_EQ(2u, view->navigations.size());
            const auto& again = view->navigations[1];
            EXPECT_EQ(36, GuidAfterSessionQuery(again.url, c.url, c.separator).GetLength()) << Utf8(again.url);
            EXPECT_FALSE(again.cancelled);
            EXPECT_EQ(post.size(), again.postBytes);
            ASSERT_EQ(1u, view->documents.size());
            EXPECT_EQ(0, again.url.CompareNoCase(view->documents[0])) << Utf8(view->documents[0]);
            ASSERT_EQ(1u, site.Requests().size());
            EXPECT_EQ(c.post ? "POST" : "GET", site.Requests()[0].method);
            EXPECT_EQ(post, site.Requests()[0].body);
        } else {
            EXPECT_EQ(1u, view->navigations.size());
        }
        if (c.outcome == Outcome::Cancelled) {
            EXPECT_TRUE(view->documents.empty());
            EXPECT_TRUE(site.Requests().empty());
        }
    }
}

TEST_F(WebHtmlView, EveryRewriteMakesANewGuid) {
    SignIn();
    CString url = Url("/index.aspx");
    view->Navigate2(url);
    view->Navigate2(url);
    ASSERT_TRUE(WaitForDocuments(2));
    CString first = GuidAfterSessionQuery(view->documents[0], url, L"?");
    CString second = GuidAfterSessionQuery(view->documents[1], url, L"?");
    EXPECT_EQ(36, first.GetLength());
    EXPECT_EQ(36, second.GetLength());
    EXPECT_STRNE(first, second);
}

TEST_F(WebHtmlView, TheHelpersAddKeysOnlyOnTheServicesHost) {
    CString url = Url("/index.aspx");
    SignOut();
    EXPECT_FALSE(CWebHtmlView::NeedsSessionQuery(url));
    EXPECT_STREQ(url, CWebHtmlView::AddSessionQuery(url));
    SignIn();
    EXPECT_TRUE(CWebHtmlView::NeedsSessionQuery(url));
    EXPECT_EQ(36, GuidAfterSessionQuery(CWebHtmlView::AddSessionQuery(url), url, L"?").GetLength());
    CString other;
    other.Format(L"http://127.0.0.1.other.example:%u/?r=127.0.0.1:%u", site.Port(), site.Port());
    EXPECT_FALSE(CWebHtmlView::NeedsSessionQuery(other));
    EXPECT_STREQ(other, CWebHtmlView::AddSessionQuery(other));
}

TEST_F(WebHtmlView, ABuyLinkWhileSignedOutAsksForASignInAndThenShowsThePageAgainWithTheKeys) {
    SignOut();
    CString page = Url("/video.aspx?id=11");
    view->Navigate2(page);
    ASSERT_TRUE(WaitForDocuments(1));
    host.onLoginDialog = [this] { SignIn(); };
    Reset();
    ClickElement(view->GetBrowser().GetHwnd(), "#buy");
    ASSERT_TRUE(WaitForDocuments(1));
    PumpWindowMessages();
    EXPECT_EQ((std::vector<std::string>{"StartView off", "ShowLoginDialog", "StartView on"}), host.calls);
    ASSERT_EQ(2u, view->navigations.size());
    EXPECT_STREQ(L"javascript:buyVideo(11)", view->navigations[0].url);
    EXPECT_TRUE(view->navigations[0].cancelled);
    EXPECT_EQ(36, GuidAfterSessionQuery(view->documents[0], page, L"&").GetLength()) << Utf8(view->documents[0]);

    // Signed in, the link's script would run: nothing is asked and nothing loads.
    Reset();
    ClickElement(view->GetBrowser().GetHwnd(), "#buy");
    PumpWindowMessages();
    EXPECT_TRUE(host.calls.empty());
    ASSERT_EQ(1u, view->navigations.size());
    EXPECT_FALSE(view->navigations[0].cancelled);
    EXPECT_TRUE(view->documents.empty());
}

TEST_F(WebHtmlView, TheAlbumFormPostedFromThePageReachesTheDownloadControlOnce) {
    struct Case {
        bool signedIn;
        bool signInAtDialog;
        AlbumReplyMode mode;
        size_t items;
    } cases[] = {
        {true, false, AlbumReplyMode::List, 2},    {false, true, AlbumReplyMode::List, 2},
        {false, false, AlbumReplyMode::List, 0},   {true, false, AlbumReplyMode::ServerError, 0},
        {true, false, AlbumReplyMode::Dropped, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.signedIn) + std::to_string(c.signInAtDialog) + std::to_string((int)c.mode));
        c.signedIn ? SignIn() : SignOut();
        host.onLoginDialog = c.signInAtDialog ? std::function<void()>([this] { SignIn(); }) : nullptr;
        site.SetAlbumReplyMode(c.mode);
        RecordingDownloads::Installed().lists.clear();
        Reset();
        view->Navigate2(Url("/album.aspx?id=7"));
        ASSERT_TRUE(WaitForDocuments(1));
        site.ClearRequests();
        HWND browser = view->GetBrowser().GetHwnd();
        ClickElement(browser, "#file101");
        ClickElement(browser, "#file103");
        ClickElement(browser, "#submit");
        PumpWindowMessages();
        EXPECT_EQ(1u, view->documents.size()) << "the post loads no page";
        ASSERT_FALSE(view->navigations.empty());
        EXPECT_TRUE(view->navigations.back().cancelled);
        size_t posts = 0;
        for (const auto& request : site.Requests()) posts += request.method == "POST";
        EXPECT_EQ(c.signedIn || c.signInAtDialog ? 1u : 0u, posts) << "posted by the player only";
        auto& lists = RecordingDownloads::Installed().lists;
        if (!c.items) {
            EXPECT_TRUE(lists.empty());
            continue;
        }
        ASSERT_EQ(1u, lists.size());
        ASSERT_EQ(c.items, lists[0]->size());
        EXPECT_EQ(101, (*lists[0])[0].Task.FileID);
        EXPECT_EQ(103, (*lists[0])[1].Task.FileID);
        EXPECT_STREQ(CString((site.Url("/files/101.flv") + "?zemoid=TOK&sid=S9").c_str()), (*lists[0])[0].Task.DownloadUrl);
    }
    site.SetAlbumReplyMode(AlbumReplyMode::List);
}

TEST_F(WebHtmlView, EnterAndEscapeReachNeitherThePageNorTheDialog) {
    struct Case {
        UINT message;
        WPARAM key;
        BOOL taken;
    } cases[] = {{WM_KEYDOWN, VK_RETURN, TRUE},
                 {WM_KEYDOWN, VK_ESCAPE, TRUE},
                 {WM_KEYDOWN, 'A', FALSE},
                 {WM_KEYUP, VK_RETURN, FALSE},
                 {WM_CHAR, VK_RETURN, FALSE}};
    for (const Case& c : cases) {
        MSG msg = {view->GetBrowser().GetHwnd(), c.message, c.key, 0};
        EXPECT_EQ(c.taken, AfxWalkPreTranslateMessage(&msg)) << c.message << " " << c.key;
    }
}

// The page shown after the check: the address, or the error page with the reason.
class ReachabilityCheck : public WebHtmlView {
protected:
    CString ErrorPagePath() const { return GetProgramFolder() + L"error.html"; }
    std::string ErrorPageText() const {
        HANDLE file = CreateFileW(ErrorPagePath(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::string text(1 << 16, '\0');
        DWORD read = 0;
        ReadFile(file, &text[0], (DWORD)text.size(), &read, nullptr);
        CloseHandle(file);
        text.resize(read);
        return text;
    }
};

TEST_F(ReachabilityCheck, APageIsShownOnlyWhenItAnswers) {
    CString refused;
    refused.Format(L"http://127.0.0.1:%u/index.aspx", UnusedLoopbackPort());
    struct Case {
        CString url;
        bool homeAnswers;
        CString shown;       // the page loaded; the error page when empty
        const char* reason;  // on the error page
    } cases[] = {
        {Url("/video.aspx?id=11"), true, Url("/video.aspx?id=11"), nullptr},
        {Url("/moved.aspx"), true, Url("/index.aspx"), nullptr},
        {Url("/missing.aspx"), true, L"", "对不起，该页面失效了！"},
        {refused, true, L"", "对不起，该页面失效了！"},
        {refused, false, L"", "无法访问该页面，问题的原因可能是：您的网线没插好，或是您未正确设置网络连接。"},
    };
    SignOut();
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.url));
        config.Write(c.homeAnswers
                         ? site.ConfigText()
                         : ServiceConfigFile::Section("index_get", "127.0.0.1", std::to_string(UnusedLoopbackPort())));
        Reset();
        EXPECT_EQ(1, CWebHtmlView::CheckAndNavigate(view.get(), c.url));
        ASSERT_TRUE(WaitForDocuments(1));
        EXPECT_EQ(std::vector<std::string>{"HidePlayDialog"}, host.calls);
        if (!c.shown.IsEmpty()) {
            EXPECT_STREQ(c.shown, view->documents[0]);
            continue;
        }
        EXPECT_STREQ(ErrorPagePath(), view->documents[0]);
        std::string page = ErrorPageText();
        EXPECT_NE(std::string::npos, page.find(std::string("<p>") + c.reason + "</p>")) << page;
        EXPECT_EQ(page.find("<p>"), page.rfind("<p>")) << "one paragraph: " << page;
    }
}

TEST_F(ReachabilityCheck, OnlyTheNewestCheckIsShown) {
    SignOut();
    CString older = Url("/video.aspx?id=11"), newer = Url("/video.aspx?id=12");
    ASSERT_EQ(1, CWebHtmlView::CheckAndNavigate(view.get(), older));
    ASSERT_EQ(1, CWebHtmlView::CheckAndNavigate(view.get(), newer));
    ASSERT_TRUE(WaitForDocuments(1));
    // Both checks have answered once each has asked the site for its page.
    for (int round = 0; round < 500 && site.Requests().size() < 3; ++round) WaitForDocuments(2);
    PumpWindowMessages();
    ASSERT_EQ(1u, view->documents.size());
    EXPECT_STREQ(newer, view->documents[0]);
}

TEST_F(ReachabilityCheck, WithoutTheMainDialogNothingIsChecked) {
    CAppFacade::GetInstance().SetMainDialog(nullptr);
    EXPECT_EQ(0, CWebHtmlView::CheckAndNavigate(view.get(), Url("/index.aspx")));
    Sleep(200);
    PumpWindowMessages();
    EXPECT_TRUE(site.Requests().empty());
    EXPECT_TRUE(view->documents.empty());
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
