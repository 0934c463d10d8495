#include "afxhtml.h"

IMPLEMENT_DYNAMIC(CHtmlView, CWnd)

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
ON_MESSAGE(WM_SIZE, OnSizeMessage)
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CHtmlView::~CHtmlView() {
    // The browser's window is a child of the view's: it goes first, with its events.
    if (m_hWnd) DestroyWindow();
}

BOOL CHtmlView::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       CCreateContext*) {
    if (!CWnd::Create(className, windowName, style | WS_CLIPCHILDREN, rect, parent, id)) return FALSE;
    RECT client = {};
    GetClientRect(&client);
    if (m_browser.Create(m_hWnd, client, 1, this)) return TRUE;
    DestroyWindow();
    return FALSE;
}

void AfxBrowserNavigate(CBrowserWindow& browser, LPCTSTR url, DWORD flags, LPCTSTR targetFrame, LPCTSTR headers,
                        LPVOID postData, DWORD postLength) {
    const BYTE* bytes = static_cast<const BYTE*>(postData);
    browser.Navigate(url ? url : L"", flags, targetFrame ? targetFrame : L"", headers ? headers : L"",
                     bytes ? std::vector<BYTE>(bytes, bytes + postLength) : std::vector<BYTE>());
}

void CHtmlView::Navigate2(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, LPCTSTR headers, LPVOID postData,
                          DWORD postLength) {
    AfxBrowserNavigate(m_browser, url, flags, targetFrame, headers, postData, postLength);
}

BOOL CHtmlView::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CHtmlView::OnSizeMessage(WPARAM, LPARAM size) {
    if (m_browser.GetHwnd()) ::MoveWindow(m_browser.GetHwnd(), 0, 0, LOWORD(size), HIWORD(size), TRUE);
    return 0;
}

LRESULT CHtmlView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CHtmlView::BeforeNavigate2(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                                const std::vector<BYTE>& postData, const std::wstring& headers, bool& cancel) {
    BOOL cancelled = FALSE;
    OnBeforeNavigate2(url.c_str(), flags, targetFrame.c_str(), postData, headers.c_str(), &cancelled);
    cancel = cancelled != FALSE;
}
