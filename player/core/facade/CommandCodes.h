// The player's two vocabularies: command codes broadcast to the command controls,
// and the window messages between threads and windows.
#pragma once

#include <windows.h>

// Command codes for CAppFacade::Broadcast. The data pointer belongs to the sender until
// the broadcast returns, except the heap vector of CMD_ADD_DOWNLOADS, which the
// download control takes over and frees.
enum {
    CMD_USER_LOGIN = 1,                 // null
    CMD_APP_EXIT = 2,                   // null
    CMD_USER_LOGOUT = 3,                // null
    CMD_OPEN_FILE = 4,                  // null
    CMD_CLOSE_FILE = 5,                 // null
    CMD_PLAY_PAUSE = 6,                 // null
    CMD_STOP = 7,                       // null; never broadcast
    CMD_TOGGLE_MUTE = 10,               // null
    CMD_MAIN_WINDOW_CREATED = 11,       // null
    CMD_PLAY_FILE = 12,                 // CString* path
    CMD_CLEAR_PLAY_LIST = 13,           // bool*
    CMD_PLAY_PREV = 14,                 // null
    CMD_PLAY_NEXT = 15,                 // bool* applyOrder, or null
    CMD_DELETE_DOWNLOADS = 16,          // std::vector<DOWNLOAD_LIST_ITEM>*
    CMD_ADD_DOWNLOADS = 17,             // new std::vector<DOWNLOAD_LIST_ITEM>*, freed by the download control
    CMD_PAUSE_DOWNLOAD = 18,            // DOWNLOAD_LIST_ITEM*
    CMD_START_DOWNLOAD = 19,            // DOWNLOAD_LIST_ITEM*
    CMD_DOWNLOAD_COMPLETE = 20,         // DOWNLOAD_LIST_ITEM*
    CMD_DOWNLOAD_FAILED = 21,           // DOWNLOAD_LIST_ITEM*, or null
    CMD_DOWNLOAD_STARTED = 22,          // DOWNLOAD_LIST_ITEM*
    CMD_DOWNLOAD_STOPPED = 23,          // DOWNLOAD_JOB_KEY*
    CMD_OPEN_FROM_OTHER_INSTANCE = 24,  // CString* path
    CMD_GET_FILE_TITLE = 25,            // CString* path, replaced by the display title
    CMD_SET_PLAY_ORDER = 26,            // int* play order
};

// Messages from worker threads and between windows. Posted payloads are heap
// objects that the receiving handler frees.
enum : UINT {
    WM_VIDEO_CATEGORY_ITEM = WM_USER + 301,      // wParam new BASE_WEB_INFO
    WM_RECENT_UPLOAD_ITEM = WM_USER + 302,       // wParam new WEB_INFO_NEWESE_VIDEO
    WM_OPEN_START_PAGE = WM_USER + 303,
    WM_SHOW_LEFT_PANEL = WM_USER + 304,          // wParam 1 shows, other values hide
    WM_AVATAR_READY = WM_USER + 305,             // wParam new CString picture path
    WM_OPEN_VIDEO_REQUEST = WM_USER + 306,       // wParam new CString path
    WM_OPEN_COMMAND_LINE = WM_USER + 307,
    WM_DOWNLOAD_STARTED = WM_USER + 308,         // wParam FileID, lParam total size (0x7FFFFFFF from 2 GiB on)
    WM_DOWNLOAD_PROGRESS = WM_USER + 309,        // wParam new DOWNLOAD_JOB_KEY with both sizes in full, lParam bytes so far
    WM_DOWNLOAD_COMPLETE = WM_USER + 310,        // wParam new DOWNLOAD_JOB_KEY
    WM_DOWNLOAD_PAUSED = WM_USER + 311,          // wParam new DOWNLOAD_JOB_KEY, lParam new DOWNLOAD_ERROR_INFO
    WM_DOWNLOAD_CONNECT_FAILED = WM_USER + 312,  // as WM_DOWNLOAD_PAUSED
    WM_DOWNLOAD_FAILED = WM_USER + 313,          // as WM_DOWNLOAD_PAUSED
    WM_SETTING_LIST_CLICK = WM_USER + 314,       // sent; wParam control id
    WM_WEB_NAVIGATE = WM_USER + 315,             // wParam new NAVIGATE_REQUEST
    WM_HTTP_POST_PROGRESS = WM_USER + 316,       // wParam percent sent
    WM_TRAY_NOTIFY = WM_USER + 317,              // wParam icon id, lParam mouse message
    WM_WEB_COMMAND_STATE = WM_USER + 318,        // wParam browser command, lParam enabled
    WM_ANOTHER_INSTANCE = WM_USER + 319,
    WM_URL_CHECK_RESULT = WM_USER + 320,         // sent; wParam new URL_CHECK_RESULT
    WM_REFRESH_BALANCE = WM_USER + 321,

    WM_GRAPH_NOTIFY = WM_APP + 1,
    WM_SLIDER_THUMB_LEAVE = 0x1D1B,              // wParam control id, lParam position
    WM_SLIDER_THUMB_CLICK = 0x1D1C,
    WM_SLIDER_DRAGGED = 0x1D1D,
    WM_SLIDER_JUMPED = 0x1D1E,
    WM_SLIDER_MOVING = 0x28D1,
    WM_SLIDER_MOVED = 0x28D2,
};
