#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

namespace {

// GDI+ for the length of a test.
class GdiplusScope {
public:
    GdiplusScope() {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusScope() {
        if (m_ok) Gdiplus::GdiplusShutdown(m_token);
    }
    GdiplusScope(const GdiplusScope&) = delete;
    GdiplusScope& operator=(const GdiplusScope&) = delete;
    bool Ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

// Dark pixels of a text drawn black on white in the family.
int InkOf(const wchar_t* family, const wchar_t* text) {
    Gdiplus::Bitmap bitmap(200, 40, PixelFormat32bppRGB);
    Gdiplus::Graphics graphics(&bitmap);
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    Gdiplus::FontFamily fontFamily(family);
    Gdiplus::Font font(&fontFamily, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    graphics.DrawString(text, -1, &font, Gdiplus::PointF(2, 2), &black);
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            Gdiplus::Color pixel;
            bitmap.GetPixel(x, y, &pixel);
            if (pixel.GetR() < 128) ++ink;
        }
    return ink;
}

TEST(DialogFontsTest, TheDialogsFamiliesExistAndDrawText) {
    GdiplusScope gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    const struct {
        const wchar_t* family;
        const wchar_t* text;
    } fonts[] = {{L"Arial", L"1.0.0.1"}, {L"宋体", L"下载目录设置"}};
    for (const auto& font : fonts) {
        Gdiplus::FontFamily family(font.family);
        EXPECT_EQ(Gdiplus::Ok, family.GetLastStatus()) << font.family;
        EXPECT_GT(InkOf(font.family, font.text), 20) << font.family;
    }
}

}  // namespace
