// GDI+ images and fonts of the skinned controls (GDI+ must be started).
#pragma once

#include <afx.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

// The image of a file; null when the path is empty or the file gives no usable image
// (a failed load would leave an image of width 0).
std::unique_ptr<Gdiplus::Image> LoadSkinImage(const CString& path);

// A font of the face, or of the generic sans-serif family when the face is not installed.
std::unique_ptr<Gdiplus::Font> MakeSkinFont(const CString& face, Gdiplus::REAL size, INT style, Gdiplus::Unit unit);

// Draws the part (source rectangle) of the image into the destination rectangle,
// stretched without blending in pixels from beyond the part's edges.
void DrawImagePart(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::Rect& destination,
                   const Gdiplus::Rect& source);

// The image as nine parts over the destination: the corners of border x border pixels
// as they are, the edges stretched along their length, the centre over the rest.
void DrawNineParts(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::Rect& destination, int border);
