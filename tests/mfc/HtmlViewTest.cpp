// The HTML view in a real window over a loopback site: its events as virtual
// functions, a navigation replaced from OnBeforeNavigate2, sizing, and a window that
// goes without taking the object with it.
#include <gtest/gtest.h>

#include <afxhtml.h>

#include <string>
#include <vector>

#include "http/LoopbackHttpServer.h"

namespace {

const UINT WM_TEST_NAVIGATE = WM_APP + 7;

// Cancels every navigation without "ok=1" and posts itself the same address with it,
// as the player's web view adds its session keys.
class CRewritingView : public CHtmlView {
public:
    std::vector<std::wstring> log;
    int initialUpdates = 0;
    bool* destroyed = nullptr;
    HRESULT contextMenuAnswer = S_OK;
    ~CRewritingView() override {
        if (destroyed) *destroyed = true;
    }

protected:
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR, const std::vector<BYTE>& postData, LPCTSTR headers,
                           BOOL* cancel) override {
        std::wstring address = url;
        log.push_back(L"before " + address + L" " + std::to_wstring(postData.size()) + L" " + headers);
        if (address.find(L"ok=1") != std::wstring::npos) return;
        *cancel = TRUE;
        m_pending = address + (address.find(L'?') == std::wstring::npos ? L"?ok=1" : L"&ok=1");
        m_pendingBody = postData;
        m_pendingHeaders = headers;
        m_pendingFlags = flags;
        PostMessage(WM_TEST_NAVIGATE);
    }
    void OnDocumentComplete(LPCTSTR url) override { log.push_back(std::wstring(L"document ") + url); }
    void OnCommandStateChange(long command, BOOL enable) override {
        log.push_back(L"command " + std::to_wstring(command) + (enable ? L" 1" : L" 0"));
    }
    HRESULT OnShowContextMenu(POINT) override {
        log.push_back(L"context menu");
        return contextMenuAnswer;
    }
    afx_msg LRESULT OnTestNavigate(WPARAM, LPARAM) {
        Navigate2(m_pending.c_str(), m_pendingFlags, nullptr, m_pendingHeaders.c_str(),
                  m_pendingBody.empty() ? nullptr : m_pendingBody.data(), (DWORD)m_pendingBody.size());
        return 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_pending, m_pendingHeaders;
    std::vector<BYTE> m_pendingBody;
    DWORD m_pendingFlags = 0;
};

BEGIN_MESSAGE_MAP(CRewritingView, CHtmlView)
ON_MESSAGE(WM_TEST_NAVIGATE, OnTestNavigate)
END_MESSAGE_MAP()

class HtmlView : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0));
        view = new CRewritingView;
        view->destroyed = &destroyed;
        ASSERT_TRUE(view->Create(nullptr, L"AnyWindowName1", WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, &parent, 0xE901,
                                 nullptr));
    }
    void TearDown() override {
        delete view;
        EXPECT_TRUE(destroyed);
    }
    bool WaitForDocument() {
        for (int round = 0; round < 500; ++round) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            for (const auto& line : view->log)
                if (line.rfind(L"document", 0) == 0) return true;
            Sleep(10);
        }
        return false;
    }
    std::wstring Url(const std::string& path) const {
        std::string url = server.Url(path);
        return std::wstring(url.begin(), url.end());
    }

    LoopbackHttpServer server{
        [](const HttpRequest&, HttpReply& reply) { reply.body = "<html><body>page</body></html>"; }};
    CWnd parent;
    CRewritingView* view = nullptr;
    bool destroyed = false;
};

TEST_F(HtmlView, ANavigationReplacedFromTheEventKeepsItsBodyAndHeaders) {
    EXPECT_EQ(0xE901, view->GetDlgCtrlID());
    view->SendMessage(WM_INITIALUPDATE);
    EXPECT_EQ(1, view->initialUpdates);
    const char body[] = "a=1";
    view->Navigate2(Url("/page").c_str(), 0, nullptr, L"Content-Type: application/x-www-form-urlencoded\r\n",
                    (LPVOID)body, 3);
    ASSERT_TRUE(WaitForDocument());
    std::wstring headers = L"Content-Type: application/x-www-form-urlencoded\r\n";
    EXPECT_EQ((std::vector<std::wstring>{L"before " + Url("/page") + L" 3 " + headers,
                                         L"before " + Url("/page?ok=1") + L" 3 " + headers, L"command 1 0",
                                         L"command 2 0", L"document " + Url("/page?ok=1")}),
              view->log);
    std::vector<HttpRequest> requests = server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("POST", requests[0].method);
    EXPECT_EQ("/page?ok=1", requests[0].target);
    EXPECT_EQ("a=1", requests[0].body);
    EXPECT_EQ(CString(Url("/page?ok=1").c_str()), view->GetLocationURL());
}

TEST_F(HtmlView, TheBrowserFillsTheViewAndTheContextMenuIsOffered) {
    view->MoveWindow(0, 24, 500, 300);
    RECT browser = {};
    ::GetClientRect(view->GetBrowser().GetHwnd(), &browser);
    EXPECT_EQ(500, browser.right);
    EXPECT_EQ(300, browser.bottom);
    POINT point = {10, 10};
    ::ClientToScreen(view->m_hWnd, &point);
    ::SendMessageW(view->GetBrowser().GetHwnd(), WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(std::vector<std::wstring>{L"context menu"}, view->log);
}

TEST_F(HtmlView, DestroyingTheWindowLeavesTheObjectToItsOwner) {
    HWND browser = view->GetBrowser().GetHwnd();
    view->DestroyWindow();
    EXPECT_FALSE(IsWindow(browser));
    EXPECT_FALSE(destroyed) << "the view must not delete itself";
    EXPECT_EQ(nullptr, view->m_hWnd);
}

}  // namespace
