// The application object and its life cycle: AfxWinMain runs AfxWinInit,
// InitApplication, InitInstance and Run (or ExitInstance when InitInstance fails),
// then AfxWinTerm. The library's own wWinMain and AfxWinMain come from objects of their
// own, so a program that defines AfxWinMain links its own instead.
#pragma once

#include "afxwin.h"

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    virtual BOOL InitInstance() { return TRUE; }
    // The thread's message loop until WM_QUIT; then ExitInstance's result.
    virtual int Run();
    // The exit code: WM_QUIT's when the loop ended with it, else 0.
    virtual int ExitInstance();
    // A message the loops are about to dispatch; TRUE keeps it from its window. The
    // default is AfxWalkPreTranslateMessage.
    virtual BOOL PreTranslateMessage(MSG* msg);

    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

// The one application object of the program; its constructor makes it the current one.
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    // Settings go under HKEY_CURRENT_USER\Software\<key>\<application name>.
    void SetRegistryKey(LPCTSTR key);

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

private:
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);
    CString m_appName, m_registryKey, m_profileName, m_exeName, m_cmdLine;
};

// Offers the message to the window objects from its window up through the parents and
// owners; TRUE when one took it.
BOOL AfxWalkPreTranslateMessage(MSG* msg);

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// Records the instance and command line in the application object (its name defaults
// to the program file's name without extension).
BOOL AfxWinInit(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int show);
// Frees what the library keeps for the thread.
void AfxWinTerm();
// The embedded browser stands in for the control container: nothing to set up.
inline void AfxEnableControlContainer() {}
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int show);
