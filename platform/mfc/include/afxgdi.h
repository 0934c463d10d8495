// Drawing objects of the class library subset: GDI objects owned by their C++ objects,
// and device contexts (a DC object owns a DC it created; the window DCs release theirs).
#pragma once

#include "afx.h"
#include "afxtypes.h"

class CWnd;

// Owns a GDI object: deleted with the object unless detached.
class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, LPVOID buffer) const { return m_hObject ? ::GetObject(m_hObject, size, buffer) : 0; }

    HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
    // A bitmap resource of the program.
    BOOL LoadBitmap(UINT resourceId);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    CSize GetBitmapDimension() const;
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
        return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
    }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
    // This region becomes a combination of the two (RGN_AND, RGN_OR, RGN_DIFF ...);
    // it must exist already. Returns the region kind, ERROR on failure.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    BOOL PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion((HRGN)m_hObject, x, y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox((HRGN)m_hObject, rect); }
};

// A device context. CreateCompatibleDC makes one the object owns (deleted with it);
// Attach binds one the caller keeps (Detach it before the object goes).
class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    // The previous object of that kind, to select back.
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectObject(const CGdiObject* object) { return SelectObject(object->m_hObject); }
    int SelectClipRgn(const CRgn* region) { return ::SelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw, int sh, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, width, height, source->m_hDC, sx, sy, sw, sh, rop);
    }
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
        CRect r(x, y, x + width, y + height);
        FillSolidRect(&r, colour);
    }
    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, (HBRUSH)brush->m_hObject); }
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, (HBRUSH)brush->m_hObject); }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }

    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    BOOL TextOut(int x, int y, const CString& text) { return ::TextOut(m_hDC, x, y, text, text.GetLength()); }
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return ::DrawText(m_hDC, text, text.GetLength(), rect, format);
    }

    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    CSize GetWindowExt() const;
    CSize GetViewportExt() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);
    CPoint SetWindowOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }

    HDC m_hDC = nullptr;
    BOOL m_bPrinting = FALSE;

private:
    bool m_owned = false;  // made by CreateCompatibleDC
};

// The DC of a WM_PAINT handler: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd;
};

// The client-area DC of a window, released with the object.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// The whole window's DC (frame included), released with the object.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
