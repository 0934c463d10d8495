// Windowing part of the class library subset: command targets with message maps,
// window objects bound to Win32 windows, drawing objects, controls, dialogs, menus and
// the application object.
#pragma once

#include "afx.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "afxtypes.h"

#include <functional>

class CMenu;

// An object that receives messages through its message map.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
    // Finds the entry for the message (for WM_COMMAND and reflected commands: the
    // command id and code) in the class's table or a base's; null when none has one.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

// A window object bound to a Win32 window. Windows created through Create/CreateEx
// or subclassed through SubclassWindow send every message to WindowProc, which looks
// the message up in the message map and otherwise passes it to the window's own
// procedure. The binding ends with WM_NCDESTROY (then PostNcDestroy runs); the
// destructor destroys a window that is still bound. User-interface thread only.
class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window object bound to the handle, null when there is none.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The bound object, else a temporary one that only holds the handle (it lives until
    // the thread's message loop is next idle); null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }

    // A new window (className null: the library's default window class). The window
    // is bound before its first message, so WM_CREATE reaches the message map.
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();
    // Binds an existing window and routes its messages through this object;
    // PreSubclassWindow runs first.
    BOOL SubclassWindow(HWND hWnd);
    // SubclassWindow of the parent's child with that id.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Restores the window's own procedure and unbinds it; returns the handle.
    HWND UnsubclassWindow();

    // A message about to be dispatched by the thread's loops (it is walked from the
    // message's window up through its parents and owners); TRUE keeps it from the window.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // State and style.
    BOOL IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return m_hWnd && ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsIconic() const { return m_hWnd && ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return m_hWnd && ::IsZoomed(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE); }
    // Removes then adds style bits; with flags the frame is told of the change
    // (SetWindowPos with them and SWP_FRAMECHANGED etc.). True when the style changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void SetRedraw(BOOL redraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, redraw, 0); }

    // Place and size.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
    }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }

    // Painting.
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }

    // Text, font and icon.
    void SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)font, redraw); }
    HFONT GetFont() const { return (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0); }
    HICON SetIcon(HICON icon, BOOL big) { return (HICON)::SendMessage(m_hWnd, WM_SETICON, big, (LPARAM)icon); }

    // Input.
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    void DragAcceptFiles(BOOL accept = TRUE);

    // Timers and messages.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }

    // Relatives and children.
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    void SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemText(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessage(m_hWnd, id, message, wParam, lParam);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int checked) { ::CheckRadioButton(m_hWnd, first, last, checked); }

    // A child's WM_COMMAND notification, WM_DRAWITEM or WM_MEASUREITEM, offered to the
    // child's object by its parent before the parent's own handling; TRUE when taken.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND m_hWnd = nullptr;

protected:
    // Adjusts the creation parameters; the default supplies the default window class.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Runs as a window gets bound to this object (created or subclassed), before its
    // messages reach the object.
    virtual void PreSubclassWindow() {}
    // Every message of the bound window: the message map, else DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the message map entry for the message; false when there is none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's own procedure (the subclassed one, or the system default).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window's last message; the object may delete itself here.
    virtual void PostNcDestroy() {}
    // The default processing of the message being handled.
    LRESULT Default();

    // Default handlers, for the derived classes' maps and to call from their handlers.
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    // Owner-drawn menu rows go to the menu being tracked (CMenu::TrackPopupMenu); the
    // rows of a control go to the control's object (its DrawItem/MeasureItem).
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
    afx_msg void OnMouseHover(UINT, CPoint) { Default(); }
    afx_msg void OnMouseLeave() { Default(); }
    afx_msg void OnEnable(BOOL) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg UINT OnGetDlgCode() { return (UINT)Default(); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnMove(int, int) { Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHookProc(int, WPARAM, LPARAM);
    friend class CDialog;
    void Bind(HWND hWnd);
    void Unbind();
    // Runs the creation with the first window it creates bound to this object.
    HWND CreateBound(const std::function<HWND()>& create);

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg = {};
};

// Registers (once) a window class of the library's window procedure with these
// attributes and returns its name, valid for the process's life.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

// Frees the temporary window objects of this thread (the loops call it when idle).
void AfxDeleteTempObjects();

#include "afxmsgwnd.h"
#include "afxctrls.h"
#include "afxdialog.h"
#include "afxapp.h"
#include "afxmenu.h"
