// Carries a painting list out on a device context: GDI+ prepares the images and the
// text once (the caches), GDI blends them and fills, through a buffer.
#pragma once

#include "Images.h"
#include "Paint.h"
#include "Typography.h"

namespace hlwin {

// Draws the list for the area (view coordinates) of hdc.
void DrawPaintList(HDC hdc, const RECT& area, const hl::PaintList& list, ImageCache& images, Typography& text);

}  // namespace hlwin
