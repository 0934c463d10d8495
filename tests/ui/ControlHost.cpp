#include "ControlHost.h"

#include <cstdlib>

#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "images/PngFile.h"

bool CControlHost::Open(const RECT& frame, bool clipChildren) {
    DWORD style = WS_POPUP | WS_VISIBLE | (clipChildren ? WS_CLIPCHILDREN : 0);
    return CreateEx(WS_EX_TOPMOST, nullptr, L"controls", style, frame, nullptr, 0) != FALSE;
}

std::vector<CControlHost::NOTE> CControlHost::Notes(UINT message) const {
    std::vector<NOTE> found;
    for (const NOTE& note : notes)
        if (note.message == message) found.push_back(note);
    return found;
}

void CControlHost::DeliverNotes() {
    MSG msg;
    while (PeekMessageW(&msg, m_hWnd, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

LRESULT CControlHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            HBRUSH brush = CreateSolidBrush(BACKGROUND);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
            DeleteObject(brush);
            return TRUE;
        }
        case WM_COMMAND:
        case WM_SETTING_LIST_CLICK:
        case WM_SLIDER_THUMB_LEAVE:
        case WM_SLIDER_THUMB_CLICK:
        case WM_SLIDER_DRAGGED:
        case WM_SLIDER_JUMPED:
        case WM_SLIDER_MOVING:
        case WM_SLIDER_MOVED:
            notes.push_back(NOTE{message, wParam, lParam});
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

GdiplusScope::GdiplusScope() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiplusScope::~GdiplusScope() { Gdiplus::GdiplusShutdown(m_token); }

CString WritePlainPng(const std::wstring& path, int width, int height, COLORREF color) {
    Gdiplus::Color pixel(255, GetRValue(color), GetGValue(color), GetBValue(color));
    zemotest::WritePng(path, width, height, [&](int, int) { return pixel; });
    return CString(path.c_str());
}

COLORREF ImagePixel(const CString& path, int x, int y) {
    Gdiplus::Bitmap image(path.GetString());
    Gdiplus::Color color;
    if (image.GetLastStatus() != Gdiplus::Ok || image.GetPixel(x, y, &color) != Gdiplus::Ok) return 0;
    return RGB(color.GetR(), color.GetG(), color.GetB());
}

bool IsNear(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool HasColorNear(const WindowCapture& capture, const RECT& area, COLORREF color, int tolerance) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (IsNear(capture.Pixel(x, y), color, tolerance)) return true;
    return false;
}

CString ArtifactsFolder() {
    CString folder = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(folder, nullptr);
    return folder;
}
