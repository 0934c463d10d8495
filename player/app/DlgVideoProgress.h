// The seek bar under the video in the main dialog: a bitmap slider with the file's
// title and the elapsed and total play times drawn around it.
#pragma once

#include <afxdialog.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "slider/BitmapSlider.h"

class CDlgVideoProgress : public CDialog {
public:
    CDlgVideoProgress();
    ~CDlgVideoProgress() override;

    // Template 143 inside the main dialog.
    BOOL Create(CWnd* parent);

    void SetTitleText(const CString& text);
    void SetElapsedText(const CString& text);
    void SetTotalText(const CString& text);
    // Moves the slider; 1000 plays the next file, else with seek the play dialog seeks.
    void SetProgress(int position, bool seek);
    void EnableSlider(bool enabled);

    const CString& GetTitleText() const { return m_strTitle; }
    const CString& GetElapsedText() const { return m_strElapsed; }
    const CString& GetTotalText() const { return m_strTotal; }
    CBitmapSlider& GetSlider() { return m_slider; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnSliderSeek(WPARAM id, LPARAM position);
    DECLARE_MESSAGE_MAP()

private:
    void Paint(Gdiplus::Graphics& graphics, int width, int height);

    std::unique_ptr<Gdiplus::Image> m_background, m_handle, m_leftTime, m_rightTime;
    CString m_strTitle;
    CRect m_rcTitle{10, 6, 368, 19};
    CString m_strElapsed;
    CRect m_rcElapsed{11, 29, 66, 44};
    CString m_strTotal;
    CRect m_rcTotal{314, 29, 369, 44};
    CBitmapSlider m_slider;
};

// The largest point size from 9 down to 1 at which the text measures at most the width
// in the font (1 when none does).
int FitTimeFontSize(Gdiplus::Graphics& graphics, const CString& text, Gdiplus::REAL width);
