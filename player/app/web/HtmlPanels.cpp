#include "web/HtmlPanels.h"

#include "resource.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"

namespace {

// The panels' own page ids; only the placeholder page exists as a resource.
constexpr UINT IDR_HTML_DLGLEFTAD = 108;
constexpr UINT IDR_HTML_DLGMIDDLEAD = 110;

}  // namespace

BEGIN_MESSAGE_MAP(CHtmlPanel, CDHtmlDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHtmlPanel::CHtmlPanel(UINT templateId, UINT htmlResId, CWnd* parent, LPCWSTR pageFile, COLORREF background)
    : CDHtmlDialog(templateId, htmlResId, parent), m_pageFile(pageFile), m_background(background) {}

CString CHtmlPanel::GetPagePath() const {
    CString path = GetProgramFolder();
    AppendBackslash(path);
    return path + m_pageFile;
}

BOOL CHtmlPanel::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    Navigate(GetPagePath());
    return TRUE;
}

BOOL CHtmlPanel::OnEraseBkgnd(CDC* dc) {
    RECT client = {};
    GetClientRect(&client);
    dc->FillSolidRect(&client, m_background);
    return TRUE;
}

CDlgLeftAD::CDlgLeftAD(CWnd* parent)
    : CHtmlPanel(IDD_DLG_LEFTAD, IDR_HTML_DLGLEFTAD, parent, L"DlgLeftAD.htm", 0xFFFFFF) {}

CDlgMiddleAD::CDlgMiddleAD(CWnd* parent)
    : CHtmlPanel(IDD_DLG_MIDDLEAD, IDR_HTML_DLGMIDDLEAD, parent, L"DlgMiddleAD.htm", 0xFFFFFF) {}

BOOL CDlgMiddleAD::PreTranslateMessage(MSG* msg) {
    if (CAppFacade::GetInstance().HandleHotKey(msg) == 1) return TRUE;
    return CHtmlPanel::PreTranslateMessage(msg);
}

CDlgHtmlScrollingPanel::CDlgHtmlScrollingPanel(CWnd* parent)
    : CHtmlPanel(IDD_DLG_SCROLLINGPANEL, IDR_HTML_PANEL, parent, L"ScrollingAD.htm", 0x323232) {}
