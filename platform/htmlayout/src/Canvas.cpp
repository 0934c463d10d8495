#include "Canvas.h"

namespace hlwin {
namespace {

// A buffer the size of the area, its logical coordinates those of the view.
class Buffer {
public:
    Buffer(HDC hdc, const RECT& area) : m_area(area) {
        int w = area.right - area.left, h = area.bottom - area.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_dc = CreateCompatibleDC(hdc);
        if (!m_bitmap || !m_dc) return;
        m_previous = SelectObject(m_dc, m_bitmap);
        SetViewportOrgEx(m_dc, -area.left, -area.top, nullptr);
    }
    ~Buffer() {
        if (m_dc) {
            if (m_previous) SelectObject(m_dc, m_previous);
            DeleteDC(m_dc);
        }
        if (m_bitmap) DeleteObject(m_bitmap);
    }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    HDC Dc() const { return m_previous ? m_dc : nullptr; }
    void CopyTo(HDC hdc) const {
        BitBlt(hdc, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_dc, m_area.left,
               m_area.top, SRCCOPY);
    }

private:
    RECT m_area;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};

class Painter {
public:
    Painter(HDC dc, ImageCache& images, Typography& text) : m_dc(dc), m_images(images), m_text(text) {}

    void Run(const hl::PaintList& list) {
        for (const hl::PaintCommand& c : list) {
            switch (c.kind) {
                case hl::PaintCommand::Kind::PushClip:
                    PushClip(c.rect);
                    break;
                case hl::PaintCommand::Kind::PopClip:
                    PopClip();
                    break;
                case hl::PaintCommand::Kind::Fill:
                    Fill(c);
                    break;
                case hl::PaintCommand::Kind::Image:
                    Image(c);
                    break;
                case hl::PaintCommand::Kind::Text:
                    Text(c);
                    break;
            }
        }
        while (m_depth > 0) PopClip();
    }

private:
    void PushClip(const hl::Rect& r) {
        SaveDC(m_dc);
        ++m_depth;
        IntersectClipRect(m_dc, r.x, r.y, r.Right(), r.Bottom());
    }

    void PopClip() {
        if (m_depth == 0) return;
        RestoreDC(m_dc, -1);
        --m_depth;
    }

    void Fill(const hl::PaintCommand& c) {
        const hl::Rect& r = c.rect;
        BYTE alpha = static_cast<BYTE>(c.color >> 24);
        if (alpha == 255) {
            RECT box{r.x, r.y, r.Right(), r.Bottom()};
            SetDCBrushColor(m_dc, RGB((c.color >> 16) & 0xFF, (c.color >> 8) & 0xFF, c.color & 0xFF));
            FillRect(m_dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            return;
        }
        Gdiplus::Bitmap pixel(1, 1, PixelFormat32bppARGB);
        pixel.SetPixel(0, 0, Gdiplus::Color(static_cast<Gdiplus::ARGB>(c.color)));
        Surface(pixel).BlendTo(m_dc, r.x, r.y, r.w, r.h);
    }

    static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

    // One copy at the tile, or the tiled block repeated over the rectangle from the
    // tile's origin; either cut to the rectangle.
    void Image(const hl::PaintCommand& c) {
        const hl::Rect& t = c.tile;
        bool once = c.rect.Intersect(t) == c.rect;
        const Surface* image = once ? m_images.Scaled(c.text, t.w, t.h) : m_images.Tiled(c.text, t.w, t.h);
        if (!image) return;
        PushClip(c.rect);
        if (once) {
            image->BlendTo(m_dc, t.x, t.y);
        } else {
            int bw = image->Width(), bh = image->Height();
            int x0 = t.x + FloorDiv(c.rect.x - t.x, bw) * bw, y0 = t.y + FloorDiv(c.rect.y - t.y, bh) * bh;
            for (int y = y0; y < c.rect.Bottom(); y += bh)
                for (int x = x0; x < c.rect.Right(); x += bw) image->BlendTo(m_dc, x, y);
        }
        PopClip();
    }

    void Text(const hl::PaintCommand& c) {
        if (const Surface* run = m_text.Rendered(c.text, c.font, c.color, c.rect.h))
            run->BlendTo(m_dc, c.rect.x, c.rect.y);
    }

    HDC m_dc;
    ImageCache& m_images;
    Typography& m_text;
    int m_depth = 0;
};

}  // namespace

void DrawPaintList(HDC hdc, const RECT& area, const hl::PaintList& list, ImageCache& images, Typography& text) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    Buffer buffer(hdc, area);
    HDC dc = buffer.Dc();
    if (!dc) return;
    RECT paper = area;
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Painter(dc, images, text).Run(list);
    buffer.CopyTo(hdc);
}

}  // namespace hlwin
