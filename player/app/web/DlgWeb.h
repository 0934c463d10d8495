// The browser dialog of the main dialog: back, forward, refresh and home buttons in a
// row of 24 pixels above the web view, which fills the rest.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "button/EngComButton.h"

class CWebHtmlView;

class CDlgWeb : public CDialog {
    DECLARE_DYNAMIC(CDlgWeb)
public:
    explicit CDlgWeb(CWnd* parent = nullptr);
    // Deletes the web view.
    ~CDlgWeb() override;

    // Null until the dialog's window is created.
    CWebHtmlView* GetWebView() const { return m_pWebView; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnBack();
    afx_msg void OnForward();
    afx_msg void OnRefresh();
    afx_msg void OnHome();
    afx_msg LRESULT OnWebCommandState(WPARAM command, LPARAM enable);
    DECLARE_MESSAGE_MAP()

private:
    static CWebHtmlView* CreateWebView(CWnd* parent);

    CWebHtmlView* m_pWebView = nullptr;
    CEngComButton m_btnBack;
    CEngComButton m_btnFore;
    CEngComButton m_btnRefresh;
    CEngComButton m_btnHome;
    CToolTipCtrl m_toolTip;
};
