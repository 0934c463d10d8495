// GDI+ for the engine, started while at least one view exists.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace hlwin {

class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
};

}  // namespace hlwin
