#include "element/ElementTimeSlider.h"

#include <afxwin.h>

#include "common/CommonHelpers.h"
#include "ctrl/BaseCtrlManager.h"
#include "facade/AppFacade.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {

// Pixels added to the unfilled width at the values 1 to 100.
const signed char kOffsetCorrection[100] = {
    -1, -2, -1, -1, -1, -1, 0, -1, 0, 0,  // 1-10
    -1, 0,  0,  0,  0,  0,  0, 0,  0, 0,  // 11-20
    0,  0,  0,  0,  1,  0,  1, 0,  1, 1,  // 21-30
    0,  1,  1,  1,  1,  2,  1, 2,  2, 2,  // 31-40
    2,  2,  2,  2,  3,  2,  3, 3,  3, 3,  // 41-50
    3,  3,  3,  4,  3,  4,  4, 4,  4, 5,  // 51-60
    4,  4,  5,  4,  5,  5,  5, 5,  6, 5,  // 61-70
    5,  6,  5,  6,  6,  6,  6, 6,  6, 7,  // 71-80
    6,  6,  7,  6,  7,  7,  7, 7,  8, 7,  // 81-90
    7,  8,  7,  8,  8,  8,  8, 9,  8, 9,  // 91-100
};

// The unfilled width at the value, or false when the range is empty.
bool UnfilledWidth(int width, int value, int min, int max, int& offset) {
    if (max == min) return false;
    offset = width - (int)((double)(value - min) * width / (max - min));
    if (value >= 1 && value <= 100) offset += kOffsetCorrection[value - 1];
    return true;
}

}  // namespace

void CElementTimeSlider::Refresh() {
    if (m_pManager) m_pManager->SetElementAttribute(m_strId, "max", IntToCString(PROGRESS_SCALE));
}

void CElementTimeSlider::UpdateProgress() {
    if (!m_pManager) return;
    CString widthText = m_pManager->GetElementStyle(m_strId, "width");
    if (widthText.IsEmpty()) return;
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    if (!dialog) return;
    IMainWindowView* main = dialog->GetMainWindow();
    m_pDlgPlay = main ? main->GetDlgPlay() : nullptr;

    int value = m_pManager->GetElementValue(m_strId);
    int offset = 0;
    if (UnfilledWidth(_wtoi(widthText), value, m_pManager->GetElementMin(m_strId), m_pManager->GetElementMax(m_strId),
                      offset)) {
        CString style;
        style.Format(L"%dpx;", offset);
        m_pManager->SetElementStyle(m_strId, "foreground-offset-right", style);
    }
    // At the end of the scale the play dialog moves on to the next file itself.
    if (m_pDlgPlay) m_pDlgPlay->SeekToProgress(value);
}
