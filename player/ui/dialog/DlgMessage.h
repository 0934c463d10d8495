// The modeless pop-up band of the play dialog: one line of text, hidden three seconds
// after it was shown or its text last changed; its close button hides it. Keys go to
// the program's hot keys first.
#pragma once

#include <afxdialog.h>

#include "button/EngComButton.h"

class CDlgMessage : public CDialog {
public:
    static const UINT_PTR TIMER_AUTO_HIDE = 10;
    static const UINT AUTO_HIDE_MS = 3000;

    CDlgMessage();

    // Replaces the text, repaints at once and starts the three seconds again.
    void SetMessage(const CString& text);
    const CString& GetMessage() const { return m_strText; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Hides the pop-up; it is not ended.
    void OnCancel() override;
    void OnOK() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EraseBackground(HDC dc);

    CString m_strText;
    CEngComButton m_btnClose;
};
