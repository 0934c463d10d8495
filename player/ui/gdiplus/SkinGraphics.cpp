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

void DrawNineParts(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::Rect& destination, int border) {
    const int b = border, imageWidth = (int)image.GetWidth(), imageHeight = (int)image.GetHeight();
    const int width = destination.Width, height = destination.Height, x = destination.X, y = destination.Y;
    // Columns and rows of the nine parts: in the image and in the destination. The
    // middle ones reach one pixel under their neighbours and are drawn first, so that
    // a stretch that leaves its first column or row unpainted leaves no seam.
    const int sourceX[] = {0, b, imageWidth - b}, sourceW[] = {b, imageWidth - 2 * b, b};
    const int sourceY[] = {0, b, imageHeight - b}, sourceH[] = {b, imageHeight - 2 * b, b};
    const int targetX[] = {x, x + b - 1, x + width - b}, targetW[] = {b, width - 2 * b + 2, b};
    const int targetY[] = {y, y + b - 1, y + height - b}, targetH[] = {b, height - 2 * b + 2, b};
    const int order[] = {1, 0, 2};
    for (int row : order)
        for (int column : order)
            DrawImagePart(graphics, image, Gdiplus::Rect(targetX[column], targetY[row], targetW[column], targetH[row]),
                          Gdiplus::Rect(sourceX[column], sourceY[row], sourceW[column], sourceH[row]));
}
