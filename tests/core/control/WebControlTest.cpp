#include <gtest/gtest.h>

#include "common/PostOwnedMessage.h"
#include "control/WebControl.h"
#include "common/WindowMessages.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"
#include "services/AccountWebService.h"
#include "support/ServiceConfigFile.h"
#include "web/WebInfo.h"

namespace {

// A message-only window of the test thread, destroyed with the object.
class MessageWindow {
public:
    MessageWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() {
        if (IsWindow(m_window)) DestroyWindow(m_window);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

struct PostedItem {
    UINT message;
    std::unique_ptr<BASE_WEB_INFO> item;
};

// Takes the catalogue messages posted to the window until count arrived or the time is up.
std::vector<PostedItem> Receive(HWND window, size_t count, DWORD timeoutMs) {
    std::vector<PostedItem> items;
    DWORD start = GetTickCount();
    while (items.size() < count && GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageW(&msg, window, WM_VIDEO_CATEGORY_ITEM, WM_RECENT_UPLOAD_ITEM, PM_REMOVE))
            items.push_back({msg.message, std::unique_ptr<BASE_WEB_INFO>((BASE_WEB_INFO*)msg.wParam)});
        Sleep(10);
    }
    return items;
}

TEST(WebControlTest, PostsTheRecentUploadsFirstThenTheCategories) {
    AccountWebService service;
    service.SetCategoryList(
        "<ReturnData><Datas><item><catename>C1</catename><url>c1</url></item>"
        "<item><catename>C2</catename><url>c2</url></item></Datas></ReturnData>");
    service.SetRecentUploadList(
        "<ReturnData><Datas><item><title>V1</title><url>u</url><imageurl>i</imageurl><brief>b</brief>"
        "<price>1</price></item></Datas></ReturnData>");
    ServiceConfigFile config(service.ConfigText());
    FakeWindows windows;
    MessageWindow window;
    windows.mainWnd.m_hWnd = window.Get();

    CWebControl control(&windows.mainWnd, nullptr);
    control.Execute(CMD_PLAY_FILE, nullptr);  // not its code: nothing is fetched
    control.Execute(CMD_MAIN_WINDOW_CREATED, nullptr);
    std::vector<PostedItem> items = Receive(window.Get(), 3, 10000);
    windows.mainWnd.m_hWnd = nullptr;

    ASSERT_EQ(3u, items.size());
    EXPECT_EQ((UINT)WM_RECENT_UPLOAD_ITEM, items[0].message);
    auto* video = dynamic_cast<WEB_INFO_NEWESE_VIDEO*>(items[0].item.get());
    ASSERT_NE(nullptr, video);
    EXPECT_STREQ(L"V1", video->name);
    EXPECT_STREQ(L"1", video->price);
    EXPECT_EQ((UINT)WM_VIDEO_CATEGORY_ITEM, items[1].message);
    EXPECT_STREQ(L"C1", items[1].item->name);
    EXPECT_EQ((UINT)WM_VIDEO_CATEGORY_ITEM, items[2].message);
    EXPECT_STREQ(L"c2", items[2].item->url);
    EXPECT_EQ(2u, service.Requests().size());
}

TEST(WebControlTest, WithoutAMainWindowNothingIsFetched) {
    AccountWebService service;
    ServiceConfigFile config(service.ConfigText());
    FakeWindows windows(false);
    CWebControl control(nullptr, nullptr);
    control.Execute(CMD_MAIN_WINDOW_CREATED, nullptr);
    Sleep(200);
    EXPECT_TRUE(service.Requests().empty());
}

// Counts its destructions.
struct CountedPayload {
    explicit CountedPayload(int& destroyed) : destroyed(destroyed) {}
    ~CountedPayload() { ++destroyed; }
    int& destroyed;
};

TEST(PostOwnedMessageTest, APayloadThatCannotBePostedIsFreed) {
    int destroyed = 0;
    MessageWindow window;
    HWND gone = nullptr;
    {
        MessageWindow closed;
        gone = closed.Get();
    }
    EXPECT_FALSE(PostOwnedMessage(gone, WM_APP, std::make_unique<CountedPayload>(destroyed)));
    EXPECT_EQ(1, destroyed);
    EXPECT_FALSE(PostOwnedMessage(nullptr, WM_APP, std::make_unique<CountedPayload>(destroyed)));
    EXPECT_EQ(2, destroyed);

    ASSERT_TRUE(PostOwnedMessage(window.Get(), WM_APP, std::make_unique<CountedPayload>(destroyed)));
    EXPECT_EQ(2, destroyed);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, window.Get(), WM_APP, WM_APP, PM_REMOVE));
    delete (CountedPayload*)msg.wParam;
    EXPECT_EQ(3, destroyed);
}

TEST(PostOwnedMessageTest, BothPayloadsGoToTheWindowOrAreFreed) {
    int destroyed = 0;
    MessageWindow window;
    HWND gone = nullptr;
    {
        MessageWindow closed;
        gone = closed.Get();
    }
    EXPECT_FALSE(PostOwnedMessage(gone, WM_APP, std::make_unique<CountedPayload>(destroyed),
                                  std::make_unique<CountedPayload>(destroyed)));
    EXPECT_EQ(2, destroyed);

    ASSERT_TRUE(PostOwnedMessage(window.Get(), WM_APP, std::make_unique<CountedPayload>(destroyed),
                                 std::make_unique<CountedPayload>(destroyed)));
    EXPECT_EQ(2, destroyed);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, window.Get(), WM_APP, WM_APP, PM_REMOVE));
    ASSERT_NE(msg.wParam, (WPARAM)msg.lParam);
    delete (CountedPayload*)msg.wParam;
    delete (CountedPayload*)msg.lParam;
    EXPECT_EQ(4, destroyed);
}

}  // namespace
