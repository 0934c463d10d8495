#include <gtest/gtest.h>

#include <vector>

#include "ControlHost.h"
#include "DialogDriver.h"
#include "config/IObserver.h"
#include "config/UserConfig.h"
#include "db/UserSetSql.h"
#include "dialog/DialogSteps.h"
#include "dialog/DlgSetting.h"
#include "files/ScratchFolder.h"
#include "fixtures/ProgramFolder.h"
#include "fixtures/UserConfigScope.h"
#include "resource.h"

namespace {

class RecordingObserver : public IObserver {
public:
    void OnConfigChanged(const std::vector<int>& changes) override { told.push_back(changes); }
    std::vector<std::vector<int>> told;
};

// A settings dialog over the current user "default", whose settings table lives in a
// scratch database, with an observer of the settings.
class DlgSettingTest : public testing::Test {
protected:
    DlgSettingTest() {
        CUserConfig& config = CUserConfig::GetInstance();
        config.SetUserSetSql(&m_sql);
        config.AddObserver(&observer);
        settings.Download().DownloadPath = folder.Path().c_str();
        settings.Download().DownloadNum = 3;
        settings.Download().RelinkTimes = 4;
        settings.Download().AutoDownload = false;
        settings.Download().AutoAdd2PlayList = true;
    }
    ~DlgSettingTest() override {
        CUserConfig& config = CUserConfig::GetInstance();
        config.RemoveObserver(&observer);
        config.SetUserSetSql(nullptr);
    }

    // The stored row of "default": DownloadPath, DownloadNum, AutoDownload, RelinkTimes, ...
    CStringArray StoredRow() {
        CStringArray args;
        args.Add(L"default");
        std::unique_ptr<SqlRows> rows = m_sql.Select(&args);
        return rows && !rows->empty() ? (*rows)[0] : CStringArray();
    }

    GdiplusScope gdiplus;
    UpgradedDatabase database;
    CUserSetSql m_sql{database.db.get()};
    UserConfigScope settings;
    RecordingObserver observer;
    ScratchFolder folder;
};

TEST_F(DlgSettingTest, OpensWithTheStoredSettingsAndCancelStoresNothing) {
    CDlgSetting dialog;
    CDialogDriver driver;
    driver
        .Then([&](CDialog& d) {
            CString text;
            d.GetDlgItemText(IDC_EDIT_FOLDER, text);
            EXPECT_STREQ(folder.Path().c_str(), text);
            d.GetDlgItemText(IDC_EDIT_DOWNLOADS, text);
            EXPECT_STREQ(L"3", text);
            d.GetDlgItemText(IDC_EDIT_RETRIES, text);
            EXPECT_STREQ(L"4", text);
            EXPECT_EQ((UINT)BST_UNCHECKED, d.IsDlgButtonChecked(IDC_CHECK_AUTODOWNLOAD));
            EXPECT_EQ((UINT)BST_CHECKED, d.IsDlgButtonChecked(IDC_CHECK_AUTOADD));
            EXPECT_NE(nullptr, ::GetDlgItem(d.m_hWnd, CDlgSetting::SETTING_LIST_ID));
            // The wheel is swallowed wherever it turns; other messages go on.
            MSG wheel = {::GetDlgItem(d.m_hWnd, IDC_EDIT_DOWNLOADS), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0};
            EXPECT_TRUE(dialog.PreTranslateMessage(&wheel));
            MSG move = {d.m_hWnd, WM_MOUSEMOVE, 0, 0};
            EXPECT_FALSE(dialog.PreTranslateMessage(&move));
            CDialogDriver::SetText(d, IDC_EDIT_DOWNLOADS, L"8");
        })
        .Then([&](CDialog& d) {
            WindowCapture shot = KeepScreenshot(d, L"dialog-settings");
            // The line under "下载任务管理" and the white title text on the skin.
            EXPECT_TRUE(IsNear(shot.Pixel(400, 164), RGB(0x96, 0x96, 0x96), 8));
            CDialogDriver::Click(d, IDC_BTN_CLOSE);
        });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
    EXPECT_EQ(3, settings.Download().DownloadNum);
    EXPECT_TRUE(observer.told.empty());
    EXPECT_EQ(0, StoredRow().GetSize());
}

struct RefusedInput {
    const char* name;
    const wchar_t* folder;  // null: the scratch folder; relative to it unless blank or with a drive
    const wchar_t* downloads;
    const wchar_t* retries;
    std::vector<int> answers;  // to the boxes in turn
    std::vector<const wchar_t*> messages;
    int focus;                    // the field that has the focus afterwards, 0 to leave unchecked
    const wchar_t* fieldAfter;    // the text of the focused field afterwards, null to leave unchecked
};

class DlgSettingRefusalRealFocusTest : public DlgSettingTest, public testing::WithParamInterface<RefusedInput> {};

// Every refusal is told in a box and keeps the dialog open; nothing is stored.
TEST_P(DlgSettingRefusalRealFocusTest, TellsTheProblemAndKeepsTheDialogOpen) {
    const RefusedInput& c = GetParam();
    CString typedFolder = c.folder ? c.folder : L"";
    if (!c.folder || (typedFolder.Find(L':') < 0 && !CString(typedFolder).Trim().IsEmpty()))
        typedFolder = folder.Path().c_str() + typedFolder;
    CDlgSetting dialog;
    CDialogDriver driver;
    std::vector<std::wstring> shown;
    bool stayedOpen = false;
    CString fieldText;
    int focus = 0;
    driver.Then([&](CDialog& d) {
        CDialogDriver::SetText(d, IDC_EDIT_FOLDER, typedFolder);
        CDialogDriver::SetText(d, IDC_EDIT_DOWNLOADS, c.downloads);
        CDialogDriver::SetText(d, IDC_EDIT_RETRIES, c.retries);
        CDialogDriver::Click(d, IDOK);
    });
    for (size_t i = 0; i < c.messages.size(); ++i)
        driver.Then([&, i](CDialog& d) {
            shown.push_back(OpenBoxText(d));
            AnswerOpenBox(d, i < c.answers.size() ? c.answers[i] : IDOK);
        });
    driver.Then([&](CDialog& d) {
        stayedOpen = d.IsWindowVisible() && !CDialogDriver::FindOwnedDialog(d.m_hWnd);
        focus = ::GetDlgCtrlID(::GetFocus());
        if (c.focus) d.GetDlgItemText(c.focus, fieldText);
        CDialogDriver::Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
    ASSERT_EQ(c.messages.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        std::wstring text = shown[i].substr(shown[i].find(L'|') + 1);
        EXPECT_NE(std::wstring::npos, text.find(c.messages[i])) << i;
    }
    EXPECT_TRUE(stayedOpen);
    if (c.focus) {
        EXPECT_EQ(c.focus, focus);
        if (c.fieldAfter) EXPECT_STREQ(c.fieldAfter, fieldText);
    }
    EXPECT_TRUE(observer.told.empty());
    EXPECT_EQ(0, StoredRow().GetSize());
    EXPECT_EQ(3, settings.Download().DownloadNum);
}

const wchar_t RANGE[] = L"请输入[1,10]之间的值。";

INSTANTIATE_TEST_SUITE_P(
    Inputs, DlgSettingRefusalRealFocusTest,
    testing::Values(
        RefusedInput{"EmptyFolder", L"   ", L"5", L"5", {}, {L"下载路径不能为空，请重新输入！"}, IDC_EDIT_FOLDER, nullptr},
        RefusedInput{"EmptyDownloads", nullptr, L" ", L"5", {}, {L"同时下载任务数不能为空,请填入非空值"}, 0, nullptr},
        RefusedInput{"EmptyRetries", nullptr, L"5", L"", {}, {L"连接尝试次数不能为空,请填入非空值"}, 0, nullptr},
        RefusedInput{"DownloadsNotDigits", nullptr, L"12a", L"5", {}, {L"输入中包含非法字符,只能输入整数"},
                     IDC_EDIT_DOWNLOADS, L""},
        RefusedInput{"RetriesNotDigits", nullptr, L"5", L"-1", {}, {L"输入中包含非法字符,只能输入整数"},
                     IDC_EDIT_RETRIES, L""},
        RefusedInput{"DownloadsZero", nullptr, L"0", L"5", {}, {RANGE}, IDC_EDIT_DOWNLOADS, L"0"},
        RefusedInput{"DownloadsEleven", nullptr, L"11", L"5", {}, {RANGE}, IDC_EDIT_DOWNLOADS, L"11"},
        RefusedInput{"DownloadsPastInt", nullptr, L"99999999999", L"5", {}, {RANGE}, IDC_EDIT_DOWNLOADS, L"99999999999"},
        RefusedInput{"DownloadsWrapToOne", nullptr, L"4294967297", L"5", {}, {RANGE}, IDC_EDIT_DOWNLOADS, nullptr},
        RefusedInput{"RetriesEleven", nullptr, L"5", L"11", {}, {RANGE}, IDC_EDIT_RETRIES, L"11"},
        RefusedInput{"FolderNotWritable", L"Z:\\proc", L"5", L"5", {}, {L"您选择的文件夹没有写权限，请重新选择！"}, 0,
                     nullptr},
        RefusedInput{"FolderNotCreatedOnCancel",
                     L"new\\sub",
                     L"5",
                     L"5",
                     {IDCANCEL},
                     {L"该路径不存在，是否创建？", L"该路径不存在，请重新设置！"},
                     0,
                     nullptr},
        RefusedInput{"FolderCannotBeCreated",
                     L"Z:\\proc\\zemo-test\\sub",
                     L"5",
                     L"5",
                     {IDOK},
                     {L"该路径不存在，是否创建？", L"创建路径失败，请检查是否具有创建文件夹权限或路径格式错误！"},
                     0,
                     nullptr}),
    [](const testing::TestParamInfo<RefusedInput>& info) { return std::string(info.param.name); });

struct SavedInput {
    const char* name;
    const wchar_t* folder;  // "" keeps the stored one; else relative to the scratch folder, blanks kept
    const wchar_t* downloads;
    const wchar_t* retries;
    std::vector<int> changes;
    const wchar_t* storedFolder;  // relative to the scratch folder; null: the stored one
};

class DlgSettingSaveTest : public DlgSettingTest, public testing::WithParamInterface<SavedInput> {};

TEST_P(DlgSettingSaveTest, StoresWhatChangedAndTellsItsIds) {
    const SavedInput& c = GetParam();
    CString typed = folder.Path().c_str();
    if (*c.folder) {
        CString name = c.folder, trimmed = c.folder;
        trimmed.TrimLeft();
        typed = name.Left(name.GetLength() - trimmed.GetLength()) + typed + trimmed;  // leading blanks first
    }
    CDlgSetting dialog;
    CDialogDriver driver;
    driver
        .Then([&](CDialog& d) {
            CDialogDriver::SetText(d, IDC_EDIT_FOLDER, typed);
            CDialogDriver::SetText(d, IDC_EDIT_DOWNLOADS, c.downloads);
            CDialogDriver::SetText(d, IDC_EDIT_RETRIES, c.retries);
            CDialogDriver::Click(d, IDC_CHECK_AUTODOWNLOAD);
            CDialogDriver::Click(d, IDOK);
        })
        .Then([&](CDialog& d) {
            // A folder that does not exist is made on request.
            std::wstring box = OpenBoxText(d);
            if (!box.empty()) {
                EXPECT_NE(std::wstring::npos, box.find(L"Zemovista|该路径不存在，是否创建？"));
                AnswerOpenBox(d, IDOK);
            }
        });
    EXPECT_EQ(IDOK, driver.RunModal(dialog));
    ASSERT_EQ(1u, observer.told.size());
    EXPECT_EQ(c.changes, observer.told[0]);
    CString expectedFolder = folder.Path().c_str();
    if (c.storedFolder) expectedFolder += c.storedFolder;
    CDownloadConfig& download = settings.Download();
    EXPECT_STREQ(expectedFolder, download.DownloadPath);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(download.DownloadPath));
    EXPECT_TRUE(download.AutoDownload);
    EXPECT_TRUE(download.AutoAdd2PlayList);
    CStringArray row = StoredRow();
    ASSERT_GE(row.GetSize(), 4);
    EXPECT_STREQ(expectedFolder, row[0]);
    EXPECT_STREQ(CString(c.downloads).Trim(), row[1]);
    EXPECT_STREQ(L"1", row[2]);
    EXPECT_STREQ(c.retries, row[3]);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DlgSettingSaveTest,
    testing::Values(SavedInput{"OnlyRetries", L"", L"3", L"7", {}, nullptr},
                    SavedInput{"DownloadsTen", L"", L"10", L"4", {CONFIG_CHANGE_DOWNLOAD_NUM}, nullptr},
                    SavedInput{"NewFolderMade", L"made\\sub", L"3", L"4", {CONFIG_CHANGE_DOWNLOAD_PATH}, L"made\\sub"},
                    // Blanks around a typed folder are neither checked nor stored.
                    SavedInput{"BlanksAroundTheFolder", L"  blank\\sub  ", L"3", L"4", {CONFIG_CHANGE_DOWNLOAD_PATH},
                               L"blank\\sub"},
                    SavedInput{"FolderAndDownloads", L"both", L"6", L"4",
                               {CONFIG_CHANGE_DOWNLOAD_PATH, CONFIG_CHANGE_DOWNLOAD_NUM}, L"both"}),
    [](const testing::TestParamInfo<SavedInput>& info) { return std::string(info.param.name); });

TEST_F(DlgSettingTest, TheDefaultButtonsPutFiveBack) {
    CDlgSetting dialog;
    CDialogDriver driver;
    CString downloads, retries;
    driver
        .Then([](CDialog& d) {
            CDialogDriver::SetText(d, IDC_EDIT_DOWNLOADS, L"9");
            CDialogDriver::SetText(d, IDC_EDIT_RETRIES, L"9");
            CDialogDriver::Click(d, IDC_BTN_DEFAULT_DOWNLOADS);
            CDialogDriver::Click(d, IDC_BTN_DEFAULT_RETRIES);
        })
        .Then([&](CDialog& d) {
            d.GetDlgItemText(IDC_EDIT_DOWNLOADS, downloads);
            d.GetDlgItemText(IDC_EDIT_RETRIES, retries);
            CDialogDriver::Click(d, IDOK);
        });
    EXPECT_EQ(IDOK, driver.RunModal(dialog));
    EXPECT_STREQ(L"5", downloads);
    EXPECT_STREQ(L"5", retries);
    EXPECT_EQ(5, settings.Download().DownloadNum);
    EXPECT_EQ(5, settings.Download().RelinkTimes);
}

}  // namespace
