// The DLL through its C interface, in a real window: exports, uses, tree, search,
// content, state and view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWindow.h"

namespace {

using hltest::TestWindow;

constexpr const char kPage[] =
    "\xEF\xBB\xBF<html><head><style>"
    "body { font-family: SimSun; font-size: 12px; }"
    "#list { height: 40px; overflow: auto; }"
    "li { height: 20px; }"
    "#bar { width: 600px; height: 10px; }"
    "</style></head><body>"
    "<div id=\"bar\" title=\"\xe6\x92\xad\xe6\x94\xbe\"></div>"
    "<ul id=\"list\"><li id=\"a\">one</li><li id=\"b\">two</li><li id=\"c\">three</li><li id=\"d\">four</li></ul>"
    "</body></html>";

class Interface : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Load(kPage)); }
    TestWindow window;
};

TEST(Exports, EveryFunctionIsExportedByItsPlainName) {
    HMODULE dll = GetModuleHandleW(L"htmlayout.dll");
    ASSERT_NE(dll, nullptr);
    const char* names[] = {"HTMLayoutProcND",
                           "HTMLayoutSetCallback",
                           "HTMLayoutWindowAttachEventHandler",
                           "HTMLayoutLoadFile",
                           "HTMLayoutGetRootElement",
                           "HTMLayoutUpdateWindow",
                           "HTMLayoutFindElement",
                           "HTMLayout_UseElement",
                           "HTMLayout_UnuseElement",
                           "HTMLayoutGetChildrenCount",
                           "HTMLayoutGetNthChild",
                           "HTMLayoutGetParentElement",
                           "HTMLayoutGetElementIndex",
                           "HTMLayoutCreateElement",
                           "HTMLayoutInsertElement",
                           "HTMLayoutDeleteElement",
                           "HTMLayoutSwapElements",
                           "HTMLayoutSortElements",
                           "HTMLayoutSelectElements",
                           "HTMLayoutSelectParent",
                           "HTMLayoutVisitElements",
                           "HTMLayoutGetAttributeByName",
                           "HTMLayoutSetAttributeByName",
                           "HTMLayoutGetStyleAttribute",
                           "HTMLayoutSetStyleAttribute",
                           "HTMLayoutGetElementInnerTextCB",
                           "HTMLayoutSetElementInnerText16",
                           "HTMLayoutGetElementHtmlCB",
                           "HTMLayoutSetElementHtml",
                           "HTMLayoutGetElementState",
                           "HTMLayoutSetElementState",
                           "HTMLayoutIsElementVisible",
                           "HTMLayoutGetElementLocation",
                           "HTMLayoutGetElementHwnd",
                           "HTMLayoutScrollToView",
                           "HTMLayoutSetScrollPos",
                           "HTMLayoutUpdateElement",
                           "HTMLayoutUpdateElementEx",
                           "HTMLayoutPostEvent",
                           "HTMLayoutSendEvent"};
    for (const char* name : names) EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
}

TEST_F(Interface, UsesKeepElementsAndStaleHandlesAreRefused) {
    HELEMENT a = window.Select("#a");
    HELEMENT b = window.Select("#b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(HTMLayout_UseElement(a), HLDOM_OK);
    EXPECT_EQ(HTMLayoutDeleteElement(a), HLDOM_OK);
    EXPECT_EQ(HTMLayoutDeleteElement(b), HLDOM_OK);
    EXPECT_EQ(window.Attribute(a, "id"), L"a");    // the use keeps it
    EXPECT_NE(HTMLayout_UseElement(b), HLDOM_OK);  // gone
    EXPECT_EQ(HTMLayout_UnuseElement(a), HLDOM_OK);
    EXPECT_NE(HTMLayout_UseElement(a), HLDOM_OK);
    EXPECT_NE(HTMLayout_UseElement(nullptr), HLDOM_OK);
    EXPECT_NE(HTMLayout_UnuseElement(window.Select("#c")), HLDOM_OK);  // no use is held: refused, kept
    EXPECT_NE(window.Select("#c"), nullptr);
}

TEST_F(Interface, CreatedElementsCarryOneUseAndInsertAtAnIndex) {
    HELEMENT list = window.Select("#list");
    HELEMENT item = nullptr;
    ASSERT_EQ(HTMLayoutCreateElement("li", L"\x65b0", &item), HLDOM_OK);
    HTMLayoutSetAttributeByName(item, "id", L"n");
    ASSERT_EQ(HTMLayoutInsertElement(item, list, 1), HLDOM_OK);
    HELEMENT second = nullptr;
    HTMLayoutGetNthChild(list, 1, &second);
    EXPECT_EQ(second, item);
    UINT index = 0, count = 0;
    HTMLayoutGetElementIndex(item, &index);
    HTMLayoutGetChildrenCount(list, &count);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(count, 5u);
    HELEMENT appended = nullptr;
    HTMLayoutCreateElement("li", nullptr, &appended);
    HTMLayoutInsertElement(appended, list, 0x7FFFFFFF);
    HTMLayoutGetElementIndex(appended, &index);
    EXPECT_EQ(index, 5u);
    HELEMENT parent = nullptr;
    HTMLayoutGetParentElement(item, &parent);
    EXPECT_EQ(parent, list);
    HTMLayoutGetParentElement(window.Root(), &parent);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(HTMLayoutInsertElement(list, item, 0), HLDOM_OPERATION_FAILED);  // not inside itself
    EXPECT_EQ(HTMLayout_UnuseElement(item), HLDOM_OK);
    EXPECT_EQ(HTMLayout_UnuseElement(appended), HLDOM_OK);
    EXPECT_EQ(window.Attribute(item, "id"), L"n");  // the page holds it now
    EXPECT_EQ(HTMLayoutCreateElement("<bad>", nullptr, &item), HLDOM_INVALID_PARAMETER);
}

int CALLBACK ByTextDescending(HELEMENT a, HELEMENT b, LPVOID) {
    return TestWindow::InnerText(b).compare(TestWindow::InnerText(a));
}

TEST_F(Interface, SwapAndSort) {
    HELEMENT list = window.Select("#list");
    HTMLayoutSwapElements(window.Select("#a"), window.Select("#d"));
    auto order = [&] {
        std::wstring ids;
        UINT count = 0;
        HTMLayoutGetChildrenCount(list, &count);
        for (UINT i = 0; i < count; ++i) {
            HELEMENT child = nullptr;
            HTMLayoutGetNthChild(list, i, &child);
            ids += window.Attribute(child, "id");
        }
        return ids;
    };
    EXPECT_EQ(order(), L"dbca");
    HTMLayoutSortElements(list, 1, 0x7FFFFFFF, ByTextDescending, nullptr);
    EXPECT_EQ(order(), L"dbca");  // two > three > one after d
    HTMLayoutSortElements(list, 0, 4, ByTextDescending, nullptr);
    EXPECT_EQ(order(), L"bcad");
}

BOOL CALLBACK Collect(HELEMENT he, LPVOID param) {
    static_cast<std::vector<HELEMENT>*>(param)->push_back(he);
    return FALSE;
}

TEST_F(Interface, SelectorsAreInTheAnsiCodePage) {
    std::vector<HELEMENT> found;
    // "[title=播放]" in code page 936.
    EXPECT_EQ(HTMLayoutSelectElements(window.Root(), "[title=\"\xb2\xa5\xb7\xc5\"]", Collect, &found), HLDOM_OK);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], window.Select("#bar"));
    EXPECT_EQ(HTMLayoutSelectElements(window.Root(), "li[", Collect, &found), HLDOM_INVALID_PARAMETER);
    HELEMENT parent = nullptr;
    HTMLayoutSelectParent(window.Select("#b"), "ul", 0, &parent);
    EXPECT_EQ(parent, window.Select("#list"));
    HTMLayoutSelectParent(window.Select("#b"), "ul", 1, &parent);
    EXPECT_EQ(parent, nullptr);
    found.clear();
    HTMLayoutVisitElements(window.Root(), nullptr, "id", L"c", Collect, &found, 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(window.Attribute(found[0], "ID"), L"c");
}

TEST_F(Interface, AttributesAndComputedStyles) {
    HELEMENT bar = window.Select("#bar");
    EXPECT_EQ(window.Attribute(bar, "TITLE"), L"\x64ad\x653e");
    HTMLayoutSetAttributeByName(bar, "mode", L"pause");
    EXPECT_EQ(window.Attribute(bar, "mode"), L"pause");
    HTMLayoutSetAttributeByName(bar, "mode", nullptr);
    EXPECT_EQ(window.Attribute(bar, "mode"), L"(none)");
    EXPECT_EQ(window.Style(bar, "display"), L"block");
    EXPECT_EQ(window.Style(bar, "width"), L"600px");
    EXPECT_EQ(window.Style(bar, "no-such-property"), L"(none)");
    EXPECT_EQ(HTMLayoutSetStyleAttribute(bar, "foreground-offset-right", L"12px;"), HLDOM_OK);
    EXPECT_EQ(window.Style(bar, "foreground-offset-right"), L"12px");
    HTMLayoutSetStyleAttribute(bar, "display", L"none");
    BOOL visible = TRUE;
    HTMLayoutIsElementVisible(bar, &visible);
    EXPECT_FALSE(visible);
    HTMLayoutSetStyleAttribute(bar, "display", nullptr);
    HTMLayoutIsElementVisible(bar, &visible);
    EXPECT_TRUE(visible);
    EXPECT_EQ(HTMLayoutSetStyleAttribute(bar, "no-such-property", L"1"), HLDOM_INVALID_PARAMETER);
}

TEST_F(Interface, TextInUtf16AndHtmlInUtf8) {
    HELEMENT a = window.Select("#a");
    HTMLayoutSetElementInnerText16(a, L"\x64ad\x653e<&>", 5);
    EXPECT_EQ(TestWindow::InnerText(a), L"\x64ad\x653e<&>");
    EXPECT_EQ(TestWindow::Html(a, true), "<li id=\"a\">\xe6\x92\xad\xe6\x94\xbe&lt;&amp;&gt;</li>");
    const char fragment[] = "<span id=\"s\">x</span>broken <b";
    EXPECT_EQ(HTMLayoutSetElementHtml(a, reinterpret_cast<const BYTE*>(fragment), sizeof fragment - 1), HLDOM_OK);
    EXPECT_EQ(TestWindow::Html(a, false), "<span id=\"s\">x</span>broken &lt;b");
    EXPECT_NE(window.Select("#s"), nullptr);
}

TEST_F(Interface, StateBits) {
    HELEMENT a = window.Select("#a");
    HTMLayoutSetElementState(a, STATE_CURRENT | STATE_CHECKED | STATE_EXPANDED, 0, TRUE);
    HTMLayoutSetElementState(a, STATE_COLLAPSED | STATE_ANCHOR, STATE_CHECKED, FALSE);
    UINT state = 0;
    HTMLayoutGetElementState(a, &state);
    EXPECT_EQ(state, static_cast<UINT>(STATE_CURRENT | STATE_COLLAPSED | STATE_ANCHOR));
    std::vector<HELEMENT> found;
    HTMLayoutSelectElements(window.Root(), "li:current:collapsed:anchor", Collect, &found);
    EXPECT_EQ(found.size(), 1u);
}

TEST_F(Interface, LocationsByAreaKindAndScrolling) {
    HELEMENT list = window.Select("#list");
    HELEMENT c = window.Select("#c");
    RECT r = window.Location(c, ROOT_RELATIVE | CONTENT_BOX);
    EXPECT_EQ(r.top, 10 + 40);
    EXPECT_EQ(r.bottom - r.top, 20);
    RECT border = window.Location(c, VIEW_RELATIVE | BORDER_BOX);
    EXPECT_EQ(border.top, 50);
    RECT visible = window.Location(c, ROOT_RELATIVE | VISIBLE_BOX);
    EXPECT_EQ(visible.bottom - visible.top, 0);  // below the 40 pixels the list shows
    EXPECT_EQ(HTMLayoutScrollToView(c, 0), HLDOM_OK);
    r = window.Location(c, ROOT_RELATIVE | BORDER_BOX);
    EXPECT_EQ(r.bottom, 50);  // brought up to the list's bottom
    visible = window.Location(c, ROOT_RELATIVE | VISIBLE_BOX);
    EXPECT_EQ(visible.bottom - visible.top, 20);
    HTMLayoutScrollToView(window.Select("#d"), SCROLL_TO_TOP | SCROLL_SMOOTH);
    RECT d = window.Location(window.Select("#d"), ROOT_RELATIVE | BORDER_BOX);
    RECT l = window.Location(list, ROOT_RELATIVE | CONTENT_BOX);
    EXPECT_EQ(d.top, l.top + 40 - 20);  // as far up as the list can scroll
    HTMLayoutSetScrollPos(list, POINT{0, 0}, FALSE);
    EXPECT_EQ(window.Location(window.Select("#a"), ROOT_RELATIVE | BORDER_BOX).top, l.top);
    EXPECT_EQ(HTMLayoutGetElementLocation(c, &r, 0x44), HLDOM_INVALID_PARAMETER);
    HWND hwnd = nullptr;
    HTMLayoutGetElementHwnd(c, &hwnd, FALSE);
    EXPECT_EQ(hwnd, window.Hwnd());
}

TEST_F(Interface, FindElementIsTheMouseTarget) {
    HELEMENT found = nullptr;
    HTMLayoutFindElement(window.Hwnd(), POINT{200, 15}, &found);
    EXPECT_EQ(found, window.Select("#a"));
    HTMLayoutFindElement(window.Hwnd(), POINT{2, 15}, &found);
    HELEMENT parent = nullptr;
    HTMLayoutGetParentElement(found, &parent);
    EXPECT_EQ(parent, window.Select("#a"));  // the text run of the item
    UINT count = 1;
    HTMLayoutGetChildrenCount(found, &count);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(window.Attribute(found, "id"), L"(none)");
}

TEST_F(Interface, DestroyingTheWindowDropsThePageButNotHeldElements) {
    HELEMENT a = window.Select("#a");
    HELEMENT b = window.Select("#b");
    HTMLayout_UseElement(a);
    window.Destroy();
    EXPECT_EQ(window.Attribute(a, "id"), L"a");
    HWND hwnd = nullptr;
    EXPECT_EQ(HTMLayoutGetElementHwnd(a, &hwnd, FALSE), HLDOM_PASSIVE_HANDLE);
    EXPECT_NE(HTMLayout_UseElement(b), HLDOM_OK);
    EXPECT_EQ(HTMLayout_UnuseElement(a), HLDOM_OK);
}

TEST_F(Interface, RefusesNullsAndNonWindows) {
    HELEMENT he = nullptr;
    EXPECT_EQ(HTMLayoutGetRootElement(reinterpret_cast<HWND>(0x1234), &he), HLDOM_INVALID_HWND);
    EXPECT_EQ(HTMLayoutLoadFile(window.Hwnd(), L"Z:\\no\\such\\page.html"), HLDOM_OPERATION_FAILED);
    EXPECT_NE(window.Select("#a"), nullptr);  // the page stays
    EXPECT_EQ(HTMLayoutGetChildrenCount(window.Root(), nullptr), HLDOM_INVALID_PARAMETER);
    EXPECT_EQ(HTMLayoutGetAttributeByName(reinterpret_cast<HELEMENT>(0x7FFF0000), "id", nullptr), HLDOM_INVALID_HANDLE);
}

}  // namespace
