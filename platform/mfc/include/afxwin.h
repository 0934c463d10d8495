// Windowing part of the class library subset.
#pragma once

#include "afx.h"

class CCmdTarget : public CObject {};

// A window object attached to a Win32 window handle.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    BOOL IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return m_hWnd && ::IsIconic(m_hWnd); }

    HWND m_hWnd = nullptr;
};

class CDialog : public CWnd {};

class CWinThread : public CCmdTarget {
public:
    CWnd* m_pMainWnd = nullptr;
};

// The one application object of the program; its constructor makes it the current one.
class CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// A message box owned by the main window, captioned with the application's name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK);
