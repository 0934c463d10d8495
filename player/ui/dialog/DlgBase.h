// The base of the player's small modal dialogs: the skin image drawn as a nine-part
// frame behind the dialog, the title in the title band, the skinned close, OK and
// Cancel buttons, grey static texts, dragging by the title band, and the checks of
// whole-number fields. A derived dialog draws its texts in DrawContent.
#pragma once

#include <afxdialog.h>

#include <memory>

#include "button/EngComButton.h"
#include "gdiplus/SkinGraphics.h"

class CDlgBase : public CDialog {
public:
    CDlgBase(UINT templateId, const CString& title, CWnd* parent);
    ~CDlgBase() override;

    static const int TITLE_BAND = 27;  // the frame's border and the draggable band
    static const COLORREF STATIC_COLOR = RGB(205, 205, 205);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Sizes the dialog and places its controls in pixels, before the buttons are
    // skinned (the template's dialog units differ with the font the system has).
    virtual void LayOutControls() {}
    virtual void DrawContent(Gdiplus::Graphics& graphics) = 0;
    virtual void DrawBackgroundExtra(Gdiplus::Graphics&) {}
    virtual void CheckFieldNotEmpty(CDataExchange*, int) {}
    // WM_CTLCOLOR*: static controls grey, the rest as the system colours them.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    // A field whose text holds anything but "0" to "9" is emptied and fails the exchange.
    void DDX_DigitsCheck(CDataExchange* dx, int id);
    // The whole number of the field, which must lie within [low, high] (a number of any
    // length beyond them fails too); a failure names the field in m_nFailedField.
    void DDX_NumberInRange(CDataExchange* dx, int id, int& value, int low, int high);
    // Shows a message box over the dialog captioned "提示" with the exclamation icon.
    void ShowCheckMessage(const CString& text);
    // Redraws the dialog with its background.
    void Repaint();

    CEngComButton m_btnClose;
    CEngComButton m_btnOk;
    CEngComButton m_btnCancel;
    HBRUSH m_hStaticBrush = nullptr;
    int m_nFailedField = -1;  // control id of the field that failed a range check

private:
    void EraseBackground(HDC dc);

    CString m_strTitle;
    std::unique_ptr<Gdiplus::Image> m_background;
};
