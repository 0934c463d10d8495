// The web view in a real window against the loopback catalogue site, with the main
// dialog and main window it asks things of standing in as recorders. The site is the
// video service: "index_get" points at it while a test runs.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "account/LoginAccount.h"
#include "fakes/FakeWindows.h"
#include "fixtures/UserConfigScope.h"
#include "services/CatalogueSite.h"
#include "support/ServiceConfigFile.h"
#include "web/WebHtmlView.h"
#include "web/WebViewHost.h"
#include "DialogDriver.h"

// Records what the web view asks of the main window ("RefreshBalance" for the message).
class HostWindow : public FakeMainWindow, public IWebViewHost {
public:
    void PlayLastPlayed() override { calls.push_back("PlayLastPlayed"); }
    void ShowLoginDialog(const CString&) override;
    void SetStartViewFlag(bool set) override { calls.push_back(set ? "StartView on" : "StartView off"); }
    void HidePlayDialog() override { calls.push_back("HidePlayDialog"); }

    std::function<void()> onLoginDialog;  // what the user does in the sign-in dialog
    std::vector<std::string> calls;

protected:
    afx_msg LRESULT OnRefreshBalance(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class HostDialog : public FakeMainDialog {
public:
    IMainWindowView* GetMainWindow() override { return host; }
    HostWindow* host = nullptr;
};

// The web view with what it raised: every navigation with its outcome, every page loaded.
class ObservedView : public CWebHtmlView {
public:
    struct Navigation {
        CString url;
        bool cancelled;
        size_t postBytes;
    };
    std::vector<Navigation> navigations;
    std::vector<CString> documents;

protected:
    void OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                           LPCTSTR headers, BOOL* cancel) override;
    void OnDocumentComplete(LPCTSTR url) override { documents.push_back(url); }
};

class WebViewTest : public ::testing::Test {
protected:
    WebViewTest();
    ~WebViewTest() override;

    // Signed in as "tom" with the token "TOK" and the Sid "S9"; signed out is the user "default".
    void SignIn();
    void SignOut();
    CString Url(const std::string& pathAndQuery) const { return CString(site.Url(pathAndQuery).c_str()); }

    // Pumps until the view has loaded that many pages (false after 10 s).
    bool WaitForDocuments(size_t count);
    // A click with the main button in the middle of the page's element.
    static void ClickElement(HWND browser, const char* selector);

    FakeWindows windows;
    UserConfigScope users;
    CatalogueSite site;
    ServiceConfigFile config{site.ConfigText()};
    LOGIN_ACCOUNT account;
    HostWindow host;
    HostDialog dialog;
    CWnd frame;
    std::unique_ptr<ObservedView> view;
};
