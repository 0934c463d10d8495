#include <gtest/gtest.h>

#include "ControlHost.h"
#include "DialogDriver.h"
#include "dialog/DialogSteps.h"
#include "dialog/DlgDeleteConfirm.h"
#include "resource.h"

namespace {

struct DeleteCase {
    bool fileOption;
    bool clearBox;  // the user clears the check box before OK
    bool boxVisible;
    bool deleteFile;
};

TEST(DlgDeleteConfirmTest, TheFileOptionDecidesWhatOkReports) {
    GdiplusScope gdiplus;
    const DeleteCase cases[] = {
        {true, false, true, true},
        {true, true, true, false},
        {false, false, false, false},
    };
    for (const DeleteCase& c : cases) {
        CDlgDeleteConfirm dialog(c.fileOption);
        CDialogDriver driver;
        int questionTop = 0;
        driver
            .Then([&](CDialog& d) {
                EXPECT_EQ(c.boxVisible, ::IsWindowVisible(::GetDlgItem(d.m_hWnd, IDC_CHECK_DELETE_FILE)) != FALSE);
                if (c.fileOption) {
                    EXPECT_EQ((UINT)BST_CHECKED, d.IsDlgButtonChecked(IDC_CHECK_DELETE_FILE)) << "starts checked";
                }
                questionTop = ControlRect(d, -1).top;
                if (c.clearBox) CDialogDriver::Click(d, IDC_CHECK_DELETE_FILE);
            })
            .Then([](CDialog& d) { CDialogDriver::Click(d, IDOK); });
        EXPECT_EQ(IDOK, driver.RunModal(dialog)) << c.fileOption << c.clearBox;
        EXPECT_EQ(c.deleteFile, dialog.m_bDeleteFile) << c.fileOption << c.clearBox;
        // Without the option the question moves down into the box's room.
        EXPECT_EQ(c.fileOption ? 52 : 67, questionTop) << c.fileOption;
    }
}

TEST(DlgDeleteConfirmTest, TheCloseButtonCancelsAndTheFrameIsDrawn) {
    GdiplusScope gdiplus;
    CDlgDeleteConfirm dialog(true);
    CDialogDriver driver;
    driver
        .Then([&](CDialog& d) {
            CRect client;
            d.GetClientRect(&client);
            CRect close = ControlRect(d, IDC_BTN_CLOSE);
            EXPECT_EQ(CRect(client.right - 37, 3, client.right - 3, 24), close);
            // The grey statics and the frame's corners come from the skin.
            WindowCapture shot = KeepScreenshot(d, L"dialog-delete-confirm");
            CRect question = ControlRect(d, -1);
            EXPECT_TRUE(HasColorNear(shot, CRect(question.right - 4, question.top, question.right, question.bottom),
                                     RGB(205, 205, 205), 2));
            EXPECT_FALSE(IsNear(shot.Pixel(client.Width() / 2, client.Height() / 2), RGB(0, 0, 0), 10));
            // No unpainted seam where the frame's parts meet.
            for (int x : {CDlgBase::TITLE_BAND - 1, CDlgBase::TITLE_BAND, client.Width() - CDlgBase::TITLE_BAND})
                for (int y : {5, client.Height() / 2, client.Height() - 3})
                    EXPECT_FALSE(IsNear(shot.Pixel(x, y), RGB(0, 0, 0), 10)) << x << "," << y;
        })
        .Then([](CDialog& d) { CDialogDriver::Click(d, IDC_BTN_CLOSE); });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

// Pressing in the title band drags the dialog; a press lower in it does not.
TEST(DlgDeleteConfirmRealPointerTest, OnlyTheTitleBandDragsTheDialog) {
    GdiplusScope gdiplus;
    const struct {
        int y;
        bool moves;
    } presses[] = {{12, true}, {40, false}};
    for (const auto& press : presses) {
        CDlgDeleteConfirm dialog(false);
        CDialogDriver driver;
        CRect before, after;
        CPoint start;
        driver.Then([&](CDialog& d) {
                  d.GetWindowRect(&before);
                  start = CPoint(150, press.y);
                  d.ClientToScreen(&start);
                  MovePointer(start);
              })
            .Then([](CDialog&) { PressLeft(true); })
            .Then([&](CDialog&) { MovePointer(CPoint(start.x + 20, start.y + 10)); })
            .Then([&](CDialog&) { MovePointer(CPoint(start.x + 40, start.y + 30)); })
            .Then([](CDialog&) { PressLeft(false); })
            .Then([&](CDialog& d) {
                d.GetWindowRect(&after);
                CDialogDriver::Click(d, IDCANCEL);
            });
        EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
        if (press.moves) {
            EXPECT_EQ(before.left + 40, after.left) << press.y;
            EXPECT_EQ(before.top + 30, after.top) << press.y;
        } else {
            EXPECT_EQ(before, after) << press.y;
        }
    }
}

}  // namespace
