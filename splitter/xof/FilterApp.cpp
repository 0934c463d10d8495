#include "FilterApp.h"

BEGIN_MESSAGE_MAP(CFilterApp, CWinApp)
END_MESSAGE_MAP()

BOOL CFilterApp::InitInstance() {
    if (!CWinApp::InitInstance()) return FALSE;
    SetRegistryKey(_T("Tove"));
    ModuleProcessAttach(m_hInstance, m_templates, m_count);
    return TRUE;
}

int CFilterApp::ExitInstance() {
    ModuleProcessDetach(m_templates, m_count);
    return CWinApp::ExitInstance();
}
