#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestPage.h"
#include "htmlayout/dom.h"

namespace {

using Texts = std::vector<std::string>;
using htmlayout::dom::has_state;

// Tabs t1 to t5 for the panels p1 to p4 and a panel that is missing; t1 is marked
// selected; t3 is disabled by the test. The pages differ in the panels' names: plain
// words in "tables.html"; Chinese, quotes and selector punctuation in "tabnames.html".
class TabsTest : public testing::TestWithParam<LPCWSTR> {
protected:
    void SetUp() override {
        ASSERT_TRUE(page.Open());
        htmlayout::dom::set_state(page.Find(L"t3"), STATE_DISABLED, 0);
        events.Attach(page.Window().m_hWnd);
    }
    // The current tabs and the expanded panels.
    std::string Shown() {
        return Marked(
            [this](LPCWSTR id) { return has_state(page.Find(id), id[0] == L't' ? STATE_CURRENT : STATE_EXPANDED); });
    }
    std::string Selected() {
        return Marked([this](LPCWSTR id) { return page.Find(id).get_attribute("selected") != nullptr; });
    }
    std::string Visible() {
        return Marked([this](LPCWSTR id) {
            BOOL visible = FALSE;
            HTMLayoutIsElementVisible(page.Find(id), &visible);
            return id[0] == L'p' && visible;
        });
    }
    template <class Test>
    std::string Marked(Test test) {
        std::string marked;
        for (LPCWSTR id : {L"t1", L"t2", L"t3", L"t4", L"t5", L"p1", L"p2", L"p3", L"p4"})
            if (test(id)) marked += (marked.empty() ? "" : " ") + std::string(CStringA(id));
        return marked;
    }
    // A click on the strip beside the tabs puts the focus on the strip.
    void FocusStrip() {
        RECT strip = htmlayout::dom::element(page.Find(L"t1").parent()).location(VIEW_RELATIVE | BORDER_BOX);
        page.Window().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(strip.right - 5, strip.top + 5));
        page.Window().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(strip.right - 5, strip.top + 5));
        PumpMessages();
    }

    TestPage page{GetParam()};
    EventLog events;
};

TEST_P(TabsTest, PageOpensOnTheSelectedTab) {
    EXPECT_EQ("t1 p1", Shown());
    EXPECT_TRUE(has_state(page.Find(L"t1").parent(), STATE_CURRENT)) << "the strip";
    EXPECT_EQ("p1", Visible());
}

TEST_P(TabsTest, ClickedTabShowsItsPanel) {
    page.ClickText(page.Find(L"t2"));
    EXPECT_EQ("t2 p2", Shown());
    EXPECT_EQ("t2 p2", Selected());
    EXPECT_EQ("p2", Visible());
    EXPECT_TRUE(has_state(page.Find(L"p1"), STATE_COLLAPSED));
    EXPECT_EQ((Texts{"144 t1 0", "145 t2 0"}), events.events) << "ELEMENT_COLLAPSED, then ELEMENT_EXPANDED";

    events.events.clear();
    page.ClickText(page.Find(L"t2"));
    page.ClickText(page.Find(L"t5"));
    EXPECT_EQ("t2 p2", Shown()) << "the current tab, and a tab without its panel, change nothing";
    EXPECT_TRUE(events.events.empty());
}

TEST_P(TabsTest, KeysMoveOverEnabledTabsWhileTheStripHasTheFocus) {
    FocusStrip();
    struct Step {
        UINT key;
        bool ctrl, shift;
        const char* shown;
    };
    const Step steps[] = {
        {VK_RIGHT, false, false, "t2 p2"}, {VK_RIGHT, false, false, "t4 p4"},  // over the disabled t3
        {VK_LEFT, false, false, "t2 p2"},  {VK_END, false, false, "t2 p2"},    // the last is t5, whose panel is missing
        {VK_HOME, false, false, "t1 p1"},  {VK_LEFT, false, false, "t1 p1"},  {VK_TAB, true, false, "t2 p2"},
        {VK_TAB, true, true, "t1 p1"},     {VK_TAB, false, false, "t1 p1"},
    };
    for (const Step& s : steps) {
        page.Key(s.key, s.ctrl, s.shift);
        EXPECT_EQ(s.shown, Shown()) << s.key << (s.ctrl ? " ctrl" : "") << (s.shift ? " shift" : "");
    }
}

TEST_P(TabsTest, ArrowsNeedTheFocusOnTheTabsButControlTabDoesNot) {
    page.ClickText(page.Find(L"p1"));  // the focus in the panel
    page.Key(VK_RIGHT);
    EXPECT_EQ("t1 p1", Shown());
    page.Key(VK_TAB, true);
    EXPECT_EQ("t2 p2", Shown());
}

TEST_P(TabsTest, ActivateChildSelectsTheTabAndIsAlwaysHandled) {
    struct Case {
        LPCWSTR target;
        const char* shown;
    };
    const Case cases[] = {{L"t4", "t4 p4"}, {L"t5", "t4 p4"}, {L"t3", "t3 p3"}};  // disabled tabs are for the keys only
    for (const Case& c : cases) {
        BOOL handled = FALSE;
        htmlayout::dom::element tab = page.Find(c.target);
        ASSERT_EQ(HLDOM_OK, HTMLayoutSendEvent(tab, ACTIVATE_CHILD, tab, 0, &handled));
        EXPECT_TRUE(handled) << CStringA(c.target).GetString();
        EXPECT_EQ(c.shown, Shown()) << CStringA(c.target).GetString();
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, TabsTest, testing::Values(L"tables.html", L"tabnames.html"),
                         [](const testing::TestParamInfo<LPCWSTR>& info) {
                             return std::string(info.index == 0 ? "PlainNames" : "ChineseAndQuotedNames");
                         });

}  // namespace
