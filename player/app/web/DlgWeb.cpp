#include "web/DlgWeb.h"

#include "resource.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "web/SessionQuery.h"
#include "web/WebHtmlView.h"

IMPLEMENT_DYNAMIC(CDlgWeb, CDialog)

BEGIN_MESSAGE_MAP(CDlgWeb, CDialog)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_BN_CLICKED(IDC_BTN_BACK, OnBack)
ON_BN_CLICKED(IDC_BTN_FORE, OnForward)
ON_BN_CLICKED(IDC_BTN_REFRESH, OnRefresh)
ON_BN_CLICKED(IDC_BTN_HOME, OnHome)
ON_MESSAGE(WM_WEB_COMMAND_STATE, OnWebCommandState)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kBackground = 0xDCDCDC;
constexpr int kButtonRow = 24;
constexpr UINT kWebViewId = 0xE901;

}  // namespace

CDlgWeb::CDlgWeb(CWnd* parent) : CDialog(IDD_DLG_WEB, parent) {}

CDlgWeb::~CDlgWeb() {
    try {
        delete m_pWebView;
    } catch (...) {
    }
    m_pWebView = nullptr;
}

void CDlgWeb::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_BTN_BACK, m_btnBack);
    DDX_Control(dx, IDC_BTN_FORE, m_btnFore);
    DDX_Control(dx, IDC_BTN_REFRESH, m_btnRefresh);
    DDX_Control(dx, IDC_BTN_HOME, m_btnHome);
}

CWebHtmlView* CDlgWeb::CreateWebView(CWnd* parent) {
    auto* view = new CWebHtmlView;
    view->Create(nullptr, L"AnyWindowName1", WS_CHILD, RECT{0, 0, 0, 0}, parent, kWebViewId, nullptr);
    view->SendMessage(WM_INITIALUPDATE, 0, 0);
    view->SetSilent(TRUE);  // script errors show no dialog
    view->ShowWindow(SW_SHOW);
    return view;
}

BOOL CDlgWeb::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pWebView = CreateWebView(this);
    ::SetCurrentDirectoryW(GetProgramFolder());
    struct {
        CEngComButton& button;
        LPCWSTR name;  // the images are <name>, <name>_down, <name>_hover, <name>_unable
        LPCWSTR tip;
        int left;
    } buttons[] = {{m_btnBack, L"btn_back", L"后退", 10},
                   {m_btnFore, L"btn_fore", L"前进", 44},
                   {m_btnRefresh, L"btn_refresh", L"刷新", 78},
                   {m_btnHome, L"btn_home", L"主页", 112}};
    CString folder = GetDefaultSkinFolder();
    for (auto& b : buttons) {
        CString name = folder + b.name;
        // Normal, then the hover slot gets _down and the pressed slot _hover.
        b.button.SetStateImages(name + L".png", name + L"_down.png", name + L"_hover.png", name + L"_unable.png");
        b.button.SizeToImage();
        b.button.SetParentBackground();
    }
    for (auto& b : buttons) b.button.MoveWindow(b.left, 0, kButtonRow, kButtonRow, TRUE);
    m_toolTip.Create(this, 0);
    for (auto& b : buttons) m_toolTip.AddTool(&b.button, b.tip);
    return FALSE;
}

BOOL CDlgWeb::PreTranslateMessage(MSG* msg) {
    if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

void CDlgWeb::OnSize(UINT type, int cx, int cy) {
    Default();
    if (!m_pWebView || !m_pWebView->GetSafeHwnd()) return;
    RECT client = {};
    GetClientRect(&client);
    int top = client.top + kButtonRow;
    m_pWebView->MoveWindow(client.left, top, client.right - client.left, client.bottom - top, TRUE);
}

BOOL CDlgWeb::OnEraseBkgnd(CDC* dc) {
    RECT client = {};
    GetClientRect(&client);
    dc->FillSolidRect(&client, kBackground);
    return TRUE;
}

void CDlgWeb::OnBack() {
    if (m_pWebView) m_pWebView->GoBack();
}

void CDlgWeb::OnForward() {
    if (m_pWebView) m_pWebView->GoForward();
}

void CDlgWeb::OnRefresh() {
    if (m_pWebView) m_pWebView->Refresh();
}

void CDlgWeb::OnHome() { CWebHtmlView::CheckAndNavigate(m_pWebView, GetServiceHomePage()); }

LRESULT CDlgWeb::OnWebCommandState(WPARAM command, LPARAM enable) {
    CEngComButton* button = command == BROWSER_COMMAND_FORWARD ? &m_btnFore
                            : command == BROWSER_COMMAND_BACK  ? &m_btnBack
                                                               : nullptr;
    if (button) button->EnableWindow(enable != 0);
    return 0;
}
