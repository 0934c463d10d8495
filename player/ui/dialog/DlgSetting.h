// The options dialog: the current user's download folder, downloads at once,
// reconnection attempts and the two download switches. OK checks the folder
// (creating it on request) and the numbers, stores what changed and tells the
// settings' observers.
#pragma once

#include "dialog/DlgBase.h"
#include "dialog/DpiScaler.h"
#include "window/SettingList.h"

class CDlgSetting : public CDlgBase {
public:
    explicit CDlgSetting(CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

    // The controls from the download settings of CUserConfig.
    void LoadSettings();
    // The download settings from the controls; change ids for the folder and the
    // number of downloads; then the observers are told and the settings saved.
    void SaveSettings();
    // True when the folder typed (blanks around it dropped) may be used; it is then
    // kept, as a full path, for SaveSettings.
    bool CheckDownloadFolder();

    static const int DEFAULT_COUNT = 5;
    static const int SETTING_LIST_ID = 4239;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void CheckFieldNotEmpty(CDataExchange* dx, int id) override;
    void DrawContent(Gdiplus::Graphics& graphics) override;
    void LayOutControls() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnBrowse();
    void ResetCount(int id, int& value);

    CEngComButton m_btnBrowse;
    CEngComButton m_btnDefaultDownloads;
    CEngComButton m_btnDefaultRetries;
    CSettingList m_settingList;
    CDpiScaler m_dpi;
    int m_nDownloads = DEFAULT_COUNT;
    int m_nRetries = DEFAULT_COUNT;
    CString m_strFolder;  // the checked folder
};
