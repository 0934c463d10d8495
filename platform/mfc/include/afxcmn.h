// Common controls of the class library subset.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

// A tooltip window for the tools (child windows or areas of a window) added to it.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A topmost popup owned by the parent.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A whole window as the tool (rect null and id 0), else an area of it with that id.
    BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id = 0);
    int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void Activate(BOOL activate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, activate, 0); }
    // Hands a mouse message of a tool's window to the tooltip (from PreTranslateMessage).
    void RelayEvent(LPMSG msg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)msg); }
    void SetDelayTime(UINT delay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)delay); }
    void SetDelayTime(DWORD duration, int time) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, duration, time); }
    int SetMaxTipWidth(int width) { return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, width); }
    void SetTipTextColor(COLORREF colour) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, colour, 0); }
    void SetTipBkColor(COLORREF colour) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, colour, 0); }
};
