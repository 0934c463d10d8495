// The full-screen control bar: a topmost strip along the bottom of the screen with a
// seek slider, rewind and forward images and the play-control page.
#pragma once

#include <afxctrls.h>
#include <afxdialog.h>

#include "button/EngComButton.h"
#include "slider/BitmapSlider.h"

class CDlgPlayCtrl : public CDialog {
public:
    CDlgPlayCtrl();

    // Template 103, hidden, owned by the main dialog.
    BOOL Create(CWnd* owner);

    void ShowBar();
    void SetTimeText(const CString& elapsed, const CString& total);
    void SetProgress(const CString& elapsed, const CString& total, int position);
    void ResetProgress();

    CBitmapSlider& GetSlider() { return m_slider; }
    CWnd& GetControlPage() { return m_controlPage; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnSliderSeek(WPARAM id, LPARAM position);
    DECLARE_MESSAGE_MAP()

private:
    CEngComButton m_btnRewind;
    CEngComButton m_btnForward;
    CBitmapSlider m_slider;
    // The play-control page's place (child 10); it shows the play time until the
    // page of the main window's controls takes it.
    CStatic m_controlPage;
};
