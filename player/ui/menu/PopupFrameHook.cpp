#include "menu/PopupFrameHook.h"

namespace {

const UINT WM_MENU_SIZING = 0x1E2;  // sent to a popup menu before it is sized
const wchar_t POPUP_MENU_CLASS[] = L"#32768";
const wchar_t FRAME_PROPERTY[] = L"ZemoPopupFrame";  // the frame removed, packed as width | height << 16
const LONG FRAME_STYLE = WS_BORDER;
const LONG FRAME_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// The popup menus' own procedure, the same for every window of the class.
WNDPROC g_menuProc = nullptr;

// Width and height that the window's frame styles add around its client area.
SIZE FrameSize(LONG style, LONG exStyle) {
    RECT rect = {0, 0, 0, 0};
    AdjustWindowRectEx(&rect, (DWORD)style, FALSE, (DWORD)exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Removes the frame styles and keeps what they added, so that sizing takes exactly
// that off. A popup drawn without them (its margins inside the client) keeps its size.
void StripFrame(HWND window) {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    SIZE before = FrameSize(style, exStyle);
    style &= ~FRAME_STYLE;
    exStyle &= ~FRAME_EX_STYLE;
    SIZE after = FrameSize(style, exStyle);
    SetWindowLongW(window, GWL_STYLE, style);
    SetWindowLongW(window, GWL_EXSTYLE, exStyle);
    LONG width = before.cx - after.cx, height = before.cy - after.cy;
    if (width > 0 || height > 0)
        SetPropW(window, FRAME_PROPERTY, (HANDLE)(LONG_PTR)((width & 0xFFFF) | (height << 16)));
}

LRESULT CALLBACK FramelessMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        auto frame = (LONG_PTR)GetPropW(window, FRAME_PROPERTY);
        if (frame && !(position->flags & SWP_NOSIZE)) {
            position->cx -= (int)(frame & 0xFFFF);
            position->cy -= (int)(frame >> 16);
        }
    }
    LRESULT result = CallWindowProcW(g_menuProc, window, message, wParam, lParam);
    if (message == WM_CREATE && result != -1) StripFrame(window);
    if (message == WM_NCDESTROY) RemovePropW(window, FRAME_PROPERTY);
    return result;
}

bool IsPopupMenu(HWND window) {
    wchar_t name[16] = {};
    return GetClassNameW(window, name, 16) > 0 && wcscmp(name, POPUP_MENU_CLASS) == 0;
}

// Replaces the procedure of each popup menu when it is created or sized the first
// time. Any sender counts: the platform may flag the creation as sent by this thread.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
        if ((call->message == WM_CREATE || call->message == WM_MENU_SIZING) && IsPopupMenu(call->hwnd)) {
            auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(call->hwnd, GWLP_WNDPROC));
            if (current != &FramelessMenuProc) {
                g_menuProc = current;
                SetWindowLongPtrW(call->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FramelessMenuProc));
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

CPopupFrameHook::CPopupFrameHook()
    : m_hHook(SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, nullptr, GetCurrentThreadId())) {}

CPopupFrameHook::~CPopupFrameHook() {
    if (m_hHook) UnhookWindowsHookEx(m_hHook);
}
