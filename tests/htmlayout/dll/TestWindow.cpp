#include "TestWindow.h"

#include <memory>

#include "images/PngFile.h"

namespace hltest {
namespace {

const wchar_t kClass[] = L"HtmlEngineTestWindow";

BOOL CALLBACK FirstMatch(HELEMENT he, LPVOID param) {
    *static_cast<HELEMENT*>(param) = he;
    return TRUE;
}

// GDI+ for the test images, once for the test program.
struct GdiplusForTests {
    GdiplusForTests() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    }
    ULONG_PTR token = 0;
};

VOID CALLBACK KeepText(LPCWSTR text, UINT length, LPVOID out) { static_cast<std::wstring*>(out)->assign(text, length); }

VOID CALLBACK KeepBytes(const BYTE* text, UINT length, LPVOID out) {
    static_cast<std::string*>(out)->assign(reinterpret_cast<const char*>(text), length);
}

}  // namespace

std::wstring WritePng(const ScratchFolder& folder, const std::wstring& name, int width, int height, COLORREF color) {
    static GdiplusForTests gdiplus;
    std::wstring path = folder.Write(name, "");
    Gdiplus::Color solid(255, GetRValue(color), GetGValue(color), GetBValue(color));
    zemotest::WritePng(path, width, height, [&](int, int) { return solid; });
    return path;
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TestWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    BOOL handled = FALSE;
    LRESULT result = HTMLayoutProcND(hwnd, msg, wParam, lParam, &handled);
    if (self) self->offered.emplace_back(msg, handled);
    return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

TestWindow::TestWindow(int width, int height) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    m_hwnd = CreateWindowExW(0, kClass, L"test", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                             wc.hInstance, this);
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

bool TestWindow::Load(const std::string& html) {
    std::wstring path = folder.Write(L"page.html", html);
    return HTMLayoutLoadFile(m_hwnd, path.c_str()) == HLDOM_OK;
}

HELEMENT TestWindow::Root() const {
    HELEMENT root = nullptr;
    HTMLayoutGetRootElement(m_hwnd, &root);
    return root;
}

HELEMENT TestWindow::Select(const char* selector) const {
    HELEMENT found = nullptr;
    HTMLayoutSelectElements(Root(), selector, FirstMatch, &found);
    return found;
}

std::wstring TestWindow::Attribute(HELEMENT he, const char* name) const {
    LPCWSTR value = nullptr;
    HTMLayoutGetAttributeByName(he, name, &value);
    return value ? value : L"(none)";
}

std::wstring TestWindow::Style(HELEMENT he, const char* name) const {
    LPCWSTR value = nullptr;
    HTMLayoutGetStyleAttribute(he, name, &value);
    return value ? value : L"(none)";
}

RECT TestWindow::Location(HELEMENT he, UINT kind) const {
    RECT r{};
    HTMLayoutGetElementLocation(he, &r, kind);
    return r;
}

std::wstring TestWindow::InnerText(HELEMENT he) {
    std::wstring text;
    HTMLayoutGetElementInnerTextCB(he, KeepText, &text);
    return text;
}

std::string TestWindow::Html(HELEMENT he, bool outer) {
    std::string html;
    HTMLayoutGetElementHtmlCB(he, outer ? TRUE : FALSE, KeepBytes, &html);
    return html;
}

TestWindow::Picture TestWindow::Capture() {
    RECT client;
    GetClientRect(m_hwnd, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    HDC screen = GetDC(m_hwnd);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(m_hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SelectObject(dc, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    std::vector<DWORD> bgra(static_cast<size_t>(client.right) * client.bottom);
    GetDIBits(dc, bitmap, 0, client.bottom, bgra.data(), &info, DIB_RGB_COLORS);
    for (DWORD p : bgra) picture.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(m_hwnd, screen);
    return picture;
}

void TestWindow::PumpMessages() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace hltest
