// The single-instance pipe: the first start of the player listens on it, a second start
// hands its request over and ends. Wire format: one message of a message-type pipe,
// UTF-16LE without a NUL, "AnotherInstance" or "OpenVideo|<full path>".
#pragma once

#include <afxwin.h>

#include <vector>

#include "ScopedHandle.h"

extern const WCHAR INSTANCE_PIPE_NAME[];

enum {
    PIPE_MESSAGE_BYTES = 2048,    // at most this much of a message is read
    PIPE_READ_TIMEOUT_MS = 2000,  // a client that writes nothing in this time is dropped
};

// The message for a second start's arguments (the first is the program itself): only the
// first argument after the program is sent, as a full path (CommandLinePath).
CString BuildInstanceMessage(const std::vector<CString>& args);

// A path from the command line as a full path: a relative one names a file in the folder
// the process started in, which the windows change later.
CString CommandLinePath(const CString& argument);

// The first instance's side of the pipe.
struct INSTANCE_PIPE {
    CScopedHandle pipe;
    CScopedHandle event;  // manual reset, for the listener's overlapped calls
};

// Creates the pipe. True in the first instance: the pipe and its event are kept in
// `pipe` and the listener thread runs, reading the main window from *mainWnd on every
// connection (its handle comes back in `listener` when asked for). False in a second
// instance, which has sent `message` to the first when it could.
bool OpenInstancePipe(LPCWSTR name, const CString& message, CWnd* const* mainWnd, INSTANCE_PIPE& pipe,
                      CScopedHandle* listener = nullptr);

// What the listener thread is handed; it frees the record once its first connect is issued.
struct LISTENER_PARAM {
    HANDLE pipe;
    HANDLE event;
    CWnd* const* mainWnd;
};

// Serves one client after another until a client arrives while there is no main window
// or the pipe fails. Posts WM_ANOTHER_INSTANCE and WM_OPEN_VIDEO_REQUEST (a heap CString)
// to the main window.
DWORD WINAPI PipeListenerThread(LPVOID parameter);
