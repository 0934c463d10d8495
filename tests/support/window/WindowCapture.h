// The pixels of a top-level window as it drew itself, with a PNG copy. Read from the
// window's own surface, so other windows on the screen cannot hide any of it.
#pragma once

#include <afx.h>

#include <vector>

class WindowCapture {
public:
    explicit WindowCapture(HWND window);
    // The screen's pixels in the area, whichever windows show there.
    explicit WindowCapture(const RECT& screenArea);
    // The colour at a point relative to the window; black outside it.
    COLORREF Pixel(int x, int y) const;
    bool SavePng(const CString& path) const;

private:
    void Grab(HDC source, int left, int top);

    int m_width, m_height;
    std::vector<DWORD> m_pixels;  // top-down rows of 0x00RRGGBB
};
