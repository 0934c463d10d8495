#include "slider/BitmapSlider.h"

#include <windowsx.h>

#include <cstdlib>

#include "common/WindowMessages.h"
#include "slider/MemDC.h"

namespace {

const int POSITION_GUARD = 950;  // a drag step to 0 from above this freezes the drag
const int FIT_CHANNEL_TOP = 5;   // fit mode draws the channel this far down
const int FIT_BAND_LEFT = 10;    // fit mode's band of the passed part that stretches
const int FIT_BAND_WIDTH = 20;

// True when the coordinate lies more than half the thumb away from its centre.
bool OutsideThumb(int coordinate, int pixel, int thumbSize) { return 2 * std::abs(coordinate - pixel) > thumbSize; }

}  // namespace

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CBitmapSlider::CBitmapSlider() = default;

CBitmapSlider::~CBitmapSlider() { DestroyWindow(); }

void CBitmapSlider::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
}

BOOL CBitmapSlider::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= SS_NOTIFY;
    return CStatic::PreCreateWindow(cs);
}

void CBitmapSlider::SetBackground(const CString& path, Gdiplus::ARGB color) {
    m_background = LoadSkinImage(path);
    if (path.IsEmpty()) m_backgroundColor = color;
}

void CBitmapSlider::SetChannelImages(const CString& after, const CString& before) {
    m_channelAfter = LoadSkinImage(after);
    m_channelBefore = LoadSkinImage(before);
    if (m_bFitMode && m_hWnd) {
        CRect client;
        GetClientRect(&client);
        m_nWidth = client.Width();
        m_nHeight = client.Height();
    } else if (m_channelAfter && m_channelBefore) {
        // Without both images the control keeps its size.
        m_nWidth = (int)m_channelAfter->GetWidth();
        m_nHeight = (int)m_channelBefore->GetHeight();
        if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER);
    }
    m_bChannel = true;
    m_bChannelDrawn = true;
}

void CBitmapSlider::SetThumbImages(const CString& normal, const CString& active, const CString& pressed) {
    m_thumbNormal = LoadSkinImage(normal);
    m_thumbActive = LoadSkinImage(active);
    if (!pressed.IsEmpty()) m_thumbPressed = LoadSkinImage(pressed);
    m_nThumbWidth = m_thumbNormal ? (int)m_thumbNormal->GetWidth() : 0;
    m_nThumbHeight = m_thumbNormal ? (int)m_thumbNormal->GetHeight() : 0;
    m_bThumbActive = true;
    m_bThumb = true;
}

void CBitmapSlider::SetRange(int min, int max) {
    m_nMin = min;
    m_nMax = max;
    m_nPos = SliderClampPosition(m_nMin, m_nMax, m_nPos);
}

void CBitmapSlider::SetPos(int position) {
    m_nPos = SliderClampPosition(m_nMin, m_nMax, position);
    RepaintNow();
}

void CBitmapSlider::SetMargin(int left, int top, int right, int bottom) {
    m_nMarginLeft = left;
    m_nMarginTop = top;
    m_nMarginRight = right;
    m_nMarginBottom = bottom;
}

void CBitmapSlider::EnableSlider(bool enable) {
    if (!enable && m_bLButtonDown) {
        m_bLButtonDown = false;
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
    m_bEnable = enable;
    if (m_hWnd) Invalidate(FALSE);
}

SLIDER_TRACK CBitmapSlider::Track() const {
    if (m_bVertical) return SLIDER_TRACK{m_nHeight, m_nMarginTop, m_nMarginBottom, m_nThumbHeight};
    return SLIDER_TRACK{m_nWidth, m_nMarginLeft, m_nMarginRight, m_nThumbWidth};
}

int CBitmapSlider::CurrentPixel() const { return SliderPixelOfPosition(Track(), m_nMin, m_nMax, m_nPos); }

int CBitmapSlider::Coordinate(LPARAM lParam) const { return m_bVertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam); }

void CBitmapSlider::Notify(UINT message, int position) {
    ::PostMessage(::GetParent(m_hWnd), message, (WPARAM)GetDlgCtrlID(), (LPARAM)position);
}

void CBitmapSlider::RepaintNow() {
    if (!m_hWnd) return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CBitmapSlider::RequestLeave() {
    if (m_bTracking) return;
    TRACKMOUSEEVENT request = {sizeof(request), TME_LEAVE, m_hWnd, 0};
    m_bTracking = ::TrackMouseEvent(&request) != FALSE;
}

LRESULT CBitmapSlider::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (!m_bEnable) return Default();
    SetCapture();
    SetFocus();
    m_bLButtonDown = true;
    // Each drag starts from where the thumb is, so that an earlier drag's step to 0
    // does not freeze this one.
    m_nPrevPos = m_nPos;
    SLIDER_TRACK track = Track();
    int coordinate = Coordinate(lParam);
    int pixel = CurrentPixel();
    m_nGrabOffset = OutsideThumb(coordinate, pixel, track.ThumbSize) ? 0 : coordinate - pixel;
    int target = SliderTargetPixel(track, coordinate, m_nGrabOffset);
    if (target == pixel) {
        Notify(WM_SLIDER_THUMB_CLICK, m_nPos);
    } else {
        m_nPos = SliderPositionOfPixel(track, m_nMin, m_nMax, target);
        RepaintNow();
        Notify(WM_SLIDER_JUMPED, m_nPos);
    }
    Invalidate(FALSE);
    return Default();
}

LRESULT CBitmapSlider::OnMouseMove(WPARAM, LPARAM lParam) {
    RequestLeave();
    if (!m_bEnable) return 0;
    SLIDER_TRACK track = Track();
    int coordinate = Coordinate(lParam);
    if (!m_bLButtonDown) {
        bool outside = OutsideThumb(coordinate, CurrentPixel(), track.ThumbSize);
        if (m_bFitMode && m_bHover == outside) {
            m_bHover = !outside;
            Invalidate(FALSE);
        }
        if (outside) Notify(WM_SLIDER_THUMB_LEAVE, m_nPos);
        return Default();
    }
    if (m_nPos == 0 && m_nPrevPos > POSITION_GUARD) return Default();
    Notify(WM_SLIDER_MOVING, m_nPos);
    m_nPrevPos = m_nPos;
    int target = SliderTargetPixel(track, coordinate, m_nGrabOffset);
    if (target != CurrentPixel()) {
        m_nPos = SliderPositionOfPixel(track, m_nMin, m_nMax, target);
        RepaintNow();
    }
    Notify(WM_SLIDER_DRAGGED, m_nPos);
    return Default();
}

LRESULT CBitmapSlider::OnLButtonUp(WPARAM, LPARAM) {
    if (!m_bEnable) return Default();
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bLButtonDown = false;
    Invalidate(FALSE);
    Notify(WM_SLIDER_MOVED, m_nPos);
    return Default();
}

LRESULT CBitmapSlider::OnMouseLeave(WPARAM, LPARAM) {
    if (m_bFitMode && m_bHover) {
        m_bHover = false;
        Invalidate(FALSE);
    }
    Notify(WM_SLIDER_THUMB_LEAVE, m_nPos);
    m_bTracking = false;
    return 0;
}

LRESULT CBitmapSlider::OnGetDlgCode(WPARAM, LPARAM) {
    if (::GetKeyState(VK_TAB) < 0) return Default();
    return DLGC_WANTALLKEYS;
}

LRESULT CBitmapSlider::OnSetFocus(WPARAM, LPARAM) {
    m_bFocus = true;
    Invalidate(FALSE);
    return Default();
}

LRESULT CBitmapSlider::OnKillFocus(WPARAM, LPARAM) {
    m_bFocus = false;
    Invalidate(FALSE);
    return Default();
}

LRESULT CBitmapSlider::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CBitmapSlider::OnDestroy(WPARAM, LPARAM) {
    m_thumbBackground.DeleteObject();
    m_thumbBackgroundAt = CPoint(-1, -1);
    return Default();
}

LRESULT CBitmapSlider::OnPaint(WPARAM, LPARAM) {
    CPaintDC paint(this);
    GetClientRect(&m_rect);
    CMemDC dc(&paint, &m_rect, m_bTransparent);
    int pixel = CurrentPixel();
    {
        Gdiplus::Graphics graphics(dc.m_hDC);
        if (m_bFitMode) {
            if (m_background)
                DrawImagePart(graphics, *m_background, Gdiplus::Rect(0, 0, m_rect.Width(), m_rect.Height()),
                              Gdiplus::Rect(0, 0, (INT)m_background->GetWidth(), (INT)m_background->GetHeight()));
            else
                graphics.Clear(Gdiplus::Color(m_backgroundColor));
        }
        if (m_bChannelDrawn) {
            m_bFocusRect = false;
            DrawChannel(graphics, pixel);
        }
    }
    if (m_thumbBackgroundAt.x >= 0) {
        CDC saved;
        saved.CreateCompatibleDC(&dc);
        HGDIOBJ old = ::SelectObject(saved.m_hDC, m_thumbBackground.m_hObject);
        ::BitBlt(dc.m_hDC, m_thumbBackgroundAt.x, m_thumbBackgroundAt.y, m_nThumbWidth, m_nThumbHeight, saved.m_hDC, 0,
                 0, SRCCOPY);
        ::SelectObject(saved.m_hDC, old);
        m_thumbBackgroundAt = CPoint(-1, -1);
    }
    if (m_bThumb) DrawThumb(dc, pixel);
    if (m_bDrawFocusRect && m_bFocus) {
        ::DrawFocusRect(dc.m_hDC, &m_rect);
        m_bFocusRect = true;
    }
    return 0;
}

void CBitmapSlider::DrawChannel(Gdiplus::Graphics& graphics, int pixel) {
    if (!m_channelAfter) return;
    Gdiplus::Image& after = *m_channelAfter;
    if (!m_channelBefore) {
        DrawImagePart(graphics, after, Gdiplus::Rect(0, 0, m_nWidth, m_nHeight),
                      Gdiplus::Rect(0, 0, (INT)after.GetWidth(), (INT)after.GetHeight()));
        return;
    }
    Gdiplus::Image& before = *m_channelBefore;
    if (m_bVertical) {
        DrawImagePart(graphics, after, Gdiplus::Rect(0, pixel, m_nWidth, m_nHeight - pixel),
                      Gdiplus::Rect(0, 0, (INT)after.GetWidth(), (INT)after.GetHeight()));
        DrawImagePart(graphics, before, Gdiplus::Rect(0, 0, m_nWidth, pixel),
                      Gdiplus::Rect(0, 0, (INT)before.GetWidth(), (INT)before.GetHeight()));
    } else if (m_bFitMode) {
        int beforeWidth = (int)before.GetWidth();
        if (m_nPos != 0)
            DrawImagePart(graphics, before, Gdiplus::Rect(0, FIT_CHANNEL_TOP, pixel, m_nHeight),
                          Gdiplus::Rect(0, 0, pixel, m_nHeight));
        DrawImagePart(graphics, after, Gdiplus::Rect(pixel, FIT_CHANNEL_TOP, m_rect.Width() - pixel, m_nHeight),
                      Gdiplus::Rect(0, 0, 1, m_nHeight));
        if (beforeWidth < pixel)
            DrawImagePart(graphics, before,
                          Gdiplus::Rect(beforeWidth - FIT_BAND_LEFT, FIT_CHANNEL_TOP,
                                        pixel - beforeWidth + FIT_BAND_LEFT, m_nHeight),
                          Gdiplus::Rect(FIT_BAND_LEFT, 0, FIT_BAND_WIDTH, m_nHeight));
    } else {
        DrawImagePart(graphics, after, Gdiplus::Rect(pixel, 0, m_nWidth - pixel, m_nHeight),
                      Gdiplus::Rect(pixel, 0, m_nWidth - pixel, m_nHeight));
        DrawImagePart(graphics, before, Gdiplus::Rect(0, 0, pixel, m_nHeight), Gdiplus::Rect(0, 0, pixel, m_nHeight));
    }
}

void CBitmapSlider::DrawThumb(CDC& dc, int pixel) {
    Gdiplus::Image* image = m_thumbNormal.get();
    if (m_bFitMode) {
        if (m_bLButtonDown)
            image = m_thumbPressed.get();
        else if (m_bHover)
            image = m_thumbActive.get();
    } else if (m_bLButtonDown && m_bThumbActive) {
        image = m_thumbActive.get();
    }
    CPoint place = m_bVertical ? CPoint(m_nMarginLeft, pixel - m_nThumbHeight / 2)
                               : CPoint(pixel - m_nThumbWidth / 2, m_nMarginTop);
    if ((m_bTransparent || !m_bChannelDrawn) && m_nThumbWidth > 0 && m_nThumbHeight > 0) {
        m_thumbBackground.DeleteObject();
        m_thumbBackground.CreateCompatibleBitmap(dc.m_hDC, m_nThumbWidth, m_nThumbHeight);
        CDC saved;
        saved.CreateCompatibleDC(&dc);
        HGDIOBJ old = ::SelectObject(saved.m_hDC, m_thumbBackground.m_hObject);
        ::BitBlt(saved.m_hDC, 0, 0, m_nThumbWidth, m_nThumbHeight, dc.m_hDC, place.x, place.y, SRCCOPY);
        ::SelectObject(saved.m_hDC, old);
        m_thumbBackgroundAt = place;
    }
    if (!image) return;
    Gdiplus::Graphics graphics(dc.m_hDC);
    DrawImagePart(graphics, *image, Gdiplus::Rect(place.x, place.y, m_nThumbWidth, m_nThumbHeight),
                  Gdiplus::Rect(0, 0, (INT)image->GetWidth(), (INT)image->GetHeight()));
}
