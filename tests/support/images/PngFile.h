// PNG files made for tests and benchmarks, pixel by pixel (GDI+ must be started).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>
#include <string>

namespace zemotest {

// Writes a width x height PNG whose pixels the function gives; false on failure.
bool WritePng(const std::wstring& path, int width, int height,
              const std::function<Gdiplus::Color(int x, int y)>& pixel);

}  // namespace zemotest
