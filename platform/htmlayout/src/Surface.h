// A bitmap ready for GDI to blend: a 32-bit premultiplied DIB section selected into
// a memory device context. The caches keep what GDI+ decoded, scaled and drew in
// this form, because blending a prepared DIB is what costs least per drawing.
#pragma once

#include "Gdiplus.h"

namespace hlwin {

class Surface {
public:
    // A copy of a GDI+ bitmap (premultiplied alpha).
    explicit Surface(Gdiplus::Bitmap& bitmap);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Valid() const { return m_dc != nullptr; }
    // Blends the surface onto dc with its top-left corner at (x, y), at its own size.
    void BlendTo(HDC dc, int x, int y) const;
    // Blends it stretched over a rectangle (for one-pixel colours).
    void BlendTo(HDC dc, int x, int y, int width, int height) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

}  // namespace hlwin
