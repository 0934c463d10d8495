#include "slider/MemDC.h"

CMemDC::CMemDC(CDC* target, const CRect* rect, bool copyFirst) : m_pTarget(target), m_bMemDC(!target->IsPrinting()) {
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    if (!m_bMemDC) {
        Attach(target->m_hDC);
        return;
    }
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target->m_hDC, m_rect.Width(), m_rect.Height());
    m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    SIZE extent;
    ::GetWindowExtEx(target->m_hDC, &extent);
    ::SetWindowExtEx(m_hDC, extent.cx, extent.cy, nullptr);
    ::GetViewportExtEx(target->m_hDC, &extent);
    ::SetViewportExtEx(m_hDC, extent.cx, extent.cy, nullptr);
    ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
    if (copyFirst) {
        ::BitBlt(m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), target->m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
    } else {
        HBRUSH background = ::CreateSolidBrush(::GetBkColor(target->m_hDC));
        ::FillRect(m_hDC, &m_rect, background);
        ::DeleteObject(background);
    }
}

CMemDC::~CMemDC() {
    if (!m_bMemDC) {
        Detach();
        return;
    }
    ::BitBlt(m_pTarget->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
             SRCCOPY);
    ::SelectObject(m_hDC, m_oldBitmap);
}
