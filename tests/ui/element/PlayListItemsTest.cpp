#include <memory>
#include <vector>

#include "common/CommonHelpers.h"
#include "db/UpgradeHelper.h"
#include "element/ElementVideoTab.h"
#include "element/MainPageTest.h"
#include "facade/AppFacade.h"
#include "support/ProgramFolderLocks.h"

namespace {

using Texts = std::vector<std::string>;

// Paths in the play list as "title path", the playing item with " (playing)".
class PlayListItemsTest : public MainPageTest {
protected:
    CElementVideoTab& Tab() { return Object<CElementVideoTab>(L"video-tab"); }
    CAppFacade& Facade() { return CAppFacade::GetInstance(); }
    std::vector<htmlayout::dom::element> Items() { return ListItems(L"tab-video-list"); }
    Texts PageList() {
        Texts shown;
        for (const htmlayout::dom::element& item : Items()) {
            LPCWSTR id = item.get_attribute("id");
            bool playing = id && CString(id) == L"playing-video";
            EXPECT_STREQ(L"right-viedo-list-current-item", item.get_attribute("class"));
            shown.push_back(Utf8(item.inner_text().c_str()) + " " + Utf8(item.get_attribute("path")) +
                            (playing ? " (playing)" : ""));
        }
        return shown;
    }
    Texts ModelList() {
        Texts paths;
        if (std::unique_ptr<CStringArray> all = Facade().GetPlayListPaths(false))
            for (INT_PTR i = 0; i < all->GetSize(); ++i) paths.push_back(Utf8((*all)[i]));
        return paths;
    }
    // Listed on the page and in the model, as the main window lists a file.
    void List(std::initializer_list<LPCWSTR> paths) {
        for (LPCWSTR path : paths) Tab().AddItemAndShowList(path, GetFileTitleFromPath(path), false);
        windows.calls.clear();
    }
    HELEMENT TextOf(size_t item) { return page.TargetAtText(Items().at(item)); }
};

TEST_F(PlayListItemsTest, AddingShowsThePlayListWithTheFileOnce) {
    htmlayout::dom::element playListTab = Find(L"video-tab").select_first("[panel=\"tab-video-list\"]");
    ASSERT_FALSE(htmlayout::dom::has_state(playListTab, STATE_CURRENT)) << "the page opens on the newest videos";

    Tab().AddItemAndShowList(L"C:\\v\\a.xof", L"a", false);
    Tab().AddItemAndShowList(L"C:\\v\\b.xof", L"b", true);
    Tab().AddItemAndShowList(L"c:\\V\\A.XOF", L"A", true);
    EXPECT_EQ((Texts{"a C:\\v\\a.xof (playing)", "b C:\\v\\b.xof"}), PageList());
    EXPECT_EQ((Texts{"C:\\v\\a.xof", "C:\\v\\b.xof"}), ModelList());
    EXPECT_TRUE(htmlayout::dom::has_state(playListTab, STATE_CURRENT));
    EXPECT_TRUE(htmlayout::dom::has_state(Find(L"tab-video-list"), STATE_EXPANDED));
}

TEST_F(PlayListItemsTest, WithoutThePlayListTabOnlyThePageTakesTheFile) {
    htmlayout::dom::element(Find(L"video-tab").select_first("[panel=\"tab-video-list\"]")).remove();
    Tab().AddItemAndShowList(L"C:\\v\\a.xof", L"a", false);
    EXPECT_EQ(Texts{"a C:\\v\\a.xof"}, PageList());
    EXPECT_TRUE(ModelList().empty());
}

TEST_F(PlayListItemsTest, ClickedItemPlays) {
    List({L"C:\\v\\a.xof", L"C:\\v\\b.xof", L"C:\\v\\c.xof"});
    Tab().PlayItem(TextOf(1));
    EXPECT_EQ((Texts{"a C:\\v\\a.xof", "b C:\\v\\b.xof (playing)", "c C:\\v\\c.xof"}), PageList());
    PlayItemPath(TextOf(2));
    EXPECT_EQ((Texts{"play file C:\\v\\b.xof", "play file C:\\v\\c.xof"}), Broadcasts());
    EXPECT_EQ((Texts{"a C:\\v\\a.xof", "b C:\\v\\b.xof (playing)", "c C:\\v\\c.xof"}), PageList())
        << "playing by path leaves the mark to the player";
    Tab().PlayItem(Find(L"play-pause"));
    EXPECT_EQ(2u, Broadcasts().size()) << "an element outside the list plays nothing";
}

TEST_F(PlayListItemsTest, MarkingByPathScrollsTheItemToTheTop) {
    for (int i = 0; i < 30; ++i) {  // more than the list shows, and enough to scroll
        CString path;
        path.Format(L"C:\\v\\%02d.xof", i);
        Tab().AddItemAndShowList(path, GetFileTitleFromPath(path), false);
    }
    Tab().MarkPlayingByPath(L"c:\\V\\15.XOF");
    RECT list = Find(L"tab-video-list").location(VIEW_RELATIVE | CONTENT_BOX);
    RECT item = Items()[15].location(VIEW_RELATIVE | BORDER_BOX);
    EXPECT_EQ(list.top, item.top);
    EXPECT_STREQ(L"playing-video", Items()[15].get_attribute("id"));

    Tab().MarkPlayingByPath(L"C:\\v\\none.xof");
    Tab().MarkPlayingByPath(L"");
    EXPECT_STREQ(L"playing-video", Items()[15].get_attribute("id")) << "no item of the path: the mark stays";
    Tab().ClearPlayingMark();
    EXPECT_STREQ(L"", Items()[15].get_attribute("id"));
}

TEST_F(PlayListItemsTest, MovingExchangesNeighboursOnThePageAndInTheModel) {
    List({L"C:\\v\\a.xof", L"C:\\v\\b.xof", L"C:\\v\\c.xof"});
    Tab().MoveItemDown(TextOf(0));
    Tab().MoveItemUp(TextOf(2));
    Texts order = {"b C:\\v\\b.xof", "c C:\\v\\c.xof", "a C:\\v\\a.xof"};
    EXPECT_EQ(order, PageList());
    EXPECT_EQ((Texts{"C:\\v\\b.xof", "C:\\v\\c.xof", "C:\\v\\a.xof"}), ModelList());
    EXPECT_EQ((Texts{"RefreshPlayState", "RefreshPlayState"}), windows.calls);

    windows.calls.clear();
    Tab().MoveItemUp(TextOf(0));
    Tab().MoveItemDown(TextOf(2));
    EXPECT_EQ(order, PageList()) << "nothing above the first, nothing below the last";
    EXPECT_TRUE(windows.calls.empty());
}

TEST_F(PlayListItemsTest, DeletingRemovesTheFileFromPageAndModel) {
    List({L"C:\\v\\a.xof", L"C:\\v\\b.xof", L"C:\\v\\c.xof"});
    Tab().DeleteItem(TextOf(1));
    Tab().RemoveItemByPath(L"C:\\V\\C.XOF");
    Tab().RemoveItemByPath(L"C:\\v\\none.xof");
    EXPECT_EQ(Texts{"a C:\\v\\a.xof"}, PageList());
    EXPECT_EQ(Texts{"C:\\v\\a.xof"}, ModelList());
    EXPECT_EQ((Texts{"RefreshPlayState", "RefreshPlayState"}), windows.calls);
}

TEST_F(PlayListItemsTest, ClearingAsksTheModelOnlyWhenThereWasSomething) {
    List({L"C:\\v\\a.xof", L"C:\\v\\b.xof"});
    Tab().RemoveAllItems(true);
    Tab().RemoveAllItems(false);
    EXPECT_TRUE(PageList().empty());
    EXPECT_EQ(Texts{"clear play list true"}, Broadcasts());
    EXPECT_EQ((Texts{"RefreshPlayState", "RefreshPlayState"}), windows.calls);
}

TEST_F(PlayListItemsTest, SortingOrdersByTitleAndKeepsFilesOfOneTitleInOrder) {
    List({L"C:\\v\\第10集.xof", L"C:\\v\\第2集.xof", L"D:\\x\\第2集.xof", L"C:\\v\\第1集.xof"});
    Facade().SetCurrentPath(L"D:\\x\\第2集.xof");
    Tab().SortItems();
    EXPECT_EQ((Texts{"第1集 C:\\v\\第1集.xof", "第2集 C:\\v\\第2集.xof", "第2集 D:\\x\\第2集.xof (playing)",
                     "第10集 C:\\v\\第10集.xof"}),
              PageList());
    EXPECT_EQ((Texts{"C:\\v\\第1集.xof", "C:\\v\\第2集.xof", "D:\\x\\第2集.xof", "C:\\v\\第10集.xof"}), ModelList());
    EXPECT_EQ(Texts{"RefreshPlayState"}, windows.calls);
}

TEST_F(PlayListItemsTest, OnlyTheMainWindowsListSorts) {
    List({L"C:\\v\\b.xof", L"C:\\v\\a.xof"});
    windows.mainWnd.m_hWnd = nullptr;
    Tab().SortItems();
    EXPECT_EQ((Texts{"b C:\\v\\b.xof", "a C:\\v\\a.xof"}), PageList());
    EXPECT_EQ((Texts{"C:\\v\\b.xof", "C:\\v\\a.xof"}), ModelList());
}

// The stored list is the program folder's database, which other test processes of
// this folder save into when they end.
TEST_F(PlayListItemsTest, ReloadingShowsTheStoredList) {
    ProgramDatabaseLock lock;
    ASSERT_TRUE(CUpgradeHelper().UpgradeDatabase());
    Facade().GetPlayListPaths(true);  // the stored list is read before it is replaced
    for (LPCWSTR path : {L"C:\\v\\stored-1.xof", L"C:\\v\\stored-2.xof"}) Facade().AddItem(path);
    Facade().SavePlayList();
    Facade().ClearPlayList(false);
    Tab().AddPlayListItem(L"C:\\v\\gone.xof", L"gone", true);

    Tab().ReloadItems();
    EXPECT_EQ((Texts{"stored-1 C:\\v\\stored-1.xof", "stored-2 C:\\v\\stored-2.xof"}), PageList());
    EXPECT_EQ((Texts{"C:\\v\\stored-1.xof", "C:\\v\\stored-2.xof"}), ModelList());
    EXPECT_EQ(Texts{"clear play list false"}, Broadcasts());

    Facade().ClearPlayList(false);
    Facade().SavePlayList();
}

}  // namespace
