#include "RoadInput.h"

#include <iterator>
#include <vector>

#include "PointerInput.h"

namespace road {

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = (WORD)MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, false));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(KeyInput(*key, true));
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void TypeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        const SHORT key = VkKeyScanA(*c);
        if (key == -1) continue;
        if (key & 0x100)
            PressKeys({VK_SHIFT, WORD(key & 0xFF)});
        else
            PressKeys({WORD(key & 0xFF)});
        Sleep(20);
    }
}

void ClickAt(POINT screen) {
    INPUT inputs[] = {AbsoluteMouseInput(screen, MOUSEEVENTF_MOVE), AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                      AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTUP)};
    // The pointer arrives (hover) before the press, and the press takes a moment, as a hand's.
    for (INPUT& input : inputs) {
        SendInput(1, &input, sizeof(INPUT));
        Sleep(60);
    }
}

void DoubleClickAt(POINT screen) {
    INPUT inputs[] = {AbsoluteMouseInput(screen, MOUSEEVENTF_MOVE), AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                      AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTUP), AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                      AbsoluteMouseInput(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(60);
    // Well inside the double-click time.
    SendInput(4, &inputs[1], sizeof(INPUT));
}

POINT CentreOf(HWND window) {
    RECT place = {};
    GetWindowRect(window, &place);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}

}  // namespace road
