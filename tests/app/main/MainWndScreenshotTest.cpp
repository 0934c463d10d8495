// Screenshots of the main window as the user sees it, kept as
// build/.../tests/app/artifacts/main-window-<width>x<height>.png, with probes of what
// the layout placed.
#include "MainWndFixture.h"

#include "WindowCapture.h"
#include "account/LoginAccount.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "facade/AppFacade.h"
#include "web/WebInfo.h"

namespace {

class MainWndScreenshot : public MainWndTest, public testing::WithParamInterface<SIZE> {};

TEST_P(MainWndScreenshot, ShowsTheAccountCategoriesAndPlayList) {
    SIZE size = GetParam();
    Open(size.cx, size.cy);
    // The start view floors the width at 1025; the shot is of the size asked for.
    ::MoveWindow(DialogHwnd(), kDialogAt.x, kDialogAt.y, size.cx, size.cy, TRUE);
    FollowDialog();
    LOGIN_ACCOUNT account;
    account.UserName = L"tom";
    account.NickName = L"汤姆";
    account.Points = 120;
    account.Gold = 35;
    Manager().ShowAccount(account);
    const wchar_t* categories[] = {L"热血动画", L"少儿益智", L"经典回顾", L"科幻冒险"};
    for (const wchar_t* name : categories)
        Wnd().PostMessage(WM_VIDEO_CATEGORY_ITEM,
                          (WPARAM) new BASE_WEB_INFO(name, CString(L"http://127.0.0.1/c/") + name), 0);
    Wnd().AddPlayListItem(L"C:\\videos\\第1集.xof", L"第1集", false);
    Wnd().AddPlayListItem(L"C:\\videos\\第2集.xof", L"第2集", true);
    Wnd().AddPlayListItem(L"C:\\videos\\第3集.xof", L"第3集", false);
    PumpFor(100);
    Wnd().UpdateWindow();
    PumpFor(50);

    WindowCapture shot(DialogHwnd());
    CString artifacts = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(artifacts, nullptr);
    CString name;
    name.Format(L"main-window-%dx%d.png", size.cx, size.cy);
    ASSERT_TRUE(shot.SavePng(artifacts + name));

    RECT left = ElementRect(L"left"), right = ElementRect(L"right"), middle = ElementRect(L"middle");
    EXPECT_EQ(197, left.right - left.left);
    EXPECT_EQ(234, right.right - right.left);
    EXPECT_EQ(size.cx, right.right) << "the right panel ends at the window's edge";
    // The seek bar's place and the play controls' row lie above the video area, which
    // reaches the bottom (the browser, the play dialog and the strip share it).
    RECT progress = Wnd().GetProgressRect();
    EXPECT_EQ(ElementRect(L"bottom").bottom + 1, middle.top) << "the play controls and their border line above the video area";
    EXPECT_LE(progress.bottom, ElementRect(L"bottom").top) << "the seek bar above the play controls";
    EXPECT_EQ(380, progress.right - progress.left);
    EXPECT_EQ(50, progress.bottom - progress.top);

    RECT playing = htmlayout::dom::element(Manager().GetElementById(L"playing-video")).location();
    RECT category = htmlayout::dom::element(Manager().GetElementById(L"video-subcategory").child_at(0)).location();
    RECT nick = ElementRect(L"user-name");
    auto count = [&](RECT r, bool (*looks)(COLORREF)) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += looks(shot.Pixel(x, y)) ? 1 : 0;
        return n;
    };
    auto orange = [](COLORREF c) { return GetRValue(c) > 170 && GetGValue(c) < 140 && GetBValue(c) < 80; };
    auto dark = [](COLORREF c) { return GetRValue(c) < 110 && GetGValue(c) < 110 && GetBValue(c) < 110; };
    auto blue = [](COLORREF c) { return GetBValue(c) > 120 && GetRValue(c) < 90; };
    auto black = [](COLORREF c) { return c == RGB(0, 0, 0); };
    EXPECT_GT(count(playing, orange), 10) << "the playing item's orange title";
    EXPECT_GT(count(category, dark), 10) << "the first category's text";
    EXPECT_GT(count(nick, blue), 10) << "the signed-in nick name";
    EXPECT_TRUE(blue(shot.Pixel(size.cx / 2, 18))) << "the title bar";
    RECT centre = {(middle.left + middle.right) / 2 - 5, 300, (middle.left + middle.right) / 2 + 5, 310};
    EXPECT_EQ(100, count(centre, black)) << "the video area";
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWndScreenshot, testing::Values(SIZE{1024, 753}, SIZE{1300, 800}),
                         [](const testing::TestParamInfo<SIZE>& info) {
                             return std::to_string(info.param.cx) + "x" + std::to_string(info.param.cy);
                         });

}  // namespace
