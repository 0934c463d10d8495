// The signed-in user's keys on the video service's addresses, and which rule of the
// web view a navigation falls under.
#pragma once

#include <afx.h>

// The start page of the service ("index_get" of "ovraCfg.ini"); its host and port are
// the video service's, and it is the web site's home page.
CString GetServiceHomePage();

// The address is on the service's host and port (parsed, case-insensitively): a
// mention of the host elsewhere in the address does not count.
bool IsServiceAddress(const CString& url, const CString& serviceUrl);

// Signed in, on the service's host, and no "zemoid=" in the address yet.
bool NeedsSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn);

// The address followed by "zemoid=<token>&sid=<sid>&guid=<guid>" after "&" when it
// has a "?", else "?"; unchanged when signed out or on another host.
CString AddSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn, const CString& token,
                        const CString& sid, const CString& guid);
// The same with a new GUID for every call.
CString AddSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn, const CString& token,
                        const CString& sid);

enum WEB_NAVIGATION_RULE {
    WEB_NAV_MULTI_DOWNLOAD,  // contains "Action=multidownload"
    WEB_NAV_PLAY_LAST,       // contains the play-last-file marker
    WEB_NAV_BUY,             // contains "javascript:buyFile" or "javascript:buyVideo"
    WEB_NAV_PAY_SUCCEEDED,   // equals the payment-success address, ignoring case
    WEB_NAV_OTHER,
};
// The first rule that matches, in the order above; the texts are searched as they are.
WEB_NAVIGATION_RULE ClassifyNavigation(const CString& url, const CString& serviceUrl);

// "http://" + the service's host (and port) + "/pay.aspx?action=paySucceed".
CString PaySucceededAddress(const CString& serviceUrl);
