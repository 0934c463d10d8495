#include <gtest/gtest.h>

#include <afxwin.h>

#include "MfcTestResource.h"

namespace {

TEST(MenuTest, LoadedResourceShowsItsItems) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    EXPECT_FALSE(menu.LoadMenu(IDR_TEST_MENU)) << "a menu object holds one menu";
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(popup, menu.GetSubMenu(0));
    EXPECT_EQ(nullptr, popup->GetSubMenu(0)) << "a plain item has no submenu";

    struct Case {
        int position;
        UINT id;
        LPCTSTR text;
        bool grayed;
    };
    const Case cases[] = {
        {0, ID_TEST_OPEN, _T("Open"), false},
        {1, 0, _T(""), false},
        {2, ID_TEST_CLOSE, _T("Close"), true},
        {3, (UINT)-1, _T("more"), false},
    };
    ASSERT_EQ(4u, popup->GetMenuItemCount());
    for (const Case& c : cases) {
        EXPECT_EQ(c.id, popup->GetMenuItemID(c.position)) << c.position;
        CString text;
        popup->GetMenuString(c.position, text, MF_BYPOSITION);
        EXPECT_STREQ(c.text, text) << c.position;
        UINT state = popup->GetMenuState(c.position, MF_BYPOSITION);
        if (c.id == 0)
            EXPECT_NE(0u, state & MF_SEPARATOR);
        else
            EXPECT_EQ(c.grayed, (state & MF_GRAYED) != 0) << c.position;
    }
    EXPECT_EQ(ID_TEST_INNER, popup->GetSubMenu(3)->GetMenuItemID(0));

    popup->EnableMenuItem(ID_TEST_OPEN, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_NE(0u, popup->GetMenuState(ID_TEST_OPEN, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(MenuTest, DestroyingTheMenuReleasesItsSubmenus) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    HMENU handle = menu.m_hMenu;
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_FALSE(IsMenu(handle));
    EXPECT_FALSE(menu.DestroyMenu()) << "nothing left to destroy";
}

TEST(MenuTest, DetachedMenuOutlivesTheObject) {
    HMENU handle;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, 5, _T("five")));
        handle = menu.Detach();
    }
    ASSERT_TRUE(IsMenu(handle));
    CMenu again;
    ASSERT_TRUE(again.Attach(handle));
    EXPECT_EQ(5u, again.GetMenuItemID(0));
}

// Owner-drawn rows measured and drawn through the menu object while it is shown.
class COwnerDrawnMenu : public CMenu {
public:
    int measured = 0;
    int drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override {
        ++measured;
        item->itemWidth = 80;
        item->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
};

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST(MenuTest, TrackedMenuMeasuresAndDrawsItsRowsThroughTheObject) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, _T("owner"), WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, 0));
    COwnerDrawnMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 1, nullptr);
    menu.AppendMenu(MF_OWNERDRAW, 2, nullptr);
    EXPECT_EQ(nullptr, CMenu::GetTrackingMenu());
    UINT_PTR timer = SetTimer(nullptr, 0, 300, CloseMenu);
    menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner);
    KillTimer(nullptr, timer);
    EXPECT_EQ(2, menu.measured);
    EXPECT_GE(menu.drawn, 2);
    EXPECT_EQ(nullptr, CMenu::GetTrackingMenu());
}

}  // namespace
