// Where the fit size puts the video: the video window's size on the surface and the
// surface's place in the play dialog's client area.
#pragma once

#include <afxtypes.h>

struct VIDEO_FIT {
    // The video window's rectangle inside the surface; empty when the surface covers
    // the client area and the video window is fitted to the surface instead.
    CRect window;
    CRect surface;
    bool coversClient;
};

// A video or client area without width or height has no aspect to keep: the surface
// then covers the client area.
VIDEO_FIT FitVideo(const CRect& client, long videoWidth, long videoHeight);
// True when the client area holds the video at that scale.
bool ClientHolds(const CRect& client, long videoWidth, long videoHeight, int scale);
