// The album page's form submitted in the browser, handled by the player as the web
// view does: posted by the player, the reply's files handed to the download control.
#include <gtest/gtest.h>

#include <memory>

#include "BrowserWindow.h"
#include "account/LoginAccount.h"
#include "config/UserConfig.h"
#include "download/DownloadRecords.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "services/CatalogueSite.h"
#include "web/MultiDownloadPost.h"
#include "web/SessionQuery.h"
#include "RecordingDownloads.h"
#include "DialogDriver.h"

namespace {

// Handles the multi-download post and cancels it, as the web view's first rule does.
class ViewEvents : public IBrowserEvents {
public:
    void BeforeNavigate2(const std::wstring& url, DWORD, const std::wstring&, const std::vector<BYTE>& postData,
                         const std::wstring&, bool& cancel) override {
        if (ClassifyNavigation(url.c_str(), service) != WEB_NAV_MULTI_DOWNLOAD || postData.empty()) return;
        ++posts;
        handled = PostMultiDownload(view, url.c_str(), postData);
        cancel = true;
    }
    void DocumentComplete(const std::wstring&) override { ++documents; }
    CString service;
    HWND view = nullptr;
    int posts = 0;
    int documents = 0;
    bool handled = false;
};

class MultiDownloadPost : public ::testing::Test {
protected:
    void SetUp() override {
        account.UserName = L"tom";
        account.Sid = L"S9";
        CAppFacade::GetInstance().SetCurrentAccount(&account, L"TOK");
        RecordingDownloads::Installed().lists.clear();
        frame = CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                              nullptr, nullptr);
        ASSERT_TRUE(browser.Create(frame, RECT{0, 0, 800, 600}, 1, &events));
        events.view = browser.GetHwnd();
        std::string start = site.Url("/index.aspx");
        events.service = CString(start.c_str());
    }
    void TearDown() override {
        CAppFacade::GetInstance().SetCurrentAccount(nullptr, CString());
        DestroyWindow(frame);
    }
    // Pumps until the count is reached (false after 10 s).
    bool Pump(const int& counter, int count) {
        for (int round = 0; round < 1000 && counter < count; ++round) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
        return counter >= count;
    }
    void Click(const char* selector) {
        HELEMENT root = nullptr, found = nullptr;
        HTMLayoutGetRootElement(browser.GetHwnd(), &root);
        HTMLayoutSelectElements(root, selector, &TakeFirst, &found);
        ASSERT_NE(nullptr, found) << selector;
        RECT box = {};
        HTMLayoutGetElementLocation(found, &box, VIEW_RELATIVE | BORDER_BOX);
        LPARAM point = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageW(browser.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(browser.GetHwnd(), WM_LBUTTONUP, 0, point);
    }
    static BOOL CALLBACK TakeFirst(HELEMENT he, LPVOID param) {
        *static_cast<HELEMENT*>(param) = he;
        return TRUE;
    }

    LOGIN_ACCOUNT account;
    CatalogueSite site;
    ViewEvents events;
    CBrowserWindow browser;
    HWND frame = nullptr;
};

TEST_F(MultiDownloadPost, TheTickedFilesOfTheAlbumReachTheDownloadControlOnlyWhenThePostSucceeds) {
    struct Case {
        AlbumReplyMode mode;
        bool added;
    } cases[] = {{AlbumReplyMode::List, true}, {AlbumReplyMode::ServerError, false}, {AlbumReplyMode::Dropped, false}};
    CString user = CUserConfig::GetInstance().GetCurrentUser();
    for (const Case& c : cases) {
        SCOPED_TRACE((int)c.mode);
        site.SetAlbumReplyMode(c.mode);
        RecordingDownloads::Installed().lists.clear();
        int documents = events.documents, posts = events.posts;
        browser.Navigate(CString(site.Url("/album.aspx?id=7").c_str()).GetString());
        ASSERT_TRUE(Pump(events.documents, documents + 1));
        Click("#file101");
        Click("#file103");
        Click("#submit");
        ASSERT_TRUE(Pump(events.posts, posts + 1));
        EXPECT_EQ(c.added, events.handled);
        PumpWindowMessages();  // a page the post would load is queued by now
        EXPECT_EQ(documents + 1, events.documents) << "the cancelled post loads no page";
        HttpRequest post = site.Requests().back();
        EXPECT_EQ("POST", post.method);
        EXPECT_EQ("albumid=7&fileid=101&fileid=103", post.body);
        EXPECT_EQ("application/x-www-form-urlencoded", post.Header("Content-Type"));
        auto& lists = RecordingDownloads::Installed().lists;
        if (!c.added) {
            EXPECT_TRUE(lists.empty());
            continue;
        }
        ASSERT_EQ(1u, lists.size());
        const auto& items = *lists[0];
        ASSERT_EQ(2u, items.size());
        EXPECT_EQ(101, items[0].Task.FileID);
        EXPECT_EQ(103, items[1].Task.FileID);
        EXPECT_EQ(12LL * 1048576, items[0].Task.FileSize);
        EXPECT_STREQ(CString((site.Url("/files/101.flv") + "?zemoid=TOK&sid=S9").c_str()), items[0].Task.DownloadUrl);
        CString name = L"\\经典合集_3_第三集_" + user + L".mp4";
        EXPECT_EQ(items[1].Task.FilePath.GetLength() - name.GetLength(), items[1].Task.FilePath.Find(name))
            << (LPCWSTR)items[1].Task.FilePath;
    }
}

}  // namespace
