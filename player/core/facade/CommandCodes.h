// Command codes broadcast to the command controls.
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
