#include "WebViewFixture.h"

#include "common/WindowMessages.h"
#include "facade/AppFacade.h"
#include "htmlayout.h"

BEGIN_MESSAGE_MAP(HostWindow, FakeMainWindow)
ON_MESSAGE(WM_REFRESH_BALANCE, OnRefreshBalance)
END_MESSAGE_MAP()

void HostWindow::ShowLoginDialog(const CString&) {
    calls.push_back("ShowLoginDialog");
    if (onLoginDialog) onLoginDialog();
}

LRESULT HostWindow::OnRefreshBalance(WPARAM, LPARAM) {
    calls.push_back("RefreshBalance");
    return 0;
}

void ObservedView::OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, const std::vector<BYTE>& postData,
                                     LPCTSTR headers, BOOL* cancel) {
    CWebHtmlView::OnBeforeNavigate2(url, flags, targetFrame, postData, headers, cancel);
    navigations.push_back({url, *cancel != FALSE, postData.size()});
}

WebViewTest::WebViewTest() {
    dialog.host = &host;
    CAppFacade::GetInstance().SetMainDialog(&dialog);
    account.UserName = L"tom";
    account.Sid = L"S9";
    host.CreateEx(0, nullptr, L"main window", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
    frame.CreateEx(0, nullptr, L"web view", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 1024, 753},
                   nullptr, 0);
    view.reset(new ObservedView);
    view->Create(nullptr, L"AnyWindowName1", WS_CHILD | WS_VISIBLE, RECT{0, 0, 1000, 700}, &frame, 0xE901, nullptr);
}

WebViewTest::~WebViewTest() {
    view.reset();
    frame.DestroyWindow();
    host.DestroyWindow();
    CAppFacade::GetInstance().SetCurrentAccount(nullptr, CString());
    PumpWindowMessages();
}

void WebViewTest::SignIn() {
    users.SignIn(L"tom");
    CAppFacade::GetInstance().SetCurrentAccount(&account, L"TOK");
}

void WebViewTest::SignOut() {
    users.SignIn(L"default");
    CAppFacade::GetInstance().SetCurrentAccount(nullptr, CString());
}

bool WebViewTest::WaitForDocuments(size_t count) {
    for (int round = 0; round < 1000 && view->documents.size() < count; ++round) {
        PumpWindowMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT | QS_SENDMESSAGE);
    }
    return view->documents.size() >= count;
}

namespace {

BOOL CALLBACK TakeFirst(HELEMENT he, LPVOID param) {
    *static_cast<HELEMENT*>(param) = he;
    return TRUE;
}

}  // namespace

void WebViewTest::ClickElement(HWND browser, const char* selector) {
    HELEMENT root = nullptr, found = nullptr;
    HTMLayoutGetRootElement(browser, &root);
    HTMLayoutSelectElements(root, selector, &TakeFirst, &found);
    ASSERT_NE(nullptr, found) << selector;
    RECT box = {};
    HTMLayoutGetElementLocation(found, &box, VIEW_RELATIVE | BORDER_BOX);
    LPARAM point = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SendMessageW(browser, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(browser, WM_LBUTTONUP, 0, point);
}
