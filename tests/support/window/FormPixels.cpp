#include "FormPixels.h"

namespace {

constexpr int kBoxEdge = 14;  // the last pixel of a check box's side
constexpr COLORREF kBorder = RGB(0x55, 0x55, 0x55);
constexpr COLORREF kButton = RGB(0xe8, 0xe8, 0xe8);

// A border all round with the fill all along its inside.
bool IsBox(const PixelAt& pixel, int x, int y, COLORREF fill) {
    for (int i = 0; i <= kBoxEdge; ++i)
        if (pixel(x + i, y) != kBorder || pixel(x + i, y + kBoxEdge) != kBorder || pixel(x, y + i) != kBorder ||
            pixel(x + kBoxEdge, y + i) != kBorder)
            return false;
    for (int i = 1; i < kBoxEdge; ++i)
        if (pixel(x + i, y + 1) != fill || pixel(x + i, y + kBoxEdge - 1) != fill || pixel(x + 1, y + i) != fill ||
            pixel(x + kBoxEdge - 1, y + i) != fill)
            return false;
    return true;
}

}  // namespace

std::vector<POINT> FindCheckBoxes(const PixelAt& pixel, const RECT& area, COLORREF fill) {
    std::vector<POINT> boxes;
    for (int y = area.top; y + kBoxEdge < area.bottom; ++y)
        for (int x = area.left; x + kBoxEdge < area.right; ++x)
            if (IsBox(pixel, x, y, fill)) boxes.push_back({x + kBoxEdge / 2, y + kBoxEdge / 2});
    return boxes;
}

POINT ButtonBelow(const PixelAt& pixel, const RECT& area, POINT box) {
    for (int y = box.y + kBoxEdge; y < area.bottom; ++y)
        if (pixel(box.x, y) == kButton) return {box.x + 20, y + 6};
    return {-1, -1};
}
