#include "button/ButtonHelpers.h"

#include <algorithm>
#include <cmath>

void SetButtonTextStyle(CSkinButton& button, Gdiplus::REAL fontSize, Gdiplus::ARGB textColor, Gdiplus::ARGB hoverColor,
                        Gdiplus::ARGB pressedColor, int x, int y) {
    button.SetTextOffset(x, y);
    button.SetPressedTextOffset(x, y);
    button.SetFontSize(fontSize);
    button.SetPressedFontSize(fontSize);
    button.SetTextColor(textColor);
    button.SetHoverTextColor(hoverColor);
    button.SetPressedTextColor(pressedColor);
    button.Redraw();
}

void SetDialogButtonImages(const CString& normal, const CString& hover, const CString& pressed, const CString& disabled,
                           CSkinButton& button) {
    button.SetStateImages(normal, hover, pressed, disabled);
    button.SizeToImage();
    button.SetParentBackground();
}

CSize MeasureButtonSize(CEngComButton& button, Gdiplus::Image* image) {
    CString text;
    if (button.m_hWnd) button.GetWindowText(text);
    HDC screen = ::GetDC(nullptr);
    Gdiplus::RectF box;
    {
        Gdiplus::Graphics graphics(screen);
        auto font = MakeSkinFont(button.GetFontFace(), button.GetFontSize(), button.GetFontStyle(), Gdiplus::UnitPixel);
        graphics.MeasureString(text.GetString(), text.GetLength(), font.get(), Gdiplus::PointF(0, 0), &box);
    }
    ::ReleaseDC(nullptr, screen);
    int textWidth = (int)std::ceil(box.Width), textHeight = (int)std::ceil(box.Height);
    int imageWidth = image ? (int)image->GetWidth() : 0, imageHeight = image ? (int)image->GetHeight() : 0;
    int width = image ? textWidth + imageWidth + 6 : textWidth + 4;
    return CSize(width, std::max(imageHeight + 4, textHeight + 4));
}
