#include "DlgVideoProgress.h"

#include <afxgdi.h>

#include "SkinImages.h"
#include "common/WindowMessages.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "gdiplus/SkinGraphics.h"
#include "resource.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {
const Gdiplus::RectF kTitleRect(10, 6, 358, 13);
const Gdiplus::RectF kElapsedRect(11, 29, 55, 15);
const Gdiplus::RectF kTotalRect(314, 29, 55, 15);
const int kLargestTimeFont = 9;
}  // namespace

int FitTimeFontSize(Gdiplus::Graphics& graphics, const CString& text, Gdiplus::REAL width) {
    for (int size = kLargestTimeFont; size > 1; --size) {
        auto font = MakeSkinFont(L"SimSun", (Gdiplus::REAL)size, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
        Gdiplus::RectF bounds;
        graphics.MeasureString(text, text.GetLength(), font.get(), Gdiplus::PointF(0, 0), &bounds);
        if (bounds.Width <= width) return size;
    }
    return 1;
}

BEGIN_MESSAGE_MAP(CDlgVideoProgress, CDialog)
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SLIDER_JUMPED, OnSliderSeek)
ON_MESSAGE(WM_SLIDER_MOVING, OnSliderSeek)
END_MESSAGE_MAP()

CDlgVideoProgress::CDlgVideoProgress() : CDialog(IDD_DLG_VIDEOPROGRESS) {}

CDlgVideoProgress::~CDlgVideoProgress() = default;

BOOL CDlgVideoProgress::Create(CWnd* parent) { return CDialog::Create(IDD_DLG_VIDEOPROGRESS, parent); }

void CDlgVideoProgress::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_SLIDER, m_slider); }

BOOL CDlgVideoProgress::OnInitDialog() {
    CDialog::OnInitDialog();
    m_background = LoadSkinImage(SkinImage(L"window-bg.png"));
    m_handle = LoadSkinImage(SkinImage(L"handle-bg.png"));
    m_leftTime = LoadSkinImage(SkinImage(L"seeker-time-left.png"));
    m_rightTime = LoadSkinImage(SkinImage(L"seeker-time-right.png"));
    m_slider.MoveWindow(71, 28, 238, 18);
    m_slider.SetFitMode(true);
    m_slider.SetBackground(L"", 0xFF096DAF);
    m_slider.SetMarginLeft(2);
    m_slider.SetChannelImages(SkinImage(L"seeker-after.png"), SkinImage(L"seeker-before.png"));
    m_slider.SetThumbImages(SkinImage(L"btn-seeker.png"), SkinImage(L"btn-seeker-hover.png"),
                            SkinImage(L"btn-seeker-down.png"));
    m_slider.SetDrawFocusRect(false);
    m_slider.SetRange(0, PROGRESS_SCALE);
    return TRUE;
}

void CDlgVideoProgress::SetTitleText(const CString& text) {
    m_strTitle = text;
    if (m_hWnd) InvalidateRect(&m_rcTitle, TRUE);
}

void CDlgVideoProgress::SetElapsedText(const CString& text) {
    m_strElapsed = text;
    if (m_hWnd) InvalidateRect(&m_rcElapsed, TRUE);
}

void CDlgVideoProgress::SetTotalText(const CString& text) {
    m_strTotal = text;
    if (m_hWnd) InvalidateRect(&m_rcTotal, TRUE);
}

void CDlgVideoProgress::SetProgress(int position, bool seek) {
    m_slider.SetPos(position);
    CAppFacade& facade = CAppFacade::GetInstance();
    if (position == PROGRESS_SCALE) {
        bool applyOrder = true;
        facade.Broadcast(CMD_PLAY_NEXT, &applyOrder);
        return;
    }
    if (!seek) return;
    IMainWindowView* main = facade.GetMainWnd();
    if (IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr) play->SeekToProgress(position);
}

void CDlgVideoProgress::EnableSlider(bool enabled) {
    if (!enabled && m_slider.GetSafeHwnd() && ::GetCapture() == m_slider.GetSafeHwnd()) ::ReleaseCapture();
    m_slider.EnableSlider(enabled);
    if (m_slider.GetSafeHwnd()) m_slider.Invalidate();
}

LRESULT CDlgVideoProgress::OnSliderSeek(WPARAM, LPARAM) {
    SetProgress(m_slider.GetPos(), true);
    return 1;
}

BOOL CDlgVideoProgress::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    Gdiplus::Bitmap offscreen(client.Width(), client.Height(), PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&offscreen);
        Paint(graphics, client.Width(), client.Height());
    }
    Gdiplus::Graphics screen(dc->GetSafeHdc());
    screen.DrawImage(&offscreen, 0, 0);
    return TRUE;
}

void CDlgVideoProgress::Paint(Gdiplus::Graphics& graphics, int width, int height) {
    if (m_background)
        DrawImagePart(graphics, *m_background, Gdiplus::Rect(0, 0, width, height), Gdiplus::Rect(5, 42, 1, height));
    if (m_handle) graphics.DrawImage(m_handle.get(), 0, 0, width, height);
    if (m_leftTime) graphics.DrawImage(m_leftTime.get(), kElapsedRect);
    if (m_rightTime) graphics.DrawImage(m_rightTime.get(), kTotalRect);

    auto titleFont = MakeSkinFont(L"SimSun", 10, Gdiplus::FontStyleBold, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
    graphics.DrawString(m_strTitle, m_strTitle.GetLength(), titleFont.get(), kTitleRect, &centred, &black);

    int size = FitTimeFontSize(graphics, m_strElapsed, kElapsedRect.Width);
    auto timeFont = MakeSkinFont(L"SimSun", (Gdiplus::REAL)size, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    graphics.DrawString(m_strElapsed, m_strElapsed.GetLength(), timeFont.get(),
                        Gdiplus::PointF(kElapsedRect.X + 2, kElapsedRect.Y + 1), &white);
    graphics.DrawString(m_strTotal, m_strTotal.GetLength(), timeFont.get(),
                        Gdiplus::PointF(kTotalRect.X + 2, kTotalRect.Y + 1), &white);
}
