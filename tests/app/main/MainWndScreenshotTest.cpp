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

    RECT left = ElementRect(L"left"), right = ElementRect(L"right"), top = ElementRect(L"top1");
    EXPECT_EQ(197, left.right - left.left);
    EXPECT_EQ(234, right.right - right.left);
    EXPECT_EQ(size.cx, right.right) << "the right panel ends at the window's edge";
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWndScreenshot, testing::Values(SIZE{1024, 753}, SIZE{1300, 800}),
                         [](const testing::TestParamInfo<SIZE>& info) {
                             return std::to_string(info.param.cx) + "x" + std::to_string(info.param.cy);
                         });

}  // namespace
