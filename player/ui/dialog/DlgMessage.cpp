#include "dialog/DlgMessage.h"

#include "common/CommonHelpers.h"
#include "dialog/PathEllipsis.h"
#include "facade/AppFacade.h"
#include "gdiplus/SkinGraphics.h"
#include "resource.h"

namespace {
const int CLIENT_WIDTH = 400, CLIENT_HEIGHT = 56;
}

CDlgMessage::CDlgMessage() : CDialog(IDD_DLG_MESSAGE) {}

void CDlgMessage::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDCANCEL, m_btnClose); }

BOOL CDlgMessage::OnInitDialog() {
    CDialog::OnInitDialog();
    SetCurrentDirectoryW(GetProgramFolder());
    const AFX_CONTROL_PLACE places[] = {{IDCANCEL, CLIENT_WIDTH - 24, 3, 20, 20}};
    AfxPlaceDialog(this, CLIENT_WIDTH, CLIENT_HEIGHT, places, 1);
    m_btnClose.SetImageFiles(L"Images\\default\\window-close.png", L"Images\\default\\window-close-hover.png",
                             L"Images\\default\\window-close-down.png", L"Images\\default\\window-close-hover.png");
    m_btnClose.SizeToImage();
    m_btnClose.SetParentBackground();
    return TRUE;
}

void CDlgMessage::SetMessage(const CString& text) {
    m_strText = text;
    if (!m_hWnd) return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::SetTimer(m_hWnd, TIMER_AUTO_HIDE, AUTO_HIDE_MS, nullptr);
}

void CDlgMessage::OnCancel() { ShowWindow(SW_HIDE); }

BOOL CDlgMessage::PreTranslateMessage(MSG* msg) {
    if (CAppFacade::GetInstance().HandleHotKey(msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CDlgMessage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground((HDC)wParam);
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam)
            ::SetTimer(m_hWnd, TIMER_AUTO_HIDE, AUTO_HIDE_MS, nullptr);
        else
            ::KillTimer(m_hWnd, TIMER_AUTO_HIDE);
        break;
    case WM_TIMER:
        if (wParam == TIMER_AUTO_HIDE) {
            ::KillTimer(m_hWnd, TIMER_AUTO_HIDE);
            ShowWindow(SW_HIDE);
            return 0;
        }
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CDlgMessage::EraseBackground(HDC dc) {
    CRect client;
    GetClientRect(&client);
    Gdiplus::Graphics graphics(dc);
    graphics.Clear(Gdiplus::Color(0xFF646464));
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    auto font = MakeSkinFont(L"宋体", 14, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::RectF box((Gdiplus::REAL)client.left + 5, (Gdiplus::REAL)client.top + 25,
                       (Gdiplus::REAL)client.Width() - 10, (Gdiplus::REAL)client.Height() - 30);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    // The ellipsis is cut here: GDI+ does not always draw one itself. A few pixels
    // are kept free, as drawn texts come out a little wider than measured ones.
    CString shown = EllipsizePath(m_strText, (int)box.Width - 8, [&](const CString& text) {
        Gdiplus::RectF measured;
        graphics.MeasureString(text.GetString(), text.GetLength(), font.get(), Gdiplus::PointF(0, 0), &format,
                               &measured);
        return (int)measured.Width + 1;
    });
    Gdiplus::SolidBrush yellow{Gdiplus::Color(0xFFFFFF00)};
    graphics.DrawString(shown.GetString(), shown.GetLength(), font.get(), box, &format, &yellow);
}
