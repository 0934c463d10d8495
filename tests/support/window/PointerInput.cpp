#include "PointerInput.h"

INPUT AbsoluteMouseInput(POINT screen, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void MovePointer(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input = AbsoluteMouseInput(screen, MOUSEEVENTF_MOVE);
    SendInput(1, &input, sizeof(input));
}

void PressLeft(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}
