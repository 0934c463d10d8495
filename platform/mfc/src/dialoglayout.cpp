#include "afxwin.h"

namespace {
struct ScreenDpi {
    int x = 96, y = 96;
    ScreenDpi() {
        HDC screen = GetDC(nullptr);
        x = GetDeviceCaps(screen, LOGPIXELSX);
        y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
};
// The template's next control without an id (-1) after the one given, in template order.
HWND NextLabel(HWND dialog, HWND after) {
    HWND child = after ? ::GetWindow(after, GW_HWNDNEXT) : ::GetWindow(dialog, GW_CHILD);
    while (child && (WORD)::GetDlgCtrlID(child) != 0xFFFF) child = ::GetWindow(child, GW_HWNDNEXT);
    return child;
}
}  // namespace

BOOL AfxPlaceDialog(CWnd* dialog, int clientWidth, int clientHeight, const AFX_CONTROL_PLACE* places, size_t count) {
    ScreenDpi dpi;
    auto sx = [&](int v) { return MulDiv(v, dpi.x, 96); };
    auto sy = [&](int v) { return MulDiv(v, dpi.y, 96); };
    CRect frame(0, 0, sx(clientWidth), sy(clientHeight));
    AdjustWindowRectEx(&frame, dialog->GetStyle(), FALSE, dialog->GetExStyle());
    dialog->SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    BOOL all = TRUE;
    HWND lastLabel = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const AFX_CONTROL_PLACE& p = places[i];
        HWND control = p.id == -1 ? NextLabel(dialog->m_hWnd, lastLabel) : ::GetDlgItem(dialog->m_hWnd, p.id);
        if (p.id == -1) lastLabel = control;
        if (!control) {
            all = FALSE;
            continue;
        }
        ::SetWindowPos(control, nullptr, sx(p.x), sy(p.y), sx(p.cx), sy(p.cy), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return all;
}
