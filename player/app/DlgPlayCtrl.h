// The full-screen control bar: a topmost strip along the bottom of the screen with a
// seek slider, rewind and forward images and the play-control page.
#pragma once

#include <afxdialog.h>

#include "PlayControlWnd.h"
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
    // The control page's play/pause and sound buttons, its enabled buttons, its volume
    // slider and its mute button.
    void RefreshButtons();
    void EnableButtons();
    void SetVolumeValue(int volume);
    void MuteFromBar();

    CBitmapSlider& GetSlider() { return m_slider; }
    CPlayControlWnd& GetControlPage() { return m_controlPage; }

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
    // The page's manager; null without its page.
    CPlayControlWndCtrlManager* PageManager() const;

    CEngComButton m_btnRewind;
    CEngComButton m_btnForward;
    CBitmapSlider m_slider;
    CPlayControlWnd m_controlPage;
};
