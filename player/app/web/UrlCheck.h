// The reachability check of the web view: a thread asks whether a page answers and
// hands the result to the view's window, which shows the page or the error page.
#pragma once

#include <afx.h>

// Sent (WM_URL_CHECK_RESULT) with a new result as wParam: a handler that returns
// non-zero owns and frees it; with 0 the thread frees it.
struct URL_CHECK_RESULT {
    int Ok = 0;       // 1 when the page answers
    CString Url;      // the address checked
    CString Message;  // when Ok is 0: the text for the error page
    LONG Id = 0;      // the check's number from StartUrlCheck: only the newest one is shown
};

// A check of the address on a thread of its own, which tries the home page too when
// the address does not answer. The check's number (rising), or 0 when no thread could
// start (nothing is left behind then).
LONG StartUrlCheck(HWND view, const CString& url, const CString& homePage);

// The address answers 200 or 302 (after the redirects it is sent on). Without an
// http:// or https:// scheme (in any case) "http://" is put in front; the address is
// requested as it is given.
bool IsUrlReachable(const CString& url);

// "无法访问该页面，问题的原因可能是：您的网线没插好，或是您未正确设置网络连接。"
CString GetNetworkErrorText();
// The text when the page is gone but the web site answers.
CString GetPageGoneText();

// Rewrites the error page in place: every paragraph of html > body > div goes and one
// with the message takes their place. False, the file unchanged, when it cannot be read
// or lacks that div.
bool WriteErrorPage(const CString& path, const CString& message);
