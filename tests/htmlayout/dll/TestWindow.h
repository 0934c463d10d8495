// A real window whose messages go to the engine first, with a page written to a
// temporary folder, for the tests of the DLL.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "files/ScratchFolder.h"
#include "htmlayout.h"

namespace hltest {

// Writes a PNG of one colour into the folder and returns its path.
std::wstring WritePng(const ScratchFolder& folder, const std::wstring& name, int width, int height, COLORREF color);

class TestWindow {
public:
    explicit TestWindow(int width = 400, int height = 300);
    ~TestWindow();
    HWND Hwnd() const { return m_hwnd; }
    // Writes the page into the folder and loads it; false when the engine refuses it.
    bool Load(const std::string& html);
    HELEMENT Root() const;
    // The first element the selector finds below the root (null when none).
    HELEMENT Select(const char* selector) const;
    std::wstring Attribute(HELEMENT he, const char* name) const;
    std::wstring Style(HELEMENT he, const char* name) const;
    RECT Location(HELEMENT he, UINT kind) const;
    static std::wstring InnerText(HELEMENT he);
    static std::string Html(HELEMENT he, bool outer);
    // The messages the window saw and whether the engine claimed them.
    std::vector<std::pair<UINT, BOOL>> offered;
    // The page painted through WM_PRINTCLIENT.
    struct Picture {
        int width = 0, height = 0;
        std::vector<COLORREF> pixels;
        COLORREF At(int x, int y) const {
            return x >= 0 && y >= 0 && x < width && y < height ? pixels[y * width + x] : CLR_INVALID;
        }
    };
    Picture Capture();
    COLORREF Pixel(int x, int y) { return Capture().At(x, y); }
    void PumpMessages();
    void Destroy();

    ScratchFolder folder;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

}  // namespace hltest
