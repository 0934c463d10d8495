#include "dialog/DpiScaler.h"

#include <windows.h>

namespace {

int g_presetDpiX = 0;
int g_presetDpiY = 0;

// The screen's device context for the length of a scope.
class ScreenDc {
public:
    ScreenDc() : m_dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (m_dc) ReleaseDC(nullptr, m_dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

}  // namespace

void CDpiScaler::PresetDpi(int dpiX, int dpiY) {
    g_presetDpiX = dpiX;
    g_presetDpiY = dpiY;
}

void CDpiScaler::Scan() {
    if (m_bScanned) return;
    m_bScanned = true;
    if (g_presetDpiX > 0 && g_presetDpiY > 0) {
        m_nDpiX = g_presetDpiX;
        m_nDpiY = g_presetDpiY;
        return;
    }
    ScreenDc screen;
    if (!screen.Get()) return;
    m_nDpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    m_nDpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int CDpiScaler::ScaleX(int value) {
    Scan();
    return MulDiv(value, m_nDpiX, 96);
}

int CDpiScaler::ScaleY(int value) {
    Scan();
    return MulDiv(value, m_nDpiY, 96);
}
