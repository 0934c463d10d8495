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
