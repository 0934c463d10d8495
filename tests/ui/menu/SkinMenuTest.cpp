#include <gtest/gtest.h>

#include <vector>

#include "ControlHost.h"
#include "SkinControlsResource.h"
#include "TestPage.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "ctrl/ShowSkinMenu.h"
#include "fakes/RegisteredSkin.h"
#include "menu/ZemoSkinMenu.h"

namespace {

const MENU_ITEM_RECORD* RecordOf(const CMenu& menu, int position) {
    MENUITEMINFOW info = {sizeof(info), MIIM_DATA};
    if (!GetMenuItemInfoW(menu.m_hMenu, position, TRUE, &info)) return nullptr;
    return reinterpret_cast<const MENU_ITEM_RECORD*>(info.dwItemData);
}

void UseShownHeights(CBaseSkinMenu& menu, int itemWidth) {
    menu.SetRowHeights(24, 5, 3);
    menu.SetItemWidth(itemWidth);
    menu.SetSideMargin(3);
}

TEST(SkinMenuRowsTest, CapsItemsAndSeparatorsWithTheirHeights) {
    CBaseSkinMenu menu;
    UseShownHeights(menu, 105);
    ASSERT_TRUE(menu.LoadSkinMenu(IDR_SKIN_TEST_MENU));
    struct Row {
        int index, kind;
        UINT id;
        LPCWSTR text;
        UINT height;
        bool grayed;
    };
    // The submenu (source position 3) is left out: its index is missing, and the last
    // item stays an item of the ordinary height.
    const Row rows[] = {
        {0, MENU_ROW_TOP_CAP, 0, L"", 3, false},
        {1, MENU_ROW_ITEM, ID_SKIN_OPEN, L"打开文件", 24, false},
        {2, MENU_ROW_SEPARATOR, 0, L"", 5, false},
        {3, MENU_ROW_ITEM, ID_SKIN_CLOSE, L"关闭文件", 24, true},
        {5, MENU_ROW_ITEM, ID_SKIN_EXIT, L"退出", 24, false},
        {6, MENU_ROW_BOTTOM_CAP, 0, L"", 3, false},
    };
    ASSERT_EQ(std::size(rows), menu.GetMenuItemCount());
    for (int position = 0; position < (int)std::size(rows); ++position) {
        const Row& row = rows[position];
        const MENU_ITEM_RECORD* record = RecordOf(menu, position);
        ASSERT_NE(nullptr, record) << position;
        EXPECT_EQ(row.index, record->nIndex) << position;
        EXPECT_EQ(row.kind, record->nKind) << position;
        EXPECT_STREQ(row.text, record->strText) << position;
        EXPECT_EQ(row.id, menu.GetMenuItemID(position)) << position;
        UINT state = menu.GetMenuState(position, MF_BYPOSITION);
        EXPECT_NE(0u, state & MF_OWNERDRAW) << position;
        EXPECT_EQ(0u, state & MF_SEPARATOR) << "separators are drawn rows, " << position;
        // A separator's own state says nothing about how it is drawn.
        if (row.kind == MENU_ROW_ITEM) EXPECT_EQ(row.grayed, (state & MF_GRAYED) != 0) << position;
        MEASUREITEMSTRUCT measure = {ODT_MENU, 0, row.id, 0, 0, (ULONG_PTR)record};
        menu.MeasureItem(&measure);
        EXPECT_EQ(105u, measure.itemWidth) << position;
        EXPECT_EQ(row.height, measure.itemHeight) << position;
    }
}

TEST(SkinMenuRowsTest, ResourcesWithoutASubmenuGiveNoMenu) {
    struct Case {
        const char* name;
        UINT id;
    };
    const Case cases[] = {{"NoSubmenu", IDR_FLAT_TEST_MENU}, {"NoResource", 999}};
    for (const Case& c : cases) {
        CBaseSkinMenu menu;
        EXPECT_FALSE(menu.LoadSkinMenu(c.id)) << c.name;
    }
    CBaseSkinMenu twice;
    ASSERT_TRUE(twice.LoadSkinMenu(IDR_SKIN_TEST_MENU));
    EXPECT_FALSE(twice.LoadSkinMenu(IDR_SKIN_TEST_MENU)) << "one menu per object";
    EXPECT_EQ(6u, twice.GetMenuItemCount());
}

// Rows drawn on a bitmap as the system asks for them.
class SkinMenuDrawingTest : public testing::Test {
protected:
    void SetUp() override {
        UseShownHeights(menu, 120);
        menu.SetColors(0xFF666666, 0xFFCDCDCD, 0xFFA5A5A5, 0xFFDCDCDC);
        ASSERT_TRUE(menu.LoadSkinMenu(IDR_SKIN_TEST_MENU));
        screen = GetDC(nullptr);
        memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 120, 24);
        old = SelectObject(memory, bitmap);
    }
    void TearDown() override {
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    // Fills the bitmap with magenta and draws the row at the position into it.
    void Draw(int position, UINT state, int height) {
        RECT all = {0, 0, 120, 24};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(memory, &all, magenta);
        DeleteObject(magenta);
        DRAWITEMSTRUCT item = {ODT_MENU,
                               0,
                               menu.GetMenuItemID(position),
                               ODA_DRAWENTIRE,
                               state,
                               nullptr,
                               memory,
                               {0, 0, 120, height},
                               (ULONG_PTR)RecordOf(menu, position)};
        menu.DrawItem(&item);
    }
    // True when a pixel of the row's text band has the colour.
    bool TextIn(COLORREF color) {
        for (int y = 4; y < 20; ++y)
            for (int x = 15; x < 80; ++x)
                if (IsNear(GetPixel(memory, x, y), color, 24)) return true;
        return false;
    }

    GdiplusScope gdiplus;
    CZemoSkinMenu menu;
    HDC screen = nullptr, memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(SkinMenuDrawingTest, RowsTakeTheirColoursByState) {
    CString folder = GetProgramFolder() + GetDefaultSkinFolder();
    menu.SetImages(folder + L"menu-drop-bg.png", folder + L"menu-drop-line.png", folder + L"menu-hover.png");
    const COLORREF text = RGB(0x66, 0x66, 0x66), selected = RGB(0xCD, 0xCD, 0xCD), disabled = RGB(0xA5, 0xA5, 0xA5);
    COLORREF hover = ImagePixel(folder + L"menu-hover.png", 20, 12);
    struct Case {
        const char* name;
        int position;
        UINT state;
        COLORREF expected, absent;
        COLORREF atMiddle;  // the row's band, or the hover image under the highlight
    };
    const Case cases[] = {
        {"Plain", 1, 0, text, selected, ImagePixel(folder + L"menu-drop-bg.png", 60, 15)},
        {"Selected", 1, ODS_SELECTED, selected, text, hover},
        {"Grayed", 3, ODS_GRAYED, disabled, text, ImagePixel(folder + L"menu-drop-bg.png", 60, 15)},
        {"GrayedWhileSelected", 3, ODS_GRAYED | ODS_SELECTED, disabled, selected,
         ImagePixel(folder + L"menu-drop-bg.png", 60, 15)},
    };
    for (const Case& c : cases) {
        Draw(c.position, c.state, 24);
        EXPECT_TRUE(TextIn(c.expected)) << c.name;
        EXPECT_FALSE(TextIn(c.absent)) << c.name;
        EXPECT_TRUE(IsNear(c.atMiddle, GetPixel(memory, 110, 22), 8))
            << c.name << std::hex << GetPixel(memory, 110, 22);
    }
}

TEST_F(SkinMenuDrawingTest, NothingIsDrawnWithoutABackground) {
    CString folder = GetProgramFolder() + GetDefaultSkinFolder();
    menu.SetImages(folder + L"no-such-background.png", folder + L"menu-drop-line.png", folder + L"menu-hover.png");
    for (int position = 0; position < 6; ++position) {
        Draw(position, ODS_SELECTED, 24);
        for (POINT p : {POINT{1, 1}, POINT{60, 12}, POINT{118, 2}})
            EXPECT_EQ(RGB(255, 0, 255), GetPixel(memory, p.x, p.y)) << position;
    }
}

// The popup of ShowSkinMenu: the owner gets the chosen command; the hook ran once,
// before the popup existed. The screenshot is kept as .../artifacts/skin-menu.png.
class ShowSkinMenuTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ownTemplate.Made());
        ASSERT_TRUE(frame.Open(RECT{760, 260, 900, 300}));
        ASSERT_TRUE(window.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, 140, 40}, &frame, 1));
        PumpMessages();
        s_test = this;
    }
    void TearDown() override { s_test = nullptr; }

    static BOOL CALLBACK KeepPopup(HWND window, LPARAM out) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    // The visible popup menu of this thread, null when none is shown.
    static HWND ThreadPopup() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &KeepPopup, (LPARAM)&found);
        return found;
    }
    static void Hook(CMenu* menu, const CString& parameter) {
        ++s_test->hookCalls;
        s_test->popupAtHook = ThreadPopup() != nullptr;
        s_test->hookParameter = parameter;
        menu->EnableMenuItem(ID_SKIN_EXIT, MF_BYCOMMAND | MF_GRAYED);
    }
    // Inside the menu's loop: looks at the popup, then picks the first item.
    static void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        ShowSkinMenuTest& test = *s_test;
        HWND popup = ThreadPopup();
        if (popup) {
            WindowCapture shot(popup);
            test.shotSaved = shot.SavePng(ArtifactsFolder() + L"skin-menu.png");
            test.shot = std::make_unique<WindowCapture>(popup);
            RECT r;
            GetWindowRect(popup, &r);
            test.popupSize = {r.right - r.left, r.bottom - r.top};
        }
        for (int i = 0; i < 2; ++i) {
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYUP, VK_DOWN, 0xC0000001);
        }
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(popup, WM_KEYUP, VK_RETURN, 0xC0000001);
    }

    static ShowSkinMenuTest* s_test;
    RegisteredSkin app;
    OwnTemplate ownTemplate{L"testwnd.html"};
    CControlHost frame;
    CTestSkinWnd window{ownTemplate.Name()};
    int hookCalls = 0;
    bool popupAtHook = true;
    CString hookParameter;
    bool shotSaved = false;
    std::unique_ptr<WindowCapture> shot;
    SIZE popupSize = {};
};
ShowSkinMenuTest* ShowSkinMenuTest::s_test = nullptr;

TEST_F(ShowSkinMenuTest, ShowsTheRowsAndPostsTheChosenCommand) {
    GdiplusScope gdiplus;
    UINT_PTR timer = SetTimer(nullptr, 0, 400, &Look);
    EXPECT_TRUE(ShowSkinMenu(window.Manager(), IDR_SKIN_TEST_MENU, 105, POINT{800, 320}, &Hook, L"C:\\v\\clip.xof"));
    KillTimer(nullptr, timer);
    EXPECT_EQ(1, hookCalls);
    EXPECT_FALSE(popupAtHook) << "the hook runs before the menu shows";
    EXPECT_STREQ(L"C:\\v\\clip.xof", hookParameter);

    MSG command = {};
    bool posted = false;
    while (PeekMessageW(&command, window.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        posted = posted || LOWORD(command.wParam) == ID_SKIN_OPEN;
    EXPECT_TRUE(posted) << "the first item's command is posted to the manager's window";

    ASSERT_TRUE(shot);
    EXPECT_TRUE(shotSaved);
    // Rows: 3 + 24 + 5 + 24 + 24 + 3 = 83 pixels of the drawn background.
    const int rowsHeight = 83;
    CString folder = GetProgramFolder() + GetDefaultSkinFolder();
    COLORREF edge = ImagePixel(folder + L"menu-drop-bg.png", 60, 39);
    COLORREF inside = ImagePixel(folder + L"menu-drop-bg.png", 60, 20);
    int top = -1;
    for (int y = 0; y < popupSize.cy && top < 0; ++y)
        if (IsNear(shot->Pixel(60, y), edge, 8)) top = y;
    ASSERT_GE(top, 0) << "no top cap";
    EXPECT_LE(top + rowsHeight, popupSize.cy) << "the bottom cap lies inside the popup";
    for (int y = top + rowsHeight - 3; y < top + rowsHeight; ++y)
        EXPECT_TRUE(IsNear(edge, shot->Pixel(60, y), 8))
            << "bottom cap row " << y << ": " << std::hex << shot->Pixel(60, y);
    EXPECT_TRUE(IsNear(inside, shot->Pixel(100, top + 3 + 12), 8)) << "the first row's band";
    EXPECT_EQ(nullptr, ThreadPopup()) << "the menu is gone when the call returns";
}

TEST_F(ShowSkinMenuTest, ShowsNothingWhenTheResourceHasNoMenu) {
    UINT_PTR timer = SetTimer(nullptr, 0, 300, &Look);
    EXPECT_FALSE(ShowSkinMenu(window.Manager(), IDR_FLAT_TEST_MENU, 70, POINT{800, 320}, &Hook, L""));
    PumpMessages();
    KillTimer(nullptr, timer);
    EXPECT_EQ(0, hookCalls);
    EXPECT_FALSE(shot) << "no popup was shown";
}

}  // namespace
