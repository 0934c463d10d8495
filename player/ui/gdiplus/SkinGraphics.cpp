#include "gdiplus/SkinGraphics.h"

std::unique_ptr<Gdiplus::Image> LoadSkinImage(const CString& path) {
    if (path.IsEmpty()) return nullptr;
    auto image = std::make_unique<Gdiplus::Image>(path.GetString());
    if (image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0 || image->GetHeight() == 0) return nullptr;
    return image;
}

std::unique_ptr<Gdiplus::Font> MakeSkinFont(const CString& face, Gdiplus::REAL size, INT style, Gdiplus::Unit unit) {
    Gdiplus::FontFamily family(face.GetString());
    if (family.IsAvailable()) return std::make_unique<Gdiplus::Font>(&family, size, style, unit);
    return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, style, unit);
}

void DrawImagePart(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::Rect& destination,
                   const Gdiplus::Rect& source) {
    if (destination.Width <= 0 || destination.Height <= 0 || source.Width <= 0 || source.Height <= 0) return;
    // A part reaching beyond the image draws only what the image has, at the same scale.
    Gdiplus::Rect part = source;
    if (!part.Intersect(Gdiplus::Rect(0, 0, (INT)image.GetWidth(), (INT)image.GetHeight()))) return;
    double scaleX = (double)destination.Width / source.Width, scaleY = (double)destination.Height / source.Height;
    Gdiplus::Rect target((INT)(destination.X + (part.X - source.X) * scaleX + 0.5),
                         (INT)(destination.Y + (part.Y - source.Y) * scaleY + 0.5), (INT)(part.Width * scaleX + 0.5),
                         (INT)(part.Height * scaleY + 0.5));
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(&image, target, part.X, part.Y, part.Width, part.Height, Gdiplus::UnitPixel, &attributes);
}
