#include "RoadInput.h"

#include <iterator>
#include <vector>

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

INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // The system maps 0..65535 onto the screen's pixels.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, false));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(KeyInput(*key, true));
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT screen) {
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen),
                      MouseInput(MOUSEEVENTF_LEFTUP, screen)};
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(50);  // the pointer's arrival (hover) before the press, as a hand does
    SendInput(2, &inputs[1], sizeof(INPUT));
}

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}

}  // namespace road
