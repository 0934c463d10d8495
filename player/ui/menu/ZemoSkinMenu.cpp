#include "menu/ZemoSkinMenu.h"

namespace {

const int SIDE_COLUMN = 3;  // width of the background's left and right columns
const int TEXT_LEFT = 15;
const wchar_t TEXT_FACE[] = L"宋体";
const Gdiplus::REAL TEXT_POINTS = 9;

}  // namespace

void CZemoSkinMenu::SetImages(const CString& background, const CString& separator, const CString& hover) {
    m_background = LoadSkinImage(background);
    m_separator = LoadSkinImage(separator);
    m_hover = LoadSkinImage(hover);
}

void CZemoSkinMenu::DrawItem(LPDRAWITEMSTRUCT item) {
    auto* record = reinterpret_cast<const MENU_ITEM_RECORD*>(item->itemData);
    if (!record || !m_background) return;
    Gdiplus::Graphics graphics(item->hDC);
    const RECT& row = item->rcItem;
    int imageHeight = (int)m_background->GetHeight();
    switch (record->nKind) {
        case MENU_ROW_SEPARATOR:
            DrawSeparator(graphics, row);
            break;
        case MENU_ROW_TOP_CAP:
            DrawBand(graphics, row, 0, m_nCapHeight);
            break;
        case MENU_ROW_BOTTOM_CAP:
            DrawBand(graphics, row, imageHeight - m_nCapHeight, m_nCapHeight);
            break;
        default:
            DrawBand(graphics, row, m_nCapHeight, row.bottom - row.top);
            DrawItemRow(graphics, row, item->itemState, record->strText);
            break;
    }
}

void CZemoSkinMenu::DrawSeparator(Gdiplus::Graphics& graphics, const RECT& row) {
    int width = row.right - row.left, height = row.bottom - row.top;
    DrawImagePart(graphics, *m_background, Gdiplus::Rect(row.left, row.top, width, height),
                  Gdiplus::Rect(0, m_nCapHeight, (INT)m_background->GetWidth(), height));
    if (!m_separator) return;
    int lineHeight = (int)m_separator->GetHeight();
    DrawImagePart(graphics, *m_separator,
                  Gdiplus::Rect(row.left + m_nSideMargin, row.top + (m_nSeparatorHeight - lineHeight) / 2,
                                width - 2 * m_nSideMargin, lineHeight),
                  Gdiplus::Rect(0, 0, (INT)m_separator->GetWidth(), lineHeight));
}

void CZemoSkinMenu::DrawBand(Gdiplus::Graphics& graphics, const RECT& row, int top, int height) {
    int width = row.right - row.left;
    int imageWidth = (int)m_background->GetWidth();
    DrawImagePart(graphics, *m_background, Gdiplus::Rect(row.left, row.top, SIDE_COLUMN, height),
                  Gdiplus::Rect(0, top, SIDE_COLUMN, height));
    DrawImagePart(graphics, *m_background,
                  Gdiplus::Rect(row.left + SIDE_COLUMN, row.top, width - 2 * SIDE_COLUMN, height),
                  Gdiplus::Rect(SIDE_COLUMN, top, imageWidth - 2 * SIDE_COLUMN, height));
    DrawImagePart(graphics, *m_background, Gdiplus::Rect(row.right - SIDE_COLUMN, row.top, SIDE_COLUMN, height),
                  Gdiplus::Rect(imageWidth - SIDE_COLUMN, top, SIDE_COLUMN, height));
}

void CZemoSkinMenu::DrawItemRow(Gdiplus::Graphics& graphics, const RECT& row, UINT state, const CString& text) {
    int width = row.right - row.left, height = row.bottom - row.top;
    Gdiplus::ARGB color = m_textColor;
    if (state & (ODS_GRAYED | ODS_DISABLED)) {
        color = m_disabledTextColor;
    } else if (state & ODS_SELECTED) {
        if (m_hover)
            DrawImagePart(graphics, *m_hover,
                          Gdiplus::Rect(row.left + m_nSideMargin, row.top, width - 2 * m_nSideMargin, height),
                          Gdiplus::Rect(0, 0, (INT)m_hover->GetWidth() / 2, (INT)m_hover->GetHeight()));
        color = m_selectedTextColor;
    }
    auto font = MakeSkinFont(TEXT_FACE, TEXT_POINTS, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    Gdiplus::RectF layout((Gdiplus::REAL)(row.left + TEXT_LEFT), (Gdiplus::REAL)(row.top + 1), (Gdiplus::REAL)width,
                          (Gdiplus::REAL)height);
    graphics.DrawString(text.GetString(), text.GetLength(), font.get(), layout, &format, &brush);
}
