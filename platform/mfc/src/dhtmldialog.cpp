#include "afxdhtml.h"

IMPLEMENT_DYNAMIC(CDHtmlDialog, CDialog)

BEGIN_MESSAGE_MAP(CDHtmlDialog, CDialog)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kBrowserId = 0xE900;

}  // namespace

CDHtmlDialog::CDHtmlDialog(UINT templateId, UINT htmlResId, CWnd* parent)
    : CDialog(templateId, parent), m_nHtmlResID(htmlResId) {}

BOOL CDHtmlDialog::OnInitDialog() {
    BOOL result = CDialog::OnInitDialog();
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    if (m_browser.Create(m_hWnd, client, kBrowserId, this) && m_nHtmlResID) LoadFromResource(m_nHtmlResID);
    return result;
}

BOOL CDHtmlDialog::LoadFromResource(UINT htmlResId) {
    HMODULE module = GetModuleHandleW(nullptr);
    if (!FindResourceW(module, MAKEINTRESOURCEW(htmlResId), RT_HTML)) return FALSE;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    CString url;
    url.Format(L"res://%s/%u", path, htmlResId);
    Navigate(url);
    return TRUE;
}

void CDHtmlDialog::Navigate(LPCTSTR url, DWORD flags, LPCTSTR targetFrame, LPCTSTR headers, LPVOID postData,
                            DWORD postLength) {
    AfxBrowserNavigate(m_browser, url, flags, targetFrame, headers, postData, postLength);
}

void CDHtmlDialog::OnSize(UINT type, int cx, int cy) {
    Default();
    if (m_browser.GetHwnd()) ::MoveWindow(m_browser.GetHwnd(), 0, 0, cx, cy, TRUE);
}
