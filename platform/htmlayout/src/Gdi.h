// GDI+ for the engine: the library's start-up while views exist, fonts, images
// read by their content, text measuring, and the execution of painting lists.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "Document.h"
#include "Paint.h"

namespace hlwin {

// GDI+ is started while at least one session object lives.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
};

// Fonts, and the one string format that both measuring and drawing use.
class Typography {
public:
    Typography();
    // The first available family of the list (commas between names), else a
    // sans-serif one.
    Gdiplus::Font& Get(const hl::FontSpec& spec);
    const Gdiplus::StringFormat& Format() const { return *m_format; }

private:
    std::unique_ptr<Gdiplus::StringFormat> m_format;
    std::map<std::tuple<std::u16string, int, bool, bool>, std::unique_ptr<Gdiplus::Font>> m_fonts;
};

class ImageCache {
public:
    // The decoded image of a file, or null when it is no image; read once.
    Gdiplus::Bitmap* Get(const std::u16string& path);
    void Clear() { m_images.clear(); }

private:
    std::unordered_map<std::u16string, std::unique_ptr<Gdiplus::Bitmap>> m_images;
};

class GdiplusMeasurer : public hl::TextMeasurer {
public:
    explicit GdiplusMeasurer(Typography& fonts);
    int Width(std::u16string_view text, const hl::ComputedStyle& font) override;
    int LineHeight(const hl::ComputedStyle& font) override;

private:
    Typography& m_fonts;
    Gdiplus::Bitmap m_surface;
    Gdiplus::Graphics m_graphics;
    std::unordered_map<std::u16string, int> m_widths;  // by font and text
};

// Draws the list onto hdc for the area (view coordinates), through a buffer.
void DrawPaintList(HDC hdc, const RECT& area, const hl::PaintList& list, ImageCache& images, Typography& fonts);

}  // namespace hlwin
