// An owner-drawn push button painted with GDI+ from up to four state images (normal,
// hover, pressed, disabled) with its text over them, in a font and colour per state.
// It shows a hover look while the pointer is over it or it has the focus, can copy
// the parent's pixels under it as its background, and can size itself to its normal
// image. The image setters are the subclass's (CEngComButton); here they only redraw.
// User-interface thread only.
#pragma once

#include <afxwin.h>

#include <memory>

#include "gdiplus/SkinGraphics.h"

class CSkinButton : public CButton {
public:
    CSkinButton();
    ~CSkinButton() override;

    // The four-image operations take the images in the order normal, hover, pressed, disabled.
    virtual void SetSkinFolder(const CString& folder, DWORD color);
    virtual void SetImageFiles(LPCTSTR normal, LPCTSTR hover, LPCTSTR pressed, LPCTSTR disabled);
    virtual void SetStateImages(const CString& normal, const CString& hover, const CString& pressed,
                                const CString& disabled);
    virtual void SetStateImagesFromStrings(const CString& normal, const CString& hover, const CString& pressed,
                                           const CString& disabled);
    // Stretches the image over (0, 0, width, height), or in frame mode draws it as nine
    // parts around a 6-pixel border.
    virtual void DrawStateImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int width, int height);

    void SetTextOffset(int x, int y);
    void SetPressedTextOffset(int x, int y);
    void SetTextColor(Gdiplus::ARGB color) { m_textColor = color; }
    void SetPressedTextColor(Gdiplus::ARGB color) { m_pressedTextColor = color; }
    // Used only with an alpha part (greater than 0xFFFFFF).
    void SetHoverTextColor(Gdiplus::ARGB color) { m_hoverTextColor = color; }
    void SetFontSize(Gdiplus::REAL pixels) { m_fontSize = pixels; }
    void SetPressedFontSize(Gdiplus::REAL pixels) { m_pressedFontSize = pixels; }
    void SetParentBackground() { m_bParentBackground = true; }
    void SetFrameMode(bool frame) { m_bFrameMode = frame; }
    void SetLatched(bool latched) { m_bLatched = latched; }
    // Resizes the window to the normal image (kept as it is without one) and redraws.
    void SizeToImage();
    // Invalidates the button and, when asked for, the parent's area under it.
    void Redraw();

    const CString& GetFontFace() const { return m_strFontFace; }
    Gdiplus::REAL GetFontSize() const { return m_fontSize; }
    INT GetFontStyle() const { return m_nFontStyle; }
    Gdiplus::Image* GetNormalImage() const { return m_normal.get(); }

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    std::unique_ptr<Gdiplus::Image> m_pressed;
    std::unique_ptr<Gdiplus::Image> m_normal;
    std::unique_ptr<Gdiplus::Image> m_hover;
    std::unique_ptr<Gdiplus::Image> m_disabled;
    DWORD m_skinColor = 0;  // kept for the skin; not drawn

private:
    // The parent's pixels under the button, taken the first time they are needed.
    void CopyParentBackground(HDC buttonDC);

    int m_nTracking = 0;
    bool m_bHover = false;
    bool m_bDisabled = false;
    bool m_bParentBackground = false;
    bool m_bInvalidateParent = true;
    bool m_bLatched = false;
    CPoint m_textOffset{0, 0};
    CPoint m_pressedTextOffset{0, 0};
    Gdiplus::ARGB m_backgroundColor = 0xFF000000;
    bool m_bBackgroundColor = false;
    CDC m_parentDC;
    CBitmap m_parentBitmap;
    HGDIOBJ m_oldParentBitmap = nullptr;
    std::unique_ptr<Gdiplus::Image> m_backgroundImage;
    CString m_strFontFace;
    Gdiplus::REAL m_fontSize = 9;
    Gdiplus::REAL m_pressedFontSize = 9;
    INT m_nFontStyle = Gdiplus::FontStyleRegular;
    Gdiplus::ARGB m_textColor = 0xFF000000;
    Gdiplus::ARGB m_pressedTextColor = 0xFF000000;
    Gdiplus::ARGB m_hoverTextColor = 0;
    bool m_bFrameMode = false;
};
