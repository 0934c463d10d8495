// The road a user takes through the player, driven with the keys and the pointer on its
// real windows, in a program folder that the demonstration services serve:
//
//   DemoRoad.exe <program folder> <video>
//
// Prints each step as it is seen (a screenshot asked for at each) and exits 0 only when
// every step was seen; a player still running at the end is ended.
#include <windows.h>

#include <cstdio>
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

const COLORREF LINK = RGB(0x1a, 0x5f, 0xa8);          // the catalogue pages' links and titles
const COLORREF ACCOUNT_PICTURE = RGB(0xc8, 0xd6, 0xe8);  // the signed-in account's picture frame

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

// Smoothed text has few pixels of the colour it is drawn in; decoded pictures differ a
// little from the colours they were made of.
constexpr int TEXT_TOLERANCE = 40;
constexpr int VIDEO_TOLERANCE = 45;

RECT Around(POINT p, int radius) { return {p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1}; }

class Road {
public:
    Road(std::wstring folder, std::wstring video) : m_folder(std::move(folder)), m_video(std::move(video)) {}

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

    // A second start with the video hands it over and ends; the first keeps its dialog and
    // plays the video (its pictures, one flat colour per second, fill the middle).
    bool HandOver(std::string& why) {
        PlayerProcess second(m_folder, L"\"" + m_video + L"\"");
        if (!second.Started()) return Fail(why, "the second Zemovista.exe did not start");
        if (second.WaitForEnd(WINDOW_MS) != 0) return Fail(why, "the second start did not end with 0");
        if (!m_player->Running() || !m_player->MainDialog()) return Fail(why, "the first player is gone");
        if (!WaitUntil([&] { return ShowsVideo(); }, START_MS)) return Fail(why, "the video does not play");
        Screenshot("handed-over-and-playing");
        return true;
    }

    // Alt+F4 on the main window ends the player (a click on an empty spot gives it the keys).
    bool Close(const char* shot, std::string& why) {
        HWND dialog = m_player->MainDialog();
        if (!dialog) return Fail(why, "no main dialog to close");
        if (!WaitUntil([&] { return Activate(dialog); }, WINDOW_MS)) return Fail(why, "the main dialog takes no keys");
        ClickAt(Places().LeftColumnSpace());
        PressKeys({VK_MENU, VK_F4});
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
    ScreenPixels Page() const { return ScreenPixels(Places().BrowserPage()); }
    std::vector<POINT> Links() const { return Page().ColourRuns(LINK, TEXT_TOLERANCE); }

    bool ShowsAt(POINT point, COLORREF colour) const {
        ScreenPixels pixels(Around(point, 2));
        for (int y = point.y - 2; y <= point.y + 2; ++y)
            for (int x = point.x - 2; x <= point.x + 2; ++x)
                if (pixels.At(x, y) == colour) return true;
        return false;
    }

    // The middle of the page shows one of the video's colours.
    bool ShowsVideo() const {
        RECT page = Places().BrowserPage();
        POINT middle = {(page.left + page.right) / 2, (page.top + page.bottom) / 2};
        const COLORREF shown = ScreenPixels(Around(middle, 0)).At(middle.x, middle.y);
        for (int second = 0; second < 6; ++second) {
            const MediaColour colour = ColourOfSecond(second);
            if (NearColour(shown, RGB(colour.r, colour.g, colour.b), VIDEO_TOLERANCE)) return true;
        }
        return false;
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
    std::wstring m_video;
    std::unique_ptr<PlayerProcess> m_player;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: DemoRoad.exe <program folder> <video>\n");
        return 2;
    }
    Road road(Wide(argv[1]), Wide(argv[2]));
    const bool seen = RunRoad({
        {"start", [&](std::string& why) { return road.Start("start", why); }},
        {"sign-in", [&](std::string& why) { return road.SignIn(why); }},
        {"close", [&](std::string& why) { return road.Close("closed", why); }},
        {"second-start", [&](std::string& why) { return road.Start("second-start", why); }},
        {"automatic-sign-in", [&](std::string& why) { return road.SignedIn("signed-in-automatically", why); }},
        {"catalogue", [&](std::string& why) { return road.Catalogue(why); }},
        {"hand-over", [&](std::string& why) { return road.HandOver(why); }},
        {"close-at-last", [&](std::string& why) { return road.Close("closed-at-last", why); }},
    });
    std::printf(seen ? "road: every step seen\n" : "road: a step was not seen\n");
    return seen ? 0 : 1;
}
