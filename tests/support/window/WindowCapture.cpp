#include "WindowCapture.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {
int Width(HWND window) {
    RECT r;
    return GetWindowRect(window, &r) ? r.right - r.left : 0;
}
int Height(HWND window) {
    RECT r;
    return GetWindowRect(window, &r) ? r.bottom - r.top : 0;
}
}  // namespace

WindowCapture::WindowCapture(HWND window)
    : m_width(Width(window)), m_height(Height(window)), m_pixels((size_t)m_width * m_height) {
    HDC source = GetWindowDC(window);
    Grab(source, 0, 0);
    ReleaseDC(window, source);
}

WindowCapture::WindowCapture(const RECT& screenArea)
    : m_width(screenArea.right - screenArea.left),
      m_height(screenArea.bottom - screenArea.top),
      m_pixels((size_t)m_width * m_height) {
    HDC screen = GetDC(nullptr);
    Grab(screen, screenArea.left, screenArea.top);
    ReleaseDC(nullptr, screen);
}

void WindowCapture::Grab(HDC source, int left, int top) {
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, m_width, m_height, source, left, top, SRCCOPY);
    GdiFlush();
    memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(DWORD));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

COLORREF WindowCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    DWORD p = m_pixels[(size_t)y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool WindowCapture::SavePng(const CString& path) const {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool saved = false;
    {
        Gdiplus::Bitmap bitmap(m_width, m_height, m_width * 4, PixelFormat32bppRGB, (BYTE*)m_pixels.data());
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (size && Gdiplus::GetImageEncoders(count, size, encoders) == Gdiplus::Ok) {
            for (UINT i = 0; i < count; ++i)
                if (wcscmp(encoders[i].MimeType, L"image/png") == 0)
                    saved = bitmap.Save(path, &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}
