// Real pointer input through the system queue. A mouse input at a screen point, for
// SendInput: the system maps 0..65535 onto the screen's pixels.
#pragma once

#include <windows.h>

INPUT AbsoluteMouseInput(POINT screen, DWORD flags);
// The pointer to a point of the screen.
void MovePointer(POINT screen);
void PressLeft(bool down);
