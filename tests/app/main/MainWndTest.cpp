#include "MainWndFixture.h"

#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"

namespace {

TEST_F(MainWndTest, CreationLoadsThePageAndOpensTheStartView) {
    Open();
    EXPECT_TRUE(Wnd().IsCreated());
    EXPECT_EQ(&windows.dlgPlay, Wnd().GetDlgPlay());
    EXPECT_TRUE(Manager().GetRootElement().is_valid());
    EXPECT_NE(nullptr, Manager().GetElementObject(L"video-tab"));
    EXPECT_TRUE(Called("OpenBrowserPage " + service.Url("/index.aspx"))) << "an empty play list starts on the home page";
}

TEST_F(MainWndTest, CreationMakesTheDownloadControlThatGivesThePlayListTitles) {
    Open();
    // The download control finds its window through the play dialog and answers the
    // title of a play-list path: the file name without folder and extension.
    CString title = L"C:\\videos\\第1集.xof";
    CAppFacade::GetInstance().Broadcast(CMD_GET_FILE_TITLE, &title);
    EXPECT_STREQ(L"第1集", title);
}

TEST_F(MainWndTest, WithoutItsPageCreationFails) {
    CString page = GetProgramFolder() + L"mainwnd.html", away = page + L".away";
    ASSERT_TRUE(MoveFileW(page, away));
    RECT r = {kDialogAt.x, kDialogAt.y, kDialogAt.x + 1024, kDialogAt.y + 753};
    ASSERT_TRUE(windows.dialog.CreateEx(0, nullptr, L"main dialog", WS_POPUP, r, nullptr, 0));
    Wnd().SetViewKind(1);
    BOOL created = Wnd().Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 1024, 753}, &windows.dialog, 1);
    MoveFileW(away, page);
    EXPECT_FALSE(created);
    EXPECT_EQ(nullptr, Wnd().GetSafeHwnd());
    EXPECT_FALSE(Called("OpenBrowserPage")) << "nothing of the start-up ran";
}

}  // namespace
