// The class library's HTML view over the embedded browser: a child window whose
// client area the browser fills, raising the browser's events as virtual functions.
// Unlike a document view it never deletes itself when its window goes: its owner
// deletes it (the destructor destroys a window that is still there).
#pragma once

#include "afxwin.h"

#include <vector>

#include "BrowserWindow.h"

// Sent once after creation by the view's creator; reaches OnInitialUpdate.
#ifndef WM_INITIALUPDATE
#define WM_INITIALUPDATE 0x0364
#endif

struct CCreateContext;

// Queues the navigation in the browser; null texts are empty, post bytes make it a POST.
void AfxBrowserNavigate(CBrowserWindow& browser, LPCTSTR url, DWORD flags, LPCTSTR targetFrame, LPCTSTR headers,
                        LPVOID postData, DWORD postLength);

class CHtmlView : public CWnd, private IBrowserEvents {
    DECLARE_DYNAMIC(CHtmlView)
public:
    CHtmlView() = default;
    ~CHtmlView() override;

    // The view window (className null: the library's default class) with the browser in it.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context);

    // Navigations go through OnBeforeNavigate2 like the page's own.
    void Navigate2(LPCTSTR url, DWORD flags = 0, LPCTSTR targetFrame = nullptr, LPCTSTR headers = nullptr,
                   LPVOID postData = nullptr, DWORD postLength = 0);
    void Navigate(LPCTSTR url, DWORD flags = 0, LPCTSTR targetFrame = nullptr, LPCTSTR headers = nullptr,
                  LPVOID postData = nullptr, DWORD postLength = 0) {
        Navigate2(url, flags, targetFrame, headers, postData, postLength);
    }
    void GoBack() { m_browser.GoBack(); }
    void GoForward() { m_browser.GoForward(); }
    void Refresh() { m_browser.Refresh(); }
    CString GetLocationURL() const { return m_browser.GetLocationURL().c_str(); }
    void SetSilent(BOOL silent) { m_browser.SetSilent(silent != FALSE); }
    BOOL GetSilent() const { return m_browser.GetSilent(); }
    // The browser itself, for what the view does not wrap.
    CBrowserWindow& GetBrowser() { return m_browser; }

    // A message about to be dispatched; TRUE keeps it from the window. The default takes none.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual void OnInitialUpdate() {}
    // Setting *cancel drops the navigation.
    virtual void OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                                   LPCTSTR headers, BOOL* cancel) {}
    virtual void OnNavigateComplete2(LPCTSTR url) {}
    virtual void OnDocumentComplete(LPCTSTR url) {}
    // 1 forward, 2 back.
    virtual void OnCommandStateChange(long command, BOOL enable) {}
    // S_OK: the view handled the right click and the browser shows no menu; S_FALSE: the browser's menu.
    virtual HRESULT OnShowContextMenu(POINT screen) { return S_FALSE; }

    afx_msg LRESULT OnSizeMessage(WPARAM type, LPARAM size);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void BeforeNavigate2(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                         const std::vector<BYTE>& postData, const std::wstring& headers, bool& cancel) override;
    void NavigateComplete2(const std::wstring& url) override { OnNavigateComplete2(url.c_str()); }
    void DocumentComplete(const std::wstring& url) override { OnDocumentComplete(url.c_str()); }
    void CommandStateChange(long command, bool enable) override { OnCommandStateChange(command, enable); }
    bool ShowContextMenu(POINT screen, HELEMENT) override { return OnShowContextMenu(screen) == S_OK; }

    CBrowserWindow m_browser;
};
