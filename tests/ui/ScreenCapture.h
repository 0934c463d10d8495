// The pixels of a screen rectangle, as a person sees them, with a PNG copy.
#pragma once

#include <afx.h>

#include <vector>

class ScreenCapture {
public:
    explicit ScreenCapture(const RECT& screenRect);
    // The colour at a point relative to the rectangle; black outside it.
    COLORREF Pixel(int x, int y) const;
    bool SavePng(const CString& path) const;

private:
    int m_width, m_height;
    std::vector<DWORD> m_pixels;  // top-down rows of 0x00RRGGBB
};
