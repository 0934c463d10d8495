#include "MainDialogPlaces.h"

namespace road {

MainDialogPlaces::MainDialogPlaces(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    ClientToScreen(dialog, &m_origin);
    m_width = client.right;
    m_height = client.bottom;
}

RECT MainDialogPlaces::BrowserPage() const {
    POINT topLeft = At(199, 125 + 24), bottomRight = At(m_width - 235, m_height - 35);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

RECT MainDialogPlaces::PlayList() const {
    POINT topLeft = At(m_width - 234, 151), bottomRight = At(m_width, m_height - 24);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

DownloadPagePlaces::DownloadPagePlaces(HWND downloadWindow) { ClientToScreen(downloadWindow, &m_origin); }

}  // namespace road
