#include "slider/portable/SliderTrack.h"

namespace {

// Length of the way of the thumb's near edge; 0 or less when the thumb cannot move.
int TravelOf(const SLIDER_TRACK& track) { return track.Size - track.FarMargin - track.ThumbSize - track.NearMargin; }

}  // namespace

int SliderPixelOfPosition(const SLIDER_TRACK& track, int min, int max, int position) {
    int nearest = track.NearMargin + track.ThumbSize / 2;
    int travel = TravelOf(track);
    if (max <= min || travel <= 0) return nearest;
    position = SliderClampPosition(min, max, position);
    return nearest + (int)((double)travel * ((double)position - min) / ((double)max - min));
}

int SliderPositionOfPixel(const SLIDER_TRACK& track, int min, int max, int pixel) {
    int travel = TravelOf(track);
    if (max <= min || travel <= 0) return min;
    double offset = (double)pixel - track.NearMargin - track.ThumbSize * 0.5;
    double value = min + offset / travel * ((double)max - min);
    if (value <= min) return min;
    if (value >= max) return max;
    return (int)value;
}

int SliderTargetPixel(const SLIDER_TRACK& track, int coordinate, int grabOffset) {
    int lowest = track.NearMargin + track.ThumbSize / 2;
    int highest = track.Size - track.FarMargin - track.ThumbSize / 2;
    long long pixel = (long long)coordinate - grabOffset;
    if (pixel > highest) pixel = highest;
    if (pixel < lowest) pixel = lowest;
    return (int)pixel;
}

int SliderClampPosition(int min, int max, int position) {
    if (position > max) position = max;
    if (position < min) position = min;
    return position;
}
