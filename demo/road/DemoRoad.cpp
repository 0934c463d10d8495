// The road a user takes through the player, driven with the keys and the pointer on its
// real windows, in a program folder that the demonstration services serve:
//
//   DemoRoad.exe <program folder> <first video> <second video> [--start-up-only]
//
// --start-up-only takes the start-up's road alone (starts, a hand-over, Alt+F4), for a
// program of the start-up with plain windows in place of the player's.
// The videos are the catalogue's album files (the first 8 seconds, the second 6, one flat
// colour per second). Prints each step as it is seen (a screenshot asked for at each),
// ends the player and exits 0 only when every step was seen.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "MainDialogPlaces.h"
#include "MediaColours.h"
#include "PlayerProcess.h"
#include "RoadInput.h"
#include "RoadSteps.h"
#include "ScreenPixels.h"

using namespace road;

namespace {

// Generous: a loaded machine under Wine takes seconds where an idle one takes milliseconds.
constexpr DWORD START_MS = 90000;
constexpr DWORD WINDOW_MS = 30000;
constexpr DWORD DOWNLOAD_MS = 180000;
constexpr DWORD PLAY_MS = 60000;

const COLORREF LINK = RGB(0x1a, 0x5f, 0xa8);          // the catalogue pages' links and titles
const COLORREF CHECK_BOX = RGB(0x55, 0x55, 0x55);     // their check boxes' border
const COLORREF FORM_BUTTON = RGB(0xe8, 0xe8, 0xe8);   // their buttons
const COLORREF ACCOUNT_PICTURE = RGB(0xc8, 0xd6, 0xe8);  // the signed-in account's picture frame
const COLORREF PLAYING_ROW = RGB(0xd0, 0x5a, 0x00);   // the play list's playing row

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Colours of smoothed text and of decoded video differ a little from the ones drawn.
constexpr int TEXT_TOLERANCE = 40;
constexpr int VIDEO_TOLERANCE = 45;

RECT Around(POINT p, int radius) { return {p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1}; }

class Road {
public:
    Road(std::wstring folder, std::wstring first, std::wstring second)
        : m_folder(std::move(folder)), m_videos{std::move(first), std::move(second)} {}

    bool Start(const char* shot, std::string& why) {
        m_player = std::make_unique<PlayerProcess>(m_folder, L"");
        if (!m_player->Started()) return Fail(why, "Zemovista.exe did not start");
        if (!WaitUntil([&] { return m_player->MainDialog() != nullptr; }, START_MS))
            return Fail(why, m_player->Running() ? "no main dialog shown" : "the player ended");
        if (!WaitUntil([&] { return Painted(m_player->MainDialog()); }, START_MS))
            return Fail(why, "the main dialog is not painted");
        Screenshot(shot);
        return true;
    }

    // The sign-in dialog, filled in by hand with "remember" and "sign in automatically".
    bool SignIn(std::string& why) {
        ClickAt(Places().SignIn());
        HWND dialog = nullptr;
        // The sign-in dialog: the one with the password field.
        if (!WaitUntil([&] { return (dialog = m_player->FindDialogWith(1009)) != nullptr; }, WINDOW_MS))
            return Fail(why, "no sign-in dialog");
        ClickAt(CentreOf(GetDlgItem(dialog, 1008)));
        TypeText("demo");
        ClickAt(CentreOf(GetDlgItem(dialog, 1009)));
        TypeText("demo1234");
        ClickAt(CentreOf(GetDlgItem(dialog, 1011)));
        Screenshot("sign-in");
        ClickAt(CentreOf(GetDlgItem(dialog, IDOK)));
        if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, WINDOW_MS))
            return Fail(why, "the sign-in dialog stays open");
        return SignedIn("signed-in", why);
    }

    bool SignedIn(const char* shot, std::string& why) {
        if (!WaitUntil([&] { return ShowsAt(Places().AccountPicture(), ACCOUNT_PICTURE); }, WINDOW_MS))
            return Fail(why, "no signed-in account shown");
        Screenshot(shot);
        return true;
    }

    // The start page of the catalogue in the browser: its title and two category links.
    bool Catalogue(std::string& why) {
        if (!WaitUntil([&] { return Links().size() >= 3; }, WINDOW_MS)) return Fail(why, "no catalogue page");
        Screenshot("catalogue");
        return true;
    }

    // A category, its album page, both videos ticked, the form sent.
    bool MultiDownload(std::string& why) {
        if (!ClickLink(1, 5)) return Fail(why, "the category page did not open");
        if (!ClickLink(3, 1)) return Fail(why, "the album page did not open");
        std::vector<POINT> boxes;
        if (!WaitUntil([&] { return (boxes = Page().ColourRuns(CHECK_BOX)).size() >= 2; }, WINDOW_MS))
            return Fail(why, "the album page shows no check boxes");
        for (size_t i = 0; i < 2; ++i) ClickAt({boxes[i].x + 6, boxes[i].y});
        Screenshot("album-ticked");
        std::vector<POINT> buttons = Page().ColourRuns(FORM_BUTTON);
        if (buttons.empty()) return Fail(why, "the album page has no button");
        ClickAt({buttons.back().x + 10, buttons.back().y});
        return true;
    }

    // Both videos arrive whole in the download folder (the first one's transfer breaks
    // off half-way once and is continued).
    bool Downloads(std::string& why) {
        const std::wstring downloads = m_folder + L"\\DownloadFiles\\";
        bool whole[2] = {false, false};
        WaitUntil(
            [&] {
                for (int i = 0; i < 2; ++i)
                    whole[i] = whole[i] || FindDownload(downloads, ReadBytes(m_videos[i]));
                return whole[0] && whole[1];
            },
            DOWNLOAD_MS);
        if (!whole[0] || !whole[1])
            return Fail(why, std::string("not downloaded whole:") + (whole[0] ? "" : " the first") +
                                 (whole[1] ? "" : " the second"));
        Screenshot("downloaded");
        return true;
    }

    // The first video from the play list: its first second's colour in the middle.
    bool Plays(std::string& why) {
        DoubleClickAt(Places().PlayListRow(0));
        if (!WaitUntil([&] { return ShowsVideoSecond(0) || ShowsVideoSecond(1); }, PLAY_MS))
            return Fail(why, "the first video does not play");
        Screenshot("playing");
        return true;
    }

    // A click at two thirds of the seek bar shows the video's sixth second (cyan).
    bool Seeks(std::string& why) {
        RECT bar = Places().SeekBar();
        ClickAt({bar.left + (bar.right - bar.left) * 2 / 3, (bar.top + bar.bottom) / 2});
        if (!WaitUntil([&] { return ShowsVideoSecond(5); }, PLAY_MS)) return Fail(why, "the seek shows no sixth second");
        Screenshot("sought");
        return true;
    }

    // The first video ends and the second starts: the play list marks its second row.
    bool PlaysNext(std::string& why) {
        POINT second = Places().PlayListRow(1);
        if (!WaitUntil([&] { return !Screen({second.x - 60, second.y - 8, second.x + 100, second.y + 8})
                                         .ColourRuns(PLAYING_ROW, TEXT_TOLERANCE).empty(); },
                       PLAY_MS))
            return Fail(why, "the second video was not started");
        if (!WaitUntil([&] { return ShowsVideoSecond(0) || ShowsVideoSecond(1); }, PLAY_MS))
            return Fail(why, "the second video shows no picture");
        Screenshot("next-playing");
        return true;
    }

    // The minimise button hides the dialog to the tray; a start of the player brings it back.
    bool TrayAndBack(std::string& why) {
        HWND dialog = m_player->MainDialog();
        ClickAt(Places().Minimize());
        if (!WaitUntil([&] { return !IsWindowVisible(dialog); }, WINDOW_MS)) return Fail(why, "the dialog stays shown");
        Screenshot("in-tray");
        PlayerProcess again(m_folder, L"");
        if (again.WaitForEnd(WINDOW_MS) != 0) return Fail(why, "the second start did not end with 0");
        if (!WaitUntil([&] { return IsWindowVisible(dialog) && Painted(dialog); }, WINDOW_MS))
            return Fail(why, "the dialog did not come back");
        Screenshot("back-from-tray");
        return true;
    }

    // A second start with a file hands it over and ends; the first keeps its dialog.
    bool SecondStart(std::string& why) {
        PlayerProcess second(m_folder, L"\"" + m_videos[1] + L"\"");
        if (!second.Started()) return Fail(why, "the second Zemovista.exe did not start");
        if (second.WaitForEnd(WINDOW_MS) != 0) return Fail(why, "the second start did not end with 0");
        if (!m_player->Running() || !m_player->MainDialog()) return Fail(why, "the first player is gone");
        Screenshot("handed-over");
        return true;
    }

    // Alt+F4 on the main dialog ends the player.
    bool CloseByKeys(const char* shot, std::string& why) {
        HWND dialog = m_player->MainDialog();
        if (!dialog) return Fail(why, "no main dialog to close");
        if (!WaitUntil([&] { return Activate(dialog); }, WINDOW_MS)) return Fail(why, "the main dialog takes no keys");
        PressKeys({VK_MENU, VK_F4});
        return Ended(shot, why);
    }

    // The close button ends the player.
    bool Close(const char* shot, std::string& why) {
        if (!m_player->MainDialog()) return Fail(why, "no main dialog to close");
        ClickAt(Places().Close());
        return Ended(shot, why);
    }

private:
    bool Ended(const char* shot, std::string& why) {
        const int code = m_player->WaitForEnd(WINDOW_MS * 2);
        if (code < 0) return Fail(why, "the player did not end");
        if (code != 0) return Fail(why, "the player ended with " + std::to_string(code));
        Screenshot(shot);
        return true;
    }

    MainDialogPlaces Places() const { return MainDialogPlaces(m_player->MainDialog()); }
    static ScreenPixels Screen(const RECT& rect) { return ScreenPixels(rect); }
    ScreenPixels Page() const { return ScreenPixels(Places().BrowserPage()); }
    std::vector<POINT> Links() const { return Page().ColourRuns(LINK, TEXT_TOLERANCE); }

    // Clicks the page's link (counted from the title, 0) and waits for the next page,
    // known by its count of link rows.
    bool ClickLink(size_t index, size_t nextLinks) {
        std::vector<POINT> links = Links();
        if (links.size() <= index) return false;
        ClickAt({links[index].x + 3, links[index].y});
        return WaitUntil([&] { return Links().size() == nextLinks; }, WINDOW_MS);
    }

    bool ShowsAt(POINT point, COLORREF colour) const {
        ScreenPixels pixels(Around(point, 2));
        for (int y = point.y - 2; y <= point.y + 2; ++y)
            for (int x = point.x - 2; x <= point.x + 2; ++x)
                if (pixels.At(x, y) == colour) return true;
        return false;
    }

    // The middle of the video area shows the colour of the video's second.
    bool ShowsVideoSecond(int second) const {
        RECT page = Places().BrowserPage();
        POINT middle = {(page.left + page.right) / 2, (page.top + page.bottom) / 2};
        const MediaColour colour = ColourOfSecond(second);
        return NearColour(ScreenPixels(Around(middle, 0)).At(middle.x, middle.y), RGB(colour.r, colour.g, colour.b),
                          VIDEO_TOLERANCE);
    }

    // A finished file of the folder (no ".temp") with exactly these bytes.
    static bool FindDownload(const std::wstring& folder, const std::string& bytes) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"*.xof").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        bool same = false;
        do same = ReadBytes(folder + found.cFileName) == bytes;
        while (!same && FindNextFileW(search, &found));
        FindClose(search);
        return same;
    }

    // The top strip of the dialog shows something other than the empty screen's black.
    static bool Painted(HWND dialog) {
        RECT place;
        if (!dialog || !GetWindowRect(dialog, &place)) return false;
        const int middle = (place.left + place.right) / 2, y = place.top + 18;
        ScreenPixels strip({middle - 20, y, middle + 20, y + 1});
        for (int x = middle - 20; x < middle + 20; ++x)
            if (strip.At(x, y) != RGB(0, 0, 0)) return true;
        return false;
    }

    static bool Fail(std::string& why, const std::string& reason) {
        why = reason;
        return false;
    }

    std::wstring m_folder;
    std::wstring m_videos[2];
    std::unique_ptr<PlayerProcess> m_player;
};

}  // namespace

int main(int argc, char** argv) {
    const bool startUpOnly = argc == 5 && std::string(argv[4]) == "--start-up-only";
    if (argc != 4 && !startUpOnly) {
        std::fprintf(stderr, "usage: DemoRoad.exe <program folder> <first video> <second video> [--start-up-only]\n");
        return 2;
    }
    Road road(Wide(argv[1]), Wide(argv[2]), Wide(argv[3]));
    const std::vector<ROAD_STEP> startUp = {
        {"start", [&](std::string& why) { return road.Start("start", why); }},
        {"hand-over", [&](std::string& why) { return road.SecondStart(why); }},
        {"close", [&](std::string& why) { return road.CloseByKeys("closed", why); }},
        {"start-again", [&](std::string& why) { return road.Start("started-again", why); }},
        {"close-again", [&](std::string& why) { return road.CloseByKeys("closed-again", why); }},
    };
    const std::vector<ROAD_STEP> user = {
        {"start", [&](std::string& why) { return road.Start("start", why); }},
        {"sign-in", [&](std::string& why) { return road.SignIn(why); }},
        {"close", [&](std::string& why) { return road.Close("closed", why); }},
        {"second-start", [&](std::string& why) { return road.Start("second-start", why); }},
        {"automatic-sign-in", [&](std::string& why) { return road.SignedIn("signed-in-automatically", why); }},
        {"catalogue", [&](std::string& why) { return road.Catalogue(why); }},
        {"multi-download", [&](std::string& why) { return road.MultiDownload(why); }},
        {"downloads", [&](std::string& why) { return road.Downloads(why); }},
        {"plays", [&](std::string& why) { return road.Plays(why); }},
        {"seeks", [&](std::string& why) { return road.Seeks(why); }},
        {"plays-next", [&](std::string& why) { return road.PlaysNext(why); }},
        {"tray-and-back", [&](std::string& why) { return road.TrayAndBack(why); }},
        {"hand-over", [&](std::string& why) { return road.SecondStart(why); }},
        {"close-at-last", [&](std::string& why) { return road.Close("closed-at-last", why); }},
    };
    const bool seen = RunRoad(startUpOnly ? startUp : user);
    std::printf(seen ? "road: every step seen\n" : "road: a step was not seen\n");
    return seen ? 0 : 1;
}
