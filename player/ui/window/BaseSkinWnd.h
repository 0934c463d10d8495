// An HTML window of a skin view: it registers with the application's skin manager
// while it exists.
#pragma once

#include "window/BaseWnd.h"

class CBaseSkinWnd : public CBaseWnd {
    DECLARE_DYNAMIC(CBaseSkinWnd)
public:
    // Destroys the window while it is still this class, so it leaves the skin manager.
    ~CBaseSkinWnd() override { DestroyWindow(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
