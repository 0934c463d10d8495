// The player program Zemovista.exe with its real windows, started from a scratch copy of
// its program folder against the loopback catalogue site and account service, with the
// splitter and the decoders registered in the prefix.
#include <afx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "files/FileBytes.h"
#include "FormPixels.h"
#include "MediaColours.h"
#include "ProgramFolderTest.h"
#include "TestModules.h"
#include "WindowCapture.h"
#include "common/WindowMessages.h"
#include "services/AccountWebService.h"
#include "services/CatalogueSite.h"

namespace {

const int kVideoSurfaceId = 1001;
const int kSeekSliderId = 1000;

CString ArtifactPath(LPCWSTR name) {
    WCHAR self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    CString folder(self);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1) + L"artifacts\\";
    CreateDirectoryW(folder, nullptr);
    return folder + name;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(100))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

bool Near(COLORREF pixel, MediaColour colour) {
    return std::abs(GetRValue(pixel) - colour.r) < 40 && std::abs(GetGValue(pixel) - colour.g) < 40 &&
           std::abs(GetBValue(pixel) - colour.b) < 40;
}

const char kMedia[] = "flv1_aac_6s";

// The test reads the screen where the player shows: its windows go on top, into the
// screen's bottom-right corner, away from where the other test programs put theirs.
void BringToTheCorner(HWND dialog) {
    RECT window = {};
    GetWindowRect(dialog, &window);
    int x = GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left);
    int y = GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top);
    SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(700);  // moved, laid out and painted again
}

// The deepest visible window of the dialog under a point of its client area, and the
// point in that window's client coordinates.
HWND WindowAt(HWND dialog, POINT& point) {
    HWND window = dialog;
    for (HWND child; (child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE)) && child != window;) {
        MapWindowPoints(window, child, &point, 1);
        window = child;
    }
    return window;
}

// A click as the mouse gives it, posted to the window under the point.
void ClickAt(HWND dialog, POINT point) {
    HWND window = WindowAt(dialog, point);
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

// The window's pixels for the form finder (client coordinates).
PixelAt PixelsOf(const WindowCapture& shot) {
    return [&shot](int x, int y) { return shot.Pixel(x, y); };
}

class PlayerFolder : public ProgramFolder {
protected:
    std::wstring SourceFolder() const override { return PrefixPath(PLAYER_PROGRAM_DIR) + L"\\"; }

    void SetUp() override {
        ProgramFolder::SetUp();
        ASSERT_TRUE(RegisterTestModules());
        // The catalogue's start page first: the first section of a name is the one read.
        scratch.Write(L"ovraCfg.ini", site.ConfigText() + service.ConfigText());
    }

    bool PageRequested(const std::string& path) const {
        for (const HttpRequest& request : site.Requests())
            if (request.Path() == path) return true;
        return false;
    }

    // The play dialog of the process: the largest of its top-level windows with a control
    // of the video surface's id (the bars have small ones).
    static HWND PlayDialog(const PROCESS_INFORMATION& process) {
        HWND largest = nullptr;
        long largestArea = 0;
        for (HWND window : WindowsOf(process.dwProcessId)) {
            RECT r = {};
            GetWindowRect(window, &r);
            long area = (long)(r.right - r.left) * (r.bottom - r.top);
            if (GetDlgItem(window, kVideoSurfaceId) && area > largestArea) {
                largest = window;
                largestArea = area;
            }
        }
        return largest;
    }

    // The second of the video whose colour (one flat colour a second) the middle of the
    // visible video surface shows; -1 for none.
    static int SecondShown(const PROCESS_INFORMATION& process) {
        HWND play = PlayDialog(process);
        HWND surface = play ? GetDlgItem(play, kVideoSurfaceId) : nullptr;
        if (!surface || !IsWindowVisible(surface)) return -1;
        RECT box = {}, dialog = {};
        GetWindowRect(surface, &box);
        GetWindowRect(play, &dialog);
        COLORREF pixel = WindowCapture(play).Pixel((box.left + box.right) / 2 - dialog.left,
                                                   (box.top + box.bottom) / 2 - dialog.top);
        for (int second = 0; second < 6; ++second)
            if (Near(pixel, ColourOfSecond(second))) return second;
        return -1;
    }

    static bool VideoPlays(const PROCESS_INFORMATION& process) { return SecondShown(process) >= 0; }

    // Starts the player with a copy of the test video under that name.
    PROCESS_INFORMATION& StartWithVideo(LPCWSTR name) {
        std::wstring video = scratch.File(name);
        EXPECT_TRUE(CopyFileW(MediaFile(kMedia).c_str(), video.c_str(), FALSE));
        return Start(L"\"" + video + L"\"");
    }

    // The seek bar: the main dialog's child dialog that holds the slider control.
    static HWND SeekBar(HWND dialog) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            WCHAR name[16] = {};
            GetClassNameW(child, name, 16);
            if (CString(name) == L"#32770" && GetDlgItem(child, kSeekSliderId)) return child;
        }
        return nullptr;
    }

    CRegistrationLock registration;  // the modules stay registered while the player plays
    AccountWebService service;
    CatalogueSite site;
};

TEST_F(PlayerFolder, StartsWithTheCataloguePageAndClosesByItsRoad) {
    PROCESS_INFORMATION& process = Start();
    HWND dialog = MainDialog(process);
    ASSERT_TRUE(dialog) << "the main dialog shows";
    EXPECT_TRUE(WaitFor([&] { return PageRequested("/index.aspx"); }, 20000)) << "the start page is fetched";
    Sleep(1500);  // the page arrives and paints
    BringToTheCorner(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_GE(client.right, 1024);
    EXPECT_GE(client.bottom, 753);
    WindowCapture shot(dialog);
    EXPECT_TRUE(shot.SavePng(ArtifactPath(L"player-main-window.png")));
    // The page's blue title bar, the catalogue page's white in the middle of the window
    // and the scrolling strip's dark grey along the bottom of the middle.
    COLORREF title = shot.Pixel(client.right / 2, 10);
    EXPECT_GT(GetBValue(title), GetRValue(title) + 40) << std::hex << title;
    EXPECT_EQ(RGB(255, 255, 255), shot.Pixel(client.right / 2, client.bottom / 2));
    EXPECT_TRUE(Near(shot.Pixel(client.right / 2 + 150, client.bottom - 5), {0x32, 0x32, 0x32}));

    RECT shown = {};
    GetWindowRect(dialog, &shown);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ends(process));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);

    // The next start shows where the last one was closed.
    HWND again = MainDialog(Start());
    ASSERT_TRUE(again);
    RECT restored = {};
    EXPECT_TRUE(WaitFor(
        [&] {
            GetWindowRect(again, &restored);
            return EqualRect(&restored, &shown) != FALSE;
        },
        5000))
        << restored.left << "," << restored.top << " " << restored.right << "," << restored.bottom;
}

TEST_F(PlayerFolder, AFileFromTheCommandLineOrAHandOverPlays) {
    // A file of its own for each case, so that none resumes where another was closed.
    std::wstring folder = scratch.File(L"videos\\");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"full.xof", L"relative.xof", L"handed.xof"})
        ASSERT_TRUE(CopyFileW(MediaFile(kMedia).c_str(), (folder + name).c_str(), FALSE));
    struct Case {
        const char* what;
        std::wstring first, second;  // arguments; a second start when not empty
        std::wstring firstFolder, secondFolder;  // where the starts run
        const wchar_t* screenshot;
    } cases[] = {
        {"a full path", L"\"" + folder + L"full.xof\"", L"", L"", L"", L"player-playing.png"},
        {"a relative path", L"relative.xof", L"", folder, L"", nullptr},
        {"handed over by a second start", L"", L"handed.xof", L"", folder, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PROCESS_INFORMATION& process = Start(c.first, c.firstFolder);
        HWND dialog = MainDialog(process);
        ASSERT_TRUE(dialog);
        if (!c.second.empty()) {
            PROCESS_INFORMATION& second = Start(c.second, c.secondFolder);
            EXPECT_TRUE(Ends(second)) << "the second start ends";
        }
        // Only a fresh folder's first start stays where the test puts it (a later one moves
        // to its stored place, which an owner made topmost from outside then covers).
        if (c.screenshot) BringToTheCorner(dialog);
        EXPECT_TRUE(WaitFor([&] { return VideoPlays(process); }, 20000)) << "the video shows";
        RECT shown = {};
        GetWindowRect(dialog, &shown);
        if (c.screenshot) EXPECT_TRUE(WindowCapture(shown).SavePng(ArtifactPath(c.screenshot)));
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Ends(process));
    }
}

TEST_F(PlayerFolder, AClickOnTheSeekBarMovesThePlayingVideo) {
    PROCESS_INFORMATION& process = StartWithVideo(L"seek.xof");
    HWND dialog = MainDialog(process);
    ASSERT_TRUE(dialog);
    BringToTheCorner(dialog);
    // Past its second second, which playing alone never shows again.
    ASSERT_TRUE(WaitFor([&] { return SecondShown(process) >= 2; }, 20000)) << "the video plays";
    HWND bar = SeekBar(dialog);
    ASSERT_TRUE(bar);
    HWND slider = GetDlgItem(bar, kSeekSliderId);
    RECT barBox = {}, sliderBox = {}, client = {};
    GetWindowRect(bar, &barBox);
    GetWindowRect(slider, &sliderBox);
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT inside = {};
    EXPECT_TRUE(IntersectRect(&inside, &sliderBox, &barBox) && EqualRect(&inside, &sliderBox))
        << "the whole slider shows in its bar";
    EXPECT_TRUE(IntersectRect(&inside, &barBox, &client) && EqualRect(&inside, &barBox)) << "the bar lies in the dialog";
    // Neither the strip, the browser nor the play dialog overlaps the bar.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box = {};
        GetWindowRect(child, &box);
        bool coversAll = EqualRect(&box, &client) != FALSE;  // the main window, with its hole here
        if (child != bar && !coversAll && IsWindowVisible(child))
            EXPECT_FALSE(IntersectRect(&inside, &box, &barBox)) << "a panel of the dialog lies over the seek bar";
    }
    RECT play = {};
    GetWindowRect(PlayDialog(process), &play);
    EXPECT_FALSE(IntersectRect(&inside, &play, &barBox)) << "the play dialog lies over the seek bar";

    // The user's clicks on the slider, where the screen shows it: back to its first
    // twelfth (the first two seconds again), then on to four fifths (the fifth second or
    // later, seconds before playing would get there).
    const struct {
        int numerator, denominator, lowest, highest;
    } clicks[] = {{1, 12, 0, 1}, {4, 5, 4, 5}};
    for (const auto& click : clicks) {
        POINT at = {sliderBox.left + (sliderBox.right - sliderBox.left) * click.numerator / click.denominator,
                    (sliderBox.top + sliderBox.bottom) / 2};
        ASSERT_EQ(slider, WindowFromPoint(at)) << "the slider is the window the pointer finds there";
        POINT local = at;
        ScreenToClient(slider, &local);
        PostMessageW(slider, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
        PostMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
        PostMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
        EXPECT_TRUE(WaitFor(
            [&] {
                int second = SecondShown(process);
                return second >= click.lowest && second <= click.highest;
            },
            1500))
            << click.numerator << "/" << click.denominator << " shows second " << SecondShown(process);
    }
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(process));
}

TEST_F(PlayerFolder, TheTrayRoundTripHidesThePlayingVideoAndBringsItBack) {
    PROCESS_INFORMATION& process = StartWithVideo(L"tray.xof");
    HWND dialog = MainDialog(process);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([&] { return VideoPlays(process); }, 20000));
    HWND play = PlayDialog(process);
    RECT client = {};
    GetClientRect(dialog, &client);
    HWND mainWnd = ChildWindowFromPointEx(dialog, {client.right / 2, 10}, CWP_SKIPINVISIBLE);
    // The title bar's minimise button sends the dialog to the tray.
    LPARAM minimise = MAKELPARAM(client.right - 80, 16);
    PostMessageW(mainWnd, WM_MOUSEMOVE, 0, minimise);
    PostMessageW(mainWnd, WM_LBUTTONDOWN, MK_LBUTTON, minimise);
    PostMessageW(mainWnd, WM_LBUTTONUP, 0, minimise);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) && !IsWindowVisible(play); }, 5000))
        << "the dialog and the play dialog are hidden";
    // A left click on the tray icon brings both back, still playing.
    PostMessageW(dialog, WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) && IsWindowVisible(play); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return VideoPlays(process); }, 5000));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(process));
}

TEST_F(PlayerFolder, TheAboutCommandAndTheSettingsAndSignInButtonsOpenTheirDialogs) {
    PROCESS_INFORMATION& process = Start();
    HWND dialog = MainDialog(process);
    ASSERT_TRUE(dialog);
    Sleep(1500);  // the start view has settled
    RECT client = {};
    GetClientRect(dialog, &client);
    HWND mainWnd = ChildWindowFromPointEx(dialog, {client.right / 2, 10}, CWP_SKIPINVISIBLE);
    ASSERT_TRUE(mainWnd && mainWnd != dialog);
    auto click = [&](POINT p) {
        LPARAM at = MAKELPARAM(p.x, p.y);
        PostMessageW(mainWnd, WM_MOUSEMOVE, 0, at);
        PostMessageW(mainWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(mainWnd, WM_LBUTTONUP, 0, at);
    };
    struct Case {
        const char* what;
        std::function<void()> open;
    } cases[] = {
        {"\"关于\"", [&] { PostMessageW(mainWnd, WM_COMMAND, 32808, 0); }},
        {"the settings button", [&] { click({215, 18}); }},  // "选项" in the title bar
        {"the sign-in button", [&] { click({18, 163}); }},   // "登录" in the account panel
    };
    std::vector<SIZE> sizes;
    std::vector<HWND> before = WindowsOf(process.dwProcessId);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.open();
        HWND opened = nullptr;
        EXPECT_TRUE(WaitFor(
            [&] {
                for (HWND w : WindowsOf(process.dwProcessId))
                    if (std::find(before.begin(), before.end(), w) == before.end()) opened = w;
                return opened != nullptr;
            },
            10000));
        if (!opened) continue;
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "modal over the main dialog";
        RECT r = {};
        GetWindowRect(opened, &r);
        sizes.push_back({r.right - r.left, r.bottom - r.top});
        PostMessageW(opened, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }, 5000));
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(dialog) != FALSE; }, 5000));
    }
    ASSERT_EQ(3u, sizes.size());
    // Three different dialogs.
    for (size_t i = 0; i < sizes.size(); ++i)
        for (size_t j = i + 1; j < sizes.size(); ++j)
            EXPECT_FALSE(sizes[i].cx == sizes[j].cx && sizes[i].cy == sizes[j].cy) << i << " " << j;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(process));
}

TEST_F(PlayerFolder, TheAlbumFormDownloadsTheTickedFilesWhole) {
    CATALOGUE_ALBUM album = {7, "Album", {{101, "One", "1", ".xof", 1}, {102, "Two", "2", ".xof", 1},
                                          {103, "Three", "3", ".xof", 1}}};
    site.SetAlbum(album);
    std::map<int, std::string> bytes;
    for (const CATALOGUE_FILE& file : album.Files) {
        bytes[file.Id] = std::string(1048576, '\0');
        for (size_t i = 0; i < bytes[file.Id].size(); ++i) bytes[file.Id][i] = (char)(i * 7 + file.Id + i / 4093);
        site.ServeFile(file.Id, bytes[file.Id]);
    }
    service.AddAccount("tom", {"secret", "1001", "Tommy"});
    // The start page is the album page: "url" goes into the start page's section, the last of the site's text.
    scratch.Write(L"ovraCfg.ini", site.ConfigText() + "url=/album.aspx?id=7\r\n" + service.ConfigText());

    PROCESS_INFORMATION& process = Start();
    HWND dialog = MainDialog(process);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([&] { return PageRequested("/album.aspx"); }, 20000)) << "the album page is fetched";
    Sleep(1500);  // the page arrives and paints
    BringToTheCorner(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    // Signed in first, through the account panel's "登录".
    HWND mainWnd = ChildWindowFromPointEx(dialog, {client.right / 2, 10}, CWP_SKIPINVISIBLE);
    ClickAt(mainWnd, {18, 163});  // "登录" in the account panel
    HWND signIn = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (HWND window : WindowsOf(process.dwProcessId))
                if (GetDlgItem(window, 1009)) signIn = window;
            return signIn != nullptr;
        },
        10000))
        << "the sign-in dialog shows";
    SendMessageW(GetDlgItem(signIn, 1008), WM_SETTEXT, 0, (LPARAM)L"tom");
    // Typed into the password field, which has the keys after a click.
    HWND password = GetDlgItem(signIn, 1009);
    PostMessageW(password, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(password, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Sleep(500);
    SendMessageW(password, WM_SETTEXT, 0, (LPARAM)L"secret");
    PostMessageW(signIn, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !service.SignedInUsers().empty() && !IsWindowVisible(signIn); }, 20000))
        << "signed in";
    Sleep(1500);  // the page shows again with the session keys
    std::vector<POINT> boxes;
    ASSERT_TRUE(WaitFor(
        [&] {
            WindowCapture shot(dialog);
            return (boxes = FindCheckBoxes(PixelsOf(shot), client, FORM_BOX_EMPTY)).size() == 3;
        },
        10000))
        << boxes.size() << " check boxes seen";
    ClickAt(dialog, boxes[0]);
    ClickAt(dialog, boxes[1]);
    EXPECT_TRUE(WaitFor(
        [&] {
            WindowCapture shot(dialog);
            return FindCheckBoxes(PixelsOf(shot), client, FORM_BOX_TICKED).size() == 2;
        },
        5000))
        << "two boxes ticked";
    WindowCapture ticked(dialog);
    EXPECT_TRUE(ticked.SavePng(ArtifactPath(L"player-album-ticked.png")));
    ClickAt(dialog, ButtonBelow(PixelsOf(ticked), client, boxes[2]));

    std::wstring folder = scratch.File(L"DownloadFiles\\");
    for (const CATALOGUE_FILE& file : {album.Files[0], album.Files[1]}) {
        std::wstring path = folder + L"Album_" + std::wstring(file.Order.begin(), file.Order.end()) + L"_" +
                            std::wstring(file.Name.begin(), file.Name.end()) + L"_tom.xof";
        SCOPED_TRACE(file.Name);
        EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(path) == bytes[file.Id]; }, 30000)) << "the file is whole";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((path + L".temp").c_str()));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"Album_3_Three_tom.xof").c_str()))
        << "the file not ticked stays on the site";
    Sleep(1500);  // the rows have moved to the finished list
    EXPECT_TRUE(WindowCapture(dialog).SavePng(ArtifactPath(L"player-album-downloaded.png")));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(process));
}

}  // namespace
