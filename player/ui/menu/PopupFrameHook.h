// While it lives, strips the frame of the system's popup-menu windows that the thread
// creates, so that owner-drawn rows reach the window's edges. User-interface thread only.
#pragma once

#include <windows.h>

class CPopupFrameHook {
public:
    CPopupFrameHook();
    ~CPopupFrameHook();
    CPopupFrameHook(const CPopupFrameHook&) = delete;
    CPopupFrameHook& operator=(const CPopupFrameHook&) = delete;

private:
    HHOOK m_hHook;
};
