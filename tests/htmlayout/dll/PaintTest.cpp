// Painting with GDI+: colours, images found by relative backslash paths and read by
// their content, images chosen by state, progress bars, text, scroll bars.
#include <gtest/gtest.h>

#include "TestWindow.h"

namespace {

using hltest::TestWindow;
using hltest::WritePng;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class Painting : public testing::Test {
protected:
    void SetUp() override {
        // A PNG whose name says nothing of its kind, and one per state.
        WritePng(window.folder, L"Images\\default\\bg.tmp", 4, 4, kGreen);
        WritePng(window.folder, L"Images\\default\\btn.png", 40, 20, kBlue);
        WritePng(window.folder, L"Images\\default\\btn-hover.png", 40, 20, kRed);
        WritePng(window.folder, L"Images\\default\\fill.png", 1, 8, kRed);
        ASSERT_TRUE(
            window.Load("<html><head><style>"
                        "html { background-color: #ffffff; }"
                        "#bg { height: 30px; background: url(Images\\default\\bg.tmp) repeat; }"
                        "#btn { width: 40px; height: 20px; background-image: url(Images\\default\\btn.png); }"
                        "#btn:hover { background-image: url(Images\\default\\btn-hover.png); }"
                        "#bar { width: 100px; height: 8px; background-color: #0000ff; foreground-image: "
                        "url(Images\\default\\fill.png);"
                        "  foreground-repeat: stretch; }"
                        "#text { height: 20px; font-family: SimSun; font-size: 16px; color: #000000; }"
                        "#box { height: 40px; overflow: auto; border: 2px solid #ff0000; }"
                        "#box div { height: 30px; }"
                        "</style></head><body>"
                        "<div id=\"bg\"></div><div id=\"btn\"></div>"
                        "<progress id=\"bar\" maxvalue=\"200\" value=\"50\"></progress>"
                        "<div id=\"text\">\xe6\x92\xad\xe6\x94\xbe\xe5\x88\x97\xe8\xa1\xa8</div>"
                        "<div id=\"box\"><div></div><div></div></div>"
                        "</body></html>"));
    }
    TestWindow window{300, 200};
};

TEST_F(Painting, BackgroundImagesFromRelativeBackslashPathsByContent) {
    EXPECT_EQ(window.Pixel(1, 1), kGreen);
    EXPECT_EQ(window.Pixel(299, 29), kGreen);  // repeated over the whole box
    EXPECT_EQ(window.Pixel(299, 31), kWhite);
}

TEST_F(Painting, AnImageFileThatChangedIsReadAgainForTheNextPage) {
    EXPECT_EQ(window.Pixel(20, 40), kBlue);
    Sleep(20);  // a later write time
    WritePng(window.folder, L"Images\\default\\btn.png", 40, 21, kGreen);
    std::string page =
        "<html><body><div style=\"height: 30px\"></div>"
        "<div style=\"width: 40px; height: 20px; background-image: "
        "url(Images\\default\\btn.png)\"></div></body></html>";
    ASSERT_TRUE(window.Load(page));
    EXPECT_EQ(window.Pixel(20, 40), kGreen);
}

TEST_F(Painting, ImagesFollowTheState) {
    EXPECT_EQ(window.Pixel(20, 40), kBlue);
    SendMessageW(window.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 40));
    EXPECT_EQ(window.Pixel(20, 40), kRed);
    SendMessageW(window.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(window.Pixel(20, 40), kBlue);
}

TEST_F(Painting, ProgressBarFillsItsShare) {
    RECT bar{};
    HTMLayoutGetElementLocation(window.Select("#bar"), &bar, BORDER_BOX);
    int y = bar.top + 4;
    EXPECT_EQ(window.Pixel(bar.left + 10, y), kRed);  // a quarter: 25 pixels
    EXPECT_EQ(window.Pixel(bar.left + 24, y), kRed);
    EXPECT_EQ(window.Pixel(bar.left + 26, y), kBlue);
    HTMLayoutSetAttributeByName(window.Select("#bar"), "value", L"200");
    EXPECT_EQ(window.Pixel(bar.left + 90, y), kRed);
}

TEST_F(Painting, CjkTextIsDrawnInTheSkinFont) {
    RECT text{};
    HTMLayoutGetElementLocation(window.Select("#text"), &text, BORDER_BOX);
    TestWindow::Picture picture = window.Capture();
    int dark = 0;
    for (int x = text.left; x < text.left + 64; ++x)
        for (int y = text.top; y < text.bottom; ++y)
            if (GetRValue(picture.At(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 20);
}

TEST_F(Painting, ScrollingBoxShowsItsBarAndBorder) {
    RECT box{};
    HTMLayoutGetElementLocation(window.Select("#box"), &box, BORDER_BOX);
    EXPECT_EQ(window.Pixel(box.left, box.top + 10), kRed);
    COLORREF bar = window.Pixel(box.right - 2 - 3, box.top + 5);
    EXPECT_NE(bar, kWhite);  // the thumb at the top of the track
}

}  // namespace
