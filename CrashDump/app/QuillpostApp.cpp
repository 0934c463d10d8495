#include "QuillpostApp.h"

#include <commctrl.h>

#include "AnsiText.h"
#include "QuillpostDlg.h"

CQuillpostApp theApp;

BOOL CQuillpostApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    const std::string key = AnsiText("应用程序向导生成的本地应用程序");
    SetRegistryKey(key.c_str());

    CQuillpostDlg dialog;
    if (dialog.HasConfiguration()) {
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        dialog.FinishRestart();
    }
    return FALSE;
}
