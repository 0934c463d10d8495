// A program on the library's own start-up. Its command line is a log file, followed by
// " fail" when InitInstance is to fail; it logs each step of its life cycle there and
// ends with the code that ExitInstance gives.
#include <afxwin.h>

#include <stdio.h>

namespace {

class CProbeApp : public CWinApp {
public:
    CProbeApp() : CWinApp(_T("probe")) {}

    BOOL InitApplication() override {
        CString line = m_lpCmdLine;
        int space = line.Find(_T(' '));
        m_log = space < 0 ? line : line.Left(space);
        m_fail = space >= 0 && line.Mid(space + 1) == _T("fail");
        Log(_T("application"));
        return TRUE;
    }
    BOOL InitInstance() override {
        Log(CString(_T("instance ")) + m_pszAppName + _T(" ") + m_pszExeName);
        SetRegistryKey(_T("Tove"));
        Log(CString(_T("registry ")) + m_pszRegistryKey + _T(" ") + m_pszProfileName);
        m_mainWnd.CreateEx(0, nullptr, _T("main"), WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        m_pMainWnd = &m_mainWnd;
        if (m_fail) return FALSE;
        m_mainWnd.DestroyWindow();
        Log(m_pMainWnd ? _T("main window kept") : _T("main window cleared"));
        PostQuitMessage(5);
        return TRUE;
    }
    int ExitInstance() override {
        int code = CWinApp::ExitInstance();
        CString line;
        line.Format(_T("exit %d main %d"), code, m_mainWnd.m_hWnd != nullptr);
        Log(line);
        return code + 100;
    }

private:
    void Log(const CString& line) {
        FILE* file = _tfopen(m_log, _T("a"));
        if (!file) return;
        fputs(CStringA(line).GetString(), file);
        fputs("\n", file);
        fclose(file);
    }
    CString m_log;
    bool m_fail = false;
    CWnd m_mainWnd;
};

CProbeApp theApp;

}  // namespace
