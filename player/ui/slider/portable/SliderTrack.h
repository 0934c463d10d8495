// Where a slider's thumb sits for a position and which position a pixel stands for,
// along the slider's axis. Portable: no platform headers.
#pragma once

// One axis of a slider: its length, the margins that the thumb's centre cannot
// enter, and the thumb's length.
struct SLIDER_TRACK {
    int Size;
    int NearMargin;  // left, or top when vertical
    int FarMargin;
    int ThumbSize;
};

// The pixel of the thumb's centre for a position of [min, max]. Equal or inverted ends,
// or a track no longer than the thumb, give the near end.
int SliderPixelOfPosition(const SLIDER_TRACK& track, int min, int max, int position);
// The position, clamped to [min, max], of a pixel of the thumb's centre; min for equal or
// inverted ends, or a track no longer than the thumb.
int SliderPositionOfPixel(const SLIDER_TRACK& track, int min, int max, int pixel);
// The pixel of the thumb's centre for a pointer coordinate less the grab offset,
// kept inside the track.
int SliderTargetPixel(const SLIDER_TRACK& track, int coordinate, int grabOffset);
// The position kept inside [min, max].
int SliderClampPosition(int min, int max, int position);
