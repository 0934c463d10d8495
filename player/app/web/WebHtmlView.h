// The web view of the browser dialog: the embedded browser showing the video
// service's pages. It adds the signed-in user's session keys to the service's
// addresses, catches the multi-download form, the play-last-file link, the buy links
// and the payment-success page, and checks that a page answers before showing it.
#pragma once

#include <afxhtml.h>

#include <vector>

// A navigation the view posts to itself (WM_WEB_NAVIGATE); the handler frees it.
struct NAVIGATE_REQUEST {
    CString Url;  // with the session query added
    DWORD Flags = 0;
    CString TargetFrame;
    std::vector<BYTE> PostData;
    CString Headers;
};

class CWebHtmlView : public CHtmlView {
    DECLARE_DYNAMIC(CWebHtmlView)
public:
    CWebHtmlView() = default;
    ~CWebHtmlView() override = default;

    // Enter and Esc reach neither the page nor the dialog.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Checks the address on a thread and shows it, or the error page, when the answer
    // comes; only the view's newest check is shown. 0, doing nothing, without the main
    // dialog or when no thread could start.
    static int CheckAndNavigate(CWebHtmlView* view, const CString& url);
    // Signed in, on the video service's host and port, and no "zemoid=" yet.
    static bool NeedsSessionQuery(const CString& url);
    // The address with "zemoid=<token>&sid=<sid>&guid=<new guid>" when signed in and on
    // the service's host and port; otherwise unchanged.
    static CString AddSessionQuery(const CString& url);
    // True when a user is signed in; otherwise the main window's sign-in dialog is shown
    // (the start view left alone) and false returned.
    static bool EnsureSignedIn();

protected:
    void OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                           LPCTSTR headers, BOOL* cancel) override;
    // Back (2) and forward (1) go to the parent as WM_WEB_COMMAND_STATE.
    void OnCommandStateChange(long command, BOOL enable) override;

    afx_msg LRESULT OnWebNavigate(WPARAM request, LPARAM);
    afx_msg LRESULT OnUrlCheckResult(WPARAM result, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // The multi-download post: true when it was handled (and the navigation cancelled).
    bool HandleMultiDownload(const CString& url, const std::vector<BYTE>& postData, BOOL* cancel);
    void HandleBuyLink(BOOL* cancel);
    void ApplySessionRule(const CString& url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                          LPCTSTR headers, BOOL* cancel);

    LONG m_lastCheck = 0;  // the newest check's number
};
