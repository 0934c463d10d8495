// Where the player's main dialog shows what the road clicks: points and areas of the main
// window's page (the skin's "mainwnd.html": a 36 pixel caption strip, a 31 pixel tab
// strip, the 197 pixel left column, the 234 pixel right column and the 40 pixel bottom
// bar), in screen coordinates of the dialog as it stands.
#pragma once

#include <windows.h>

namespace road {

struct MainDialogPlaces {
    explicit MainDialogPlaces(HWND dialog);

    POINT Minimize() const { return At(m_width - 76, 16); }
    POINT Close() const { return At(m_width - 20, 16); }
    // The "登录" link of the account box (before a sign-in).
    POINT SignIn() const { return At(18, 103); }
    // A point of the account box's picture frame, shown once a user is signed in.
    POINT AccountPicture() const { return At(30, 100); }
    // The play list's row (from 0) of the right column.
    POINT PlayListRow(int row) const { return At(m_width - 180, 104 + 22 * row); }
    // The browser's page between the columns, below its tool bar and above the strip.
    RECT BrowserPage() const;
    // The seek bar between the columns at the bottom of the middle.
    RECT SeekBar() const;

private:
    POINT At(int x, int y) const { return {m_origin.x + x, m_origin.y + y}; }

    POINT m_origin = {0, 0};  // the client area's top left
    int m_width = 0, m_height = 0;
};

}  // namespace road
