#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "DialogDriver.h"
#include "dialog/DialogSteps.h"
#include "dialog/DlgAgeSelect.h"
#include "dialog/DlgLogin.h"
#include "fixtures/SignInPlayer.h"
#include "resource.h"

namespace {

CString ItemText(CDialog& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

bool Checked(CDialog& dialog, int id) { return dialog.IsDlgButtonChecked(id) == BST_CHECKED; }

// Types into the password field as the user does: with the focus on it.
void TypePassword(CDialog& dialog, const wchar_t* text) {
    ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_EDIT_PASSWORD));
    CDialogDriver::SetText(dialog, IDC_EDIT_PASSWORD, text);
}

// Steps run on the innermost modal dialog, one per timer tick, for code that opens its
// dialogs itself. A dialog still open 100 ticks after the last step is cancelled.
class ModalScript {
public:
    using Step = std::function<void(CDialog&)>;
    explicit ModalScript(std::vector<Step> steps) {
        s_steps = std::move(steps);
        s_next = 0;
        s_idle = 0;
        m_timer = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~ModalScript() { KillTimer(nullptr, m_timer); }
    static size_t Done() { return s_next; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        CDialog* dialog = CDialog::GetActiveModal();
        if (!dialog || !dialog->m_hWnd || CDialogDriver::FindOwnedDialog(dialog->m_hWnd)) return;
        if (s_next < s_steps.size()) {
            Step step = s_steps[s_next++];
            step(*dialog);
        } else if (++s_idle > 100) {
            dialog->EndDialog(IDCANCEL);
        }
    }
    static inline std::vector<Step> s_steps;
    static inline size_t s_next = 0;
    static inline int s_idle = 0;
    UINT_PTR m_timer;
};

class DlgLoginTest : public testing::Test, protected SignInPlayer {
protected:
    void SetUp() override { ASSERT_TRUE(Prepare()); }

    // tom remembered (and signed in automatically, then out), ann not remembered.
    void RememberTomThenSignOut() {
        RememberTomAndRestart();
        m_session->AutoLogin();
        m_session->Logout();
    }

    GdiplusScope gdiplus;
};

TEST_F(DlgLoginTest, WithoutAccountsEverythingStartsEmpty) {
    m_session->AutoLogin();
    CDlgLogin dialog(m_session.get());
    CDialogDriver driver;
    driver.Then([](CDialog& d) {
        EXPECT_EQ(0, (int)d.SendDlgItemMessage(IDC_COMBO_USER, CB_GETCOUNT));
        EXPECT_FALSE(Checked(d, IDC_CHECK_REMEMBER));
        EXPECT_FALSE(Checked(d, IDC_CHECK_AUTOLOGIN));
        EXPECT_STREQ(L"", ItemText(d, IDC_EDIT_PASSWORD));
        CDialogDriver::Click(d, IDC_BTN_CLOSE);
    });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

// The remembered ticket signs in by ticket when the password was not retyped; a typed
// password goes the password road without the ticket's verify code.
TEST_F(DlgLoginTest, TheRememberedAccountSignsInByTicketUnlessThePasswordIsRetyped) {
    const struct {
        const wchar_t* typed;
        const char* road;
    } cases[] = {{nullptr, "/ovra/ticketlogin"}, {L"secret", "/ovra/login"}};
    for (const auto& c : cases) {
        RememberTomThenSignOut();
        size_t asked = SignInRoads().size();
        CString ticket = m_session->FindAccount(L"tom")->Password;
        ASSERT_FALSE(ticket.IsEmpty());
        CDlgLogin dialog(m_session.get());
        CDialogDriver driver;
        driver.Then([&](CDialog& d) {
            EXPECT_STREQ(L"tom", ItemText(d, IDC_COMBO_USER)) << "the previous user";
            EXPECT_TRUE(Checked(d, IDC_CHECK_REMEMBER));
            EXPECT_STREQ(ticket, ItemText(d, IDC_EDIT_PASSWORD));
            if (c.typed) TypePassword(d, c.typed);
            CDialogDriver::Click(d, IDOK);
        });
        EXPECT_EQ(IDOK, driver.RunModal(dialog)) << dialog.GetErrorText().GetString();
        std::vector<std::string> roads = SignInRoads();
        ASSERT_EQ(asked + 1, roads.size());
        EXPECT_EQ(c.road, roads.back());
        ASSERT_NE(nullptr, m_session->GetCurrentAccount());
        EXPECT_STREQ(L"tom", m_session->GetCurrentAccount()->UserName);
        m_session->Logout();
    }
}

TEST_F(DlgLoginTest, NamesAreChosenWholeAndTheBoxesAreCoupled) {
    m_session->AutoLogin();
    m_session->Login(DialogRecord(L"tommy", L"pw2", true), false);
    m_session->Login(DialogRecord(L"tom", L"secret", false), false);
    m_session->Logout();
    CDlgLogin dialog(m_session.get());
    CDialogDriver driver;
    std::vector<bool> boxes;
    driver
        .Then([&](CDialog& d) {
            dialog.SelectUser(L"tom");
            int index = (int)d.SendDlgItemMessage(IDC_COMBO_USER, CB_GETCURSEL);
            wchar_t entry[32] = {};
            d.SendDlgItemMessage(IDC_COMBO_USER, CB_GETLBTEXT, index, (LPARAM)entry);
            EXPECT_STREQ(L"tom", entry) << "not the longer name it begins";
            EXPECT_FALSE(Checked(d, IDC_CHECK_REMEMBER)) << "tom is not remembered";
            dialog.SelectUser(L"tommy");
            EXPECT_TRUE(Checked(d, IDC_CHECK_REMEMBER));
            CDialogDriver::Click(d, IDC_CHECK_REMEMBER);  // off: automatic sign-in off too
            boxes.push_back(Checked(d, IDC_CHECK_AUTOLOGIN));
            CDialogDriver::Click(d, IDC_CHECK_AUTOLOGIN);  // on: remember on too
            boxes.push_back(Checked(d, IDC_CHECK_REMEMBER));
            CDialogDriver::Click(d, IDC_CHECK_REMEMBER);
            boxes.push_back(Checked(d, IDC_CHECK_AUTOLOGIN));
            CDialogDriver::Click(d, IDCANCEL);
        });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
    EXPECT_EQ((std::vector<bool>{false, true, false}), boxes);
}

TEST_F(DlgLoginTest, AFixedUserIsTheOnlyChoice) {
    RememberTomThenSignOut();
    CDlgLogin dialog(m_session.get());
    dialog.SetFixedAccount(L"tom");
    CDialogDriver driver;
    driver.Then([](CDialog& d) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_COMBO_USER)));
        EXPECT_STREQ(L"tom", ItemText(d, IDC_COMBO_USER));
        EXPECT_TRUE(Checked(d, IDC_CHECK_REMEMBER));
        EXPECT_FALSE(ItemText(d, IDC_EDIT_PASSWORD).IsEmpty());
        CDialogDriver::Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
}

struct Refusal {
    const char* name;
    const wchar_t* user;
    const wchar_t* password;
    const wchar_t* error;
};

class DlgLoginRefusalTest : public DlgLoginTest, public testing::WithParamInterface<Refusal> {};

// Each refusal shows its red text in the band under the check boxes; the dialog stays open.
TEST_P(DlgLoginRefusalTest, ShowsTheRedErrorAndStaysOpen) {
    const Refusal& c = GetParam();
    m_session->AutoLogin();
    CDlgLogin dialog(m_session.get());
    CDialogDriver driver;
    bool open = false, red = false, redElsewhere = true;
    driver
        .Then([&](CDialog& d) {
            CDialogDriver::SetText(d, IDC_COMBO_USER, c.user);
            TypePassword(d, c.password);
            CDialogDriver::Click(d, IDOK);
        })
        .Then([&](CDialog& d) {
            open = d.IsWindowVisible() != FALSE;
            std::wstring name = std::wstring(L"dialog-signin-") + std::wstring(c.name, c.name + strlen(c.name));
            WindowCapture shot = KeepScreenshot(d, name.c_str());
            red = HasColorNear(shot, CRect(CDlgLogin::ERROR_X, CDlgLogin::ERROR_Y, CDlgLogin::ERROR_X + 60,
                                           CDlgLogin::ERROR_Y + 16),
                               RGB(255, 0, 0), 60);
            redElsewhere = HasColorNear(shot, CRect(0, 190, 160, 240), RGB(255, 0, 0), 60);
            CDialogDriver::Click(d, IDCANCEL);
        });
    EXPECT_EQ(IDCANCEL, driver.RunModal(dialog));
    EXPECT_TRUE(open);
    EXPECT_STREQ(c.error, dialog.GetErrorText());
    EXPECT_TRUE(red);
    EXPECT_FALSE(redElsewhere);
    EXPECT_EQ(nullptr, m_session->GetCurrentAccount());
}

INSTANTIATE_TEST_SUITE_P(Inputs, DlgLoginRefusalTest,
                         testing::Values(Refusal{"NothingTyped", L"", L"", L"用户名和密码不能为空"},
                                         Refusal{"NoUser", L"", L"pw", L"用户名不能为空"},
                                         Refusal{"NoPassword", L"ann", L"", L"密码不能为空"},
                                         Refusal{"WrongPassword", L"ann", L"nope", L"密码错误！"},
                                         Refusal{"NoSuchUser", L"tomm", L"pw", L"用户名不存在！"}),
                         [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(DlgLoginTest, TheAgeChoiceReachesTheSignedCall) {
    m_service.AddAccount("kid", {"pw", "1009", "Kid", "0", 4, true});
    m_session->AutoLogin();
    m_session->Login(DialogRecord(L"kid", L"pw", false), false);
    EXPECT_TRUE(m_session->NeedChooseAge());
    CDlgAgeSelect dialog(m_session.get());
    CDialogDriver driver;
    std::wstring box;
    driver
        .Then([&](CDialog& d) {
            EXPECT_TRUE(Checked(d, IDC_RADIO_OVER12));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_EDIT_PARENT_MAIL)));
            CDialogDriver::Click(d, IDC_RADIO_UNDER12);
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_EDIT_PARENT_MAIL)));
            KeepScreenshot(d, L"dialog-age");
            CDialogDriver::Click(d, IDOK);
        })
        .Then([&](CDialog& d) {
            box = OpenBoxText(d);
            AnswerOpenBox(d, IDOK);
        })
        .Then([](CDialog& d) {
            CDialogDriver::SetText(d, IDC_EDIT_PARENT_MAIL, L"mum@mail.cn");
            CDialogDriver::Click(d, IDOK);
        });
    EXPECT_EQ(IDOK, driver.RunModal(dialog));
    EXPECT_NE(std::wstring::npos, box.find(L"父亲（母亲）邮箱不能为空！"));
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ("tm.members.updateIndulge", calls.back().Method);
    EXPECT_EQ("1009", calls.back().Params["uid"]);
    EXPECT_EQ("0", calls.back().Params["is_12yearsold"]);
    EXPECT_EQ("mum@mail.cn", calls.back().Params["parent_email"]);
}

// The whole road from the main window: the sign-in dialog, the main window told, then
// the age choice that the service asks for.
TEST_F(DlgLoginTest, ShowLoginDialogSignsInThenAsksForTheAge) {
    m_service.AddAccount("kid", {"pw", "1009", "Kid", "0", 4, true});
    m_session->AutoLogin();
    ModalScript script({[](CDialog& d) {
                            CDialogDriver::SetText(d, IDC_COMBO_USER, L"kid");
                            TypePassword(d, L"pw");
                            CDialogDriver::Click(d, IDOK);
                        },
                        [](CDialog& d) {
                            EXPECT_NE(nullptr, ::GetDlgItem(d.m_hWnd, IDC_RADIO_UNDER12)) << "the age dialog";
                            CDialogDriver::Click(d, IDC_RADIO_UNDER12);
                            CDialogDriver::SetText(d, IDC_EDIT_PARENT_MAIL, L"dad@mail.cn");
                            CDialogDriver::Click(d, IDOK);
                        }});
    m_session->ShowLoginDialog(L"");
    EXPECT_EQ(2u, ModalScript::Done());
    EXPECT_EQ(1, std::count(m_windows.calls.begin(), m_windows.calls.end(), "OnUserLoggedIn kid"));
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ("tm.members.updateIndulge", calls.back().Method);
    EXPECT_EQ("dad@mail.cn", calls.back().Params["parent_email"]);
}

TEST_F(DlgLoginTest, ShowLoginDialogCancelledTellsNobody) {
    m_session->AutoLogin();
    bool fixed = false;
    ModalScript script({[&](CDialog& d) {
        fixed = !::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_COMBO_USER)) && ItemText(d, IDC_COMBO_USER) == L"ann";
        CDialogDriver::Click(d, IDCANCEL);
    }});
    m_session->ShowLoginDialog(L"ann");
    EXPECT_EQ(1u, ModalScript::Done());
    EXPECT_TRUE(fixed);
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_EQ(nullptr, m_session->GetCurrentAccount());
}

}  // namespace
