#include "afxwin.h"

namespace {
CWinApp* g_app = nullptr;
}

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

int AfxMessageBox(LPCTSTR text, UINT type) {
    CWnd* main = AfxGetMainWnd();
    return MessageBox(main ? main->GetSafeHwnd() : nullptr, text, g_app ? g_app->m_pszAppName : nullptr, type);
}
