// The road a user takes through the player, driven with the keys and the pointer on its
// real windows, in a program folder that the demonstration services serve:
//
//   DemoRoad.exe <program folder> <video file>
//
// Prints each step as it is seen (a screenshot asked for at each), ends the player and
// exits 0 only when every step was seen.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "PlayerProcess.h"
#include "RoadInput.h"
#include "RoadSteps.h"
#include "ScreenPixels.h"

using namespace road;

namespace {

// Generous: a loaded machine under Wine starts the player in seconds, not in milliseconds.
constexpr DWORD START_MS = 90000;
constexpr DWORD HANDOVER_MS = 60000;
constexpr DWORD CLOSE_MS = 60000;

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

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

    // A second start with a file hands it over and ends; the first keeps its dialog.
    bool SecondStart(std::string& why) {
        PlayerProcess second(m_folder, L"\"" + m_video + L"\"");
        if (!second.Started()) return Fail(why, "the second Zemovista.exe did not start");
        if (second.WaitForEnd(HANDOVER_MS) != 0) return Fail(why, "the second start did not end with 0");
        if (!m_player->Running() || !m_player->MainDialog()) return Fail(why, "the first player is gone");
        Screenshot("handed-over");
        return true;
    }

    // Alt+F4 on the main dialog: the close road ends the player.
    bool Close(const char* shot, std::string& why) {
        HWND dialog = m_player->MainDialog();
        if (!dialog) return Fail(why, "no main dialog to close");
        if (!WaitUntil([&] { return Activate(dialog); }, 10000)) return Fail(why, "the main dialog takes no keys");
        PressKeys({VK_MENU, VK_F4});
        const int code = m_player->WaitForEnd(CLOSE_MS);
        if (code < 0) return Fail(why, "the player did not end");
        if (code != 0) return Fail(why, "the player ended with " + std::to_string(code));
        Screenshot(shot);
        return true;
    }

private:
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
        std::fprintf(stderr, "usage: DemoRoad.exe <program folder> <video file>\n");
        return 2;
    }
    Road road(Wide(argv[1]), Wide(argv[2]));
    const bool seen = RunRoad({
        {"start", [&](std::string& why) { return road.Start("start", why); }},
        {"second-start", [&](std::string& why) { return road.SecondStart(why); }},
        {"close", [&](std::string& why) { return road.Close("closed", why); }},
        {"start-again", [&](std::string& why) { return road.Start("started-again", why); }},
        {"close-again", [&](std::string& why) { return road.Close("closed-again", why); }},
    });
    std::printf(seen ? "road: every step seen\n" : "road: a step was not seen\n");
    return seen ? 0 : 1;
}
