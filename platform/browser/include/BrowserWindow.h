// The embedded web browser: a child window that is an HTML engine window, showing
// pages fetched over WinINet (http and https, with WinINet's cookies and redirects)
// or read from local files. No scripts run.
//
// Navigations. Navigate, a click on an element inside a[href], a form submit, GoBack
// and GoForward each queue a navigation and post a message to the window; every one
// is raised as BeforeNavigate2 from that message, never from inside the engine's
// event dispatch, so a modal dialog opened there cannot free the page under it. While
// one navigation is being handled the next waits. When it is not cancelled:
//   - "javascript:" addresses do nothing more (no script runs);
//   - others are fetched and shown: NavigateComplete2 (the address as it ended after
//     redirects), CommandStateChange (1 forward, 2 back) for both commands, then
//     DocumentComplete. A page that cannot be fetched shows a short error page under
//     the address that failed; a reply of any status shows its body.
// Refresh fetches the current entry again without BeforeNavigate2.
//
// Links are resolved against the page's address ("javascript:" kept as it is) and
// keep their "target" attribute as the target frame. A form submits when a <button>
// or <input type="submit"> inside it is clicked: its fields are the hidden inputs and
// the checked check boxes, url-encoded in UTF-8, sent to its "action" (the page's
// address when empty) by its "method" (GET puts them in the query; POST sends them as
// the body with "Content-Type: application/x-www-form-urlencoded"). Check boxes get
// the engine's "checkbox" behaviour and start checked by their "checked" attribute.
//
// Back and forward fetch the entry's address again by GET. A right click asks the
// host's ShowContextMenu first; when the host does not take it, a menu of back,
// forward and refresh is shown.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "htmlayout.h"

// Command ids of CommandStateChange.
constexpr long BROWSER_COMMAND_FORWARD = 1;
constexpr long BROWSER_COMMAND_BACK = 2;

// What the host hears; every call comes on the window's thread.
class IBrowserEvents {
public:
    virtual ~IBrowserEvents() = default;
    // Setting cancel drops the navigation (a back or forward one leaves the history as it was).
    virtual void BeforeNavigate2(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                                 const std::vector<BYTE>& postData, const std::wstring& headers, bool& cancel) {}
    virtual void NavigateComplete2(const std::wstring& url) {}
    virtual void DocumentComplete(const std::wstring& url) {}
    virtual void CommandStateChange(long command, bool enable) {}
    // True when the host handled the right click at the screen point (no menu is shown).
    virtual bool ShowContextMenu(POINT screen, HELEMENT target) { return false; }
};

class CBrowserWindow {
public:
    CBrowserWindow();
    ~CBrowserWindow();
    CBrowserWindow(const CBrowserWindow&) = delete;
    CBrowserWindow& operator=(const CBrowserWindow&) = delete;

    // The child window with the given place and id; events may be null. False when it cannot be made.
    bool Create(HWND parent, const RECT& rect, UINT id, IBrowserEvents* events);
    HWND GetHwnd() const { return m_hwnd; }

    // Queues a navigation. Headers are "Name: value" lines ending in "\r\n"; post bytes
    // make it a POST. A path or "file:" URL is a local file; "res://<module>/<id>" is an
    // HTML resource of that module (the program's when it is not loaded).
    void Navigate(const std::wstring& url, DWORD flags = 0, const std::wstring& targetFrame = L"",
                  const std::wstring& headers = L"", const std::vector<BYTE>& postData = {});
    // False when there is no entry to go to.
    bool GoBack();
    bool GoForward();
    bool Refresh();
    // The address of the page shown; empty before the first one.
    std::wstring GetLocationURL() const;
    bool CanGoBack() const;
    bool CanGoForward() const;
    void SetSilent(bool silent) { m_silent = silent; }
    bool GetSilent() const { return m_silent; }

private:
    struct Request {
        std::wstring Url;
        DWORD Flags = 0;
        std::wstring TargetFrame;
        std::wstring Headers;
        std::vector<BYTE> PostData;
        bool Post = false;      // also with no bytes: a form posted without fields
        int HistoryIndex = -1;  // back or forward: the entry it goes to
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK PageEvents(LPVOID tag, HELEMENT he, UINT group, LPVOID params);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnMouse(const MOUSE_PARAMS& mouse);
    bool OnBehavior(const BEHAVIOR_EVENT_PARAMS& event);
    void Queue(Request request);
    void RunQueued();
    void Run(const Request& request);
    enum class LoadKind { New, Move, Reload };
    void Load(const Request& request, LoadKind kind);
    // Hands the page to the engine; the address it shows ends as given.
    void ShowLocalFile(const std::wstring& path);
    void ShowBody(const std::string& body);
    void PreparePage();
    void OnContextMenu(POINT screen);
    void RaiseCommandStates();

    HWND m_hwnd = nullptr;
    IBrowserEvents* m_events = nullptr;
    bool m_silent = false;
    bool m_running = false;  // a navigation is being handled
    std::deque<Request> m_queue;
    std::vector<std::wstring> m_history;
    int m_current = -1;
    HELEMENT m_pressedLink = nullptr;  // compared only, never used
    std::wstring m_pageFile;           // where fetched pages are handed to the engine
    std::unique_ptr<class CPageFetcher> m_fetcher;
    std::shared_ptr<bool> m_alive;  // cleared by the destructor: a host may delete the browser from an event
};
