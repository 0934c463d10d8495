// Message map entries of window messages whose handlers take the class library's
// types (points, DC and window objects), and of control notifications.
#pragma once

#include "afxwin.h"

namespace afx_thunk {

// The DC of a message, as a DC object for the length of the handler.
class CMessageDC : public CDC {
public:
    explicit CMessageDC(WPARAM dc) { Attach((HDC)dc); }
    ~CMessageDC() override { Detach(); }
};

template <class T, auto F>
LRESULT OnBoolDC(CCmdTarget* t, WPARAM w, LPARAM) {
    CMessageDC dc(w);
    return (LRESULT)(static_cast<T*>(t)->*F)(&dc);
}
template <class T, auto F, UINT kind>
LRESULT OnCtlColor(CCmdTarget* t, WPARAM w, LPARAM l) {
    CMessageDC dc(w);
    return (LRESULT)(static_cast<T*>(t)->*F)(&dc, CWnd::FromHandle((HWND)l), kind);
}
template <class T, auto F>
LRESULT OnMouse(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((UINT)w, CPoint(l));
    return 0;
}
template <class T, auto F>
LRESULT OnMouseWheel(CCmdTarget* t, WPARAM w, LPARAM l) {
    return (LRESULT)(static_cast<T*>(t)->*F)(LOWORD(w), (short)HIWORD(w), CPoint(l));
}
template <class T, auto F>
LRESULT OnBool(CCmdTarget* t, WPARAM w, LPARAM) {
    (static_cast<T*>(t)->*F)((BOOL)w);
    return 0;
}
template <class T, auto F>
LRESULT OnKey(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((UINT)w, LOWORD(l), HIWORD(l));
    return 0;
}
template <class T, auto F>
LRESULT OnSetCursor(CCmdTarget* t, WPARAM w, LPARAM l) {
    return (LRESULT)(static_cast<T*>(t)->*F)(CWnd::FromHandle((HWND)w), LOWORD(l), HIWORD(l));
}
template <class T, auto F>
LRESULT OnShowWindow(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((BOOL)w, (UINT)l);
    return 0;
}
template <class T, auto F>
LRESULT OnWindow(CCmdTarget* t, WPARAM w, LPARAM) {
    (static_cast<T*>(t)->*F)(CWnd::FromHandle((HWND)w));
    return 0;
}
template <class T, auto F>
LRESULT OnResult(CCmdTarget* t, WPARAM, LPARAM) {
    return (LRESULT)(static_cast<T*>(t)->*F)();
}
template <class T, auto F>
LRESULT OnSize(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((UINT)w, (short)LOWORD(l), (short)HIWORD(l));
    return 0;
}
template <class T, auto F>
LRESULT OnMove(CCmdTarget* t, WPARAM, LPARAM l) {
    (static_cast<T*>(t)->*F)((short)LOWORD(l), (short)HIWORD(l));
    return 0;
}
template <class T, auto F>
LRESULT OnMinMax(CCmdTarget* t, WPARAM, LPARAM l) {
    (static_cast<T*>(t)->*F)(reinterpret_cast<MINMAXINFO*>(l));
    return 0;
}

}  // namespace afx_thunk

// void OnPaint()
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, &afx_thunk::OnVoid<ThisClass, &ThisClass::OnPaint>},
// BOOL OnEraseBkgnd(CDC*)
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, &afx_thunk::OnBoolDC<ThisClass, &ThisClass::OnEraseBkgnd>},
// HBRUSH OnCtlColor(CDC*, CWnd* control, UINT kind): every control colour message, kind CTLCOLOR_*
#define AFX_CTLCOLOR_ENTRY(kind) \
    {WM_CTLCOLORMSGBOX + kind, 0, 0, 0, &afx_thunk::OnCtlColor<ThisClass, &ThisClass::OnCtlColor, kind>},
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_CTLCOLOR_ENTRY(CTLCOLOR_EDIT)                                                                        \
    AFX_CTLCOLOR_ENTRY(CTLCOLOR_LISTBOX)                                                                     \
    AFX_CTLCOLOR_ENTRY(CTLCOLOR_BTN) AFX_CTLCOLOR_ENTRY(CTLCOLOR_DLG) AFX_CTLCOLOR_ENTRY(CTLCOLOR_SCROLLBAR) \
        AFX_CTLCOLOR_ENTRY(CTLCOLOR_STATIC)
// void OnXxx(UINT flags, CPoint point) in client coordinates
#define ON_WM_MOUSEMOVE()     {WM_MOUSEMOVE, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnMouseMove>},
#define ON_WM_LBUTTONDOWN()   {WM_LBUTTONDOWN, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP()     {WM_LBUTTONUP, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnLButtonUp>},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnLButtonDblClk>},
#define ON_WM_RBUTTONDOWN()   {WM_RBUTTONDOWN, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnRButtonDown>},
#define ON_WM_RBUTTONUP()     {WM_RBUTTONUP, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnRButtonUp>},
#define ON_WM_MOUSEHOVER()    {WM_MOUSEHOVER, 0, 0, 0, &afx_thunk::OnMouse<ThisClass, &ThisClass::OnMouseHover>},
// void OnMouseLeave()
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, &afx_thunk::OnVoid<ThisClass, &ThisClass::OnMouseLeave>},
// BOOL OnMouseWheel(UINT flags, short delta, CPoint point) in screen coordinates
#define ON_WM_MOUSEWHEEL() {WM_MOUSEWHEEL, 0, 0, 0, &afx_thunk::OnMouseWheel<ThisClass, &ThisClass::OnMouseWheel>},
// void OnEnable(BOOL enabled)
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, &afx_thunk::OnBool<ThisClass, &ThisClass::OnEnable>},
// void OnXxx(UINT key, UINT repeat, UINT flags)
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, &afx_thunk::OnKey<ThisClass, &ThisClass::OnKeyDown>},
#define ON_WM_KEYUP()   {WM_KEYUP, 0, 0, 0, &afx_thunk::OnKey<ThisClass, &ThisClass::OnKeyUp>},
#define ON_WM_CHAR()    {WM_CHAR, 0, 0, 0, &afx_thunk::OnKey<ThisClass, &ThisClass::OnChar>},
// BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message)
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, &afx_thunk::OnSetCursor<ThisClass, &ThisClass::OnSetCursor>},
// void OnShowWindow(BOOL show, UINT status)
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, &afx_thunk::OnShowWindow<ThisClass, &ThisClass::OnShowWindow>},
// void OnSetFocus(CWnd* previous), void OnKillFocus(CWnd* next)
#define ON_WM_SETFOCUS()  {WM_SETFOCUS, 0, 0, 0, &afx_thunk::OnWindow<ThisClass, &ThisClass::OnSetFocus>},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, &afx_thunk::OnWindow<ThisClass, &ThisClass::OnKillFocus>},
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, &afx_thunk::OnResult<ThisClass, &ThisClass::OnGetDlgCode>},
// void OnSize(UINT type, int cx, int cy)
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, &afx_thunk::OnSize<ThisClass, &ThisClass::OnSize>},
// void OnMove(int x, int y)
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, &afx_thunk::OnMove<ThisClass, &ThisClass::OnMove>},
// void OnGetMinMaxInfo(MINMAXINFO*)
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, 0, 0, 0, &afx_thunk::OnMinMax<ThisClass, &ThisClass::OnGetMinMaxInfo>},
// void OnClose()
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, &afx_thunk::OnVoid<ThisClass, &ThisClass::OnClose>},
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, 0, &afx_thunk::OnResult<ThisClass, &ThisClass::OnQueryDragIcon>},
// LRESULT handler(WPARAM, LPARAM) for a message registered at run time (a UINT variable)
#define ON_REGISTERED_MESSAGE(messageVariable, memberFxn) \
    {messageVariable, 0, 0, 0, &afx_thunk::OnMessage<ThisClass, &ThisClass::memberFxn>},

// void handler(): a child control's notification with that code
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), &afx_thunk::OnVoid<ThisClass, &ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn)     ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)      ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)    ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)   ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)  ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)   ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)  ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
// void handler(): the control's own notification with that code, handled by the
// control's object before its parent sees it
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {WM_REFLECT_COMMAND, (UINT)(code), 0, 0xFFFF, &afx_thunk::OnVoid<ThisClass, &ThisClass::memberFxn>},
