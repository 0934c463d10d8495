#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlHost.h"
#include "DialogDriver.h"
#include "common/PageOpener.h"
#include "dialog/DialogSteps.h"
#include "dialog/DlgAbout.h"
#include "dialog/DpiScaler.h"
#include "resource.h"

namespace {

// Records the pages opened while it lives instead of opening them.
class RecordedOpener {
public:
    RecordedOpener() {
        m_previous = SetPageOpener([this](const CString& file, const CString& parameters) {
            calls.push_back(std::wstring(file.GetString()) + L" " + parameters.GetString());
        });
    }
    ~RecordedOpener() { SetPageOpener(m_previous); }
    std::vector<std::wstring> calls;

private:
    PageOpener m_previous;
};

// The DPI the dialog's scaler reads while it lives.
class PresetDpiScope {
public:
    explicit PresetDpiScope(int dpi) { CDpiScaler::PresetDpi(dpi, dpi); }
    ~PresetDpiScope() { CDpiScaler::PresetDpi(0, 0); }
};

TEST(DlgAboutTest, LinksAreHitWhereTheyAreDrawnAtEachDpi) {
    GdiplusScope gdiplus;
    const struct {
        int dpi;
        int x, y;
        int link;
    } hits[] = {
        {96, 92, 108, 1},   {96, 212, 124, 1},  {96, 213, 116, 0}, {96, 100, 127, 0}, {96, 150, 130, 2},
        {96, 222, 145, 2},  {96, 100, 160, 3},  {96, 193, 160, 0}, {96, 91, 110, 0},  {96, 100, 167, 0},
        {120, 115, 135, 1}, {120, 100, 120, 0}, {120, 265, 155, 1}, {120, 267, 155, 0}, {120, 140, 165, 2}, {120, 230, 200, 3},
        {120, 100, 108, 0},
    };
    for (int dpi : {96, 120}) {
        PresetDpiScope preset(dpi);
        CDlgAbout dialog;
        for (const auto& hit : hits)
            if (hit.dpi == dpi) EXPECT_EQ(hit.link, dialog.HitTestLink(CPoint(hit.x, hit.y))) << dpi << " " << hit.x << "," << hit.y;
    }
}

TEST(DlgAboutRealPointerTest, ClickedLinksGoToTheOpenerWithAHandOverThem) {
    GdiplusScope gdiplus;
    RecordedOpener opener;
    CDlgAbout dialog;
    CDialogDriver driver;
    HCURSOR overLink = nullptr, elsewhere = nullptr;
    const CPoint points[] = {{120, 116}, {120, 137}, {120, 158}, {60, 60}};
    for (const CPoint& point : points) {
        driver.Then([&, point](CDialog& d) {
                  CPoint screen = point;
                  d.ClientToScreen(&screen);
                  MovePointer(screen);
              })
            .Then([&, point](CDialog& d) {
                CURSORINFO info = {sizeof(info)};
                GetCursorInfo(&info);
                (dialog.HitTestLink(point) ? overLink : elsewhere) = info.hCursor;
                PressLeft(true);
            })
            .Then([](CDialog&) { PressLeft(false); });
    }
    driver.Then([](CDialog& d) { CDialogDriver::Click(d, IDOK); });
    EXPECT_EQ(IDOK, driver.RunModal(dialog));
    EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), overLink);
    EXPECT_NE(LoadCursor(nullptr, IDC_HAND), elsewhere);
    const std::wstring browser = CDlgAbout::BROWSER;
    EXPECT_EQ((std::vector<std::wstring>{browser + L" " + CDlgAbout::WEB_SITE, browser + L" " + CDlgAbout::SOCIAL_PAGE,
                                         std::wstring(L"mailto:") + CDlgAbout::SUPPORT_MAIL + L" "}),
              opener.calls);
}

TEST(DlgAboutTest, ShowsLogoVersionDescriptionAndLinks) {
    GdiplusScope gdiplus;
    CDlgAbout dialog;
    CDialogDriver driver;
    driver.Then([&](CDialog& d) {
        CString description;
        d.GetDlgItemText(IDC_EDIT_DESCRIPTION, description);
        EXPECT_FALSE(description.IsEmpty());
        EXPECT_STREQ(CString(description).Trim(), description) << "trimmed";
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d.m_hWnd, IDCANCEL)));
        WindowCapture shot = KeepScreenshot(d, L"dialog-about");
        // Black version digits right of (92, 88), blue underlined links, the white description.
        EXPECT_TRUE(HasColorNear(shot, CRect(92, 88, 140, 102), RGB(0, 0, 0), 60));
        EXPECT_TRUE(HasColorNear(shot, CRect(92, 108, 213, 125), RGB(0x13, 0x38, 0x7E), 40));
        CRect edit = ControlRect(d, IDC_EDIT_DESCRIPTION);
        EXPECT_TRUE(IsNear(shot.Pixel(edit.right - 20, edit.bottom - 3), RGB(255, 255, 255), 2));
        CDialogDriver::Click(d, IDC_BTN_CLOSE);
    });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

}  // namespace
