#include "afxwin.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject || !object) return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    HGDIOBJ object = Detach();
    return object && ::DeleteObject(object);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc, width, height));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) {
    return Attach(::LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(resourceId)));
}

CSize CBitmap::GetBitmapDimension() const {
    BITMAP info = {};
    return GetBitmap(&info) ? CSize(info.bmWidth, info.bmHeight) : CSize();
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    if (!m_hObject || !a || !a->m_hObject) return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)a->m_hObject, b ? (HRGN)b->m_hObject : nullptr, mode);
}

CDC::~CDC() {
    if (m_owned) DeleteDC();
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC || !dc) return FALSE;
    m_hDC = dc;
    m_owned = false;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC) return FALSE;
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    m_owned = m_hDC != nullptr;
    return m_owned;
}

BOOL CDC::DeleteDC() {
    bool owned = m_owned;
    HDC dc = Detach();
    return dc && owned && ::DeleteDC(dc);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old = {};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

CSize CDC::GetWindowExt() const {
    SIZE s = {};
    ::GetWindowExtEx(m_hDC, &s);
    return s;
}

CSize CDC::GetViewportExt() const {
    SIZE s = {};
    ::GetViewportExtEx(m_hDC, &s);
    return s;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE old = {};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE old = {};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old = {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old = {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
