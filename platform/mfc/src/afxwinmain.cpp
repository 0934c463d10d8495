// The library's start-up; a program that defines its own AfxWinMain does not link this.
#include "afxwin.h"

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int show) {
    CWinApp* app = AfxGetApp();
    int code = -1;
    if (app && AfxWinInit(instance, previous, commandLine, show) && app->InitApplication()) {
        if (app->InitInstance()) {
            code = app->Run();
        } else {
            if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
            code = app->ExitInstance();
        }
    }
    AfxWinTerm();
    return code;
}
