// CQuillpostDlg: lists the crash log and the minidump with their sizes; OK uploads them
// to the storage service, Cancel closes. When "Mailer.ini" asks for it, the crashed
// player is restarted once its process has gone, while the dialog stays usable.
#pragma once

#include <afxcmn.h>
#include <afxdialog.h>

#include <memory>
#include <string>

#include "CrashSettings.h"
#include "HttpSend.h"
#include "PlayerRestart.h"

class CQuillpostDlg : public CDialog {
public:
    // Shows "%s文件不存在" for a missing "CrashConfig.ini" or "Mailer.ini" beside the program.
    explicit CQuillpostDlg(CWnd* parent = nullptr);

    // False when a configuration file is missing: the dialog is not to be shown.
    bool HasConfiguration() const { return m_configured; }
    // After the dialog: waits (bounded) for a restart it began to happen.
    void FinishRestart();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg LRESULT OnNotify(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void FillList();

    CListCtrl m_list;
    CImageList m_images;
    CRASH_FILES m_files;
    MAILER_SETTINGS m_mailer;
    std::string m_folder;  // the program's, with its backslash
    std::unique_ptr<CHttpSend> m_sender;
    std::unique_ptr<CPlayerRestart> m_restart;
    HICON m_hIcon = nullptr;
    bool m_configured = false;
};
