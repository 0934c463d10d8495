// Windowing part of the class library subset: command targets with message maps,
// window objects bound to Win32 windows, menus, and the application object.
#pragma once

#include "afx.h"
#include "afxmsg.h"

class CMenu;

// An object that receives messages through its message map.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
    // Finds the entry for the message (for WM_COMMAND: the command id and code) in
    // the class's table or a base's; null when none has one.
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

    // A new window (className null: the library's default window class). The window
    // is bound before its first message, so WM_CREATE reaches the message map.
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();
    // Binds an existing window and routes its messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    // Restores the window's own procedure and unbinds it; returns the handle.
    HWND UnsubclassWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    BOOL IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return m_hWnd && ::IsIconic(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    HWND m_hWnd = nullptr;

protected:
    // Adjusts the creation parameters; the default supplies the default window class.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
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

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    // Owner-drawn menu rows go to the menu being tracked (CMenu::TrackPopupMenu).
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHookProc(int, WPARAM, LPARAM);
    void Bind(HWND hWnd);
    void Unbind();

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg = {};
};

// Registers (once) a window class of the library's window procedure with these
// attributes and returns its name, valid for the process's life.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

class CDialog : public CWnd {};

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
};

// The one application object of the program; its constructor makes it the current one.
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

#include "afxmenu.h"
// A message box owned by the main window, captioned with the application's name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK);
