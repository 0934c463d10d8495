#include "MainWndFixture.h"

#include "PageOpener.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"

namespace {

WNDPROC g_dialogProc = nullptr;
bool g_letMove = false;

std::string Utf8(const CString& text) {
    std::string out;
    WideToUtf8(text, true, out);
    return out;
}

LRESULT CALLBACK RecordingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND || message == WM_NCLBUTTONDOWN || message == WM_CLOSE) {
        const char* name = message == WM_SYSCOMMAND ? "WM_SYSCOMMAND" : message == WM_CLOSE ? "WM_CLOSE" : "WM_NCLBUTTONDOWN";
        MainWndTest::DialogMessages().push_back(std::string(name) + " " + std::to_string((unsigned)wParam));
        if (!g_letMove || message == WM_CLOSE) return 0;
    }
    return CallWindowProcW(g_dialogProc, hwnd, message, wParam, lParam);
}

void RecordOpened(LPCWSTR program, const CString& address) {
    OpenedPages().push_back((program ? Utf8(program) : std::string("-")) + " " + Utf8(address));
}

}  // namespace

std::vector<std::string>& MainWndTest::DialogMessages() {
    static std::vector<std::string> seen;
    return seen;
}

std::vector<std::string>& OpenedPages() {
    static std::vector<std::string> opened;
    return opened;
}

void MainWndTest::RecordDialogMessages(bool letMove) {
    g_letMove = letMove;
    DialogMessages().clear();
    g_dialogProc = (WNDPROC)SetWindowLongPtrW(DialogHwnd(), GWLP_WNDPROC, (LONG_PTR)&RecordingDialogProc);
}

CMainWnd& TheMainWnd() {
    static CMainWnd* window = new CMainWnd;  // outlives every test; never destroyed
    return *window;
}

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!TheMainWnd().GetSafeHwnd() || !TheMainWnd().PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void MainWndTest::SetUp() {
    config = std::make_unique<ServiceConfigFile>(service.ConfigText() + ExtraConfig());
    windowSettings.Window().AutoLogin = false;
    windowSettings.Window().MaximizeWindow = false;
    windowSettings.Window().WindowShowType = 2;
    windowSettings.Playback().Mute = false;
    windowSettings.Playback().Volume = 50;
    windowSettings.Playback().PlayOrder = 0;
    CAppFacade::GetInstance().ClearPlayList(false);
    CAppFacade::GetInstance().SetPlayState(PLAY_STATE_NONE);
    CAppFacade::GetInstance().SetFullScreen(false);
    windows.mainWindow = &TheMainWnd();
    ASSERT_TRUE(skin.LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml"));
    SetAppSkinManager(&skin);
    CMainWnd::SetPlayDialogMaker([](CWnd*) -> IPlayDialogView* { return &FakeWindows::Current().dlgPlay; });
    OpenedPages().clear();
    SetPageOpener(&RecordOpened);
}

void MainWndTest::TearDown() {
    if (Wnd().GetSafeHwnd()) Wnd().DestroyWindow();
    if (g_dialogProc && DialogHwnd()) SetWindowLongPtrW(DialogHwnd(), GWLP_WNDPROC, (LONG_PTR)g_dialogProc);
    g_dialogProc = nullptr;
    if (DialogHwnd()) windows.dialog.DestroyWindow();
    PumpFor(20);
    CMainWnd::SetPlayDialogMaker(nullptr);
    SetPageOpener(nullptr);
    SetAppSkinManager(nullptr);
    CAppFacade::GetInstance().SetCurrentAccount(nullptr, CString());
    CAppFacade::GetInstance().SetFullScreen(false);
    config.reset();
}

void MainWndTest::Open(int width, int height, const RECT* storedRect) {
    RECT r = {kDialogAt.x, kDialogAt.y, kDialogAt.x + width, kDialogAt.y + height};
    const RECT& s = storedRect ? *storedRect : r;
    CAllConfig& stored = CUserConfig::GetInstance().GetAllConfig();
    stored.WindowLeft = s.left;
    stored.WindowTop = s.top;
    stored.WindowRight = s.right;
    stored.WindowBottom = s.bottom;
    ASSERT_TRUE(windows.dialog.CreateEx(WS_EX_TOPMOST, nullptr, L"main dialog",
                                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, r, nullptr, 0));
    Wnd().SetViewKind(1);
    RECT client = {0, 0, width, height};
    ASSERT_TRUE(Wnd().Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, &windows.dialog, 1));
    PumpFor(50);
}

void MainWndTest::FollowDialog() {
    RECT client = {};
    ::GetClientRect(DialogHwnd(), &client);
    Wnd().MoveWindow(0, 0, client.right, client.bottom, TRUE);
    HTMLayoutUpdateWindow(Wnd().m_hWnd);
    PumpFor(30);
}

RECT MainWndTest::DialogRect() {
    RECT r = {};
    ::GetWindowRect(DialogHwnd(), &r);
    return r;
}

void MainWndTest::ClickAt(POINT p) {
    LPARAM at = MAKELPARAM(p.x, p.y);
    Wnd().PostMessage(WM_MOUSEMOVE, 0, at);
    Wnd().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Wnd().PostMessage(WM_LBUTTONUP, 0, at);
    PumpFor(40);
}

void MainWndTest::ClickElement(LPCWSTR id) {
    RECT box = ElementRect(id);
    ASSERT_GT(box.right, box.left) << CStringA(id).GetString();
    ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
}

bool MainWndTest::Called(const std::string& call) const {
    return std::find(windows.calls.begin(), windows.calls.end(), call) != windows.calls.end();
}

int MainWndTest::CountCalls(const std::string& call) const {
    return (int)std::count(windows.calls.begin(), windows.calls.end(), call);
}
