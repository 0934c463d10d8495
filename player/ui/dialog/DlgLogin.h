// The sign-in dialog: a user name (the remembered accounts offered in a list), the
// password, the coupled remember and automatic sign-in boxes. OK signs in through the
// session; an incomplete input or a refused sign-in shows as red text and the dialog
// stays open.
#pragma once

#include "dialog/DlgBase.h"

class CLoginSession;

class CDlgLogin : public CDlgBase {
public:
    CDlgLogin(CLoginSession* session, CWnd* parent = nullptr);

    // Before DoModal: only this user name is offered, with the list disabled.
    void SetFixedAccount(const CString& userName) { m_strFixedUser = userName; }
    // Selects the list entry of exactly that name, when there is one, and shows its account.
    void SelectUser(const CString& userName);
    // The check boxes and the password field from the cached account of the name.
    void ShowAccount(const CString& userName);

    const CString& GetErrorText() const { return m_strError; }
    BOOL PreTranslateMessage(MSG* msg) override;

    static const int ERROR_X = 35, ERROR_Y = 168;

protected:
    BOOL OnInitDialog() override;
    void LayOutControls() override;
    void DrawContent(Gdiplus::Graphics& graphics) override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The error text for the input; empty when it is complete.
    bool Validate(const CString& userName, const CString& password);
    void OnCommand(int id, int code);

    CLoginSession* m_pSession;  // not owned
    bool m_bPasswordEdited = false;
    bool m_bShowingAccount = false;  // the password field is being filled from an account
    CString m_strError;
    CString m_strFixedUser;
};
