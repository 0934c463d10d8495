// Helpers for the dialogs' skinned buttons.
#pragma once

#include "button/EngComButton.h"

// Both text offsets (x, y), both font sizes and the normal, hover and pressed text
// colours; then redraws.
void SetButtonTextStyle(CSkinButton& button, Gdiplus::REAL fontSize, Gdiplus::ARGB textColor, Gdiplus::ARGB hoverColor,
                        Gdiplus::ARGB pressedColor, int x, int y);
// The four state images, the button sized to the normal one, the parent's pixels as
// its background.
void SetDialogButtonImages(const CString& normal, const CString& hover, const CString& pressed, const CString& disabled,
                           CSkinButton& button);
// Room for the button's text in its font beside the image (may be null): text width +
// image width + 6 (text width + 4 without image) by the larger of image height + 4
// and text height + 4.
CSize MeasureButtonSize(CEngComButton& button, Gdiplus::Image* image);
