#include "Surface.h"

#include <cstring>

namespace hlwin {

Surface::Surface(Gdiplus::Bitmap& bitmap)
    : m_width(static_cast<int>(bitmap.GetWidth())), m_height(static_cast<int>(bitmap.GetHeight())) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap) return;
    Gdiplus::BitmapData data;
    Gdiplus::Rect all(0, 0, m_width, m_height);
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
        for (int y = 0; y < m_height; ++y)
            std::memcpy(static_cast<BYTE*>(bits) + static_cast<size_t>(y) * m_width * 4,
                        static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                        static_cast<size_t>(m_width) * 4);
        bitmap.UnlockBits(&data);
    }
    m_dc = CreateCompatibleDC(nullptr);
    if (m_dc) m_previous = SelectObject(m_dc, m_bitmap);
}

Surface::~Surface() {
    if (m_dc) {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    if (m_bitmap) DeleteObject(m_bitmap);
}

void Surface::BlendTo(HDC dc, int x, int y) const { BlendTo(dc, x, y, m_width, m_height); }

void Surface::BlendTo(HDC dc, int x, int y, int width, int height) const {
    if (!m_dc) return;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, width, height, m_dc, 0, 0, m_width, m_height, blend);
}

}  // namespace hlwin
