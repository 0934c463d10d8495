#include "Gdiplus.h"

namespace hlwin {
namespace {

int g_sessions = 0;
ULONG_PTR g_token = 0;

}  // namespace

GdiplusSession::GdiplusSession() {
    if (g_sessions++ == 0) {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&g_token, &input, nullptr);
    }
}

GdiplusSession::~GdiplusSession() {
    if (--g_sessions == 0) Gdiplus::GdiplusShutdown(g_token);
}

}  // namespace hlwin
