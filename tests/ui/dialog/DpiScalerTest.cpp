#include <gtest/gtest.h>

#include <windows.h>

#include "dialog/DpiScaler.h"

namespace {

// A preset DPI for the length of a test.
class DpiPreset {
public:
    DpiPreset(int dpiX, int dpiY) { CDpiScaler::PresetDpi(dpiX, dpiY); }
    ~DpiPreset() { CDpiScaler::PresetDpi(0, 0); }
    DpiPreset(const DpiPreset&) = delete;
    DpiPreset& operator=(const DpiPreset&) = delete;
};

TEST(DpiScalerTest, PresetDpiScalesEachAxis) {
    const struct {
        int dpiX, dpiY, value, x, y;
    } cases[] = {
        {96, 96, 108, 108, 108},  {120, 120, 96, 120, 120}, {120, 120, 27, 34, 34},  // rounded to the nearest pixel
        {144, 120, 92, 138, 115}, {120, 120, 0, 0, 0},      {120, 120, -10, -13, -13},
    };
    for (const auto& c : cases) {
        DpiPreset preset(c.dpiX, c.dpiY);
        CDpiScaler scaler;
        EXPECT_EQ(c.x, scaler.ScaleX(c.value)) << c.dpiX;
        EXPECT_EQ(c.y, scaler.ScaleY(c.value)) << c.dpiY;
    }
}

TEST(DpiScalerTest, WithoutAPresetTheScreenDecidesOnceOnFirstUse) {
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    CDpiScaler scaler;
    EXPECT_EQ(MulDiv(200, dpiX, 96), scaler.ScaleX(200));
    // A scaler keeps the DPI it read; a preset reaches the scalers that read later.
    DpiPreset preset(dpiX * 2, dpiX * 2);
    EXPECT_EQ(MulDiv(200, dpiX, 96), scaler.ScaleX(200));
    EXPECT_EQ(MulDiv(200, dpiX * 2, 96), CDpiScaler().ScaleX(200));
}

}  // namespace
