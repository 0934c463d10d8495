// The loopback catalogue site walked in the browser as a user would: start page,
// category, album, the multi-download form posted, a missing page; with a screenshot.
#include "BrowserFixture.h"

#include <objidl.h>
#include <gdiplus.h>

#include "HttpExchange.h"
#include "images/PngFile.h"
#include "services/CatalogueSite.h"

namespace browsertest {
namespace {

class Catalogue : public ::testing::Test {
protected:
    bool Open(const std::string& path) {
        int documents = host.events.documents;
        host.browser.Navigate(Wide(site.Url(path)));
        return host.WaitForDocuments(documents + 1);
    }
    bool ClickAndWait(const char* selector) {
        int documents = host.events.documents;
        return host.Click(selector) && host.WaitForDocuments(documents + 1);
    }
    CatalogueSite site;
    BrowserHost host;
};

// The browser window's pixels as the screen shows them, into a PNG beside the test program.
void SaveScreenshot(HWND window, const wchar_t* name) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, nullptr));
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"artifacts\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    bool saved = zemotest::WritePng(folder + name, width, height, [&](int x, int y) {
        COLORREF c = GetPixel(memory, x, y);
        return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c));
    });
    Gdiplus::GdiplusShutdown(token);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    EXPECT_TRUE(saved);
}

TEST_F(Catalogue, TheAlbumFormIsPostedWithTheTickedFilesAndAnsweredWithThePlist) {
    ASSERT_TRUE(Open("/index.aspx"));
    EXPECT_EQ(L"视频首页", host.Text("#title"));
    ASSERT_TRUE(ClickAndWait("#category1"));
    EXPECT_EQ(Wide(site.Url("/category.aspx?id=1")), host.browser.GetLocationURL());
    ASSERT_TRUE(ClickAndWait("#album"));
    EXPECT_EQ(L"经典合集", host.Text("#title"));
    ASSERT_TRUE(host.Click("#file101"));
    ASSERT_TRUE(host.Click("#file103"));
    host.Settle();
    SaveScreenshot(host.Frame(), L"browser-catalogue-album.png");
    site.ClearRequests();
    ASSERT_TRUE(ClickAndWait("#submit"));

    const auto& before = host.events.befores.back();
    EXPECT_EQ(Wide(site.Url("/album.aspx?Action=multidownload&id=7")), before.Url);
    EXPECT_EQ("albumid=7&fileid=101&fileid=103", std::string(before.PostData.begin(), before.PostData.end()));
    ASSERT_EQ(1u, site.Requests().size());
    HttpRequest post = site.Requests()[0];
    EXPECT_EQ("POST", post.method);
    EXPECT_EQ("application/x-www-form-urlencoded", post.Header("Content-Type"));
    std::wstring shown = host.Text(nullptr);
    EXPECT_NE(std::wstring::npos, shown.find(L"第一集"));
    EXPECT_NE(std::wstring::npos, shown.find(L"第三集"));
    EXPECT_EQ(std::wstring::npos, shown.find(L"第二集"));
}

TEST_F(Catalogue, TheAlbumPostIsAnsweredByItsMode) {
    std::string body = "albumid=7&fileid=102%2C101";
    struct Case {
        AlbumReplyMode mode;
        bool delivered;
        DWORD status;
        std::string reply;
    } cases[] = {
        {AlbumReplyMode::List, true, 200, CatalogueSite::AlbumPlist(site.ListedAlbum(), {102, 101})},
        {AlbumReplyMode::ServerError, true, 500, ""},
        {AlbumReplyMode::Dropped, false, 200, ""},
    };
    for (const Case& c : cases) {
        site.SetAlbumReplyMode(c.mode);
        HTTP_EXCHANGE exchange;
        exchange.Url = Wide(site.Url("/album.aspx?Action=multidownload&id=7"));
        exchange.Body = &body;
        exchange.ContentType = L"application/x-www-form-urlencoded";
        exchange.TimeoutMs = 5000;
        HTTP_TEXT_REPLY reply;
        ASSERT_EQ(c.delivered, HttpExchangeText(exchange, 1 << 20, reply)) << (int)c.mode;
        if (!c.delivered) continue;
        EXPECT_EQ(c.status, reply.Status);
        EXPECT_EQ(c.reply, reply.Body);
    }
    std::string plist = CatalogueSite::AlbumPlist(site.Album(), {102, 101});
    EXPECT_LT(plist.find("<integer>102</integer>"), plist.find("<integer>101</integer>")) << "in the order posted";
    EXPECT_NE(std::string::npos, plist.find("<key>kFileSize</key><integer>8</integer>"));
    EXPECT_NE(std::string::npos, plist.find("<key>kFileType</key><string>.flv</string>"));
}

TEST_F(Catalogue, PagesLinkToEachOtherAndMissingOnesAnswer404) {
    ASSERT_TRUE(Open("/category.aspx?id=2"));
    ASSERT_TRUE(ClickAndWait("#video21"));
    EXPECT_EQ(L"经典老歌", host.Text("#title"));
    ASSERT_TRUE(host.browser.GoBack());
    ASSERT_TRUE(host.WaitForDocuments(3));
    ASSERT_TRUE(ClickAndWait("#home"));
    EXPECT_EQ(Wide(site.Url("/index.aspx")), host.browser.GetLocationURL());
    for (const char* missing : {"/video.aspx?id=99", "/album.aspx?id=1", "/nothing"}) {
        HTTP_EXCHANGE exchange;
        exchange.Url = Wide(site.Url(missing));
        exchange.TimeoutMs = 5000;
        HTTP_TEXT_REPLY reply;
        ASSERT_TRUE(HttpExchangeText(exchange, 1 << 20, reply)) << missing;
        EXPECT_EQ(404u, reply.Status) << missing;
        ASSERT_TRUE(Open(missing));
        EXPECT_EQ(L"404", host.Text("#title")) << missing;
    }
}

}  // namespace
}  // namespace browsertest
