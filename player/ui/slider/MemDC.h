// An off-screen device context over a rectangle of a target DC: drawing goes to a
// memory bitmap that is copied to the target when the object ends. A printer DC is
// drawn on directly.
#pragma once

#include <afxwin.h>

class CMemDC : public CDC {
public:
    // rect null: the target's clipping box. copyFirst: start from the target's pixels,
    // else from its background colour.
    explicit CMemDC(CDC* target, const CRect* rect = nullptr, bool copyFirst = false);
    // Copies the pixels to the target over the rectangle and restores the old bitmap.
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    CDC* m_pTarget;
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CRect m_rect;
    bool m_bMemDC;
};
