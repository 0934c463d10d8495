// A page like the main window (1280 x 753: title bar, tabs, category list, play list,
// newest videos, play controls with sliders and a progress bar, skin images and CJK
// text) loaded (parsed, styled and laid out) and painted 30 times. Prints the best
// and the median time of each step and of both together (target: under 16 ms), the
// first load and paint of the process (images decoded, text drawn the first time),
// a layout after a resize, and the repaint after a hover change.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "htmlayout.h"
#include "images/PngFile.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 753;
constexpr int kRounds = 30;

// Milliseconds.
double Now() { return NowSeconds() * 1000.0; }

void WritePng(const std::wstring& path, int w, int h, BYTE r, BYTE g, BYTE b) {
    zemotest::WritePng(path, w, h, [&](int x, int y) {
        return Gdiplus::Color(255, static_cast<BYTE>(r + y % 32), static_cast<BYTE>(g + x % 32), b);
    });
}

std::string Page() {
    std::string p =
        "\xEF\xBB\xBF<html><head><style>"
        "html, body { height: 100%; font-family: SimSun; font-size: 12px; color: #333333; }"
        "#top { height: 36px; flow: horizontal; background: url(Images\\default\\top.png) repeat-x; }"
        "#logo { width: 120px; height: *; background: url(Images\\default\\logo.png) no-repeat left center; }"
        "#tabs { width: *; flow: horizontal; }"
        ".tab { width: 90px; height: 36px; text-align: center; vertical-align: middle; cursor: pointer;"
        "  background: url(Images\\default\\tab.png) no-repeat; }"
        ".tab:hover { background-image: url(Images\\default\\tab-hover.png); color: #ffffff; }"
        ".btn { width: 24px; height: 24px; background: url(Images\\default\\btn.png) no-repeat; behavior: button; }"
        ".btn:hover { background-image: url(Images\\default\\btn-hover.png); }"
        "#middle { height: *; flow: horizontal; }"
        "#left { width: 197px; height: *; overflow: auto; background-color: #f4f4f4; }"
        "#left li { height: 22px; padding-left: 10px; border-bottom: 1px solid #dddddd; }"
        "#left li:hover { background-color: #dde8ff; }"
        "#center { width: *; height: *; background: #000000 url(Images\\default\\ad.png) no-repeat center center; }"
        "#right { width: 234px; height: *; overflow: auto; }"
        ".item { height: 28px; flow: horizontal; border-bottom: 1px solid #e0e0e0; }"
        ".serial-number { width: 20px; height: *; color: #ff0000; text-align: center; vertical-align: middle; }"
        ".right-normal-item-text { width: *; height: *; vertical-align: middle; }"
        ".right-normal-item-payment { width: 40px; height: *; vertical-align: middle; color: #ff6600; }"
        "#bottom { height: 60px; margin: 0 5px; position: relative; background: url(Images\\default\\bottom.png) "
        "repeat-x; }"
        "#slider-time { position: absolute; left: 10px; right: 10px; top: 6px; height: 10px; behavior: slider;"
        "  background-color: #444444; foreground-image: url(Images\\default\\played.png); foreground-repeat: stretch;"
        "  foreground-offset-right: 400px; thumb-image: url(Images\\default\\thumb.png); }"
        "#controls { position: absolute; left: 33%; top: 24px; flow: horizontal; }"
        "#slider-volume { width: 80px; height: 8px; behavior: slider; background-color: #888888; }"
        "#progress { position: absolute; right: 10px; top: 28px; width: 160px; height: 12px; background-color: #cccccc;"
        "  foreground-image: url(Images\\default\\played.png); foreground-repeat: stretch; }"
        "</style></head><body>";
    p += "<div id=\"top\"><div id=\"logo\"></div><div id=\"tabs\">";
    const char* tabs[] = {"\xe9\xa6\x96\xe9\xa1\xb5", "\xe6\x8e\x92\xe8\xa1\x8c", "\xe8\xae\xa2\xe9\x98\x85",
                          "\xe4\xbc\x9a\xe5\x91\x98", "\xe4\xb8\x8b\xe8\xbd\xbd"};
    for (const char* t : tabs) p += std::string("<div class=\"tab\">") + t + "</div>";
    p += "</div><div class=\"btn\" id=\"min\"></div><div class=\"btn\" id=\"max\"></div><div class=\"btn\" "
         "id=\"close\"></div></div>";
    p += "<div id=\"middle\"><ul id=\"left\">";
    for (int i = 0; i < 40; ++i)
        p += "<li class=\"video-list\" url=\"http://127.0.0.1/c" + std::to_string(i) +
             "\">\xe5\x8a\xa8\xe7\x94\xbb\xe5\x88\x86\xe7\xb1\xbb " + std::to_string(i) + "</li>";
    p += "</ul><div id=\"center\"></div><ul id=\"right\">";
    for (int i = 0; i < 40; ++i)
        p += "<li class=\"item\"><div class=\"serial-number\">" + std::to_string(i + 1) +
             "</div><div "
             "class=\"right-normal-item-text\">"
             "\xe6\x9c\x80\xe6\x96\xb0\xe8\xa7\x86\xe9\xa2\x91\xe5\x90\x8d\xe7\xa7\xb0 " +
             std::to_string(i) + "</div><div class=\"right-normal-item-payment\"><div>" + std::to_string(i % 9) +
             "</div></div></li>";
    p += "</ul></div><div id=\"bottom\"><div id=\"slider-time\" min=\"0\" max=\"1000\" value=\"400\"></div>"
         "<div id=\"controls\"><div class=\"btn\" id=\"pre\"></div><div class=\"btn\" id=\"play-pause\"></div>"
         "<div class=\"btn\" id=\"next\"></div><div id=\"slider-volume\" value=\"60\"></div>"
         "<div id=\"play-time\">00:12:34 / 01:23:45</div></div>"
         "<progress id=\"progress\" maxvalue=\"1000\" value=\"700\"> 70%</progress></div></body></html>";
    return p;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BOOL handled = FALSE;
    LRESULT result = HTMLayoutProcND(hwnd, msg, wParam, lParam, &handled);
    return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Figures {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    double Best() const { return *std::min_element(values.begin(), values.end()); }
    double Median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

}  // namespace

int main() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"htmlbench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"Images").c_str(), nullptr);
    CreateDirectoryW((folder + L"Images\\default").c_str(), nullptr);
    std::wstring images = folder + L"Images\\default\\";
    WritePng(images + L"top.png", 4, 36, 40, 80, 160);
    WritePng(images + L"logo.png", 110, 30, 200, 120, 20);
    WritePng(images + L"tab.png", 90, 36, 60, 100, 180);
    WritePng(images + L"tab-hover.png", 90, 36, 90, 140, 220);
    WritePng(images + L"btn.png", 24, 24, 120, 120, 120);
    WritePng(images + L"btn-hover.png", 24, 24, 180, 180, 180);
    WritePng(images + L"ad.png", 400, 300, 20, 20, 60);
    WritePng(images + L"bottom.png", 4, 60, 30, 30, 30);
    WritePng(images + L"played.png", 4, 10, 220, 60, 20);
    WritePng(images + L"thumb.png", 12, 12, 250, 250, 250);
    std::wstring pagePath = folder + L"mainwnd.html";
    std::string page = Page();
    HANDLE file =
        CreateFileW(pagePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, page.data(), static_cast<DWORD>(page.size()), &written, nullptr);
    CloseHandle(file);

    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HtmlBench";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                wc.hInstance, nullptr);
    HDC screen = GetDC(hwnd);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(dc, bitmap);

    Figures load, paint, total, relayout, hover;
    double cold = 0;
    for (int round = 0; round <= kRounds; ++round) {
        double t0 = Now();
        HTMLayoutLoadFile(hwnd, pagePath.c_str());
        double t1 = Now();
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        double t2 = Now();
        SetWindowPos(hwnd, nullptr, 0, 0, kWidth - 1, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        double t3 = Now();
        HELEMENT found = nullptr;
        HTMLayoutFindElement(hwnd, POINT{300, 200}, &found);  // lays the page out again
        double t4 = Now();
        SetWindowPos(hwnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        HTMLayoutFindElement(hwnd, POINT{300, 200}, &found);
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(170 + round % 2, 18));  // over a tab: its image changes
        double t5 = Now();
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        double t6 = Now();
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(600, 400));
        if (round == 0) {
            cold = t2 - t0;
            continue;
        }
        load.Add(t1 - t0);
        paint.Add(t2 - t1);
        total.Add(t2 - t0);
        relayout.Add(t4 - t3);
        hover.Add(t6 - t5);
    }
    printf("page %d x %d, %zu bytes, %d rounds (ms: best / median)\n", kWidth, kHeight, page.size(), kRounds);
    printf("  parse, style and layout  %7.2f / %7.2f\n", load.Best(), load.Median());
    printf("  paint                    %7.2f / %7.2f\n", paint.Best(), paint.Median());
    printf("  together                 %7.2f / %7.2f   target under 16\n", total.Best(), total.Median());
    printf("  first time in a process  %7.2f\n", cold);
    printf("  layout after a resize    %7.2f / %7.2f\n", relayout.Best(), relayout.Median());
    printf("  hover, then repaint      %7.2f / %7.2f\n", hover.Best(), hover.Median());

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(hwnd, screen);
    DestroyWindow(hwnd);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
