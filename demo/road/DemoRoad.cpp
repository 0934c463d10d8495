// The road a user takes through the player, driven with the keys and the pointer on its
// real windows, in a program folder that the demonstration services serve:
//
//   DemoRoad.exe <program folder> <services' request log> <video to hand over> <album video>...
//
// The album videos are the files the catalogue's album serves, in its order; the request
// log is the services' output, one request a line. Prints each step as it is seen (a
// screenshot asked for at each) and exits 0 only when every step was seen; a player still
// running at the end is ended.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Road.h"
#include "RoadSteps.h"

using namespace road;

int main() {
    // The arguments as typed, in full (paths in any script).
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 6) {
        std::fprintf(stderr,
                     "usage: DemoRoad.exe <program folder> <request log> <video to hand over> <album video> "
                     "<album video>...\n");
        return 2;
    }
    std::vector<std::wstring> album;
    for (int i = 4; i < argc; ++i) album.push_back(argv[i]);
    Road road(argv[1], argv[2], argv[3], album);
    LocalFree(argv);
    const bool seen = RunRoad({
        {"start", [&](std::string& why) { return road.Start("start", why); }},
        {"sign-in", [&](std::string& why) { return road.SignIn(why); }},
        {"close", [&](std::string& why) { return road.CloseByKeys("closed", why); }},
        {"second-start", [&](std::string& why) { return road.Start("second-start", why); }},
        {"automatic-sign-in", [&](std::string& why) { return road.SignedIn("signed-in-automatically", why); }},
        {"catalogue", [&](std::string& why) { return road.Catalogue(why); }},
        {"category", [&](std::string& why) { return road.Category(why); }},
        {"album-form", [&](std::string& why) { return road.AlbumForm(why); }},
        {"downloads", [&](std::string& why) { return road.Downloads(why); }},
        {"play-downloaded", [&](std::string& why) { return road.PlayDownloaded(why); }},
        {"seek", [&](std::string& why) { return road.Seek(why); }},
        {"next-video", [&](std::string& why) { return road.NextVideo(why); }},
        {"tray-and-back", [&](std::string& why) { return road.ToTrayAndBack(why); }},
        {"hand-over", [&](std::string& why) { return road.HandOver(why); }},
        {"end-of-play-list", [&](std::string& why) { return road.EndOfPlayList(why); }},
        {"close-at-last", [&](std::string& why) { return road.CloseByButton("closed-at-last", why); }},
    });
    std::printf(seen ? "road: every step seen\n" : "road: a step was not seen\n");
    return seen ? 0 : 1;
}
