#include <vector>

#include "element/ElementVideoSubcategory.h"
#include "element/MainPageTest.h"

namespace {

class ElementVideoSubcategoryTest : public MainPageTest {
protected:
    CElementVideoSubcategory& Categories() { return Object<CElementVideoSubcategory>(L"video-subcategory"); }
    std::vector<htmlayout::dom::element> Items() { return ListItems(L"video-subcategory"); }
};

TEST_F(ElementVideoSubcategoryTest, AddsOneItemPerPage) {
    EXPECT_TRUE(Categories().AddItem(L"热门动画", L"http://127.0.0.1/hot"));
    EXPECT_TRUE(Categories().AddItem(L"经典", L"http://127.0.0.1/classic"));
    EXPECT_FALSE(Categories().AddItem(L"热门动画(2)", L"HTTP://127.0.0.1/HOT")) << "the same page in other letter case";
    std::vector<htmlayout::dom::element> items = Items();
    ASSERT_EQ(2u, items.size());
    EXPECT_STREQ(L"热门动画", items[0].inner_text().c_str());
    EXPECT_STREQ(L"video-list", items[0].get_attribute("class"));
    EXPECT_STREQ(L"http://127.0.0.1/hot", items[0].get_attribute("url"));
    EXPECT_STREQ(L"经典", items[1].inner_text().c_str());
}

// The main window's manager hands over what a click on the item's name targets.
TEST_F(ElementVideoSubcategoryTest, ClickedItemBecomesTheChosenOne) {
    for (LPCWSTR name : {L"a", L"b", L"c"}) Categories().AddItem(name, CString(L"http://127.0.0.1/") + name);
    std::vector<htmlayout::dom::element> items = Items();
    htmlayout::dom::element onFirst(page.TargetAtText(items[0]));
    ASSERT_EQ((HELEMENT)items[0], onFirst.parent()) << "the name's text is the target, inside the item";
    EXPECT_STREQ(L"http://127.0.0.1/a", Categories().SelectItem(onFirst));
    EXPECT_STREQ(L"current-video-web", items[0].get_attribute("id"));

    EXPECT_STREQ(L"http://127.0.0.1/c", Categories().SelectItem(page.TargetAtText(items[2])));
    EXPECT_EQ(nullptr, items[0].get_attribute("id")) << "only one item is the chosen one";
    EXPECT_STREQ(L"current-video-web", items[2].get_attribute("id"));
}

TEST_F(ElementVideoSubcategoryTest, ElementOutsideTheListSelectsNothing) {
    Categories().AddItem(L"a", L"http://127.0.0.1/a");
    Categories().SelectItem(Items()[0]);
    EXPECT_STREQ(L"", Categories().SelectItem(Find(L"play-pause")));
    EXPECT_STREQ(L"current-video-web", Items()[0].get_attribute("id"));
    EXPECT_STREQ(L"", CElementVideoSubcategory(nullptr, L"video-subcategory", {}).SelectItem(Items()[0]));
}

}  // namespace
