// Text for a view: fonts by family list, the one string format that measuring and
// drawing share, text measuring for the layout, and each text run drawn once into
// a bitmap that painting then copies.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>

#include "Document.h"
#include "Gdiplus.h"
#include "Paint.h"
#include "Surface.h"

namespace hlwin {

class Typography : public hl::TextMeasurer {
public:
    Typography();
    // The first available family of the list (commas between names), else a
    // sans-serif one.
    Gdiplus::Font& Font(const hl::FontSpec& spec);
    // The text drawn once in the font and colour, centred in a surface of the given
    // height; null for no text.
    const Surface* Rendered(const std::u16string& text, const hl::FontSpec& spec, hl::Argb color, int height);

    // hl::TextMeasurer
    int Width(std::u16string_view text, const hl::ComputedStyle& style) override;
    int LineHeight(const hl::ComputedStyle& style) override;

private:
    std::unique_ptr<Gdiplus::StringFormat> m_format;
    Gdiplus::Bitmap m_surface;
    Gdiplus::Graphics m_measuring;
    std::map<std::tuple<std::u16string, int, bool, bool>, std::unique_ptr<Gdiplus::Font>> m_fonts;
    std::unordered_map<std::u16string, int> m_widths;                         // by font and text
    std::unordered_map<std::u16string, std::unique_ptr<Surface>> m_rendered;  // by font, colour, height and text
};

}  // namespace hlwin
