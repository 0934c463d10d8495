// Layout of a page shaped like the main window at two window sizes, and again after
// changes of size, display and margins.
#include <gtest/gtest.h>

#include "Css.h"
#include "FakeHost.h"
#include "Layout.h"

namespace {

using hl::Node;
using hl::Rect;

std::string MainPage() {
    std::string items;
    for (int i = 0; i < 30; ++i) items += "<li id=\"i" + std::to_string(i) + "\">" + std::to_string(i) + "</li>";
    return R"(<html><head><style>
  html, body { height: 100%; }
  #top { height: 36px; flow: horizontal; }
  #logo { width: 100px; height: *; }
  #title { width: *; height: *; }
  #buttons { width: 90px; height: 20px; vertical-align: middle; }
  #middle { height: *; flow: horizontal; }
  #left { width: 197px; height: *; }
  #center { width: *; padding: 5px; border: 1px solid black; }
  #right { width: 234px; height: *; overflow: auto; }
  #bottom { height: 40px; margin: 0 5px; position: relative; }
  #progress { position: absolute; left: 33%; top: 10px; width: 30%; height: 8px; }
  #rel { position: relative; left: 10px; top: -5px; height: 20px; }
  table { width: 100%; }
  td.name { width: 120px; }
  td.size { width: 25%; }
</style></head><body>
<div id="top"><div id="logo"></div><div id="title">AB</div><div id="buttons"></div></div>
<div id="middle">
  <div id="left"></div>
  <div id="center"><div id="rel"></div>
    <table id="t"><tr id="tr1"><td class="name" id="td1">a</td><td class="size" id="td2">1MB</td><td id="td3">x</td></tr></table></div>
  <div id="right"><ul id="items">)" +
           items + R"(</ul></div>
</div>
<div id="bottom"><div id="progress"></div></div>
</body></html>)";
}

struct Expected {
    const char* id;
    Rect at1024x753;
    Rect at800x450;
};

const Expected kRects[] = {
    {"top", {0, 0, 1024, 36}, {0, 0, 800, 36}},
    {"logo", {0, 0, 100, 36}, {0, 0, 100, 36}},
    {"title", {100, 0, 834, 36}, {100, 0, 610, 36}},
    {"buttons", {934, 8, 90, 20}, {710, 8, 90, 20}},
    {"middle", {0, 36, 1024, 677}, {0, 36, 800, 374}},
    {"left", {0, 36, 197, 677}, {0, 36, 197, 374}},
    {"center", {197, 36, 593, 48}, {197, 36, 369, 48}},
    {"right", {790, 36, 234, 677}, {566, 36, 234, 374}},
    {"rel", {213, 37, 581, 20}, {213, 37, 357, 20}},
    {"t", {203, 62, 581, 16}, {203, 62, 357, 16}},
    {"td1", {203, 62, 120, 16}, {203, 62, 120, 16}},
    {"td2", {323, 62, 145, 16}, {323, 62, 89, 16}},
    {"td3", {468, 62, 316, 16}, {412, 62, 148, 16}},
    {"i0", {790, 36, 234, 16}, {566, 36, 222, 16}},  // narrower beside the scroll bar
    {"bottom", {5, 713, 1014, 40}, {5, 410, 790, 40}},
    {"progress", {340, 723, 304, 8}, {266, 420, 237, 8}},
};

std::string Show(const Rect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
}

class LayoutSizes : public testing::TestWithParam<bool> {};

TEST_P(LayoutSizes, PlacesEveryBox) {
    bool large = GetParam();
    hltest::Page page(MainPage(), large ? 1024 : 800, large ? 753 : 450);
    for (const Expected& e : kRects)
        EXPECT_EQ(Show(page.Border(e.id)), Show(large ? e.at1024x753 : e.at800x450)) << e.id;
}

INSTANTIATE_TEST_SUITE_P(Windows, LayoutSizes, testing::Bool());

TEST(Layout, ResizingTheViewLaysOutAgain) {
    hltest::Page page(MainPage(), 800, 450);
    page.document.SetViewSize(1024, 753);
    for (const Expected& e : kRects) EXPECT_EQ(Show(page.Border(e.id)), Show(e.at1024x753)) << e.id;
}

TEST(Layout, ScrollingBoxOnlyWhenTheContentOverflows) {
    hltest::Page page(MainPage(), 800, 450);
    page.document.Update();
    Node* right = page.ById("right");
    EXPECT_TRUE(right->box.scrollbar);
    EXPECT_EQ(hl::MaxScroll(right->box), 30 * 16 - 374);
    page.document.ScrollToView(page.ById("i29"), false);
    EXPECT_EQ(right->box.scrollY, 106);
    EXPECT_EQ(page.Border("i29").Bottom(), 410);
    page.document.ScrollToView(page.ById("i3"), true);
    EXPECT_EQ(page.Border("i3").y, 36);
    EXPECT_FALSE(page.document.SetScrollPos(right, 0, 48));  // already there
    EXPECT_TRUE(page.document.SetScrollPos(right, 0, 100000));
    EXPECT_EQ(right->box.scrollY, 106);
    page.document.SetViewSize(1024, 753);
    page.document.Update();
    EXPECT_FALSE(right->box.scrollbar);
    EXPECT_EQ(right->box.scrollY, 0);
}

void SetStyle(Node* n, const char* name, const char* value) {
    for (const hl::Declaration& d : hl::ParseProperty(name, value)) n->SetRuntimeStyle(d.id, &d.value);
}

TEST(Layout, DisplayAndMarginChangesLayOutAgain) {
    hltest::Page page(MainPage(), 1024, 753);
    SetStyle(page.ById("left"), "display", "none");
    EXPECT_EQ(Show(page.Border("center")), Show({0, 36, 790, 48}));
    EXPECT_FALSE(page.ById("left")->box.laidOut);
    SetStyle(page.ById("bottom"), "margin-left", "0px");
    EXPECT_EQ(Show(page.Border("bottom")), Show({0, 713, 1019, 40}));
    SetStyle(page.ById("progress"), "left", "72%");
    EXPECT_EQ(page.Border("progress").x, 734);  // 72% of 1019
    SetStyle(page.ById("left"), "display", "block");
    EXPECT_EQ(Show(page.Border("center")), Show({197, 36, 593, 48}));
}

TEST(Layout, TextStaysOnOneLineAndInlineBlocksWrap) {
    hltest::Page page(R"(<html><body><style>
      #box { width: 100px; text-align: center; }
      span { display: inline-block; width: 40px; height: 10px; }
    </style>
    <div id="text" style="width: 30px">a long text that never wraps</div>
    <div id="box"><span id="s1"></span><span id="s2"></span><span id="s3"></span></div>
    </body></html>)");
    page.document.Update();
    Node* text = page.ById("text");
    EXPECT_EQ(page.Border("text").h, 16);
    EXPECT_EQ(text->Kids()[0]->box.border.w, 28 * 6);  // beyond its 30px box, cut when painted
    EXPECT_EQ(Show(page.Border("s1")), Show({10, 16, 40, 10}));
    EXPECT_EQ(Show(page.Border("s2")), Show({50, 16, 40, 10}));
    EXPECT_EQ(Show(page.Border("s3")), Show({30, 26, 40, 10}));
}

TEST(Layout, LargeListsLayOutInLinearTime) {
    std::string html = "<html><body><table id=\"t\">";
    for (int i = 0; i < 5000; ++i) html += "<tr><td style=\"width: 100px\">name</td><td>size</td><td>state</td></tr>";
    html += "</table></body></html>";
    hltest::Page page(html, 1024, 753);
    EXPECT_EQ(page.Border("t").h, 5000 * 16);
}

}  // namespace
