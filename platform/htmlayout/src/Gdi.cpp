#include "Gdi.h"

#include "FileBytes.h"

#include <shlwapi.h>

#include <cmath>
#include <vector>

namespace hlwin {
namespace {

int g_sessions = 0;
ULONG_PTR g_token = 0;

const WCHAR* Wide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

Gdiplus::Color ToColor(hl::Argb c) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(c)); }

// Scaled images keep their edges: the samples beyond them mirror the image
// instead of fading into nothing.
void DrawScaled(Gdiplus::Graphics& g, Gdiplus::Bitmap* image, const Gdiplus::Rect& to) {
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(image, to, 0, 0, static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()),
                Gdiplus::UnitPixel, &edges);
}

// Owns a GDI object handle.
template <typename H>
struct GdiObject {
    H handle;
    ~GdiObject() {
        if (handle) DeleteObject(handle);
    }
};

struct MemoryDc {
    HDC dc;
    ~MemoryDc() {
        if (dc) DeleteDC(dc);
    }
};

}  // namespace

GdiplusSession::GdiplusSession() {
    if (g_sessions++ == 0) {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&g_token, &input, nullptr);
    }
}

GdiplusSession::~GdiplusSession() {
    if (--g_sessions == 0) Gdiplus::GdiplusShutdown(g_token);
}

Typography::Typography() : m_format(Gdiplus::StringFormat::GenericTypographic()->Clone()) {
    m_format->SetFormatFlags(m_format->GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap |
                             Gdiplus::StringFormatFlagsNoClip | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

Gdiplus::Font& Typography::Get(const hl::FontSpec& spec) {
    auto key = std::make_tuple(spec.family, spec.size, spec.bold, spec.italic);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return *it->second;
    INT style = (spec.bold ? Gdiplus::FontStyleBold : 0) | (spec.italic ? Gdiplus::FontStyleItalic : 0);
    std::unique_ptr<Gdiplus::Font> font;
    size_t start = 0;
    while (!font && start <= spec.family.size()) {
        size_t comma = spec.family.find(u',', start);
        if (comma == std::u16string::npos) comma = spec.family.size();
        std::u16string name = spec.family.substr(start, comma - start);
        start = comma + 1;
        if (name.empty()) continue;
        Gdiplus::FontFamily family(Wide(name));
        if (family.IsAvailable()) font = std::make_unique<Gdiplus::Font>(&family, static_cast<Gdiplus::REAL>(spec.size), style, Gdiplus::UnitPixel);
    }
    if (!font)
        font = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), static_cast<Gdiplus::REAL>(spec.size),
                                               style, Gdiplus::UnitPixel);
    return *m_fonts.emplace(key, std::move(font)).first->second;
}

Gdiplus::Bitmap* ImageCache::Get(const std::u16string& path) {
    auto it = m_images.find(path);
    if (it != m_images.end()) return it->second.get();
    std::unique_ptr<Gdiplus::Bitmap> decoded;
    std::vector<unsigned char> bytes = ReadFileBytes(path);
    if (!bytes.empty()) {
        IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
        if (stream) {
            // Decoded once into a plain bitmap, so neither the stream nor the file stays held.
            std::unique_ptr<Gdiplus::Bitmap> source(Gdiplus::Bitmap::FromStream(stream));
            if (source && source->GetLastStatus() == Gdiplus::Ok && source->GetWidth() > 0 && source->GetHeight() > 0) {
                decoded = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(source->GetWidth()),
                                                            static_cast<INT>(source->GetHeight()), PixelFormat32bppPARGB);
                Gdiplus::Graphics g(decoded.get());
                g.DrawImage(source.get(), 0, 0, static_cast<INT>(source->GetWidth()), static_cast<INT>(source->GetHeight()));
            }
            source.reset();
            stream->Release();
        }
    }
    return m_images.emplace(path, std::move(decoded)).first->second.get();
}

GdiplusMeasurer::GdiplusMeasurer(Typography& fonts) : m_fonts(fonts), m_surface(1, 1, PixelFormat32bppPARGB), m_graphics(&m_surface) {
    m_graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

int GdiplusMeasurer::Width(std::u16string_view text, const hl::ComputedStyle& style) {
    if (text.empty()) return 0;
    hl::FontSpec spec{style.fontFamily, style.fontSize, style.bold, style.italic};
    std::u16string key = spec.family + u'\x1' + static_cast<char16_t>(spec.size) + (spec.bold ? u'b' : u'n') +
                         (spec.italic ? u'i' : u'n') + u'\x1' + std::u16string(text);
    auto it = m_widths.find(key);
    if (it != m_widths.end()) return it->second;
    constexpr size_t kMostWidths = 20000;
    if (m_widths.size() > kMostWidths) m_widths.clear();
    Gdiplus::RectF box;
    m_graphics.MeasureString(reinterpret_cast<const WCHAR*>(text.data()), static_cast<INT>(text.size()), &m_fonts.Get(spec),
                             Gdiplus::PointF(0, 0), &m_fonts.Format(), &box);
    int width = static_cast<int>(std::ceil(box.Width));
    m_widths.emplace(std::move(key), width);
    return width;
}

int GdiplusMeasurer::LineHeight(const hl::ComputedStyle& style) {
    hl::FontSpec spec{style.fontFamily, style.fontSize, style.bold, style.italic};
    return static_cast<int>(std::ceil(m_fonts.Get(spec).GetHeight(&m_graphics)));
}

void DrawPaintList(HDC hdc, const RECT& area, const hl::PaintList& list, ImageCache& images, Typography& fonts) {
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    MemoryDc memory{CreateCompatibleDC(hdc)};
    GdiObject<HBITMAP> bitmap{CreateCompatibleBitmap(hdc, w, h)};
    if (!memory.dc || !bitmap.handle) return;
    HGDIOBJ old = SelectObject(memory.dc, bitmap.handle);
    {
        Gdiplus::Graphics g(memory.dc);
        g.TranslateTransform(static_cast<Gdiplus::REAL>(-area.left), static_cast<Gdiplus::REAL>(-area.top));
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::SolidBrush paper(Gdiplus::Color(255, 255, 255, 255));
        g.FillRectangle(&paper, area.left, area.top, w, h);
        std::vector<std::unique_ptr<Gdiplus::Region>> clips;
        for (const hl::PaintCommand& c : list) {
            Gdiplus::Rect r(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
            switch (c.kind) {
            case hl::PaintCommand::Kind::PushClip: {
                auto saved = std::make_unique<Gdiplus::Region>();
                g.GetClip(saved.get());
                clips.push_back(std::move(saved));
                g.IntersectClip(r);
                break;
            }
            case hl::PaintCommand::Kind::PopClip:
                if (!clips.empty()) {
                    g.SetClip(clips.back().get());
                    clips.pop_back();
                }
                break;
            case hl::PaintCommand::Kind::Fill: {
                Gdiplus::SolidBrush brush(ToColor(c.color));
                g.FillRectangle(&brush, r);
                break;
            }
            case hl::PaintCommand::Kind::Image: {
                Gdiplus::Bitmap* image = images.Get(c.text);
                if (!image) break;
                Gdiplus::Rect tile(c.tile.x, c.tile.y, c.tile.w, c.tile.h);
                if (c.rect == c.tile) {
                    DrawScaled(g, image, tile);
                } else if (c.rect.Intersect(c.tile) == c.rect) {
                    auto saved = std::make_unique<Gdiplus::Region>();
                    g.GetClip(saved.get());
                    g.IntersectClip(r);
                    DrawScaled(g, image, tile);
                    g.SetClip(saved.get());
                } else {
                    Gdiplus::TextureBrush brush(image, Gdiplus::WrapModeTile);
                    brush.TranslateTransform(static_cast<Gdiplus::REAL>(c.tile.x), static_cast<Gdiplus::REAL>(c.tile.y));
                    brush.ScaleTransform(static_cast<Gdiplus::REAL>(c.tile.w) / image->GetWidth(),
                                         static_cast<Gdiplus::REAL>(c.tile.h) / image->GetHeight());
                    g.FillRectangle(&brush, r);
                }
                break;
            }
            case hl::PaintCommand::Kind::Text: {
                Gdiplus::SolidBrush brush(ToColor(c.color));
                Gdiplus::RectF box(static_cast<Gdiplus::REAL>(c.rect.x), static_cast<Gdiplus::REAL>(c.rect.y),
                                   static_cast<Gdiplus::REAL>(c.rect.w), static_cast<Gdiplus::REAL>(c.rect.h));
                g.DrawString(reinterpret_cast<const WCHAR*>(c.text.c_str()), static_cast<INT>(c.text.size()),
                             &fonts.Get(c.font), box, &fonts.Format(), &brush);
                break;
            }
            }
        }
    }
    BitBlt(hdc, area.left, area.top, w, h, memory.dc, 0, 0, SRCCOPY);
    SelectObject(memory.dc, old);
}

}  // namespace hlwin
