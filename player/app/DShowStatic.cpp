#include "DShowStatic.h"

#include <afxgdi.h>
#include <objidl.h>
#include <gdiplus.h>

BEGIN_MESSAGE_MAP(CDShowStatic, CStatic)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

void CDShowStatic::OnPaint() {
    Default();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CClientDC dc(this);
    Gdiplus::Graphics graphics(dc.GetSafeHdc());
    Gdiplus::Pen pen(Gdiplus::Color(0xFF000000), 1);
    graphics.DrawRectangle(&pen, 0, 0, (INT)client.right - 1, (INT)client.bottom - 1);
}
