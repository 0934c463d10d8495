#include "Road.h"

#include <functional>

#include "DemoAccounts.h"
#include "DemoAlbum.h"
#include "files/FileBytes.h"
#include "FormPixels.h"
#include "MediaColours.h"
#include "RoadInput.h"
#include "RoadSteps.h"
#include "ScreenPixels.h"
#include "TrayIcons.h"
#include "Utf8Text.h"

namespace road {

namespace {

// Generous: a loaded machine under Wine takes seconds where an idle one takes milliseconds.
constexpr DWORD START_MS = 90000;
constexpr DWORD WINDOW_MS = 30000;

const COLORREF LINK = RGB(0x1a, 0x5f, 0xa8);             // the catalogue pages' links and titles
const COLORREF ACCOUNT_PICTURE = RGB(0xc8, 0xd6, 0xe8);  // the signed-in account's picture frame
const COLORREF PLAYING_MARK = RGB(0xd0, 0x5a, 0x00);     // the play list's playing title

// Smoothed text has few pixels of the colour it is drawn in; decoded pictures differ a
// little from the colours they were made of.
constexpr int TEXT_TOLERANCE = 40;
constexpr int VIDEO_TOLERANCE = 45;

RECT Around(POINT p, int radius) { return {p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1}; }

// A point on a link's text: its first pixel of the link colour, a little way in.
POINT OnLink(POINT run) { return {run.x + 3, run.y}; }

PixelAt PixelsOf(const ScreenPixels& pixels) {
    return [&pixels](int x, int y) { return pixels.At(x, y); };
}

// The file's size, or -1 when there is none.
long long SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

bool Fail(std::string& why, const std::string& reason) {
    why = reason;
    return false;
}

// Waits for what the step shows, then asks for its screenshot; otherwise why not.
bool Seen(const std::function<bool()>& shows, DWORD timeoutMs, const char* shot, const char* notSeen,
          std::string& why) {
    if (!WaitUntil(shows, timeoutMs)) return Fail(why, notSeen);
    Screenshot(shot);
    return true;
}

// The top strip of the dialog shows something other than the empty screen's black.
bool Painted(HWND dialog) {
    RECT place;
    if (!dialog || !GetWindowRect(dialog, &place)) return false;
    const int middle = (place.left + place.right) / 2, y = place.top + 18;
    ScreenPixels strip({middle - 20, y, middle + 20, y + 1});
    for (int x = middle - 20; x < middle + 20; ++x)
        if (strip.At(x, y) != RGB(0, 0, 0)) return true;
    return false;
}

}  // namespace

Road::Road(std::wstring folder, std::wstring requestLog, std::wstring handedOver, std::vector<std::wstring> albumVideos)
    : m_folder(std::move(folder)),
      m_requestLog(std::move(requestLog)),
      m_handedOver(std::move(handedOver)),
      m_albumVideos(std::move(albumVideos)) {
    for (const std::wstring& video : m_albumVideos) m_albumBytes.push_back(ReadFileBytes(video));
}

bool Road::Start(const char* shot, std::string& why) {
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
bool Road::SignIn(std::string& why) {
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

bool Road::SignedIn(const char* shot, std::string& why) {
    return Seen([&] { return ShowsAt(Places().AccountPicture(), ACCOUNT_PICTURE); }, WINDOW_MS, shot,
                "no signed-in account shown", why);
}

// The start page of the catalogue in the browser: its title and two category links.
bool Road::Catalogue(std::string& why) {
    return Seen([&] { return Links().size() >= 3; }, WINDOW_MS, "catalogue", "no catalogue page", why);
}

// The first category's page: its title, two videos, the album link and the way home.
bool Road::Category(std::string& why) {
    std::vector<POINT> links = Links();
    if (links.size() < 3) return Fail(why, "no category link");
    ClickAt(OnLink(links[1]));
    return Seen([&] { return Links().size() >= 5; }, WINDOW_MS, "category", "no category page", why);
}

// The album's page: a form with a check box per file; both ticked and sent.
bool Road::AlbumForm(std::string& why) {
    std::vector<POINT> links = Links();
    if (links.size() < 5) return Fail(why, "no album link");
    ClickAt(OnLink(links[3]));
    std::vector<POINT> boxes;
    auto boxesOf = [&](COLORREF fill) {
        ScreenPixels page(Places().BrowserPage());
        return FindCheckBoxes(PixelsOf(page), page.Rect(), fill);
    };
    if (!WaitUntil([&] { return (boxes = boxesOf(FORM_BOX_EMPTY)).size() == m_albumVideos.size(); }, WINDOW_MS))
        return Fail(why, std::to_string(boxes.size()) + " check boxes on the album page");
    Screenshot("album");
    for (POINT box : boxes) ClickAt(box);
    if (!WaitUntil([&] { return boxesOf(FORM_BOX_TICKED).size() == boxes.size(); }, WINDOW_MS))
        return Fail(why, "the check boxes are not ticked");
    Screenshot("album-ticked");
    ScreenPixels page(Places().BrowserPage());
    POINT button = ButtonBelow(PixelsOf(page), page.Rect(), boxes.back());
    if (button.x < 0) return Fail(why, "no button below the check boxes");
    ClickAt(button);
    auto begun = [&] {
        for (size_t i = 0; i < m_albumVideos.size(); ++i)
            if (SizeOf(DownloadPath(i)) >= 0 || SizeOf(DownloadPath(i) + L".temp") >= 0) return true;
        return false;
    };
    if (!WaitUntil(begun, WINDOW_MS)) return Fail(why, "no download begins");
    return true;
}

// The download window while the album downloads; the first file's transfer breaks half-way
// and the player goes on from where it broke (a ranged request), so both end whole.
bool Road::Downloads(std::string& why) {
    ClickAt(Places().DownloadManager());
    HWND downloads = nullptr;
    if (!WaitUntil([&] { return (downloads = DownloadWindow()) != nullptr; }, WINDOW_MS))
        return Fail(why, "no download window");
    const DWORD shown = GetTickCount();
    Screenshot("downloading");
    if (!WaitUntil([&] { return ResumedRequestSeen(); }, START_MS))
        return Fail(why, "no request goes on with the first file where it broke");
    // The window tells the speeds every three seconds.
    const DWORD speedShown = 3500, since = GetTickCount() - shown;
    if (since < speedShown) Sleep(speedShown - since);
    Screenshot("download-resumed");
    for (size_t i = 0; i < m_albumVideos.size(); ++i)
        if (!WaitUntil([&] { return Downloaded(i); }, START_MS)) return Fail(why, "a file of the album is not whole");
    Screenshot("downloaded");
    ClickAt(DownloadPagePlaces(downloads).DownloadedTab());
    Sleep(1000);  // the finished list paints
    Screenshot("downloaded-list");
    return true;
}

// The play list holds the downloads as they finished (the interrupted one last): a double
// click on its first row plays it.
bool Road::PlayDownloaded(std::string& why) {
    DoubleClickAt(Places().PlayListRow(0));
    return Seen([&] { return SecondShown() >= 0 && PlayingRow() == 0; }, START_MS, "playing-download",
                "the first row of the play list does not play", why);
}

// A click near the seek bar's start goes back to the first second; one at 70 per cent shows
// the fifth or sixth second (of the six or eight the album's videos last) sooner than
// playing could get there.
bool Road::Seek(std::string& why) {
    HWND slider = m_player->SeekSlider();
    if (!slider) return Fail(why, "no seek bar");
    RECT bar = {};
    GetWindowRect(slider, &bar);
    auto at = [&](int percent) {
        return POINT{bar.left + (bar.right - bar.left) * percent / 100, (bar.top + bar.bottom) / 2};
    };
    ClickAt(at(3));
    if (!WaitUntil([&] { return SecondShown() == 0; }, 5000))
        return Fail(why, "the start of the seek bar does not go back");
    ClickAt(at(70));
    int second = -1;
    if (!WaitUntil([&] { return (second = SecondShown()) == 4 || second == 5; }, 2800))
        return Fail(why, "70 per cent of the seek bar shows second " + std::to_string(second));
    Screenshot("seeked");
    return true;
}

// At its end the play list's next row plays.
bool Road::NextVideo(std::string& why) {
    return Seen([&] { return PlayingRow() == 1 && SecondShown() >= 0; }, START_MS, "next-video",
                "the next row of the play list does not play", why);
}

// A second start with a video hands it over and ends; the first keeps its dialog and plays it.
bool Road::HandOver(std::string& why) {
    PlayerProcess second(m_folder, L"\"" + m_handedOver + L"\"");
    if (!second.Started()) return Fail(why, "the second Zemovista.exe did not start");
    if (second.WaitForEnd(WINDOW_MS) != 0) return Fail(why, "the second start did not end with 0");
    if (!m_player->Running() || !m_player->MainDialog()) return Fail(why, "the first player is gone");
    const int row = (int)m_albumVideos.size();  // after the downloads
    return Seen([&] { return PlayingRow() == row && SecondShown() >= 0; }, START_MS, "handed-over-and-playing",
                "the handed-over video does not play", why);
}

// The last video of the play list ends: the middle shows the panel of what to do next.
bool Road::EndOfPlayList(std::string& why) {
    if (!WaitUntil([&] { return SecondShown() < 0; }, START_MS)) return Fail(why, "the last video does not end");
    Sleep(1000);  // the panel paints
    Screenshot("end-of-play-list");
    return true;
}

// The caption's minimise button hides the player in the tray; a click on its icon there
// brings it back, still playing.
bool Road::ToTrayAndBack(std::string& why) {
    HWND dialog = m_player->MainDialog();
    if (!dialog) return Fail(why, "no main dialog");
    RECT place = {};
    GetWindowRect(dialog, &place);
    const POINT caption = {(place.left + place.right) / 2, place.top + 18};
    const COLORREF captionColour = ScreenPixels(Around(caption, 0)).At(caption.x, caption.y);
    ClickAt(Places().MinimiseButton());
    // Hidden, and gone from the screen too (what showed under it shows again).
    if (!WaitUntil([&] { return !IsWindowVisible(dialog) && !ShowsAt(caption, captionColour); }, WINDOW_MS))
        return Fail(why, "the dialog stays shown");
    Screenshot("in-tray");
    POINT icon = {};
    if (!WaitUntil([&] { return NewestTrayIcon(icon); }, WINDOW_MS)) return Fail(why, "no icon in the tray");
    ClickAt(icon);
    if (!WaitUntil([&] { return IsWindowVisible(dialog) && ShowsAt(caption, captionColour) && SecondShown() >= 0; },
                   WINDOW_MS))
        return Fail(why, "the player does not come back painted and playing");
    // Still playing: the pictures go on.
    const int back = SecondShown();
    if (!WaitUntil([&] { return SecondShown() >= 0 && SecondShown() != back; }, 3000))
        return Fail(why, "the picture stands still at second " + std::to_string(back) + " after the tray");
    Screenshot("back-from-tray");
    return true;
}

// Alt+F4 on the main window ends the player (a click on an empty spot gives it the keys).
bool Road::CloseByKeys(const char* shot, std::string& why) {
    HWND dialog = m_player->MainDialog();
    if (!dialog) return Fail(why, "no main dialog to close");
    if (!WaitUntil([&] { return Activate(dialog); }, WINDOW_MS)) return Fail(why, "the main dialog takes no keys");
    ClickAt(Places().LeftColumnSpace());
    PressKeys({VK_MENU, VK_F4});
    return Ended(shot, why);
}

bool Road::CloseByButton(const char* shot, std::string& why) {
    if (!m_player->MainDialog()) return Fail(why, "no main dialog to close");
    ClickAt(Places().CloseButton());
    return Ended(shot, why);
}

bool Road::Ended(const char* shot, std::string& why) {
    const int code = m_player->WaitForEnd(WINDOW_MS * 2);
    if (code < 0) return Fail(why, "the player did not end");
    if (code != 0) return Fail(why, "the player ended with " + std::to_string(code));
    Screenshot(shot);
    return true;
}

std::vector<POINT> Road::Links() const { return ScreenPixels(Places().BrowserPage()).ColourRuns(LINK, TEXT_TOLERANCE); }

bool Road::ShowsAt(POINT point, COLORREF colour) const {
    ScreenPixels pixels(Around(point, 2));
    for (int y = point.y - 2; y <= point.y + 2; ++y)
        for (int x = point.x - 2; x <= point.x + 2; ++x)
            if (pixels.At(x, y) == colour) return true;
    return false;
}

int Road::SecondShown() const {
    RECT page = Places().BrowserPage();
    POINT middle = {(page.left + page.right) / 2, (page.top + page.bottom) / 2};
    const COLORREF shown = ScreenPixels(Around(middle, 0)).At(middle.x, middle.y);
    for (int second = 0; second < 6; ++second) {
        const MediaColour colour = ColourOfSecond(second);
        if (NearColour(shown, RGB(colour.r, colour.g, colour.b), VIDEO_TOLERANCE)) return second;
    }
    return -1;
}

int Road::PlayingRow() const {
    MainDialogPlaces places = Places();
    std::vector<POINT> marked = ScreenPixels(places.PlayList()).ColourRuns(PLAYING_MARK, TEXT_TOLERANCE);
    if (marked.empty()) return -1;
    const int firstRowTop = places.PlayListRow(0).y - 11;
    return (marked.front().y - firstRowTop) / 22;
}

std::wstring Road::DownloadPath(size_t index) const {
    std::wstring name = DecodeUtf8(DEMO_ALBUM_NAME) + L"_" + std::to_wstring(index + 1) + L"_" +
                        DecodeUtf8(DEMO_FILE_NAMES[index]) + L"_" + DecodeUtf8(DEMO_USER) + DecodeUtf8(DEMO_FILE_TYPE);
    return m_folder + L"\\DownloadFiles\\" + name;
}

bool Road::Downloaded(size_t index) const {
    const std::string& served = m_albumBytes[index];
    return !served.empty() && ReadFileBytes(DownloadPath(index)) == served &&
           SizeOf(DownloadPath(index) + L".temp") < 0;
}

bool Road::ResumedRequestSeen() const {
    // "catalogue GET /files/<id><type>?<keys> bytes=<from>-" with a start past 0.
    const std::string file = "/files/" + std::to_string(DEMO_FIRST_FILE_ID) + DEMO_FILE_TYPE;
    const std::string log = ReadFileBytes(m_requestLog);
    for (size_t at = log.find(file); at != std::string::npos; at = log.find(file, at + 1)) {
        const size_t end = log.find('\n', at);
        const std::string line = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
        const size_t range = line.find(" bytes=");
        if (range != std::string::npos && line.compare(range, 9, " bytes=0-") != 0) return true;
    }
    return false;
}

HWND Road::DownloadWindow() const {
    HWND play = m_player->PlayDialog();
    HWND downloads = play ? GetDlgItem(play, 4) : nullptr;
    return downloads && IsWindowVisible(downloads) ? downloads : nullptr;
}

}  // namespace road
