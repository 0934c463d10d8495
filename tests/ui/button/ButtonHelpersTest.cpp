#include <gtest/gtest.h>

#include <algorithm>

#include "ControlHost.h"
#include "button/ButtonHelpers.h"
#include "files/ScratchFolder.h"
#include "gdiplus/SkinGraphics.h"

namespace {

const RECT kFrame = {760, 300, 1060, 360};

class ButtonHelpersTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open(kFrame)); }
    void Make(CEngComButton& button, LPCWSTR text) {
        ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 34), &host, 1014));
    }

    GdiplusScope gdiplus;
    CControlHost host;
    ScratchFolder folder;
};

TEST_F(ButtonHelpersTest, MeasuresTheTextBesideTheImage) {
    WritePlainPng(folder.File(L"wide.png"), 50, 30, RGB(200, 0, 0));
    WritePlainPng(folder.File(L"tall.png"), 10, 60, RGB(200, 0, 0));
    auto wide = LoadSkinImage(folder.File(L"wide.png").c_str());
    auto tall = LoadSkinImage(folder.File(L"tall.png").c_str());
    ASSERT_TRUE(wide && tall);
    for (LPCWSTR text : {L"", L"确定", L"默认设置"}) {
        CEngComButton button;
        Make(button, text);
        CSize alone = MeasureButtonSize(button, nullptr);
        CSize beside = MeasureButtonSize(button, wide.get());
        CSize under = MeasureButtonSize(button, tall.get());
        CStringA name(text);
        EXPECT_EQ(alone.cx + 50 + 2, beside.cx) << name.GetString() << ": image width + 6 instead of + 4";
        EXPECT_EQ(std::max<LONG>(30 + 4, alone.cy), beside.cy) << name.GetString();
        EXPECT_EQ(64, under.cy) << name.GetString() << ": the taller image decides";
        if (*text == 0)
            EXPECT_EQ(4, alone.cx);
        else
            EXPECT_GT(alone.cx, 4 + 8) << name.GetString();
    }
    CEngComButton shorter, longer;
    Make(shorter, L"确定");
    Make(longer, L"确定确定");
    EXPECT_GT(MeasureButtonSize(longer, nullptr).cx, MeasureButtonSize(shorter, nullptr).cx);
}

// Names relative to the current directory; each image drawn at (2, 2) on a
// transparent bitmap of the measured size; an empty name gives a bare bitmap.
TEST_F(ButtonHelpersTest, StateImagesFromStringsAreDrawnOnMeasuredBitmaps) {
    WritePlainPng(folder.File(L"open.png"), 16, 16, RGB(200, 0, 0));
    WritePlainPng(folder.File(L"open-down.png"), 16, 16, RGB(0, 0, 200));
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    CEngComButton button;
    Make(button, L"打开");
    button.SetStateImagesFromStrings(L"open.png", L"", L"open-down.png", L"no-such.png");
    SetCurrentDirectoryW(previous);

    auto open = LoadSkinImage(folder.File(L"open.png").c_str());
    CSize size = MeasureButtonSize(button, open.get());
    Gdiplus::Image* normal = button.GetNormalImage();
    ASSERT_NE(nullptr, normal);
    EXPECT_EQ((UINT)size.cx, normal->GetWidth());
    EXPECT_EQ((UINT)size.cy, normal->GetHeight());
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(normal);
    Gdiplus::Color corner, inside, past;
    bitmap->GetPixel(1, 1, &corner);
    bitmap->GetPixel(2, 2, &inside);
    bitmap->GetPixel(18, 18, &past);
    EXPECT_EQ(0, corner.GetA()) << "transparent around the image";
    EXPECT_EQ(255, inside.GetA());
    EXPECT_EQ(200, inside.GetR());
    EXPECT_EQ(0, past.GetA()) << "the image keeps its own size";
}

}  // namespace
