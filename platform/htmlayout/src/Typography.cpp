#include "Typography.h"

#include <cmath>

namespace hlwin {
namespace {

constexpr size_t kMostWidths = 20000;
constexpr size_t kMostRendered = 2000;

const WCHAR* Wide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

hl::FontSpec SpecOf(const hl::ComputedStyle& s) { return {s.fontFamily, s.fontSize, s.bold, s.italic}; }

// A cache key: the font, then what else tells runs apart, then the text.
std::u16string Key(const hl::FontSpec& spec, std::u16string_view rest, std::u16string_view text) {
    std::u16string key = spec.family;
    key += u'\x1';
    key += static_cast<char16_t>(spec.size);
    key += spec.bold ? u'b' : u'n';
    key += spec.italic ? u'i' : u'n';
    key += rest;
    key += u'\x1';
    key += text;
    return key;
}

}  // namespace

Typography::Typography()
    : m_format(Gdiplus::StringFormat::GenericTypographic()->Clone()),
      m_surface(1, 1, PixelFormat32bppPARGB),
      m_measuring(&m_surface) {
    m_format->SetFormatFlags(m_format->GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap |
                             Gdiplus::StringFormatFlagsNoClip | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
    m_measuring.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

Gdiplus::Font& Typography::Font(const hl::FontSpec& spec) {
    auto key = std::make_tuple(spec.family, spec.size, spec.bold, spec.italic);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return *it->second;
    INT style = (spec.bold ? Gdiplus::FontStyleBold : 0) | (spec.italic ? Gdiplus::FontStyleItalic : 0);
    auto size = static_cast<Gdiplus::REAL>(spec.size);
    std::unique_ptr<Gdiplus::Font> font;
    for (size_t start = 0; !font && start <= spec.family.size();) {
        size_t comma = spec.family.find(u',', start);
        if (comma == std::u16string::npos) comma = spec.family.size();
        std::u16string name = spec.family.substr(start, comma - start);
        start = comma + 1;
        if (name.empty()) continue;
        Gdiplus::FontFamily family(Wide(name));
        if (family.IsAvailable()) font = std::make_unique<Gdiplus::Font>(&family, size, style, Gdiplus::UnitPixel);
    }
    if (!font)
        font =
            std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, style, Gdiplus::UnitPixel);
    return *m_fonts.emplace(key, std::move(font)).first->second;
}

int Typography::Width(std::u16string_view text, const hl::ComputedStyle& style) {
    if (text.empty()) return 0;
    hl::FontSpec spec = SpecOf(style);
    std::u16string key = Key(spec, u"", text);
    auto it = m_widths.find(key);
    if (it != m_widths.end()) return it->second;
    if (m_widths.size() >= kMostWidths) m_widths.clear();
    Gdiplus::RectF box;
    m_measuring.MeasureString(reinterpret_cast<const WCHAR*>(text.data()), static_cast<INT>(text.size()), &Font(spec),
                              Gdiplus::PointF(0, 0), m_format.get(), &box);
    int width = static_cast<int>(std::ceil(box.Width));
    m_widths.emplace(std::move(key), width);
    return width;
}

int Typography::LineHeight(const hl::ComputedStyle& style) {
    return static_cast<int>(std::ceil(Font(SpecOf(style)).GetHeight(&m_measuring)));
}

const Surface* Typography::Rendered(const std::u16string& text, const hl::FontSpec& spec, hl::Argb color, int height) {
    if (text.empty() || height <= 0) return nullptr;
    std::u16string rest{static_cast<char16_t>(color >> 16), static_cast<char16_t>(color & 0xFFFF),
                        static_cast<char16_t>(std::min(height, 0xFFFF))};
    std::u16string key = Key(spec, rest, text);
    auto it = m_rendered.find(key);
    if (it != m_rendered.end()) return it->second.get();
    if (m_rendered.size() >= kMostRendered) m_rendered.clear();
    hl::ComputedStyle style;
    style.fontFamily = spec.family;
    style.fontSize = spec.size;
    style.bold = spec.bold;
    style.italic = spec.italic;
    int width = Width(text, style) + 2;  // room for the anti-aliased edge
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppPARGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        Gdiplus::SolidBrush brush(Gdiplus::Color(static_cast<Gdiplus::ARGB>(color)));
        g.DrawString(Wide(text), static_cast<INT>(text.size()), &Font(spec),
                     Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height)),
                     m_format.get(), &brush);
    }
    auto surface = std::make_unique<Surface>(bitmap);
    if (!surface->Valid()) return nullptr;
    return m_rendered.emplace(std::move(key), std::move(surface)).first->second.get();
}

}  // namespace hlwin
