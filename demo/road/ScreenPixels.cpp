#include "ScreenPixels.h"

#include "DcPixels.h"

namespace road {

bool NearColour(COLORREF shown, COLORREF colour, int tolerance) {
    auto within = [&](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    return within(GetRValue(shown), GetRValue(colour)) && within(GetGValue(shown), GetGValue(colour)) &&
           within(GetBValue(shown), GetBValue(colour));
}

ScreenPixels::ScreenPixels(const RECT& screen)
    : m_rect(screen), m_width(screen.right - screen.left), m_height(screen.bottom - screen.top) {
    HDC source = GetDC(nullptr);
    m_pixels = CopyDcPixels(source, screen.left, screen.top, m_width, m_height);
    ReleaseDC(nullptr, source);
}

COLORREF ScreenPixels::At(int x, int y) const {
    x -= m_rect.left;
    y -= m_rect.top;
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    DWORD p = m_pixels[(size_t)y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::vector<POINT> ScreenPixels::ColourRuns(COLORREF colour, int tolerance) const {
    std::vector<POINT> runs;
    int runStart = -1, runX = 0;
    for (int y = 0; y <= m_height; ++y) {
        int found = -1;
        for (int x = 0; y < m_height && x < m_width && found < 0; ++x)
            if (NearColour(At(m_rect.left + x, m_rect.top + y), colour, tolerance)) found = x;
        if (found >= 0 && runStart < 0) {
            runStart = y;
            runX = found;
        } else if (found < 0 && runStart >= 0) {
            runs.push_back({m_rect.left + runX, m_rect.top + (runStart + y - 1) / 2});
            runStart = -1;
        }
    }
    return runs;
}

}  // namespace road
