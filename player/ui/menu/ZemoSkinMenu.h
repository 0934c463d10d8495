// The program's skin menu: rows drawn from a background image (caps, columns and the
// row band), a separator line and a hover highlight. Without a background image no
// row is drawn.
#pragma once

#include "menu/BaseSkinMenu.h"

class CZemoSkinMenu : public CBaseSkinMenu {
public:
    // Replaces the three images; a path that gives no image leaves that image missing.
    void SetImages(const CString& background, const CString& separator, const CString& hover);
    void DrawItem(LPDRAWITEMSTRUCT item) override;

private:
    void DrawSeparator(Gdiplus::Graphics& graphics, const RECT& row);
    // The band of the background from y = top, of the given height, in three slices:
    // 3-pixel side columns at their own width and the middle stretched.
    void DrawBand(Gdiplus::Graphics& graphics, const RECT& row, int top, int height);
    void DrawItemRow(Gdiplus::Graphics& graphics, const RECT& row, UINT state, const CString& text);

    std::unique_ptr<Gdiplus::Image> m_background;
    std::unique_ptr<Gdiplus::Image> m_separator;
    std::unique_ptr<Gdiplus::Image> m_hover;
};
