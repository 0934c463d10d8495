#include "NotPlayingWnd.h"

#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "gdiplus/SkinGraphics.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"

namespace {

const SIZE kPlayLatestSize = {232, 40};
const SIZE kDownloadOtherSize = {186, 38};

CString SkinImage(LPCWSTR name) { return GetDefaultSkinFolder() + name; }


}  // namespace

BEGIN_MESSAGE_MAP(CNotPlayingWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_COMMAND(CNotPlayingWnd::ID_PLAY_LATEST, OnPlayLatest)
ON_COMMAND(CNotPlayingWnd::ID_DOWNLOAD_OTHER, OnDownloadOther)
END_MESSAGE_MAP()

CNotPlayingWnd::CNotPlayingWnd() {
    m_logo = LoadSkinImage(GetProgramFolder() + SkinImage(L"player-logo.png"));
}

CNotPlayingWnd::~CNotPlayingWnd() {
    m_playLatest.DestroyWindow();
    m_downloadOther.DestroyWindow();
    DestroyWindow();
}

POINT CNotPlayingWnd::Anchor() const {
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    int logoWidth = m_logo ? (int)m_logo->GetWidth() : 0;
    return {(client.right - logoWidth) / 2, (int)(client.bottom * 0.27)};
}

int CNotPlayingWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    RECT first = {0, 0, kPlayLatestSize.cx, kPlayLatestSize.cy};
    RECT second = {0, 0, kDownloadOtherSize.cx, kDownloadOtherSize.cy};
    m_playLatest.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, first, this, ID_PLAY_LATEST);
    m_downloadOther.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, second, this, ID_DOWNLOAD_OTHER);
    m_playLatest.SetParentBackground();
    m_downloadOther.SetParentBackground();
    // The button images are named relative to the program folder.
    SetCurrentDirectoryW(GetProgramFolder());
    m_playLatest.SetStateImages(SkinImage(L"btn-play-latest.png"), SkinImage(L"btn-play-latest-hover.png"),
                                SkinImage(L"btn-play-latest-down.png"), SkinImage(L"btn-play-latest-unable.png"));
    m_downloadOther.SetStateImages(SkinImage(L"btn-downother.png"), SkinImage(L"btn-downother-hover.png"),
                                   SkinImage(L"btn-downother-down.png"), SkinImage(L"btn-downother-unable.png"));
    return 0;
}

void CNotPlayingWnd::OnSize(UINT type, int width, int height) {
    CWnd::OnSize(type, width, height);
    POINT at = Anchor();
    if (m_playLatest.GetSafeHwnd())
        m_playLatest.SetWindowPos(nullptr, at.x + 5, at.y + 195, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (m_downloadOther.GetSafeHwnd())
        m_downloadOther.SetWindowPos(nullptr, at.x + 22, at.y + 252, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL CNotPlayingWnd::OnEraseBkgnd(CDC* dc) {
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    HDC hdc = dc->GetSafeHdc();
    FillRect(hdc, &client, (HBRUSH)GetStockObject(BLACK_BRUSH));
    if (!m_logo) return TRUE;
    POINT at = Anchor();
    Gdiplus::Graphics graphics(hdc);
    graphics.DrawImage(m_logo.get(), at.x, at.y, (INT)m_logo->GetWidth(), (INT)m_logo->GetHeight());
    std::unique_ptr<Gdiplus::Font> font = MakeSkinFont(L"SimSun", 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
    graphics.DrawString(L"您要：", -1, font.get(), Gdiplus::PointF((Gdiplus::REAL)at.x + 5, (Gdiplus::REAL)at.y + 170),
                        &white);
    return TRUE;
}

void CNotPlayingWnd::OnPlayLatest() {
    if (CAppFacade::GetInstance().GetLastPlayedPath().IsEmpty())
        ::MessageBoxW(m_hWnd, L"播放列表为空，请先添加视频再播放", L"Zemovista", MB_OK);
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    if (IMainWindowView* main = dialog ? dialog->GetMainWindow() : nullptr) main->PlayLastPlayed();
}

void CNotPlayingWnd::OnDownloadOther() {
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    IMainWindowView* main = dialog ? dialog->GetMainWindow() : nullptr;
    if (!main) return;
    if (CAppFacade::GetInstance().IsFullScreen()) main->ToggleFullScreen();
    main->OpenTabPage(1);
}
