// The size bar at the play dialog's top right corner: native, double, fit, full-screen
// and pin-on-top buttons. Shown on mouse movement over the video, hidden 3000 ms after
// the pointer has left its area.
#pragma once

#include <afxcmn.h>
#include <afxdialog.h>

#include "button/EngComButton.h"

const UINT_PTR TIMER_PLAYSIZE_TRACK = 1;

class CDlgPlaySize : public CDialog {
public:
    CDlgPlaySize();

    // Template 133 inside the play dialog.
    BOOL Create(CWnd* playDialog);

    void ShowBar();
    // Clears the activity tick, hides the bar and the main dialog's full-screen bar.
    void HideBar();
    bool IsPointerInBarArea();
    void TogglePin();
    bool IsPinned() const { return m_bPinned; }
    void ClearActivity() { m_dwLastActivity = 0; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnNativeSize();
    afx_msg void OnDoubleSize();
    afx_msg void OnFitSize();
    afx_msg void OnFullScreen();
    DECLARE_MESSAGE_MAP()

private:
    class CDlgPlay* PlayDialog() const;
    void SetPinImages();

    CToolTipCtrl m_toolTip;
    CEngComButton m_btnNative;
    CEngComButton m_btnDouble;
    CEngComButton m_btnFit;
    CEngComButton m_btnFullScreen;
    CEngComButton m_btnQuickFullScreen;
    CEngComButton m_btnPin;
    bool m_bPinned = false;
    DWORD m_dwLastActivity = 0;
};
