// What the core asks the painter to draw.
#include <gtest/gtest.h>

#include "FakeHost.h"
#include "Paint.h"

namespace {

using Kind = hl::PaintCommand::Kind;

TEST(PaintList, TheRootsBackgroundCoversTheWholeView) {
    hltest::Page page(R"(<html style="background: #e8edf3 url(Images\default\bg.png) repeat-x"><body>
        <div id="short" style="height: 40px; background-color: #ff0000">x</div></body></html>)",
                      640, 400);
    page.host.images[u"C:\\skin\\Images\\default\\bg.png"] = {16, 800};
    page.document.Update();
    hl::PaintList list = page.document.Paint({0, 0, 640, 400});

    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].kind, Kind::Fill);
    EXPECT_EQ(list[0].rect, (hl::Rect{0, 0, 640, 400}));
    ASSERT_GT(list.size(), 1u);
    EXPECT_EQ(list[1].kind, Kind::Image);
    EXPECT_EQ(list[1].rect, (hl::Rect{0, 0, 640, 400})) << "repeated across the view, cut at its bottom";
    EXPECT_EQ(list[1].tile, (hl::Rect{0, 0, 16, 800}));
    int rootLayers = 0;
    for (const hl::PaintCommand& c : list)
        if (c.text == u"C:\\skin\\Images\\default\\bg.png" || c.color == 0xFFE8EDF3) ++rootLayers;
    EXPECT_EQ(rootLayers, 2) << "painted once, not again over the root's own box";
}

}  // namespace
