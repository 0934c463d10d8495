// Selectors: every form the program uses, over a page shaped like its templates.
#include <gtest/gtest.h>

#include "FakeHost.h"
#include "Search.h"
#include "Text.h"

namespace {

using hl::Node;

constexpr const char kPage[] = R"(<html><body>
<div id="tabs-box" class="tabs-box">
  <ul class="strip" id="strip">
    <li id="t1" panel="tab-video-list" selected>list</li>
    <li id="t2" panel="tab-newest-video">newest</li>
    <li id="t3" panel="tab-downloading">downloads</li>
  </ul>
  <ul name="tab-video-list" id="tab-video-list">
    <li id="p1" class="right-viedo-list-current-item" path="C:\a.xof">a</li>
    <li id="playing-video" class="right-viedo-list-current-item" path="C:\b.xof">b</li>
  </ul>
  <ul name="tab-newest-video" id="tab-newest-video">
    <li id="cur" class="right-current-item" url="u1"><ul class="horizontal"><li class="right-current-item-cover-red" id="cover"/>
      <ul class="right-current-item-info"><li id="cur-text" class="right-current-item-text">name</li>
      <li id="cur-pay" class="right-current-item-payment"><span id="price">5</span></li>
      <li id="brief" class="right-current-item-brief" titleid="brief-tooltip">short</li></ul></ul></li>
    <li class="right-separator" id="sep"/>
    <li id="n1" class="right-normal-item-blue" url="u2"><div class="serial-number" id="serial">2</div><div id="n1-text" class="right-normal-item-text">x</div>
      <div id="n1-pay" class="right-normal-item-payment"><div id="n1-price">3</div></div></li>
  </ul>
</div>
<table id="grid" fixedrows="1" multiple>
  <tr id="h"><th id="h0">name</th><th id="h1">size</th></tr>
  <tr id="r1"><td id="c1">b</td><td>2</td></tr>
  <tr id="r2"><td>a</td><td>1</td></tr>
</table>
</body></html>)";

class Selectors : public testing::Test {
protected:
    void SetUp() override {
        page.ById("t1")->SetState(hl::kStateCurrent, 0);
        page.ById("t2")->SetState(hl::kStateDisabled, 0);
        page.ById("tab-video-list")->SetState(hl::kStateExpanded, 0);
        page.ById("tab-newest-video")->SetState(hl::kStateCollapsed, 0);
        page.ById("r1")->SetState(hl::kStateAnchor, 0);
        page.ById("r2")->SetState(hl::kStateChecked, 0);
        page.ById("h1")->SetState(hl::kStateChecked, 0);
        page.ById("p1")->SetState(hl::kStateFocus | hl::kStateHover | hl::kStateActive, 0);
    }

    std::string Select(const std::string& scopeId, const std::string& selector, bool* readable = nullptr) {
        Node* scope = scopeId.empty() ? page.Root() : page.ById(scopeId);
        std::string ids;
        bool ok = hl::SelectElements(scope, selector, [&](Node* n) {
            const std::u16string* id = n->GetAttribute("id");
            ids += (ids.empty() ? "" : " ") + (id ? hl::Utf16ToUtf8(*id) : std::string("?"));
            return false;
        });
        if (readable) *readable = ok;
        return ids;
    }

    hltest::Page page{kPage};
};

struct SelectCase {
    const char* scope;  // "" for the root
    const char* selector;
    const char* matches;
};

void PrintTo(const SelectCase& c, std::ostream* out) { *out << hltest::Label(std::string(c.scope) + " " + c.selector); }

class SelectorTable : public Selectors, public testing::WithParamInterface<SelectCase> {};

TEST_P(SelectorTable, MatchesTheElements) {
    bool readable = false;
    EXPECT_EQ(Select(GetParam().scope, GetParam().selector, &readable), GetParam().matches) << GetParam().selector;
    EXPECT_TRUE(readable);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SelectorTable,
    testing::Values(
        // Tab strip and panels, searched from the tabs element.
        SelectCase{"tabs-box", ":root>.strip>[panel][selected]", "t1"},
        SelectCase{"tabs-box", ":root>.strip>[panel]:current", "t1"},
        SelectCase{"tabs-box", ":root>[name=\"tab-newest-video\"]", "tab-newest-video"},
        SelectCase{"tabs-box", ":root>[name]:expanded", "tab-video-list"},
        SelectCase{"", "[panel=\"tab-video-list\"]", "t1"}, SelectCase{"", "[panel=tab-downloading]", "t3"},
        SelectCase{"tabs-box", "[panel=\"tab-downloading\"]", "t3"},
        // Grid rows and headers.
        SelectCase{"grid", "tr", "h r1 r2"}, SelectCase{"grid", "tr:checked", "r2"},
        SelectCase{"grid", "tr:anchor", "r1"}, SelectCase{"grid", "th:checked", "h1"},
        SelectCase{"grid", ":root > tr", "h r1 r2"}, SelectCase{"grid", ":root > tr:checked", "r2"},
        SelectCase{"grid", ":root > tr:anchor", "r1"}, SelectCase{"grid", ":root > tr > th:checked", "h1"},
        SelectCase{"r1", "tr", ""}, SelectCase{"grid", "*", "h h0 h1 r1 c1 ? r2 ? ?"},
        // Play list and newest videos.
        SelectCase{"tab-video-list", ":root > li", "p1 playing-video"},
        SelectCase{"", "li[id=\"playing-video\"]", "playing-video"},
        SelectCase{"tab-video-list", "li[path]", "p1 playing-video"},
        SelectCase{"tab-newest-video", ":root > li", "cur sep n1"},
        SelectCase{"tab-newest-video", "li[class=\"right-current-item\"]", "cur"},
        SelectCase{"tab-newest-video", "li[class=\"right-current-item-text\"]", "cur-text"},
        SelectCase{"tab-newest-video", "li[class=\"right-current-item-payment\"] > span", "price"},
        SelectCase{"tab-newest-video", ":root > li[class=\"right-current-item\"]", "cur"},
        SelectCase{"cur", "li.right-current-item-brief", "brief"},
        SelectCase{"n1", ":root > div.right-normal-item-text", "n1-text"},
        SelectCase{"n1", ":root > div.right-normal-item-payment > div", "n1-price"},
        SelectCase{"n1", ":root > div", "serial n1-text n1-pay"},
        SelectCase{"", "li", "t1 t2 t3 p1 playing-video cur cover cur-text cur-pay brief sep n1"},
        // The other forms: classes, ids, descendants, lists, states, case.
        SelectCase{"", ".right-normal-item-text", "n1-text"}, SelectCase{"", "div.serial-number", "serial"},
        SelectCase{"", "#tabs-box li span", "price"}, SelectCase{"", "#h1, #h0", "h0 h1"},
        SelectCase{"", "TR:CHECKED", "r2"}, SelectCase{"", "li[class=\"right-current\"]", ""},
        SelectCase{"", ":disabled", "t2"}, SelectCase{"", ":focus", "p1"}, SelectCase{"", "li:hover:active", "p1"},
        SelectCase{"", "*:collapsed", "tab-newest-video"}, SelectCase{"", "[name]:expanded > li:focus", "p1"},
        SelectCase{"", ":root", ""}));

TEST_F(Selectors, UnreadableSelectorsMatchNothing) {
    for (const char* bad : {"li[", "::", "a >", "", "li[=x]", "li[a=\"x]", ":unknown", "a,,b", "#", "."}) {
        bool readable = true;
        EXPECT_EQ(Select("", bad, &readable), "") << bad;
        EXPECT_FALSE(readable) << bad;
    }
}

TEST_F(Selectors, ACallbackReturningTrueStopsTheWalk) {
    int seen = 0;
    hl::SelectElements(page.Root(), "li", [&](Node*) { return ++seen == 2; });
    EXPECT_EQ(seen, 2);
}

TEST_F(Selectors, ParentSearchByDepth) {
    Node* price = page.ById("price");
    struct {
        const char* selector;
        uint32_t depth;
        const char* found;
    } cases[] = {{"li", 0, "cur-pay"},         {"li", 1, ""},        {"li", 2, "cur-pay"}, {"span", 1, "price"},
                 {".tabs-box", 0, "tabs-box"}, {".tabs-box", 3, ""}, {"li[", 0, ""}};
    for (const auto& c : cases) {
        Node* n = hl::SelectParent(price, c.selector, c.depth);
        EXPECT_EQ(n ? hl::Utf16ToUtf8(*n->GetAttribute("id")) : "", c.found) << c.selector << " " << c.depth;
    }
}

TEST_F(Selectors, VisitByTagAndAttribute) {
    std::u16string r2 = u"r2";
    std::vector<Node*> found;
    auto collect = [&](Node* n) {
        found.push_back(n);
        return false;
    };
    hl::VisitElements(page.Root(), "TR", "id", &r2, 0, collect);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], page.ById("r2"));
    found.clear();
    hl::VisitElements(page.ById("grid"), "", "id", nullptr, 1, collect);
    EXPECT_EQ(found.size(), 3u);  // the rows, not the cells
}

}  // namespace
