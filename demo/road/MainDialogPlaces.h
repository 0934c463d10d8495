// Where the player's main dialog shows what the road clicks and looks at: points and areas
// of the main window's page (the skin's "mainwnd.html": a 36 pixel caption strip, a 52
// pixel tab row with the seek bar, a 36 pixel row of play controls, then the 197 pixel left
// column, the 234 pixel right column with the play list's 22 pixel rows and the middle,
// whose foot the 35 pixel scrolling strip covers), in screen coordinates of the dialog as
// it stands; and where the download window's page shows its buttons.
#pragma once

#include <windows.h>

namespace road {

struct MainDialogPlaces {
    explicit MainDialogPlaces(HWND dialog);

    // The "登录" link of the account box (before a sign-in).
    POINT SignIn() const { return At(18, 161); }
    // An empty spot of the left column (the category list), where a click only focuses
    // the main window.
    POINT LeftColumnSpace() const { return At(100, 258); }
    // A point of the account box's picture frame, shown once a user is signed in.
    POINT AccountPicture() const { return At(30, 158); }
    // The browser's page between the columns, below its tool bar and above the strip.
    RECT BrowserPage() const;
    // The tab row's "下载管理", which shows the download window in the middle.
    POINT DownloadManager() const { return At(m_width - 43, 61); }
    // The play list in the right column, below its tabs, and the middle of its row (from 0).
    RECT PlayList() const;
    POINT PlayListRow(int row) const { return At(m_width - 190, 162 + 22 * row); }
    // The caption strip's minimise and close buttons.
    POINT MinimiseButton() const { return At(m_width - 80, 16); }
    POINT CloseButton() const { return At(m_width - 24, 16); }

private:
    POINT At(int x, int y) const { return {m_origin.x + x, m_origin.y + y}; }

    POINT m_origin = {0, 0};  // the client area's top left
    int m_width = 0, m_height = 0;
};

// The download window's page ("download.html"): its tab of finished downloads.
struct DownloadPagePlaces {
    explicit DownloadPagePlaces(HWND downloadWindow);

    POINT DownloadedTab() const { return {m_origin.x + 155, m_origin.y + 20}; }

private:
    POINT m_origin = {0, 0};
};

}  // namespace road
