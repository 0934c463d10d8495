#include "dialog/DlgSetting.h"

#include "button/ButtonHelpers.h"
#include "common/CommonHelpers.h"
#include "config/IObserver.h"
#include "config/UserConfig.h"
#include "resource.h"

namespace {
const Gdiplus::ARGB WHITE = 0xFFFFFFFF;
const wchar_t PROGRAM_NAME[] = L"Zemovista";

bool IsFolder(const CString& path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString FullPath(const CString& path) {
    wchar_t full[MAX_PATH] = {};
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? CString(full) : path;
}
}  // namespace

CDlgSetting::CDlgSetting(CWnd* parent) : CDlgBase(IDD_DLG_SETTING, L"Zemovista选项", parent) {}

void CDlgSetting::LayOutControls() {
    static const AFX_CONTROL_PLACE places[] = {
        {IDC_EDIT_FOLDER, 210, 78, 300, 22},
        {IDC_BTN_BROWSE, 520, 77, 70, 24},
        {-1, 210, 186, 115, 18},
        {IDC_EDIT_DOWNLOADS, 330, 183, 55, 22},
        {IDC_BTN_DEFAULT_DOWNLOADS, 440, 182, 70, 24},
        {-1, 210, 221, 115, 18},
        {IDC_EDIT_RETRIES, 330, 218, 55, 22},
        {IDC_BTN_DEFAULT_RETRIES, 440, 217, 70, 24},
        {IDC_CHECK_AUTODOWNLOAD, 210, 262, 300, 20},
        {IDC_CHECK_AUTOADD, 210, 292, 300, 20},
        {IDOK, 430, 430, 70, 24},
        {IDCANCEL, 515, 430, 70, 24},
    };
    AfxPlaceDialog(this, 610, 470, places, sizeof(places) / sizeof(places[0]));
}

BOOL CDlgSetting::OnInitDialog() {
    CDlgBase::OnInitDialog();
    const struct {
        CEngComButton& button;
        int x;
    } buttons[] = {{m_btnBrowse, 16}, {m_btnDefaultDownloads, 12}, {m_btnDefaultRetries, 12}};
    for (const auto& b : buttons) {
        SetDialogButtonImages(L"Images\\default\\setting-btn-1.png", L"Images\\default\\setting-btn-2.png",
                              L"Images\\default\\setting-btn-3.png", L"Images\\default\\setting-btn-3.png", b.button);
        SetButtonTextStyle(b.button, 12, WHITE, WHITE, WHITE, b.x, 6);
    }
    m_settingList.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 40, 188, 420), this, SETTING_LIST_ID);
    m_settingList.ShowWindow(SW_SHOW);
    LoadSettings();
    return TRUE;
}

void CDlgSetting::LoadSettings() {
    CDownloadConfig& download = CUserConfig::GetInstance().GetDownloadConfig();
    SetDlgItemText(IDC_EDIT_FOLDER, download.DownloadPath);
    m_nDownloads = download.DownloadNum;
    m_nRetries = download.RelinkTimes;
    UpdateData(FALSE);
    CheckDlgButton(IDC_CHECK_AUTODOWNLOAD, download.AutoDownload ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CHECK_AUTOADD, download.AutoAdd2PlayList ? BST_CHECKED : BST_UNCHECKED);
}

void CDlgSetting::DoDataExchange(CDataExchange* dx) {
    CDlgBase::DoDataExchange(dx);
    DDX_Control(dx, IDC_BTN_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDC_BTN_DEFAULT_DOWNLOADS, m_btnDefaultDownloads);
    DDX_Control(dx, IDC_BTN_DEFAULT_RETRIES, m_btnDefaultRetries);
    if (dx->m_bSaveAndValidate) {
        CheckFieldNotEmpty(dx, IDC_EDIT_DOWNLOADS);
        CheckFieldNotEmpty(dx, IDC_EDIT_RETRIES);
    }
    DDX_DigitsCheck(dx, IDC_EDIT_DOWNLOADS);
    DDX_DigitsCheck(dx, IDC_EDIT_RETRIES);
    DDX_NumberInRange(dx, IDC_EDIT_DOWNLOADS, m_nDownloads, 1, 10);
    DDX_NumberInRange(dx, IDC_EDIT_RETRIES, m_nRetries, 1, 10);
}

void CDlgSetting::CheckFieldNotEmpty(CDataExchange* dx, int id) {
    HWND control = dx->PrepareEditCtrl(id);
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    text.Trim();
    if (!text.IsEmpty()) return;
    ShowCheckMessage(id == IDC_EDIT_DOWNLOADS ? L"同时下载任务数不能为空,请填入非空值"
                                              : L"连接尝试次数不能为空,请填入非空值");
    dx->Fail();
}

void CDlgSetting::DrawContent(Gdiplus::Graphics& graphics) {
    auto heading = MakeSkinFont(L"宋体", 11, Gdiplus::FontStyleBold, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush blue{Gdiplus::Color(0xFF1B367D)};
    graphics.DrawString(L"下载目录设置", -1, heading.get(), Gdiplus::PointF(205, 45), &blue);
    graphics.DrawString(L"下载任务管理", -1, heading.get(), Gdiplus::PointF(205, 135), &blue);
    Gdiplus::Pen grey(Gdiplus::Color(0xFF969696), 1);
    graphics.DrawLine(&grey, 210, 164, 597, 164);
    auto hint = MakeSkinFont(L"宋体", 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush dark{Gdiplus::Color(0xFF646464)};
    for (int y : {186, 221})
        graphics.DrawString(L"(1~10)", -1, hint.get(),
                            Gdiplus::PointF((Gdiplus::REAL)m_dpi.ScaleX(391), (Gdiplus::REAL)m_dpi.ScaleX(y)), &dark);
}

BOOL CDlgSetting::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL) return TRUE;
    return CDlgBase::PreTranslateMessage(msg);
}

LRESULT CDlgSetting::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_BTN_BROWSE:
            OnBrowse();
            return 0;
        case IDC_BTN_DEFAULT_DOWNLOADS:
            ResetCount(IDC_EDIT_DOWNLOADS, m_nDownloads);
            return 0;
        case IDC_BTN_DEFAULT_RETRIES:
            ResetCount(IDC_EDIT_RETRIES, m_nRetries);
            return 0;
        }
    }
    return CDlgBase::WindowProc(message, wParam, lParam);
}

void CDlgSetting::OnBrowse() {
    CString folder = BrowseForFolder(m_hWnd);
    if (!folder.IsEmpty()) SetDlgItemText(IDC_EDIT_FOLDER, folder);
}

void CDlgSetting::ResetCount(int id, int& value) {
    value = DEFAULT_COUNT;
    CString text;
    text.Format(L"%d", value);
    SetDlgItemText(id, text);
}

bool CDlgSetting::CheckDownloadFolder() {
    CString folder;
    GetDlgItemText(IDC_EDIT_FOLDER, folder);
    folder.Trim();
    if (folder.IsEmpty()) {
        AfxMessageBox(L"下载路径不能为空，请重新输入！", MB_OK);
        GetDlgItem(IDC_EDIT_FOLDER)->SetFocus();
        return false;
    }
    folder = FullPath(folder);
    bool usable;
    if (IsFolder(folder)) {
        CString inside = folder;
        AppendBackslash(inside);
        usable = IsFolderWritable(inside);
        if (!usable) AfxMessageBox(L"您选择的文件夹没有写权限，请重新选择！", MB_OK);
    } else if (::MessageBoxW(m_hWnd, L"该路径不存在，是否创建？", PROGRAM_NAME, MB_OKCANCEL) == IDOK) {
        usable = CreateFolderTree(folder);
        if (!usable) AfxMessageBox(L"创建路径失败，请检查是否具有创建文件夹权限或路径格式错误！", MB_OK);
    } else {
        AfxMessageBox(L"该路径不存在，请重新设置！", MB_OK);
        usable = false;
    }
    if (usable) m_strFolder = folder;
    return usable;
}

void CDlgSetting::OnOK() {
    if (!CheckDownloadFolder()) return;
    if (!UpdateData(TRUE)) {
        if (m_nFailedField != -1) {
            CWnd* field = GetDlgItem(m_nFailedField);
            GotoDlgCtrl(field);
            field->SendMessage(EM_SETSEL, 0, -1);
            field->SendMessage(EM_SCROLLCARET, 0, 0);
            m_nFailedField = -1;
        }
        return;
    }
    SaveSettings();
    EndDialog(IDOK);
}

void CDlgSetting::SaveSettings() {
    CUserConfig& config = CUserConfig::GetInstance();
    CDownloadConfig& download = config.GetDownloadConfig();
    if (m_strFolder != download.DownloadPath) {
        download.DownloadPath = m_strFolder;
        download.NotifyChange(CONFIG_CHANGE_DOWNLOAD_PATH);
    }
    if (m_nDownloads != download.DownloadNum) {
        download.DownloadNum = m_nDownloads;
        download.NotifyChange(CONFIG_CHANGE_DOWNLOAD_NUM);
    }
    if (m_nRetries != download.RelinkTimes) download.RelinkTimes = m_nRetries;
    download.AutoDownload = IsDlgButtonChecked(IDC_CHECK_AUTODOWNLOAD) == BST_CHECKED;
    download.AutoAdd2PlayList = IsDlgButtonChecked(IDC_CHECK_AUTOADD) == BST_CHECKED;
    config.NotifyObservers();
}
