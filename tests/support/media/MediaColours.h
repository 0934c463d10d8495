// The colours of the generated test video, shared by the program that makes the media
// and the tests that read frames back: one flat colour for each second.
#pragma once

#include <cstdint>

struct MediaColour {
    uint8_t r, g, b;
};

inline MediaColour ColourOfSecond(int second) {
    static const MediaColour kColours[] = {
        {200, 40, 40}, {40, 180, 60}, {50, 60, 200}, {210, 200, 50}, {190, 60, 190}, {60, 190, 190},
    };
    return kColours[static_cast<unsigned>(second) % (sizeof(kColours) / sizeof(kColours[0]))];
}

// A white band over the top eighth of every picture shows which way up it is.
constexpr MediaColour BAND_COLOUR = {235, 235, 235};
inline bool InTopBand(int row, int height) { return row < height / 8; }

// Limited-range BT.601 Y, Cb, Cr of a colour (in r, g, b), as the encoder takes it.
inline MediaColour YuvOf(MediaColour c) {
    auto clamp = [](double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5); };
    double y = 16 + 0.257 * c.r + 0.504 * c.g + 0.098 * c.b;
    double u = 128 - 0.148 * c.r - 0.291 * c.g + 0.439 * c.b;
    double v = 128 + 0.439 * c.r - 0.368 * c.g - 0.071 * c.b;
    return {clamp(y), clamp(u), clamp(v)};
}
