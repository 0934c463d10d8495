#include "dialog/DlgBase.h"

#include <windowsx.h>

#include "button/ButtonHelpers.h"
#include "common/CommonHelpers.h"
#include "dialog/FieldChecks.h"
#include "resource.h"

namespace {
const Gdiplus::ARGB WHITE = 0xFFFFFFFF;
}

CDlgBase::CDlgBase(UINT templateId, const CString& title, CWnd* parent)
    : CDialog(templateId, parent), m_strTitle(title) {}

CDlgBase::~CDlgBase() {
    if (m_hStaticBrush) DeleteObject(m_hStaticBrush);
}

void CDlgBase::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BTN_CLOSE, m_btnClose);
    DDX_Control(dx, IDOK, m_btnOk);
    DDX_Control(dx, IDCANCEL, m_btnCancel);
}

BOOL CDlgBase::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOutControls();
    SetCurrentDirectoryW(GetProgramFolder());
    m_background = LoadSkinImage(L"Images\\default\\setting-main.png");
    if (!m_hStaticBrush) m_hStaticBrush = CreateSolidBrush(STATIC_COLOR);

    for (CEngComButton* button : {&m_btnOk, &m_btnCancel}) {
        SetDialogButtonImages(L"Images\\default\\setting-btn-1.png", L"Images\\default\\setting-btn-2.png",
                              L"Images\\default\\setting-btn-3.png", L"Images\\default\\setting-btn-3.png", *button);
        SetButtonTextStyle(*button, 12, WHITE, WHITE, WHITE, 22, 6);
    }
    SetDialogButtonImages(L"Images\\default\\window-close.png", L"Images\\default\\window-close-hover.png",
                          L"Images\\default\\window-close-down.png", L"Images\\default\\window-close-hover.png",
                          m_btnClose);
    CRect client;
    GetClientRect(&client);
    m_btnClose.MoveWindow(client.right - 37, client.top + 3, 34, 21);
    m_btnClose.Redraw();
    return TRUE;
}

LRESULT CDlgBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground((HDC)wParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        HBRUSH brush = OnCtlColor((HDC)wParam, (HWND)lParam, message);
        if (brush) return (LRESULT)brush;
        break;
    }
    case WM_LBUTTONDOWN:
        if (GET_Y_LPARAM(lParam) < TITLE_BAND) {
            POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(&screen);
            SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_BTN_CLOSE && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return 0;
        }
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

HBRUSH CDlgBase::OnCtlColor(HDC dc, HWND, UINT message) {
    if (message != WM_CTLCOLORSTATIC || !m_hStaticBrush) return nullptr;
    SetBkColor(dc, STATIC_COLOR);
    return m_hStaticBrush;
}

void CDlgBase::EraseBackground(HDC dc) {
    CRect client;
    GetClientRect(&client);
    Gdiplus::Graphics graphics(dc);
    if (m_background)
        DrawNineParts(graphics, *m_background, Gdiplus::Rect(0, 0, client.Width(), client.Height()), TITLE_BAND);
    auto font = MakeSkinFont(L"宋体", 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush white{Gdiplus::Color(WHITE)};
    graphics.DrawString(m_strTitle.GetString(), m_strTitle.GetLength(), font.get(), Gdiplus::PointF(4, 7), &white);
    DrawBackgroundExtra(graphics);
    DrawContent(graphics);
}

void CDlgBase::ShowCheckMessage(const CString& text) {
    ::MessageBoxW(m_hWnd, text, CHECK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

void CDlgBase::Repaint() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

void CDlgBase::DDX_DigitsCheck(CDataExchange* dx, int id) {
    HWND control = dx->PrepareEditCtrl(id);
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    if (HasOnlyDigits(text)) return;
    ::SetWindowTextW(control, L"");
    ShowCheckMessage(DIGITS_CHECK_MESSAGE);
    dx->Fail();
}

void CDlgBase::DDX_NumberInRange(CDataExchange* dx, int id, int& value, int low, int high) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", value);
        ::SetWindowTextW(control, text);
        return;
    }
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    switch (CheckWholeNumber(text, low, high, value)) {
    case WHOLE_NUMBER_OK:
        return;
    case WHOLE_NUMBER_NOT_DIGITS:
        ::SetWindowTextW(control, L"");
        ShowCheckMessage(DIGITS_CHECK_MESSAGE);
        break;
    case WHOLE_NUMBER_OUT_OF_RANGE:
        m_nFailedField = id;
        ShowCheckMessage(RangeCheckMessage(low, high));
        break;
    }
    dx->Fail();
}
