// The video surface: the static control that owns the graph's video window.
#pragma once

#include <afxctrls.h>

class CDShowStatic : public CStatic {
protected:
    // Never erased: the video window covers the surface.
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    // The default painting, then a one-pixel black border.
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
