#include "web/WebHtmlView.h"

#include <memory>

#include "account/LoginAccount.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "facade/AppFacade.h"
#include "views/MainWindowView.h"
#include "web/MultiDownloadPost.h"
#include "web/SessionQuery.h"
#include "web/UrlCheck.h"
#include "web/WebViewHost.h"

IMPLEMENT_DYNAMIC(CWebHtmlView, CHtmlView)

BEGIN_MESSAGE_MAP(CWebHtmlView, CHtmlView)
ON_MESSAGE(WM_WEB_NAVIGATE, OnWebNavigate)
ON_MESSAGE(WM_URL_CHECK_RESULT, OnUrlCheckResult)
END_MESSAGE_MAP()

namespace {

bool IsSignedIn() { return CAppFacade::GetInstance().GetCurrentAccount() != nullptr; }

bool HasMainDialog() { return CAppFacade::GetInstance().GetMainDialog() != nullptr; }

}  // namespace

BOOL CWebHtmlView::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CHtmlView::PreTranslateMessage(msg);
}

bool CWebHtmlView::NeedsSessionQuery(const CString& url) {
    return ::NeedsSessionQuery(url, GetServiceHomePage(), IsSignedIn());
}

CString CWebHtmlView::AddSessionQuery(const CString& url) {
    CAppFacade& facade = CAppFacade::GetInstance();
    LOGIN_ACCOUNT* account = facade.GetCurrentAccount();
    return ::AddSessionQuery(url, GetServiceHomePage(), account != nullptr, facade.GetAccountToken(),
                             account ? account->Sid : CString());
}

bool CWebHtmlView::EnsureSignedIn() {
    if (CUserConfig::GetInstance().GetCurrentUser() != L"default") return true;
    if (IWebViewHost* host = FindWebViewHost()) {
        // A sign-in made for a page keeps the start view as it is.
        host->SetStartViewFlag(false);
        host->ShowLoginDialog(CString());
        host->SetStartViewFlag(true);
    }
    return false;
}

int CWebHtmlView::CheckAndNavigate(CWebHtmlView* view, const CString& url) {
    if (!view || !HasMainDialog()) return 0;
    if (IWebViewHost* host = FindWebViewHost()) host->HidePlayDialog();
    LONG check = StartUrlCheck(view->m_hWnd, url, GetServiceHomePage());
    if (!check) return 0;
    view->m_lastCheck = check;
    return 1;
}

void CWebHtmlView::OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                                     LPCTSTR headers, BOOL* cancel) {
    CString address(url);
    switch (ClassifyNavigation(address, GetServiceHomePage())) {
        case WEB_NAV_MULTI_DOWNLOAD:
            if (HandleMultiDownload(address, postData, cancel)) return;
            break;
        case WEB_NAV_PLAY_LAST:
            if (IWebViewHost* host = FindWebViewHost()) host->PlayLastPlayed();
            *cancel = TRUE;
            return;
        case WEB_NAV_BUY:
            if (EnsureSignedIn()) break;  // the page's script goes ahead
            HandleBuyLink(cancel);
            return;
        case WEB_NAV_PAY_SUCCEEDED:
            if (IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd())
                ::PostMessageW(main->AsWindow()->GetSafeHwnd(), WM_REFRESH_BALANCE, 0, 0);
            *cancel = TRUE;
            return;
        case WEB_NAV_OTHER:
            break;
    }
    ApplySessionRule(address, flags, targetFrame, postData, headers, cancel);
}

// True when the navigation is decided here. Signed out, the sign-in dialog comes first:
// a post is then handled when somebody signed in there and cancelled otherwise, and
// without posted data the navigation goes ahead. A handled post stays cancelled.
bool CWebHtmlView::HandleMultiDownload(const CString& url, const std::vector<BYTE>& postData, BOOL* cancel) {
    bool signedIn = EnsureSignedIn();
    if (postData.empty()) return !signedIn;
    *cancel = TRUE;
    if (signedIn || IsSignedIn()) PostMultiDownload(m_hWnd, url, postData);
    return true;
}

// After a sign-in made for the link the current page is shown again with the keys.
void CWebHtmlView::HandleBuyLink(BOOL* cancel) {
    if (IsSignedIn()) {
        CString location = GetLocationURL();
        if (NeedsSessionQuery(location)) Navigate2(AddSessionQuery(location));
    }
    *cancel = TRUE;
}

void CWebHtmlView::ApplySessionRule(const CString& url, DWORD flags, LPCTSTR targetFrame,
                                    const std::vector<BYTE>& postData, LPCTSTR headers, BOOL* cancel) {
    if (!NeedsSessionQuery(url)) return;
    *cancel = TRUE;
    std::unique_ptr<NAVIGATE_REQUEST> request(new NAVIGATE_REQUEST);
    request->Url = AddSessionQuery(url);
    request->Flags = flags;
    request->TargetFrame = targetFrame;
    request->PostData = postData;
    request->Headers = headers;
    if (::PostMessageW(m_hWnd, WM_WEB_NAVIGATE, (WPARAM)request.get(), 0)) request.release();
}

void CWebHtmlView::OnCommandStateChange(long command, BOOL enable) {
    if (command != BROWSER_COMMAND_FORWARD && command != BROWSER_COMMAND_BACK) return;
    HWND parent = ::GetParent(m_hWnd);
    if (parent) ::PostMessageW(parent, WM_WEB_COMMAND_STATE, (WPARAM)command, (LPARAM)enable);
}

LRESULT CWebHtmlView::OnWebNavigate(WPARAM wParam, LPARAM) {
    std::unique_ptr<NAVIGATE_REQUEST> request(reinterpret_cast<NAVIGATE_REQUEST*>(wParam));
    if (!request) return 0;
    Navigate2(request->Url, request->Flags, request->TargetFrame, request->Headers,
              request->PostData.empty() ? nullptr : request->PostData.data(), (DWORD)request->PostData.size());
    return 1;
}

LRESULT CWebHtmlView::OnUrlCheckResult(WPARAM wParam, LPARAM) {
    auto* sent = reinterpret_cast<URL_CHECK_RESULT*>(wParam);
    if (!sent || (sent->Ok && sent->Url.IsEmpty())) return 0;  // the thread frees it
    std::unique_ptr<URL_CHECK_RESULT> result(sent);
    if (result->Id != m_lastCheck) return 1;  // a newer check decides the page
    if (result->Ok) {
        Navigate2(result->Url);
        return 1;
    }
    CString path = GetProgramFolder();
    AppendBackslash(path);
    path += L"error.html";
    WriteErrorPage(path, result->Message);
    Navigate2(path);
    return 1;
}
