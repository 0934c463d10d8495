#include "InstancePipe.h"

#include <memory>

#include "common/CommonHelpers.h"
#include "common/PostOwnedMessage.h"
#include "common/WindowMessages.h"

const WCHAR INSTANCE_PIPE_NAME[] = L"\\\\.\\pipe\\{5C2D301A-0B98-40f5-8379-6FEA69260EA7}";

namespace {
const WCHAR KEYWORD_ANOTHER_INSTANCE[] = L"AnotherInstance";
const WCHAR KEYWORD_OPEN_VIDEO[] = L"OpenVideo";
const WCHAR SEPARATOR[] = L"|";

CString FullPath(const CString& path) {
    DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0) return path;
    CString full;
    DWORD length = GetFullPathNameW(path, size, full.GetBuffer(size), nullptr);
    full.ReleaseBuffer(length < size ? (int)length : 0);
    return full.IsEmpty() ? path : full;
}

// Taken when the program loads, before any window changes the current folder.
const CString g_startFolder = FullPath(L".");

// Neither a drive nor a root: the path hangs off the current folder.
bool HangsOffCurrentFolder(const CString& path) {
    return !path.IsEmpty() && path[0] != L'\\' && path[0] != L'/' && !(path.GetLength() > 1 && path[1] == L':');
}

// More than one instance of a pipe this process has just created: another player
// created the first one (the system does not always refuse a second first instance).
bool AnotherInstanceExists(HANDLE pipe) {
    DWORD instances = 0;
    return GetNamedPipeHandleStateW(pipe, nullptr, &instances, nullptr, nullptr, nullptr, 0) && instances > 1;
}

void SendToFirstInstance(LPCWSTR name, const CString& message) {
    if (!WaitNamedPipeW(name, NMPWAIT_USE_DEFAULT_WAIT)) return;
    CScopedHandle client(CreateFileW(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!client) return;
    DWORD written = 0;
    WriteFile(client.Get(), (LPCWSTR)message, message.GetLength() * sizeof(WCHAR), &written, nullptr);
}

enum ConnectState { CONNECT_WAITING, CONNECT_DONE, CONNECT_FAILED };

// A client that connected before the call counts as connected (the event is then not
// set), also one that has written and closed its end already.
ConnectState IssueConnect(HANDLE pipe, HANDLE event, OVERLAPPED& overlapped) {
    // The event may still be set from the start or the last read; the connect does not clear it.
    ResetEvent(event);
    ZeroMemory(&overlapped, sizeof overlapped);
    overlapped.hEvent = event;
    if (ConnectNamedPipe(pipe, &overlapped)) return CONNECT_DONE;
    switch (GetLastError()) {
    case ERROR_IO_PENDING: return CONNECT_WAITING;
    case ERROR_PIPE_CONNECTED:
    case ERROR_NO_DATA: return CONNECT_DONE;
    default: return CONNECT_FAILED;
    }
}

ConnectState AwaitConnect(HANDLE pipe, HANDLE event, OVERLAPPED& overlapped) {
    if (WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0) return CONNECT_FAILED;
    DWORD bytes = 0;
    return GetOverlappedResult(pipe, &overlapped, &bytes, FALSE) ? CONNECT_DONE : CONNECT_FAILED;
}

// One message of the connected client, bounded in size and time; empty when none came.
CString ReadMessage(HANDLE pipe, HANDLE event) {
    WCHAR buffer[PIPE_MESSAGE_BYTES / sizeof(WCHAR)] = {};
    OVERLAPPED overlapped = {};
    overlapped.hEvent = event;
    ResetEvent(event);
    DWORD read = 0;
    if (!ReadFile(pipe, buffer, sizeof buffer, nullptr, &overlapped) && GetLastError() == ERROR_IO_PENDING &&
        WaitForSingleObject(event, PIPE_READ_TIMEOUT_MS) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &overlapped, &read, TRUE);
        return CString();
    }
    if (!GetOverlappedResult(pipe, &overlapped, &read, FALSE) && GetLastError() != ERROR_MORE_DATA) return CString();
    int units = (int)(read / sizeof(WCHAR));
    int length = 0;
    while (length < units && buffer[length]) ++length;
    return CString(buffer, length);
}

void Dispatch(HWND window, const CString& message) {
    std::vector<CString> pieces = SplitString(message, SEPARATOR);
    if (pieces.empty()) return;
    if (pieces[0] == KEYWORD_ANOTHER_INSTANCE)
        PostMessageW(window, WM_ANOTHER_INSTANCE, 0, 0);
    else if (pieces[0] == KEYWORD_OPEN_VIDEO && pieces.size() > 1)
        PostOwnedMessage(window, WM_OPEN_VIDEO_REQUEST, std::make_unique<CString>(pieces[1]));
}
}  // namespace

CString BuildInstanceMessage(const std::vector<CString>& args) {
    if (args.size() < 2) return KEYWORD_ANOTHER_INSTANCE;
    return CString(KEYWORD_OPEN_VIDEO) + SEPARATOR + CommandLinePath(args[1]);
}

CString CommandLinePath(const CString& argument) {
    if (!HangsOffCurrentFolder(argument)) return FullPath(argument);
    CString base = g_startFolder;
    AppendBackslash(base);
    return FullPath(base + argument);
}

bool OpenInstancePipe(LPCWSTR name, const CString& message, CWnd* const* mainWnd, INSTANCE_PIPE& pipe,
                      CScopedHandle* listener) {
    CScopedHandle created(CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                                           PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                                           1024, 1024, 0, nullptr));
    DWORD error = created ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_ACCESS_DENIED || (created && AnotherInstanceExists(created.Get()))) {
        created.Close();
        SendToFirstInstance(name, message);
        return false;
    }
    pipe.pipe = std::move(created);
    pipe.event = CScopedHandle(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    if (!pipe.pipe || !pipe.event) return true;
    auto parameter = std::make_unique<LISTENER_PARAM>(LISTENER_PARAM{pipe.pipe.Get(), pipe.event.Get(), mainWnd});
    CScopedHandle thread(CreateThread(nullptr, 0, PipeListenerThread, parameter.get(), 0, nullptr));
    if (thread) parameter.release();
    if (listener) *listener = std::move(thread);
    return true;
}

DWORD WINAPI PipeListenerThread(LPVOID parameter) {
    std::unique_ptr<LISTENER_PARAM> param(static_cast<LISTENER_PARAM*>(parameter));
    HANDLE pipe = param->pipe, event = param->event;
    CWnd* const volatile* mainWnd = param->mainWnd;
    OVERLAPPED overlapped;
    ConnectState state = IssueConnect(pipe, event, overlapped);
    param.reset();
    for (;;) {
        if (state == CONNECT_WAITING) state = AwaitConnect(pipe, event, overlapped);
        if (state == CONNECT_FAILED) return 0;
        ResetEvent(event);
        CWnd* window = *mainWnd;
        if (!window) {
            DisconnectNamedPipe(pipe);
            return 0;
        }
        HWND hWnd = window->GetSafeHwnd();
        if (IsWindow(hWnd)) Dispatch(hWnd, ReadMessage(pipe, event));
        DisconnectNamedPipe(pipe);
        state = IssueConnect(pipe, event, overlapped);
    }
}
