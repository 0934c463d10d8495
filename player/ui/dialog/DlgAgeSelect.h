// Asks, after a sign-in the service flags, whether the user is under twelve and then
// for a parent's e-mail address; the answer goes to the sign-in session.
#pragma once

#include "dialog/DlgBase.h"

class CLoginSession;

class CDlgAgeSelect : public CDlgBase {
public:
    CDlgAgeSelect(CLoginSession* session, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void LayOutControls() override;
    void DrawContent(Gdiplus::Graphics&) override {}
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The e-mail field is for the under-twelve choice only.
    void EnableMailField();

    CLoginSession* m_pSession;  // not owned
};
