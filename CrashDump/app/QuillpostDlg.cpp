#include "QuillpostDlg.h"

#include <shellapi.h>

#include "AnsiText.h"
#include "CrashUpload.h"
#include "resource.h"

namespace {

constexpr UINT_PTR TIMER_RESTART = 1;
constexpr UINT RESTART_POLL_MS = 100;

// The template's layout in pixels at 96 DPI (a dialog unit of 宋体 9 points is 1.5 pixels).
const AFX_CONTROL_PLACE PLACES[] = {
    {IDOK, 99, 204, 75, 24},
    {IDCANCEL, 255, 204, 75, 24},
    {-1, 100, 30, 228, 36},
    {IDC_LIST_FILES, 10, 69, 411, 111},
};

// Tells the user when the file is missing; true when it exists.
bool ConfigurationFileFound(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    CString text;
    text.Format(AnsiText("%s文件不存在").c_str(), path.c_str());
    ::MessageBoxA(nullptr, text, "WARNING", MB_OK | MB_ICONWARNING);
    return false;
}

// The small shell icon of the file's type (the caller destroys it).
HICON FileTypeIcon(const std::string& path) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                   SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    return info.hIcon;
}

}  // namespace

BEGIN_MESSAGE_MAP(CQuillpostDlg, CDialog)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_MESSAGE(WM_NOTIFY, OnNotify)
END_MESSAGE_MAP()

CQuillpostDlg::CQuillpostDlg(CWnd* parent) : CDialog(IDD_QUILLPOST_DIALOG, parent), m_folder(ProgramFolder()) {
    m_hIcon = ::LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME));
    m_configured =
        ConfigurationFileFound(m_folder + "CrashConfig.ini") && ConfigurationFileFound(m_folder + "Mailer.ini");
}

void CQuillpostDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST_FILES, m_list);
}

BOOL CQuillpostDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AfxPlaceDialog(this, 432, 273, PLACES, sizeof(PLACES) / sizeof(PLACES[0]));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_sender = std::make_unique<CHttpSend>(m_folder + "Mailer.ini");
    m_files = ReadCrashFiles(m_folder + "CrashConfig.ini");
    m_mailer = ReadMailerSettings(m_folder + "Mailer.ini");
    if (m_mailer.Reboot() && !m_files.playerPath.empty()) {
        m_restart = std::make_unique<CPlayerRestart>(m_files.playerPath);
        if (!m_restart->Poll()) SetTimer(TIMER_RESTART, RESTART_POLL_MS);
    }
    FillList();
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CQuillpostDlg::FillList() {
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (const std::string& path : {m_files.LogPath(), m_files.DumpPath()}) {
        HICON icon = FileTypeIcon(path);
        m_images.Add(icon);
        if (icon) DestroyIcon(icon);
    }
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect area;
    m_list.GetClientRect(&area);
    m_list.InsertColumn(0, "FileName", LVCFMT_LEFT, area.Width() * 3 / 5);
    m_list.InsertColumn(1, "Size", LVCFMT_LEFT, area.Width() * 2 / 5);
    m_list.InsertItem(0, m_files.logName.c_str(), 0);
    m_list.SetItemText(0, 1, FileSizeText(m_files.LogPath()).c_str());
    m_list.InsertItem(1, m_files.dumpName.c_str(), 1);
    m_list.SetItemText(1, 1, m_files.dumpName.empty() ? "" : FileSizeText(m_files.DumpPath()).c_str());
}

void CQuillpostDlg::OnOK() {
    m_sender->SetUserName(m_mailer.mailName);
    m_sender->SetPassword(STORAGE_PASSWORD);
    if (SendCrashFilesToStorage(m_files, *m_sender) != FS_OK) {
        ::MessageBoxA(m_hWnd, AnsiText("发送失败").c_str(), "Error", MB_OK | MB_ICONERROR);
        return;
    }
    CString text;
    if (m_files.dumpName.empty())
        text.Format(AnsiText("已经成功发送%s").c_str(), m_files.logName.c_str());
    else
        text.Format(AnsiText("已经成功发送%s和%s").c_str(), m_files.logName.c_str(), m_files.dumpName.c_str());
    ::MessageBoxA(m_hWnd, text, "Success", MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
}

void CQuillpostDlg::OnTimer(UINT_PTR id) {
    if (id != TIMER_RESTART) return CDialog::OnTimer(id);
    if (m_restart->Poll()) KillTimer(TIMER_RESTART);
}

void CQuillpostDlg::FinishRestart() {
    while (m_restart && !m_restart->Poll()) Sleep(RESTART_POLL_MS);
}

LRESULT CQuillpostDlg::OnNotify(WPARAM, LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_LIST_FILES || header->code != NM_DBLCLK) return 0;
    const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
    if (row == 0 || (row == 1 && !m_files.dumpName.empty())) {
        const std::string path = row == 0 ? m_files.LogPath() : m_files.DumpPath();
        ShellExecuteA(m_hWnd, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return 0;
}

void CQuillpostDlg::OnPaint() {
    if (!IsIconic()) return CDialog::OnPaint();
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect area;
    GetClientRect(&area);
    const int x = (area.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (area.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CQuillpostDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
