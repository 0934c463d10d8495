// A visible top-level window holding a browser, with the browser's events written
// down, for the browser's tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "BrowserWindow.h"

namespace browsertest {

// Every event as a line: "before <url>", "navigate <url>", "command <id> <0|1>", "document <url>".
class RecordingEvents : public IBrowserEvents {
public:
    void BeforeNavigate2(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                         const std::vector<BYTE>& postData, const std::wstring& headers, bool& cancel) override;
    void NavigateComplete2(const std::wstring& url) override;
    void DocumentComplete(const std::wstring& url) override;
    void CommandStateChange(long command, bool enable) override;
    bool ShowContextMenu(POINT screen, HELEMENT target) override;

    struct Before {
        std::wstring Url, TargetFrame, Headers;
        DWORD Flags = 0;
        std::vector<BYTE> PostData;
    };
    std::vector<std::wstring> log;
    std::vector<Before> befores;
    int documents = 0;
    int contextMenus = 0;
    bool takeContextMenu = false;
    // Called from BeforeNavigate2; may set cancel.
    std::function<void(const std::wstring& url, bool& cancel)> onBefore;
};

class BrowserHost {
public:
    explicit BrowserHost(int width = 1024, int height = 753);
    ~BrowserHost();
    HWND Frame() const { return m_frame; }
    HWND View() const { return browser.GetHwnd(); }

    // Pumps messages until the count of DocumentComplete reaches documents (false after 10 s).
    bool WaitForDocuments(int documents);
    // Pumps what is queued now, and again for a moment.
    void Settle();
    // The first element below the page's root that the selector finds (null when none).
    HELEMENT Select(const char* selector) const;
    // The element's text; the whole page's for a null selector.
    std::wstring Text(const char* selector) const;
    // The main button pressed and released over the element's middle, as the window gets it.
    bool Click(const char* selector);

    RecordingEvents events;
    CBrowserWindow browser;

private:
    HWND m_frame = nullptr;
};

std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace browsertest
