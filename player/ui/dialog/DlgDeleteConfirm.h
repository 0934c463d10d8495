// Asks whether a download record is to be deleted and, with the file option, whether
// its video file goes too.
#pragma once

#include "dialog/DlgBase.h"

class CDlgDeleteConfirm : public CDlgBase {
public:
    explicit CDlgDeleteConfirm(bool showFileOption, CWnd* parent = nullptr);

    // After IDOK: the video file is to be deleted too (always false without the option).
    bool m_bDeleteFile = true;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void LayOutControls() override;
    void DrawContent(Gdiplus::Graphics&) override {}

private:
    bool m_bShowFileOption;
};
