// The window functions of the interface.
#include "CallScope.h"
#include "Handles.h"
#include "View.h"

using hlwin::Guarded;
using hlwin::ToHandle;
using hlwin::View;

LRESULT HLAPI HTMLayoutProcND(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, BOOL* handled) {
    BOOL ignored = FALSE;
    BOOL& out = handled ? *handled : ignored;
    out = FALSE;
    return Guarded(
        [&]() -> LRESULT {
            View* view = msg == WM_NCDESTROY ? View::Existing(hwnd) : View::Of(hwnd);
            if (!view) return 0;
            LRESULT result = view->Process(msg, wParam, lParam, out);
            if (msg == WM_NCDESTROY) View::Drop(hwnd);
            return result;
        },
        LRESULT{0});
}

HLDOM_RESULT HLAPI HTMLayoutSetCallback(HWND hwnd, LPHTMLAYOUT_NOTIFY callback, LPVOID param) {
    return Guarded([&] {
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        view->SetCallback(callback, param);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutWindowAttachEventHandler(HWND hwnd, LPELEMENT_EVENT_PROC proc, LPVOID tag,
                                                     UINT subscription) {
    return Guarded([&] {
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        if (!proc) return HLDOM_INVALID_PARAMETER;
        view->AttachWindowHandler(proc, tag, subscription);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutLoadFile(HWND hwnd, LPCWSTR path) {
    return Guarded([&] {
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        if (!path) return HLDOM_INVALID_PARAMETER;
        return view->LoadFile(reinterpret_cast<const char16_t*>(path)) ? HLDOM_OK : HLDOM_OPERATION_FAILED;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetRootElement(HWND hwnd, HELEMENT* root) {
    return Guarded([&] {
        if (!root) return HLDOM_INVALID_PARAMETER;
        *root = nullptr;
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        *root = ToHandle(view->Page().Root());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutUpdateWindow(HWND hwnd) {
    return Guarded([&] {
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        view->UpToDate();
        UpdateWindow(hwnd);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutFindElement(HWND hwnd, POINT pt, HELEMENT* found) {
    return Guarded([&] {
        if (!found) return HLDOM_INVALID_PARAMETER;
        *found = nullptr;
        View* view = View::Of(hwnd);
        if (!view) return HLDOM_INVALID_HWND;
        *found = ToHandle(view->UpToDate().HitTest({pt.x, pt.y}));
        return HLDOM_OK;
    });
}
