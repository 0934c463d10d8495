#include "ZemovistaApp.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include <ReportInterface.h>

#include "ZemovistaDlg.h"
#include "common/CommonHelpers.h"
#include "common/LoadedLibrary.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "startup/MainDialogParts.h"

namespace {
const WCHAR MUTEX_NAME[] = L"Zemovista";
const WCHAR REGISTRY_KEY[] = L"应用程序向导生成的本地应用程序";
const WCHAR SKIN_FILE[] = L"zemovista_skin.xml";
const int REPORT_PRODUCT = 103;
const int REPORT_INTERVAL_MS = 900000;

CReportInterface& GetReportInterface() {
    static CReportInterface report;
    return report;
}
}  // namespace

IMPLEMENT_DYNAMIC(CZemovistaApp, CWinApp)

CZemovistaApp::CZemovistaApp() { SetAppSkinManager(&m_skinManager); }

CZemovistaApp::~CZemovistaApp() {
    if (GetAppSkinManager() == &m_skinManager) SetAppSkinManager(nullptr);
}

CWnd* GetAppMainWnd() { return AfxGetMainWnd(); }

bool CZemovistaApp::OpenPipe() {
    return OpenInstancePipe(INSTANCE_PIPE_NAME, BuildInstanceMessage(GetCommandLineArgs()), &m_pMainWnd, m_pipe);
}

void CZemovistaApp::StartUsageReport() {
    std::wstring version = (LPCWSTR)GetProductVersion();
    GetReportInterface().Init(REPORT_PRODUCT, version, REPORT_INTERVAL_MS);
    GetReportInterface().AppendUserName(std::wstring());
    GetReportInterface().AddModuleCount(1);
}

// Dropped files and copied data from programs of lower rights.
void CZemovistaApp::AllowDroppedMessages() {
    typedef BOOL(WINAPI * CHANGE_FILTER)(UINT message, DWORD flag);
    static CHANGE_FILTER changeFilter = nullptr;
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (user32) changeFilter = reinterpret_cast<CHANGE_FILTER>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
    if (!changeFilter) return;
    const DWORD MSGFLT_ADD_MESSAGE = 1;
    changeFilter(WM_DROPFILES, MSGFLT_ADD_MESSAGE);
    changeFilter(WM_COPYDATA, MSGFLT_ADD_MESSAGE);
    changeFilter(0x49 /* WM_COPYGLOBALDATA */, MSGFLT_ADD_MESSAGE);
}

bool CZemovistaApp::LoadSkin() {
    CString folder = CUserConfig::GetInstance().GetSkinFolder();
    if (folder.IsEmpty()) return false;
    AppendBackslash(folder);
    return m_skinManager.LoadSkin(GetProgramFolder() + folder + SKIN_FILE);
}

BOOL CZemovistaApp::InitInstance() {
    if (!OpenPipe()) return FALSE;
    if (m_upgrade.CheckProgramUpdate(CString(GetCommandLineW()))) return FALSE;
    if (!m_upgrade.UpgradeDatabase()) {
        AfxMessageBox(L"数据库升级失败", MB_OK);
        return FALSE;
    }
    CScopedHandle mutex(CreateMutexW(nullptr, FALSE, MUTEX_NAME));

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput gdiplus;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplus, nullptr);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    StartUsageReport();
    SetRegistryKey(REGISTRY_KEY);
    AllowDroppedMessages();

    CAppFacade::GetInstance();
    if (!LoadSkin()) return FALSE;
    m_comInitialized = SUCCEEDED(CoInitialize(nullptr));

    {
        CZemovistaDlg dialog(MakeMainDialogParts());
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        mutex.Close();
    }
    return FALSE;
}

int CZemovistaApp::ExitInstance() {
    if (m_gdiplusToken) Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    // Only a start-up that got as far as COM uninitialises it.
    if (m_comInitialized) CoUninitialize();
    m_comInitialized = false;
    m_pipe.pipe.Close();
    m_pipe.event.Close();
    return CWinApp::ExitInstance();
}
