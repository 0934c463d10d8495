#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestPage.h"
#include "htmlayout/dom.h"

namespace {

using Texts = std::vector<std::string>;
using htmlayout::dom::has_state;

// "tables.html": "grid" (one header row, g3 hidden), "multiple" (m4 hidden),
// "sortable-grid", and "long", twenty rows of 20 pixels in a box 100 pixels high.
class GridTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(page.Open());
        events.Attach(page.Window().m_hWnd);
    }
    htmlayout::dom::element Row(LPCWSTR id) { return page.Find(id); }
    HELEMENT Cell(LPCWSTR row, UINT column) { return Row(row).child_at(column); }
    // The rows of a table in a state, by id.
    Texts RowsIn(LPCWSTR table, UINT state) {
        Texts rows;
        htmlayout::dom::element t = page.Find(table);
        for (UINT i = 0; i < t.child_count(); ++i) {
            htmlayout::dom::element row = t.child_at(i);
            if (has_state(row, state)) rows.push_back(Id(row));
        }
        return rows;
    }
    Texts Order(LPCWSTR table) {
        Texts rows;
        htmlayout::dom::element t = page.Find(table);
        for (UINT i = 0; i < t.child_count(); ++i) rows.push_back(Id(t.child_at(i)));
        return rows;
    }
    static std::string Id(HELEMENT he) {
        LPCWSTR id = htmlayout::dom::element(he).get_attribute("id");
        return id ? std::string(CStringA(id)) : std::string("(none)");
    }

    TestPage page{L"tables.html"};
    EventLog events;
};

TEST_F(GridTest, ClickedRowBecomesTheOneCurrentAndCheckedRow) {
    page.ClickText(Cell(L"g2", 1));
    page.ClickText(Cell(L"g4", 0));
    EXPECT_EQ(Texts{"g4"}, RowsIn(L"grid", STATE_CURRENT));
    EXPECT_EQ(Texts{"g4"}, RowsIn(L"grid", STATE_CHECKED));
    EXPECT_EQ((Texts{"130 g2 2", "130 g4 4"}), events.events) << "TABLE_ROW_CLICK with the row's index";
}

TEST_F(GridTest, DoubleClickedRowReachesTheWindowsManager) {
    page.DoubleClickText(Cell(L"g1", 0));
    EXPECT_EQ((Texts{"130 g1 1", "131 g1 1"}), events.events);
    const Texts& log = page.Manager().log;
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "row g1"));
}

TEST_F(GridTest, HeaderClickIsReportedWithTheCellsIndex) {
    htmlayout::dom::element header = page.Find(L"grid").child_at(0);
    page.ClickText(header.child_at(0));
    page.ClickBox(header.child_at(1));
    EXPECT_EQ((Texts{"129 名称 0", "129 大小 1"}), events.events);
    EXPECT_TRUE(RowsIn(L"grid", STATE_CURRENT).empty());
}

TEST_F(GridTest, ModifierKeysChooseSeveralRowsOfAMultipleTable) {
    struct Step {
        LPCWSTR row;
        WPARAM keys;
        Texts checked;
        std::string anchor;
    };
    const Step steps[] = {
        {L"m3", MK_SHIFT, {"m1", "m2", "m3"}, "none"},  // no anchor yet: from the first body row
        {L"m1", 0, {"m1"}, "m1"},
        {L"m3", MK_CONTROL, {"m1", "m3"}, "m3"},
        {L"m6", MK_SHIFT, {"m3", "m5", "m6"}, "m3"},  // the hidden row stays out
        {L"m5", MK_CONTROL, {"m3", "m6"}, "m5"},      // toggled off, current all the same
        {L"m2", MK_SHIFT, {"m2", "m3", "m5"}, "m5"},
    };
    for (const Step& s : steps) {
        page.ClickText(Cell(s.row, 0), s.keys);
        EXPECT_EQ(s.checked, RowsIn(L"multi", STATE_CHECKED)) << CStringA(s.row).GetString();
        EXPECT_EQ(Texts{std::string(CStringA(s.row))}, RowsIn(L"multi", STATE_CURRENT));
        Texts anchors = RowsIn(L"multi", STATE_ANCHOR);
        EXPECT_EQ(s.anchor, anchors.empty() ? "none" : anchors.front());
    }
}

TEST_F(GridTest, ControlAChecksEveryBodyRowOfAMultipleTableOnly) {
    page.ClickText(Cell(L"m2", 0));
    page.Key('A', true);
    EXPECT_EQ((Texts{"m1", "m2", "m3", "m4", "m5", "m6"}), RowsIn(L"multi", STATE_CHECKED)) << "not the header row";
    page.ClickText(Cell(L"g1", 0));
    page.Key('A', true);
    EXPECT_EQ(Texts{"g1"}, RowsIn(L"grid", STATE_CHECKED));
}

TEST_F(GridTest, ArrowsHomeAndEndMoveOverVisibleRows) {
    page.ClickText(page.Find(L"grid").child_at(0));  // the focus in the header, no row current
    struct Step {
        UINT key;
        const char* current;
    };
    const Step steps[] = {
        {VK_UP, "g4"},                                    // from the end when no row is current
        {VK_UP, "g2"},   {VK_UP, "g1"},   {VK_UP, "g1"},  // never onto the header
        {VK_DOWN, "g2"}, {VK_DOWN, "g4"}, {VK_DOWN, "g4"}, {VK_HOME, "g1"}, {VK_END, "g4"},
    };
    for (const Step& s : steps) {
        page.Key(s.key);
        EXPECT_EQ(Texts{s.current}, RowsIn(L"grid", STATE_CURRENT)) << s.key;
    }
}

TEST_F(GridTest, DownWithoutACurrentRowStartsAtTheFirstBodyRow) {
    page.ClickText(page.Find(L"grid").child_at(0));
    page.Key(VK_DOWN);
    EXPECT_EQ(Texts{"g1"}, RowsIn(L"grid", STATE_CURRENT));
}

TEST_F(GridTest, PagesMoveByTheVisibleHeight) {
    page.ClickText(Cell(L"l1", 0));
    struct Step {
        UINT key;
        const char* current;
    };
    const Step steps[] = {{VK_NEXT, "l9"},  {VK_NEXT, "l14"}, {VK_PRIOR, "l5"},
                          {VK_PRIOR, "l1"}, {VK_END, "l20"},  {VK_HOME, "l1"}};
    for (const Step& s : steps) {
        page.Key(s.key);
        EXPECT_EQ(Texts{s.current}, RowsIn(L"long", STATE_CURRENT)) << s.key;
        RECT box = page.Find(L"scroller").location(VIEW_RELATIVE | PADDING_BOX);
        RECT row = Row(CString(s.current)).location(VIEW_RELATIVE | BORDER_BOX);
        EXPECT_TRUE(row.top >= box.top && row.bottom <= box.bottom) << s.current << " scrolled into view";
    }
}

TEST_F(GridTest, HeaderClickSortsBodyRowsByCodeUnitsOnceChecked) {
    page.ClickText(page.Find(L"by-name"));
    EXPECT_EQ((Texts{"(none)", "s2", "s4", "s1", "s3"}), Order(L"sorted")) << "B < a < b < 中";
    EXPECT_TRUE(has_state(page.Find(L"by-name"), STATE_CHECKED));

    HTMLayoutSetElementInnerText16(Cell(L"s3", 0), L"0", 1);
    page.ClickText(page.Find(L"by-name"));
    EXPECT_EQ((Texts{"(none)", "s2", "s4", "s1", "s3"}), Order(L"sorted")) << "the checked column does not sort again";

    page.ClickText(page.Find(L"by-size"));
    EXPECT_EQ((Texts{"(none)", "s4", "s3", "s2", "s1"}), Order(L"sorted")) << "empty < 1 < 10 < 2";
    EXPECT_FALSE(has_state(page.Find(L"by-name"), STATE_CHECKED));
    EXPECT_EQ((Texts{"129 by-name 0", "129 by-name 0", "129 by-size 1"}), events.events);
}

}  // namespace
