// A slider drawn from images: a background (fit mode), a channel in two parts (after
// and before the thumb) and a thumb with normal, active and pressed looks. Presses,
// drags and releases are posted to the parent (WM_SLIDER_* of common/WindowMessages.h,
// wParam the control id, lParam a position). User-interface thread only.
#pragma once

#include <afxwin.h>

#include <memory>

#include "gdiplus/SkinGraphics.h"
#include "slider/portable/SliderTrack.h"

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider();
    ~CBitmapSlider() override;

    // The background of fit mode: the image of the path, or without a path the colour.
    void SetBackground(const CString& path, Gdiplus::ARGB color);
    // after: the channel beyond the thumb; before: the part already passed. Outside fit
    // mode the control takes the first image's width and the second's height.
    void SetChannelImages(const CString& after, const CString& before);
    // An empty pressed path keeps the pressed image; the thumb takes the normal image's size.
    void SetThumbImages(const CString& normal, const CString& active, const CString& pressed);

    void SetRange(int min, int max);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Clamped to the range; repaints at once.
    void SetPos(int position);
    int GetPos() const { return m_nPos; }
    void SetMargin(int left, int top, int right, int bottom);
    void SetMarginLeft(int margin) { m_nMarginLeft = margin; }
    void SetVertical(bool vertical) { m_bVertical = vertical; }
    void SetTransparent(bool transparent) { m_bTransparent = transparent; }
    void SetFitMode(bool fit) { m_bFitMode = fit; }
    void SetDrawFocusRect(bool draw) { m_bDrawFocusRect = draw; }
    // A disabled slider ignores the mouse; disabling ends a running drag.
    void EnableSlider(bool enable);
    bool IsSliderEnabled() const { return m_bEnable; }

protected:
    // The slider takes mouse input (a static does not without SS_NOTIFY).
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    SLIDER_TRACK Track() const;
    int CurrentPixel() const;
    int Coordinate(LPARAM lParam) const;  // along the slider's axis
    void Notify(UINT message, int position);
    void RepaintNow();
    void RequestLeave();

    void DrawChannel(Gdiplus::Graphics& graphics, int pixel);
    void DrawThumb(CDC& dc, int pixel);

    int m_nMax = 100, m_nMin = 0;
    int m_nPrevPos = 0;
    int m_nPos = 0;
    int m_nPage = 20;  // kept, not used
    CRect m_rect;
    int m_nWidth = 10, m_nHeight = 10;
    int m_nThumbWidth = 0, m_nThumbHeight = 0;
    int m_nMarginLeft = 0, m_nMarginRight = 0, m_nMarginTop = 0, m_nMarginBottom = 0;
    CPoint m_thumbBackgroundAt{-1, -1};
    int m_nGrabOffset = 0;
    bool m_bVertical = false;
    bool m_bChannel = false, m_bChannelDrawn = false;
    bool m_bThumbActive = false;
    bool m_bTransparent = false;
    bool m_bThumb = false;
    bool m_bLButtonDown = false;
    bool m_bFocus = false, m_bFocusRect = false, m_bDrawFocusRect = true;
    bool m_bEnable = true;
    bool m_bTracking = false;
    bool m_bFitMode = false;
    bool m_bHover = false;
    std::unique_ptr<Gdiplus::Image> m_background;
    Gdiplus::ARGB m_backgroundColor = 0xFF000000;
    std::unique_ptr<Gdiplus::Image> m_channelAfter, m_channelBefore;
    std::unique_ptr<Gdiplus::Image> m_thumbNormal, m_thumbActive, m_thumbPressed;
    CBitmap m_thumbBackground;  // the pixels under the thumb of the last paint
};
