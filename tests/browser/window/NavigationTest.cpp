// Links, navigations with headers and bodies, redirects, cookies, the event order,
// cancelling, and a modal dialog opened from the before-navigate event.
#include "BrowserFixture.h"

#include "files/ScratchFolder.h"

namespace browsertest {
namespace {

using Navigation = BrowserFixture;

TEST_F(Navigation, LinksGoToTheAddressResolvedAgainstThePage) {
    std::string port = std::to_string(server.Port());
    struct Case {
        const char* link;      // markup inside the body; the element clicked has id "go"
        std::string target;    // the request the click makes
        const wchar_t* frame;  // the target frame raised
    } cases[] = {
        {"<a id=\"go\" href=\"next.htm\">next</a>", "/dir/next.htm", L""},
        {"<a id=\"go\" href=\"/root.htm\">root</a>", "/root.htm", L""},
        {"<a id=\"go\" href=\"../up.htm?a=1\">up</a>", "/up.htm?a=1", L""},
        {"<a id=\"go\" href=\"?q=2\">query</a>", "/dir/page.htm?q=2", L""},
        {"<a href=\"next.htm\"><b>in <span id=\"go\">a span</span></b></a>", "/dir/next.htm", L""},
        {"<a id=\"go\" href=\"next.htm\" style=\"display: block\">block link</a>", "/dir/next.htm", L""},
        {"<a id=\"go\" href=\"next.htm\" target=\"_blank\">new window</a>", "/dir/next.htm", L"_blank"},
    };
    std::string absolute = "<a id=\"go\" href=\"http://127.0.0.1:" + port + "/abs?x=%41\">absolute</a>";
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back({absolute.c_str(), "/abs?x=%41", L""});
    for (const Case& c : all) {
        SCOPED_TRACE(c.link);
        SetPage("/dir/page.htm", std::string("<html><body><p>") + c.link + "</p></body></html>");
        ASSERT_TRUE(Open("/dir/page.htm?x=1"));
        server.ClearRequests();
        host.events.befores.clear();
        ASSERT_TRUE(ClickAndWait("#go"));
        ASSERT_EQ(1u, host.events.befores.size());
        EXPECT_EQ(Url(c.target), host.events.befores[0].Url);
        EXPECT_EQ(c.frame, host.events.befores[0].TargetFrame);
        ASSERT_EQ(1u, Requests().size());
        EXPECT_EQ(c.target, Requests()[0].target);
        EXPECT_EQ(Url(c.target), host.browser.GetLocationURL());
    }
}

TEST_F(Navigation, AScriptLinkIsRaisedAsItIsAndLoadsNothing) {
    SetPage("/buy.htm", "<html><body><a id=\"buy\" href=\"javascript:buyVideo(3)\">buy</a></body></html>");
    ASSERT_TRUE(Open("/buy.htm"));
    server.ClearRequests();
    ASSERT_TRUE(host.Click("#buy"));
    host.Settle();
    ASSERT_EQ(2u, host.events.befores.size());
    EXPECT_EQ(L"javascript:buyVideo(3)", host.events.befores[1].Url);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(1, host.events.documents);
    EXPECT_EQ(Url("/buy.htm"), host.browser.GetLocationURL());
    EXPECT_NE(nullptr, host.Select("#buy")) << "the page stays";
}

TEST_F(Navigation, APressOnOneLinkAndAReleaseOnAnotherGoesNowhere) {
    SetPage(
        "/two.htm",
        "<html><body><p><a id=\"a\" href=\"/a\">first</a></p><p><a id=\"b\" href=\"/b\">second</a></p></body></html>");
    ASSERT_TRUE(Open("/two.htm"));
    RECT a = {}, b = {};
    HTMLayoutGetElementLocation(host.Select("#a"), &a, VIEW_RELATIVE | BORDER_BOX);
    HTMLayoutGetElementLocation(host.Select("#b"), &b, VIEW_RELATIVE | BORDER_BOX);
    SendMessageW(host.View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.left + 2, a.top + 2));
    SendMessageW(host.View(), WM_LBUTTONUP, 0, MAKELPARAM(b.left + 2, b.top + 2));
    host.Settle();
    EXPECT_EQ(1u, host.events.befores.size());
}

TEST_F(Navigation, NavigateSendsTheHeadersAndTheBodyAsGiven) {
    struct Case {
        std::wstring headers;
        std::string body;
        const char* method;
    } cases[] = {
        {L"X-Player: 1\r\n", "", "GET"},
        {L"Content-Type: application/x-www-form-urlencoded\r\n", "a=1&b=%E4%B8%AD", "POST"},
        {L"Content-Type: text/plain\r\nX-Player: 2\r\n", std::string("bin\0ary", 7), "POST"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        server.ClearRequests();
        int documents = host.events.documents;
        host.browser.Navigate(Url("/take?id=5"), 0x40, L"frame", c.headers,
                              std::vector<BYTE>(c.body.begin(), c.body.end()));
        ASSERT_TRUE(host.WaitForDocuments(documents + 1));
        const auto& before = host.events.befores.back();
        EXPECT_EQ(0x40u, before.Flags);
        EXPECT_EQ(L"frame", before.TargetFrame);
        EXPECT_EQ(c.headers, before.Headers);
        EXPECT_EQ(c.body, std::string(before.PostData.begin(), before.PostData.end()));
        ASSERT_EQ(1u, Requests().size());
        HttpRequest request = Requests().at(0);
        EXPECT_EQ(c.method, request.method);
        EXPECT_EQ("/take?id=5", request.target);
        EXPECT_EQ(c.body, request.body);
        for (const char* name : {"X-Player", "Content-Type"}) {
            std::wstring line = Wide(name) + L": ";
            size_t at = c.headers.find(line);
            std::string expected =
                at == std::wstring::npos
                    ? ""
                    : Narrow(c.headers.substr(at + line.size(), c.headers.find(L"\r\n", at) - at - line.size()));
            EXPECT_EQ(expected, request.Header(name)) << name;
        }
    }
}

TEST_F(Navigation, RedirectsAreFollowedAndTheLastAddressIsThePages) {
    HttpReply moved;
    moved.status = 302;
    moved.AddHeader("Location", "/middle");
    SetReply("/old", moved);
    HttpReply again;
    again.status = 301;
    again.AddHeader("Location", server.Url("/new?n=1"));
    SetReply("/middle", again);
    ASSERT_TRUE(Open("/old"));
    EXPECT_EQ(Url("/new?n=1"), host.browser.GetLocationURL());
    EXPECT_EQ(L"/new", host.Text("#path"));
    EXPECT_EQ((std::vector<std::wstring>{L"before " + Url("/old"), L"navigate " + Url("/new?n=1"), L"command 1 0",
                                         L"command 2 0", L"document " + Url("/new?n=1")}),
              host.events.log);
}

TEST_F(Navigation, CookiesSetByOnePageGoWithTheNextRequests) {
    HttpReply set;
    set.body = PathPage("/set");
    set.AddHeader("Set-Cookie", "session=abc123; Path=/");
    SetReply("/set", set);
    ASSERT_TRUE(Open("/set"));
    ASSERT_TRUE(Open("/check"));
    host.browser.Navigate(Url("/post"), 0, L"", L"Content-Type: text/plain\r\n", std::vector<BYTE>{'x'});
    ASSERT_TRUE(host.WaitForDocuments(3));
    std::vector<HttpRequest> requests = Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ("", requests[0].Header("Cookie"));
    EXPECT_NE(std::string::npos, requests[1].Header("Cookie").find("session=abc123"));
    EXPECT_NE(std::string::npos, requests[2].Header("Cookie").find("session=abc123"));
}

TEST_F(Navigation, ACancelledNavigationRequestsNothingAndKeepsThePage) {
    SetPage("/stay.htm", "<html><body><a id=\"go\" href=\"/away\">away</a></body></html>");
    ASSERT_TRUE(Open("/stay.htm"));
    host.events.log.clear();
    server.ClearRequests();
    host.events.onBefore = [](const std::wstring&, bool& cancel) { cancel = true; };
    ASSERT_TRUE(host.Click("#go"));
    host.browser.Navigate(Url("/other"));
    host.Settle();
    EXPECT_EQ((std::vector<std::wstring>{L"before " + Url("/away"), L"before " + Url("/other")}), host.events.log);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Url("/stay.htm"), host.browser.GetLocationURL());
    EXPECT_NE(nullptr, host.Select("#go"));
}

// While a message box opened from the event is up, the page stays whole and a second
// click waits; the box is answered by a timer on the same thread, as a user would.
struct ModalState {
    BrowserHost* host = nullptr;
    std::wstring textWhileOpen;
    bool clickedDuringBox = false;
    int beforesWhileOpen = 0;
    bool answered = false;
};
ModalState* g_modal = nullptr;

VOID CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", L"确认");
    if (!box || !g_modal || g_modal->answered) return;
    g_modal->answered = true;
    KillTimer(nullptr, id);
    g_modal->textWhileOpen = g_modal->host->Text("#path");
    g_modal->clickedDuringBox = g_modal->host->Click("#second");
    g_modal->beforesWhileOpen = (int)g_modal->host->events.befores.size();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Navigation, AModalDialogFromTheEventLeavesThePageIntact) {
    SetPage("/first",
            "<html><body><p id=\"path\">first page</p><a id=\"go\" href=\"/next\">next</a> "
            "<a id=\"second\" href=\"/later\">later</a></body></html>");
    ASSERT_TRUE(Open("/first"));
    ModalState state;
    state.host = &host;
    g_modal = &state;
    int answer = 0;
    host.events.onBefore = [&](const std::wstring& url, bool&) {
        if (url != Url("/next")) return;
        SetTimer(nullptr, 0, 50, &AnswerBox);
        answer = MessageBoxW(host.Frame(), L"打开这个页面？", L"确认", MB_OKCANCEL);
    };
    ASSERT_TRUE(host.Click("#go"));
    ASSERT_TRUE(host.WaitForDocuments(3));
    g_modal = nullptr;
    EXPECT_EQ(IDOK, answer);
    EXPECT_EQ(L"first page", state.textWhileOpen);
    EXPECT_TRUE(state.clickedDuringBox);
    EXPECT_EQ(2, state.beforesWhileOpen) << "the second click waits for the first navigation";
    ASSERT_EQ(3u, host.events.befores.size());
    EXPECT_EQ(Url("/later"), host.events.befores[2].Url);
    EXPECT_EQ(Url("/later"), host.browser.GetLocationURL());
    std::vector<HttpRequest> requests = Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ("/next", requests[1].target);
    EXPECT_EQ("/later", requests[2].target);
}

TEST_F(Navigation, AnUnreachableAddressShowsAnErrorPageUnderThatAddress) {
    std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(UnusedLoopbackPort()) + L"/gone";
    host.browser.Navigate(refused);
    ASSERT_TRUE(host.WaitForDocuments(1));
    EXPECT_EQ(refused, host.browser.GetLocationURL());
    EXPECT_EQ(L"navigate " + refused, host.events.log[1]);
    EXPECT_NE(std::wstring::npos, host.Text("p").find(L"无法显示"));
}

TEST_F(Navigation, AServerErrorShowsItsBody) {
    HttpReply missing;
    missing.status = 404;
    missing.body = "<html><body><p id=\"path\">not here</p></body></html>";
    SetReply("/missing", missing);
    ASSERT_TRUE(Open("/missing"));
    EXPECT_EQ(L"not here", host.Text("#path"));
}

TEST_F(Navigation, LocalFilesLoadAndTheirLinksResolveToFiles) {
    ScratchFolder folder;
    std::wstring first =
        folder.Write(L"pages\\first.htm", "<html><body><a id=\"go\" href=\"second.htm\">second</a></body></html>");
    folder.Write(L"pages\\second.htm", "<html><body><p id=\"path\">second file</p></body></html>");
    host.browser.Navigate(first);
    ASSERT_TRUE(host.WaitForDocuments(1));
    EXPECT_EQ(first, host.browser.GetLocationURL());
    ASSERT_TRUE(ClickAndWait("#go"));
    EXPECT_EQ(L"second file", host.Text("#path"));
    EXPECT_TRUE(Requests().empty());
}

// The items of the popup menu shown now, read by a timer while it is up, then closed.
std::vector<std::wstring>* g_menuItems = nullptr;

VOID CALLBACK ReadMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !g_menuItems) return;
    KillTimer(nullptr, id);
    HMENU menu = (HMENU)SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(menu, (UINT)i, text, 32, MF_BYPOSITION);
        bool grayed = GetMenuState(menu, (UINT)i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
        g_menuItems->push_back(std::wstring(text) + (grayed ? L" off" : L" on"));
    }
    EndMenu();
}

TEST_F(Navigation, TheHostMayTakeTheContextMenuElseTheBrowserShowsItsOwn) {
    ASSERT_TRUE(Open("/a"));
    ASSERT_TRUE(Open("/b"));
    POINT point = {20, 20};
    ClientToScreen(host.View(), &point);
    std::vector<std::wstring> items;
    g_menuItems = &items;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, &ReadMenu);
    host.events.takeContextMenu = true;
    SendMessageW(host.View(), WM_CONTEXTMENU, (WPARAM)host.View(), MAKELPARAM(point.x, point.y));
    EXPECT_EQ(1, host.events.contextMenus);
    EXPECT_TRUE(items.empty()) << "no menu while the host takes it";
    host.events.takeContextMenu = false;
    SendMessageW(host.View(), WM_CONTEXTMENU, (WPARAM)host.View(), MAKELPARAM(point.x, point.y));
    KillTimer(nullptr, timer);
    g_menuItems = nullptr;
    EXPECT_EQ(2, host.events.contextMenus);
    EXPECT_EQ((std::vector<std::wstring>{L"后退 on", L"前进 off", L"刷新 on"}), items);
}

}  // namespace
}  // namespace browsertest
