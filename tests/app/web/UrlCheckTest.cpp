#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/WindowMessages.h"
#include "files/ScratchFolder.h"
#include "http/LoopbackHttpServer.h"
#include "web/UrlCheck.h"

namespace {

// Answers /ok with 200, /moved with 302 to /ok, /gone with 404, /broken with 500.
class UrlCheck : public ::testing::Test {
protected:
    CString Url(const std::string& path) const { return CString(server.Url(path).c_str()); }
    LoopbackHttpServer server{[](const HttpRequest& request, HttpReply& reply) {
        std::string path = request.Path();
        if (path == "/ok" || path == "/Mixed/Case") {
            reply.body = "<html>ok</html>";
        } else if (path == "/moved") {
            reply.status = 302;
            reply.AddHeader("Location", "/ok");
        } else if (path == "/moved-away") {
            reply.status = 302;
            reply.AddHeader("Location", "/gone");
        } else {
            reply.status = path == "/broken" ? 500 : 404;
        }
    }};
};

TEST_F(UrlCheck, APageAnswersWith200Or302) {
    CString port;
    port.Format(L"%u", server.Port());
    CString refused;
    refused.Format(L"http://127.0.0.1:%u/ok", UnusedLoopbackPort());
    struct Case {
        CString url;
        bool reachable;
    } cases[] = {
        {Url("/ok"), true},
        {Url("/moved"), true},
        {Url("/moved-away"), false},
        {Url("/gone"), false},
        {Url("/broken"), false},
        {L"127.0.0.1:" + port + L"/ok", true},
        {L"HTTP://127.0.0.1:" + port + L"/ok", true},
        {L"HTTP://127.0.0.1:" + port + L"/Mixed/Case", true},
        {refused, false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.reachable, IsUrlReachable(c.url)) << (LPCWSTR)c.url;
}

TEST_F(UrlCheck, TheAddressIsRequestedAsItIsGiven) {
    CString url;
    url.Format(L"HTTP://127.0.0.1:%u/Mixed/Case?Q=Ab", server.Port());
    ASSERT_TRUE(IsUrlReachable(url));
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ("/Mixed/Case?Q=Ab", server.Requests()[0].target);
}

// A window that keeps the results the check threads send it.
class ResultWindow {
public:
    ResultWindow() {
        m_hwnd = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, (LONG_PTR)this);
        m_old = (WNDPROC)SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, (LONG_PTR)&Proc);
    }
    ~ResultWindow() { DestroyWindow(m_hwnd); }
    HWND Hwnd() const { return m_hwnd; }
    bool WaitFor(size_t count) {
        for (int round = 0; round < 1000 && results.size() < count; ++round) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT | QS_SENDMESSAGE);
        }
        return results.size() >= count;
    }
    std::vector<std::unique_ptr<URL_CHECK_RESULT>> results;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = (ResultWindow*)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
        if (msg == WM_URL_CHECK_RESULT) {
            self->results.emplace_back((URL_CHECK_RESULT*)wParam);
            return 1;
        }
        return CallWindowProcW(self->m_old, hwnd, msg, wParam, lParam);
    }
    HWND m_hwnd;
    WNDPROC m_old;
};

TEST_F(UrlCheck, TheResultNamesTheReasonAPageIsNotShown) {
    CString refused;
    refused.Format(L"http://127.0.0.1:%u/", UnusedLoopbackPort());
    struct Case {
        CString url, home;
        int ok;
        CString message;
    } cases[] = {
        {Url("/ok"), refused, 1, L""},
        {Url("/gone"), Url("/ok"), 0, L"对不起，该页面失效了！"},
        {Url("/gone"), refused, 0, GetNetworkErrorText()},
        {refused, refused, 0, GetNetworkErrorText()},
    };
    ResultWindow window;
    LONG lastId = 0;
    for (const auto& c : cases) {
        size_t before = window.results.size();
        LONG id = StartUrlCheck(window.Hwnd(), c.url, c.home);
        ASSERT_GT(id, lastId) << "numbers rise";
        lastId = id;
        ASSERT_TRUE(window.WaitFor(before + 1));
        const URL_CHECK_RESULT& result = *window.results.back();
        EXPECT_EQ(c.ok, result.Ok) << (LPCWSTR)c.url;
        EXPECT_STREQ(c.url, result.Url);
        EXPECT_STREQ(c.message, result.Message);
        EXPECT_EQ(id, result.Id);
    }
    EXPECT_STREQ(L"无法访问该页面，问题的原因可能是：您的网线没插好，或是您未正确设置网络连接。",
                 GetNetworkErrorText());
}

TEST(ErrorPage, TheParagraphsOfTheDivGiveWayToTheMessage) {
    struct Case {
        const char* file;  // null: no file
        bool written;
        const char* after;  // the file's text afterwards; null: as it was
    } cases[] = {
        {"<html><body><div><p>old</p>\n<p>older</p>\n<b>kept</b></div></body></html>", true,
         "<html><body><div><b>kept</b><p>\xE6\xB6\x88\xE6\x81\xAF</p>\r\n</div></body></html>"},
        {"<html><body><div></div></body></html>", true,
         "<html><body><div><p>\xE6\xB6\x88\xE6\x81\xAF</p>\r\n</div></body></html>"},
        {"<html><body><p>no div</p></body></html>", false, nullptr},
        {"", false, nullptr},
        {nullptr, false, nullptr},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        CString path = folder.File(L"error.html").c_str();
        if (c.file) folder.Write(L"error.html", c.file);
        EXPECT_EQ(c.written, WriteErrorPage(path, L"消息")) << (c.file ? c.file : "no file");
        if (c.file)
            EXPECT_EQ(c.after ? c.after : c.file, folder.Read(L"error.html"));
        else
            EXPECT_FALSE(folder.Exists(L"error.html"));
    }
}

}  // namespace
