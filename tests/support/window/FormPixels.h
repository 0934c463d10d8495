// The catalogue album form as its pixels show it: the check boxes (13-pixel squares in a
// #555555 border, filled white, or the links' blue when ticked) and the form's button
// (#e8e8e8) below them. For the tests of the program and the demonstration road, which
// find what to click by how the page looks.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// The colour at a point of the area searched.
using PixelAt = std::function<COLORREF(int x, int y)>;

constexpr COLORREF FORM_BOX_EMPTY = RGB(0xff, 0xff, 0xff);
constexpr COLORREF FORM_BOX_TICKED = RGB(0x1a, 0x5f, 0xa8);

// The middles of the check boxes of the fill in the area, top to bottom.
std::vector<POINT> FindCheckBoxes(const PixelAt& pixel, const RECT& area, COLORREF fill);
// A point inside the form's button, the first below the check box in its column; {-1, -1}
// when there is none.
POINT ButtonBelow(const PixelAt& pixel, const RECT& area, POINT box);
