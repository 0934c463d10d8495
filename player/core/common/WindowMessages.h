// The window messages between threads and windows.
#pragma once

#include <windows.h>

// Messages from worker threads and between windows. Posted payloads are heap
// objects that the receiving handler frees.
enum : UINT {
    WM_VIDEO_CATEGORY_ITEM = WM_USER + 301,  // wParam new BASE_WEB_INFO
    WM_RECENT_UPLOAD_ITEM = WM_USER + 302,   // wParam new WEB_INFO_NEWESE_VIDEO
    WM_OPEN_START_PAGE = WM_USER + 303,
    WM_SHOW_LEFT_PANEL = WM_USER + 304,     // wParam 1 shows, other values hide
    WM_AVATAR_READY = WM_USER + 305,        // wParam new CString picture path
    WM_OPEN_VIDEO_REQUEST = WM_USER + 306,  // wParam new CString path
    WM_OPEN_COMMAND_LINE = WM_USER + 307,
    WM_DOWNLOAD_STARTED = WM_USER + 308,   // wParam FileID, lParam total size (0x7FFFFFFF from 2 GiB on)
    WM_DOWNLOAD_PROGRESS = WM_USER + 309,  // wParam new DOWNLOAD_JOB_KEY with both sizes in full, lParam bytes so far
    WM_DOWNLOAD_COMPLETE = WM_USER + 310,  // wParam new DOWNLOAD_JOB_KEY
    WM_DOWNLOAD_PAUSED = WM_USER + 311,    // wParam new DOWNLOAD_JOB_KEY, lParam new DOWNLOAD_ERROR_INFO
    WM_DOWNLOAD_CONNECT_FAILED = WM_USER + 312,  // as WM_DOWNLOAD_PAUSED
    WM_DOWNLOAD_FAILED = WM_USER + 313,          // as WM_DOWNLOAD_PAUSED
    WM_SETTING_LIST_CLICK = WM_USER + 314,       // sent; wParam control id
    WM_WEB_NAVIGATE = WM_USER + 315,             // wParam new NAVIGATE_REQUEST
    WM_HTTP_POST_PROGRESS = WM_USER + 316,       // wParam percent sent
    WM_TRAY_NOTIFY = WM_USER + 317,              // wParam icon id, lParam mouse message
    WM_WEB_COMMAND_STATE = WM_USER + 318,        // wParam browser command, lParam enabled
    WM_ANOTHER_INSTANCE = WM_USER + 319,
    WM_URL_CHECK_RESULT = WM_USER + 320,  // sent; wParam new URL_CHECK_RESULT
    WM_REFRESH_BALANCE = WM_USER + 321,

    WM_GRAPH_NOTIFY = WM_APP + 1,
    WM_SLIDER_THUMB_LEAVE = 0x1D1B,  // wParam control id, lParam position
    WM_SLIDER_THUMB_CLICK = 0x1D1C,
    WM_SLIDER_DRAGGED = 0x1D1D,
    WM_SLIDER_JUMPED = 0x1D1E,
    WM_SLIDER_MOVING = 0x28D1,
    WM_SLIDER_MOVED = 0x28D2,
};
