#include "button/SkinButton.h"

namespace {

const DWORD SKIN_BUTTON_STYLE = BS_OWNERDRAW | BS_NOTIFY;
const int FRAME_BORDER = 6;  // corner size of the nine-part frame look

// Draws the button's text in the look's font and colour into the layout's line.
void DrawButtonText(Gdiplus::Graphics& graphics, const CString& text, const CString& face, Gdiplus::REAL size,
                    INT style, Gdiplus::ARGB color, Gdiplus::REAL left, Gdiplus::REAL top, Gdiplus::REAL width) {
    if (text.IsEmpty()) return;
    auto font = MakeSkinFont(face, size, style, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetTrimming(Gdiplus::StringTrimmingNone);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    Gdiplus::RectF layout(left, top, width, font->GetHeight(&graphics));
    graphics.DrawString(text.GetString(), text.GetLength(), font.get(), layout, &format, &brush);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_MESSAGE(WM_LBUTTONDOWN, OnMouseButton)
ON_MESSAGE(WM_LBUTTONUP, OnMouseButton)
ON_MESSAGE(WM_ENABLE, OnEnable)
ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()

CSkinButton::CSkinButton() : m_strFontFace(L"宋体") {}

CSkinButton::~CSkinButton() {
    if (m_oldParentBitmap) ::SelectObject(m_parentDC.m_hDC, m_oldParentBitmap);
    DestroyWindow();
}

void CSkinButton::SetSkinFolder(const CString&, DWORD) { Redraw(); }

void CSkinButton::SetImageFiles(LPCTSTR, LPCTSTR, LPCTSTR, LPCTSTR) { Redraw(); }

void CSkinButton::SetStateImages(const CString&, const CString&, const CString&, const CString&) { Redraw(); }

void CSkinButton::SetStateImagesFromStrings(const CString&, const CString&, const CString&, const CString&) {
    Redraw();
}

void CSkinButton::SetTextOffset(int x, int y) {
    m_textOffset = CPoint(x, y);
    Redraw();
}

void CSkinButton::SetPressedTextOffset(int x, int y) {
    m_pressedTextOffset = CPoint(x, y);
    Redraw();
}

void CSkinButton::SizeToImage() {
    if (m_normal && m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, (int)m_normal->GetWidth(), (int)m_normal->GetHeight(),
                       SWP_NOMOVE | SWP_NOZORDER);
    Redraw();
}

void CSkinButton::Redraw() {
    if (!m_hWnd) return;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    HWND parent = ::GetParent(m_hWnd);
    if (!m_bInvalidateParent || !parent) return;
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
}

void CSkinButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | SKIN_BUTTON_STYLE);
}

BOOL CSkinButton::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= SKIN_BUTTON_STYLE;
    return CButton::PreCreateWindow(cs);
}

void CSkinButton::DrawStateImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int width, int height) {
    if (!image) return;
    int imageWidth = (int)image->GetWidth(), imageHeight = (int)image->GetHeight();
    if (!m_bFrameMode) {
        DrawImagePart(graphics, *image, Gdiplus::Rect(0, 0, width, height),
                      Gdiplus::Rect(0, 0, imageWidth, imageHeight));
        return;
    }
    DrawNineParts(graphics, *image, Gdiplus::Rect(0, 0, width, height), FRAME_BORDER);
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT item) {
    CRect client;
    GetClientRect(&client);
    int width = client.Width(), height = client.Height();
    if (width <= 0 || height <= 0) return;
    Gdiplus::Bitmap canvas(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&canvas);
    if (m_bBackgroundColor) graphics.Clear(Gdiplus::Color(m_backgroundColor));
    if (m_backgroundImage)
        graphics.DrawImage(m_backgroundImage.get(), Gdiplus::Rect(0, 0, width + 1, height), 0, 0,
                           (INT)m_backgroundImage->GetWidth(), (INT)m_backgroundImage->GetHeight(), Gdiplus::UnitPixel);

    Gdiplus::ARGB color = m_textColor;
    Gdiplus::REAL size = m_fontSize;
    CPoint offset = m_textOffset;
    auto usePressedText = [&] {
        color = m_pressedTextColor;
        size = m_pressedFontSize;
        offset = m_pressedTextOffset;
    };
    // A button created disabled gets no WM_ENABLE: the item state tells it too.
    if (m_bDisabled || (item->itemState & ODS_DISABLED)) {
        DrawStateImage(graphics, m_disabled.get(), width, height);
    } else if (item->itemState & ODS_SELECTED) {
        DrawStateImage(graphics, m_pressed.get(), width, height);
        usePressedText();
    } else if (m_bHover) {
        if (m_hoverTextColor > 0xFFFFFF) color = m_hoverTextColor;
        DrawStateImage(graphics, m_hover.get(), width, height);
    } else if (!m_bLatched) {
        DrawStateImage(graphics, m_normal.get(), width, height);
    } else if (m_pressed) {
        DrawStateImage(graphics, m_pressed.get(), width, height);
        usePressedText();
    }

    CString text;
    GetWindowText(text);
    const RECT& area = item->rcItem;
    DrawButtonText(graphics, text, m_strFontFace, size, m_nFontStyle, color, (Gdiplus::REAL)(area.left + offset.x),
                   (Gdiplus::REAL)(area.top + offset.y), (Gdiplus::REAL)(area.right - area.left));

    Gdiplus::Graphics target(item->hDC);
    target.DrawImage(&canvas, 0, 0, width, height);
}

LRESULT CSkinButton::OnMouseMove(WPARAM, LPARAM) {
    if (!m_nTracking) {
        TRACKMOUSEEVENT request = {sizeof(request), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_nTracking = ::TrackMouseEvent(&request) ? 1 : 0;
    }
    return Default();
}

LRESULT CSkinButton::OnMouseHover(WPARAM, LPARAM) {
    m_bHover = true;
    Redraw();
    return 0;
}

LRESULT CSkinButton::OnMouseLeave(WPARAM, LPARAM) {
    m_nTracking = 0;
    m_bHover = false;
    Redraw();
    return 0;
}

LRESULT CSkinButton::OnSetFocus(WPARAM, LPARAM) {
    LRESULT result = Default();
    m_bHover = true;
    Redraw();
    return result;
}

LRESULT CSkinButton::OnKillFocus(WPARAM, LPARAM) {
    LRESULT result = Default();
    m_nTracking = 0;
    m_bHover = false;
    Redraw();
    return result;
}

LRESULT CSkinButton::OnMouseButton(WPARAM, LPARAM) {
    Redraw();
    return Default();
}

LRESULT CSkinButton::OnEnable(WPARAM wParam, LPARAM) {
    m_bDisabled = !wParam;
    Redraw();
    return Default();
}

LRESULT CSkinButton::OnKeyDown(WPARAM wParam, LPARAM) {
    if (wParam == VK_SPACE) return 0;  // space does not press the button
    return Default();
}

LRESULT CSkinButton::OnSetText(WPARAM, LPARAM) {
    LRESULT result = Default();
    Redraw();
    return result;
}

LRESULT CSkinButton::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    if (!m_bParentBackground) return Default();
    HWND parent = ::GetParent(m_hWnd);
    if (!parent || !(::GetWindowLongW(parent, GWL_STYLE) & WS_CLIPCHILDREN)) return TRUE;
    auto dc = reinterpret_cast<HDC>(wParam);
    if (!m_oldParentBitmap) CopyParentBackground(dc);
    CRect client;
    GetClientRect(&client);
    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), m_parentDC.m_hDC, 0, 0, SRCCOPY);
    return TRUE;
}

void CSkinButton::CopyParentBackground(HDC buttonDC) {
    HWND parent = ::GetParent(m_hWnd);
    LONG style = ::GetWindowLongW(parent, GWL_STYLE);
    ::SetWindowLongW(parent, GWL_STYLE, style & ~WS_CLIPCHILDREN);
    CRect area, parentWindow;
    ::GetWindowRect(m_hWnd, &area);
    ::GetWindowRect(parent, &parentWindow);
    CRect inClient = area;
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inClient), 2);
    ::RedrawWindow(parent, &inClient, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);

    m_parentDC.Attach(::CreateCompatibleDC(buttonDC));
    m_parentBitmap.Attach(::CreateCompatibleBitmap(buttonDC, area.Width(), area.Height()));
    m_oldParentBitmap = ::SelectObject(m_parentDC.m_hDC, m_parentBitmap.m_hObject);
    HDC parentDC = ::GetWindowDC(parent);
    ::BitBlt(m_parentDC.m_hDC, 0, 0, area.Width(), area.Height(), parentDC, area.left - parentWindow.left,
             area.top - parentWindow.top, SRCCOPY);
    ::ReleaseDC(parent, parentDC);
    ::SetWindowLongW(parent, GWL_STYLE, style);
}
