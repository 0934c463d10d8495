#include "BrowserHost.h"

namespace browsertest {

namespace {

BOOL CALLBACK TakeFirst(HELEMENT he, LPVOID param) {
    *static_cast<HELEMENT*>(param) = he;
    return TRUE;
}

VOID CALLBACK KeepText(LPCWSTR chars, UINT length, LPVOID param) {
    static_cast<std::wstring*>(param)->assign(chars, length);
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0], n, nullptr, nullptr);
    return utf8;
}

void RecordingEvents::BeforeNavigate2(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                                      const std::vector<BYTE>& postData, const std::wstring& headers, bool& cancel) {
    log.push_back(L"before " + url);
    befores.push_back(Before{url, targetFrame, headers, flags, postData});
    if (onBefore) onBefore(url, cancel);
}

void RecordingEvents::NavigateComplete2(const std::wstring& url) { log.push_back(L"navigate " + url); }

void RecordingEvents::DocumentComplete(const std::wstring& url) {
    log.push_back(L"document " + url);
    ++documents;
}

void RecordingEvents::CommandStateChange(long command, bool enable) {
    log.push_back(L"command " + std::to_wstring(command) + (enable ? L" 1" : L" 0"));
}

bool RecordingEvents::ShowContextMenu(POINT, HELEMENT) {
    ++contextMenus;
    return takeContextMenu;
}

BrowserHost::BrowserHost(int width, int height) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrowserTestFrame";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassW(&wc);
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    m_frame = CreateWindowW(L"BrowserTestFrame", L"浏览器", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    browser.Create(m_frame, RECT{0, 0, width, height}, 0xE901, &events);
    Settle();
}

BrowserHost::~BrowserHost() {
    if (m_frame) DestroyWindow(m_frame);
}

bool BrowserHost::WaitForDocuments(int documents) {
    DWORD start = GetTickCount();
    while (events.documents < documents) {
        if (GetTickCount() - start > 10000) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (events.documents < documents) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void BrowserHost::Settle() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

HELEMENT BrowserHost::Select(const char* selector) const {
    HELEMENT root = nullptr, found = nullptr;
    if (HTMLayoutGetRootElement(View(), &root) != HLDOM_OK || !root) return nullptr;
    HTMLayoutSelectElements(root, selector, &TakeFirst, &found);
    return found;
}

std::wstring BrowserHost::Text(const char* selector) const {
    HELEMENT he = nullptr;
    if (selector)
        he = Select(selector);
    else
        HTMLayoutGetRootElement(View(), &he);
    std::wstring text;
    if (he) HTMLayoutGetElementInnerTextCB(he, &KeepText, &text);
    return text;
}

bool BrowserHost::Click(const char* selector) {
    HELEMENT he = Select(selector);
    RECT box = {};
    if (!he || HTMLayoutGetElementLocation(he, &box, VIEW_RELATIVE | BORDER_BOX) != HLDOM_OK) return false;
    LPARAM point = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SendMessageW(View(), WM_MOUSEMOVE, 0, point);
    SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(View(), WM_LBUTTONUP, 0, point);
    return true;
}

}  // namespace browsertest
