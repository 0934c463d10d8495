#include <gtest/gtest.h>

#include "TestSkinWnd.h"
#include "common/CommonHelpers.h"
#include "fakes/RegisteredSkin.h"
#include "skin/SkinManager.h"

namespace {

// The default rewriting: the placeholders of the owner window's view, with images in
// the current skin's folder ("Images\default\" for the default skin).
TEST(ReplaceSkinPlaceholdersTest, UsesTheOwnersViewAndTheSkinFolder) {
    RegisteredSkin app;
    ASSERT_TRUE(app.GetSkinManager().LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml"));
    CTestSkinWnd mainView;  // view kind 1
    mainView.MakeManager();
    CTestSkinWnd downloadView;
    downloadView.SetViewKind(2);
    downloadView.MakeManager();
    CRecordingCtrlManager withoutOwner(nullptr);
    struct Case {
        const char* name;
        CBaseCtrlManager* manager;
        const char* expected;
    };
    const Case cases[] = {
        {"main window", mainView.GetCtrlManager(), "Images\\default\\main-bg.png|Images\\default\\title-bg.png"},
        {"download window", downloadView.GetCtrlManager(),
         "Images\\default\\main-bg.png|Images\\default\\progress-bg.png"},
        {"no owner: no view", &withoutOwner, "{$1}|{$2}"},
        {"no manager", nullptr, "{$1}|{$2}"},
    };
    for (const Case& c : cases) {
        CStringA page("{$1}|{$2}");
        ReplaceSkinPlaceholders(c.manager, page);
        EXPECT_STREQ(c.expected, page) << c.name;
    }
}

TEST(ReplaceSkinPlaceholdersTest, WithoutARegisteredSkinNothingChanges) {
    CWinApp other;
    CTestSkinWnd mainView;
    mainView.MakeManager();
    CStringA page("{$1}");
    ReplaceSkinPlaceholders(mainView.GetCtrlManager(), page);
    EXPECT_STREQ("{$1}", page);
}

}  // namespace
