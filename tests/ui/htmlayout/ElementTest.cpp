#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlayout/dom.h"

namespace {

using htmlayout::dom::element;

std::string Html(const element& e) {
    htmlayout::shared_utf8 html = e.get_outer_html();
    return std::string(reinterpret_cast<const char*>(html.c_str()), (size_t)html.length());
}

// A detached list: <ul id="list"><li id="a">甲</li><li id="b" class="x">乙</li><li id="c">丙</li></ul>
class ElementTest : public testing::Test {
protected:
    void SetUp() override {
        list = element::create("ul");
        ASSERT_TRUE(list.is_valid());
        const char html[] =
            "<li id=\"a\">\xE7\x94\xB2</li><li id=\"b\" class=\"x\">\xE4\xB9\x99</li><li id=\"c\">\xE4\xB8\x99</li>";
        list.replace_html(reinterpret_cast<const BYTE*>(html), sizeof(html) - 1);
        ASSERT_EQ(3u, list.child_count());
    }
    element list;
};

TEST_F(ElementTest, NavigatesThroughTheParent) {
    element b = list.child_at(1);
    struct Case {
        const char* name;
        HELEMENT got;
        HELEMENT expected;
    };
    const Case cases[] = {
        {"after", b.sibling_after(), list.child_at(2)},
        {"before", b.sibling_before(), list.child_at(0)},
        {"first", b.first_in_parent(), list.child_at(0)},
        {"last", b.last_in_parent(), list.child_at(2)},
        {"after the last", element(list.child_at(2)).sibling_after(), nullptr},
        {"before the first", element(list.child_at(0)).sibling_before(), nullptr},
        {"parent", b.parent(), list},
        {"no parent", list.parent(), nullptr},
        {"no such child", list.child_at(3), nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.got) << c.name;
    EXPECT_EQ(1u, b.index_in_parent());
}

TEST_F(ElementTest, FindsAndSelects) {
    EXPECT_EQ(list.child_at(1), list.find_by_id(L"b"));
    EXPECT_EQ(list.child_at(1), list.find_by_id("b"));
    EXPECT_EQ(nullptr, list.find_by_id(L"B"));
    EXPECT_EQ(list.child_at(2), list.select_first("li[id=\"%s\"]", "c"));
    EXPECT_EQ(list.child_at(1), list.select_first("li.%s", "x"));
    std::vector<element> all;
    list.select_all(all, "li");
    ASSERT_EQ(3u, all.size());
    EXPECT_EQ(list.child_at(2), (HELEMENT)all[2]);

    element b = list.child_at(1);
    EXPECT_EQ((HELEMENT)b, b.matches(".x"));
    EXPECT_EQ(nullptr, b.matches("ul"));
    EXPECT_EQ((HELEMENT)list, b.matching_ancestor("ul"));

    std::string tooLong(3000, 'l');
    EXPECT_EQ(nullptr, list.select_first("%s, li", tooLong.c_str())) << "a selector that does not fit selects nothing";
}

TEST_F(ElementTest, FindsAnsiIdsThroughTheCodePage) {
    element li = list.child_at(0);
    HTMLayoutSetAttributeByName(li, "id", L"第一");
    EXPECT_EQ((HELEMENT)li, list.find_by_id("\xB5\xDA\xD2\xBB"));  // 第一 in code page 936
}

TEST_F(ElementTest, ContentRoundTrips) {
    element a = list.child_at(0);
    EXPECT_STREQ(L"甲", a.inner_text().c_str());
    EXPECT_STREQ(L"a", a.get_attribute("id"));
    EXPECT_EQ(nullptr, a.get_attribute("class"));
    EXPECT_EQ("<li id=\"a\">\xE7\x94\xB2</li>", Html(a));
    a.replace_html(nullptr, 0);
    EXPECT_TRUE(a.inner_text().empty());
    EXPECT_EQ(0u, a.child_count());
}

TEST_F(ElementTest, RemovedElementLeavesItsParent) {
    element b = list.child_at(1);
    b.remove();
    EXPECT_FALSE(b.is_valid());
    EXPECT_EQ(2u, list.child_count());
    EXPECT_EQ(nullptr, list.find_by_id(L"b"));
}

TEST_F(ElementTest, FailedUseLeavesTheElementEmpty) {
    HELEMENT stale;
    {
        element gone = element::create("div", L"x");
        stale = gone;
    }  // its last use is dropped: the handle is stale now
    element e(stale);
    EXPECT_FALSE(e.is_valid());
    element copy;
    copy = list;
    EXPECT_EQ((HELEMENT)list, (HELEMENT)copy);
    copy = stale;
    EXPECT_FALSE(copy.is_valid()) << "assignment of a stale handle empties the element";
    RECT r = e.location();
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0);
    EXPECT_EQ(0u, e.child_count());
    EXPECT_EQ(nullptr, e.child_at(0));
    EXPECT_EQ(nullptr, e.parent());
    EXPECT_EQ(nullptr, e.get_attribute("id"));
    EXPECT_TRUE(e.inner_text().empty());
    EXPECT_EQ(0, e.get_outer_html().length());
    EXPECT_EQ(nullptr, e.find_by_id(L"a"));
    EXPECT_EQ(nullptr, e.select_first("li"));
    EXPECT_EQ(nullptr, e.sibling_after());
    e.remove();
    e.invalidate();
}

TEST_F(ElementTest, SelfAssignmentKeepsTheUse) {
    element b = list.child_at(1);
    b.remove();  // b is out of the page; only uses keep it
    element keep = list.child_at(0);
    keep = keep;
    EXPECT_TRUE(keep.is_valid());
    element detached = element::create("span", L"s");
    HELEMENT raw = detached;
    detached = raw;  // the same element: its only use must not be dropped first
    EXPECT_TRUE(detached.is_valid());
    EXPECT_STREQ(L"s", detached.inner_text().c_str());
}

}  // namespace
