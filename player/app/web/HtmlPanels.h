// The HTML panels: DHTML dialogs that each show one page file of the program folder
// in place of their HTML resource.
#pragma once

#include <afxdhtml.h>

// A panel with its page file and the colour behind the page.
class CHtmlPanel : public CDHtmlDialog {
public:
    CHtmlPanel(UINT templateId, UINT htmlResId, CWnd* parent, LPCWSTR pageFile, COLORREF background);

    // The page's path in the program folder.
    CString GetPagePath() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange*) override {}

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    LPCWSTR m_pageFile;
    COLORREF m_background;
};

// The main dialog's left panel.
class CDlgLeftAD : public CHtmlPanel {
public:
    explicit CDlgLeftAD(CWnd* parent = nullptr);
};

// The panel over a paused video; it hands the keyboard shortcuts to the facade first.
class CDlgMiddleAD : public CHtmlPanel {
public:
    explicit CDlgMiddleAD(CWnd* parent = nullptr);
    BOOL PreTranslateMessage(MSG* msg) override;
};

// The main dialog's scrolling strip: the page shows no context menu.
class CDlgHtmlScrollingPanel : public CHtmlPanel {
public:
    explicit CDlgHtmlScrollingPanel(CWnd* parent = nullptr);

protected:
    HRESULT ShowContextMenu(POINT) override { return S_OK; }
};
