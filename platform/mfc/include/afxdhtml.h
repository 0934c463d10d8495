// The class library's DHTML dialog: a dialog from its template whose client area the
// embedded browser fills. It starts with its HTML resource (RT_HTML, of the program)
// when that resource exists; the dialog may navigate anywhere afterwards.
#pragma once

#include "afxdialog.h"

#include "afxhtml.h"

class CDHtmlDialog : public CDialog, private IBrowserEvents {
    DECLARE_DYNAMIC(CDHtmlDialog)
public:
    CDHtmlDialog(UINT templateId, UINT htmlResId = 0, CWnd* parent = nullptr);

    void Navigate(LPCTSTR url, DWORD flags = 0, LPCTSTR targetFrame = nullptr, LPCTSTR headers = nullptr,
                  LPVOID postData = nullptr, DWORD postLength = 0);
    // Shows the program's HTML resource; FALSE when there is no such resource.
    BOOL LoadFromResource(UINT htmlResId);
    CString GetCurrentUrl() const { return m_browser.GetLocationURL().c_str(); }
    CBrowserWindow& GetBrowser() { return m_browser; }

    UINT m_nHtmlResID;

protected:
    // The dialog's default, then the browser over the client area with the resource page.
    BOOL OnInitDialog() override;
    // A right click in the page: S_OK when the dialog handled it (the browser shows no
    // menu), S_FALSE for the browser's own menu.
    virtual HRESULT ShowContextMenu(POINT screen) { return S_FALSE; }
    virtual void OnDocumentComplete(LPCTSTR url) {}

    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void DocumentComplete(const std::wstring& url) override { OnDocumentComplete(url.c_str()); }
    bool ShowContextMenu(POINT screen, HELEMENT) override { return ShowContextMenu(screen) == S_OK; }

    CBrowserWindow m_browser;
};
