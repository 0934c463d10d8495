#include "VideoFit.h"

VIDEO_FIT FitVideo(const CRect& client, long videoWidth, long videoHeight) {
    int cw = client.Width(), ch = client.Height();
    VIDEO_FIT fit{CRect(), client, true};
    if (cw <= 0 || ch <= 0 || videoWidth <= 0 || videoHeight <= 0) return fit;
    double aspect = (double)videoWidth / videoHeight;
    double clientAspect = (double)cw / ch;
    if (aspect > clientAspect) {
        int height = (int)(cw / aspect);
        fit.window = CRect(0, 0, cw, height);
        int top = client.top + (ch - height) / 2;
        fit.surface = CRect(client.left, top, client.left + cw, top + height);
        fit.coversClient = false;
    } else if (aspect < clientAspect) {
        int width = (int)(aspect * ch);
        fit.window = CRect(0, 0, width, ch);
        int left = client.left + (cw - width) / 2;
        fit.surface = CRect(left, client.top, left + width, client.top + ch);
        fit.coversClient = false;
    }
    return fit;
}

bool ClientHolds(const CRect& client, long videoWidth, long videoHeight, int scale) {
    return client.Width() >= videoWidth * scale && client.Height() >= videoHeight * scale;
}
