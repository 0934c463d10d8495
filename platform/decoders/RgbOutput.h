// The RGB types the video decoder offers (what the platform's GDI video renderer
// draws): bottom-up RGB32, RGB24 and RGB565 pictures of the visible size.
#pragma once

extern "C" {
#include <libavutil/pixfmt.h>
}

#include "strmbase.h"

constexpr int RGB_OUTPUT_COUNT = 3;

// Output type number index (0 to RGB_OUTPUT_COUNT - 1) for a picture of that size.
bool MakeRgbOutputType(int index, int width, int height, CMediaType& type);

// How pictures are laid out in the buffers of an output type.
struct RgbLayout {
    AVPixelFormat format = AV_PIX_FMT_NONE;
    int width = 0, height = 0;  // pixels per row (the row may be wider than the picture), rows
    int stride = 0;             // bytes per row
    bool bottomUp = true;
    long imageBytes() const { return static_cast<long>(stride) * height; }
};

// The layout of an RGB output type; false when the type is not one we write.
bool ReadRgbLayout(const CMediaType& type, RgbLayout& layout);
