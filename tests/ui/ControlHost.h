// What the tests of the skinned controls share: a visible top-level window that holds
// a test's controls and records the notifications they send or post to it, GDI+ for
// the test's life, plain-colour images and colour probes of captured windows.
#pragma once

#include <afxwin.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

class WindowCapture;

class CControlHost : public CWnd {
public:
    struct NOTE {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    // A visible popup above other windows at the screen rectangle, its background
    // painted in BACKGROUND; clipChildren sets WS_CLIPCHILDREN.
    bool Open(const RECT& frame, bool clipChildren = false);
    // Delivers the messages posted to this window alone, so that the controls' own
    // pending messages (pointer tracking among them) wait.
    void DeliverNotes();

    static const COLORREF BACKGROUND = RGB(20, 180, 40);
    // The notes of one message, in order.
    std::vector<NOTE> Notes(UINT message) const;

    std::vector<NOTE> notes;  // WM_COMMAND, WM_SETTING_LIST_CLICK and the slider's messages

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class GdiplusScope {
public:
    GdiplusScope();
    ~GdiplusScope();
    GdiplusScope(const GdiplusScope&) = delete;
    GdiplusScope& operator=(const GdiplusScope&) = delete;

private:
    ULONG_PTR m_token = 0;
};

// Writes a plain-colour PNG and returns its path.
CString WritePlainPng(const std::wstring& path, int width, int height, COLORREF color);
// The colour of a pixel of an image file (black when it cannot be read).
COLORREF ImagePixel(const CString& path, int x, int y);
// True when a pixel of the window-relative rectangle is within the tolerance of the colour.
bool HasColorNear(const WindowCapture& capture, const RECT& area, COLORREF color, int tolerance);
bool IsNear(COLORREF a, COLORREF b, int tolerance);
// The folder of the kept screenshots, made when missing.
CString ArtifactsFolder();
