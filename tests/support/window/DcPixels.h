// The pixels of a rectangle of a device context (a window's, or the screen's), copied
// into memory as top-down rows of 0x00RRGGBB (black when the system gives no memory for
// the copy).
#pragma once

#include <windows.h>

#include <vector>

std::vector<DWORD> CopyDcPixels(HDC source, int left, int top, int width, int height);
