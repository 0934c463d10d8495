// The screen's pixels in a rectangle, read as the screen shows them (the player's windows
// belong to another process): for finding what to click by its colour.
#pragma once

#include <windows.h>

#include <vector>

namespace road {

// Each channel of shown within tolerance of the colour's.
bool NearColour(COLORREF shown, COLORREF colour, int tolerance);

class ScreenPixels {
public:
    explicit ScreenPixels(const RECT& screen);
    // The colour at a screen point; black outside the rectangle.
    COLORREF At(int x, int y) const;
    // Rows (screen y, top to bottom) holding a pixel of the colour (each channel within
    // the tolerance: smoothed text has few pixels of its exact colour), each run of
    // neighbouring rows given once by its middle row, with the first such pixel's x.
    std::vector<POINT> ColourRuns(COLORREF colour, int tolerance = 0) const;
    const RECT& Rect() const { return m_rect; }

private:
    RECT m_rect;
    int m_width, m_height;
    std::vector<DWORD> m_pixels;  // top-down rows of 0x00RRGGBB
};

}  // namespace road
