#include "afxwin.h"

namespace {
CWinApp* g_app = nullptr;

// The window whose PreTranslateMessage comes next: a child's parent, else the owner.
HWND NextUp(HWND hWnd) {
    return (GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) ? GetParent(hWnd) : GetWindow(hWnd, GW_OWNER);
}
}  // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BOOL CWinThread::PreTranslateMessage(MSG* msg) { return AfxWalkPreTranslateMessage(msg); }

BOOL AfxWalkPreTranslateMessage(MSG* msg) {
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = NextUp(hWnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    }
    return FALSE;
}

int CWinThread::Run() {
    MSG msg;
    for (;;) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            AfxDeleteTempObjects();
            WaitMessage();
            continue;
        }
        if (!GetMessage(&msg, nullptr, 0, 0)) break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    m_exitCode = (int)msg.wParam;
    return ExitInstance();
}

int CWinThread::ExitInstance() { return m_exitCode; }

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(appName) {
    if (appName) m_appName = appName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
    m_registryKey = key;
    m_profileName = m_pszAppName ? m_pszAppName : _T("");
    m_pszRegistryKey = m_registryKey;
    m_pszProfileName = m_profileName;
}

CWinApp* AfxGetApp() { return g_app; }

CWinThread* AfxGetThread() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

BOOL AfxWinInit(HINSTANCE instance, HINSTANCE, LPTSTR commandLine, int show) {
    CWinApp* app = g_app;
    if (!app) return FALSE;
    app->m_hInstance = instance;
    app->m_cmdLine = commandLine ? commandLine : _T("");
    app->m_lpCmdLine = app->m_cmdLine.GetBuffer();
    app->m_nCmdShow = show;
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(instance, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(_T('\\')) + 1);
    int dot = name.ReverseFind(_T('.'));
    app->m_exeName = dot > 0 ? name.Left(dot) : name;
    app->m_pszExeName = app->m_exeName;
    if (!app->m_pszAppName) {
        app->m_appName = app->m_exeName;
        app->m_pszAppName = app->m_appName;
    }
    return TRUE;
}

void AfxWinTerm() { AfxDeleteTempObjects(); }
