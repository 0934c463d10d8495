// The list on the left of the settings dialog: a child window whose client area is
// the program folder's page "htmllist.html". A mouse button released inside it is
// sent to the parent as WM_SETTING_LIST_CLICK with the list's control id.
// User-interface thread only.
#pragma once

#include <afxwin.h>

#include "htmlayout/event_handler.h"

class CSettingList : public CWnd, public htmlayout::event_handler {
    DECLARE_DYNAMIC(CSettingList)
public:
    CSettingList();
    ~CSettingList() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT cs);

    BOOL on_mouse(HELEMENT he, HELEMENT target, UINT eventType, POINT pt, UINT mouseButtons,
                  UINT keyboardStates) override;

    DECLARE_MESSAGE_MAP()
};
