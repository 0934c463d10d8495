#include "dialog/DlgAbout.h"

#include <windowsx.h>

#include "common/CommonHelpers.h"
#include "common/PageOpener.h"
#include "resource.h"

namespace {
const wchar_t DESCRIPTION[] =
    L"  Zemovista 是在线视频的播放器：边下载边播放，断点续传，播放列表与下载任务一处管理。  ";
// Link areas at 96 DPI (left, top, right, bottom), by link number - 1.
const RECT LINK_AREAS[] = {{92, 108, 213, 125}, {92, 129, 223, 146}, {92, 150, 193, 167}};
const COLORREF WHITE = RGB(255, 255, 255);
}  // namespace

const wchar_t CDlgAbout::WEB_SITE[] = L"http://zemo.example/";
const wchar_t CDlgAbout::SOCIAL_PAGE[] = L"http://t.zemo.example/";
const wchar_t CDlgAbout::SUPPORT_MAIL[] = L"help@zemo.example";
const wchar_t CDlgAbout::BROWSER[] = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";

CDlgAbout::CDlgAbout(CWnd* parent) : CDlgBase(IDD_DLG_ABOUT, L"关于Zemovista", parent) {}

CDlgAbout::~CDlgAbout() {
    if (m_hWhiteBrush) DeleteObject(m_hWhiteBrush);
}

void CDlgAbout::LayOutControls() {
    // The labels are the template's first four texts without an id, the copyright line the fifth.
    static const AFX_CONTROL_PLACE places[] = {
        {-1, 20, 88, 70, 18},  {-1, 20, 108, 70, 18}, {-1, 20, 129, 70, 18},
        {-1, 20, 150, 70, 18}, {IDC_EDIT_DESCRIPTION, 240, 40, 150, 150}, {-1, 20, 210, 370, 18},
        {IDOK, 320, 250, 70, 24},
    };
    AfxPlaceDialog(this, 410, 290, places, sizeof(places) / sizeof(places[0]));
}

BOOL CDlgAbout::OnInitDialog() {
    CDlgBase::OnInitDialog();
    SetCurrentDirectoryW(GetProgramFolder());
    m_logo = LoadSkinImage(L"Images\\default\\dialog_logo.jpg");
    CString description(DESCRIPTION);
    description.Trim();
    SetDlgItemText(IDC_EDIT_DESCRIPTION, description);
    if (!m_hWhiteBrush) m_hWhiteBrush = CreateSolidBrush(WHITE);
    return TRUE;
}

HBRUSH CDlgAbout::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (::GetDlgCtrlID(control) == IDC_EDIT_DESCRIPTION && m_hWhiteBrush) {
        SetBkColor(dc, WHITE);
        return m_hWhiteBrush;
    }
    return CDlgBase::OnCtlColor(dc, control, message);
}

CRect CDlgAbout::LinkArea(int link) {
    const RECT& area = LINK_AREAS[link - 1];
    return CRect(m_dpi.ScaleX(area.left), m_dpi.ScaleY(area.top), m_dpi.ScaleX(area.right), m_dpi.ScaleY(area.bottom));
}

int CDlgAbout::HitTestLink(CPoint point) {
    for (int link = 1; link <= 3; ++link)
        if (LinkArea(link).PtInRect(point)) return link;
    return 0;
}

void CDlgAbout::DrawContent(Gdiplus::Graphics& graphics) {
    if (m_logo) graphics.DrawImage(m_logo.get(), 16, 40, (INT)m_logo->GetWidth(), (INT)m_logo->GetHeight());
    auto versionFont = MakeSkinFont(L"Arial", 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush black{Gdiplus::Color(0xFF000000)};
    CString version = GetProductVersion();
    graphics.DrawString(version.GetString(), version.GetLength(), versionFont.get(),
                        Gdiplus::PointF((Gdiplus::REAL)m_dpi.ScaleX(92), (Gdiplus::REAL)m_dpi.ScaleY(88)), &black);
    auto linkFont = MakeSkinFont(L"宋体", 12, Gdiplus::FontStyleUnderline, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush blue{Gdiplus::Color(0xFF13387E)};
    const wchar_t* texts[] = {WEB_SITE, SOCIAL_PAGE, SUPPORT_MAIL};
    for (int link = 1; link <= 3; ++link) {
        CRect area = LinkArea(link);
        graphics.DrawString(texts[link - 1], -1, linkFont.get(),
                            Gdiplus::PointF((Gdiplus::REAL)area.left, (Gdiplus::REAL)area.top), &blue);
    }
}

void CDlgAbout::OpenLink(int link) {
    if (link == 1) OpenOutside(BROWSER, WEB_SITE);
    if (link == 2) OpenOutside(BROWSER, SOCIAL_PAGE);
    if (link == 3) OpenOutside(CString(L"mailto:") + SUPPORT_MAIL, CString());
}

LRESULT CDlgAbout::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && (HWND)wParam == m_hWnd) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        if (HitTestLink(point)) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    } else if (message == WM_LBUTTONUP) {
        OpenLink(HitTestLink(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
    }
    return CDlgBase::WindowProc(message, wParam, lParam);
}
