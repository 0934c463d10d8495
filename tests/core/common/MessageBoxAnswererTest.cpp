#include <gtest/gtest.h>

#include <afxwin.h>

#include <vector>

#include "support/MessageBoxAnswerer.h"

namespace {

// The dialogs that were sent a command.
std::vector<HWND> g_commanded;

INT_PTR CALLBACK RecordCommands(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_COMMAND) g_commanded.push_back(dialog);
    return FALSE;
}

// An empty visible dialog box: a "#32770" window, as the program's own dialogs are.
HWND NewDialog(const wchar_t* caption) {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } words = {};
    words.header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    words.header.cx = 100;
    words.header.cy = 50;
    HWND dialog = CreateDialogIndirectParamW(nullptr, &words.header, nullptr, RecordCommands, 0);
    SetWindowTextW(dialog, caption);
    return dialog;
}

TEST(MessageBoxAnswererTest, PressesTheScriptedButtonsThenOk) {
    MessageBoxAnswerer answerer({IDNO, IDCANCEL});
    EXPECT_EQ(IDNO, MessageBoxW(nullptr, L"第一个", L"提示", MB_YESNO));
    EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"second", L"caption", MB_OKCANCEL));
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"third", L"caption", MB_OKCANCEL));
    std::vector<SHOWN_MESSAGE_BOX> shown = answerer.Shown();
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ(L"提示", shown[0].Caption);
    EXPECT_EQ(L"第一个", shown[0].Text);
    EXPECT_EQ(L"second", shown[1].Text);
}

TEST(MessageBoxAnswererTest, LeavesDialogsBoundToWindowObjectsAlone) {
    g_commanded.clear();
    CWnd own;
    ASSERT_TRUE(own.SubclassWindow(NewDialog(L"own")));
    HWND unbound = NewDialog(L"unbound");
    ASSERT_TRUE(unbound);
    std::vector<SHOWN_MESSAGE_BOX> shown;
    {
        MessageBoxAnswerer answerer;
        EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"text", L"box", MB_OK));
        MSG message;
        for (int i = 0; i < 20; ++i, Sleep(10))
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        shown = answerer.Shown();
    }
    std::vector<std::wstring> captions;
    for (const SHOWN_MESSAGE_BOX& box : shown) captions.push_back(box.Caption);
    EXPECT_EQ((std::vector<std::wstring>{L"unbound", L"box"}), captions);
    EXPECT_EQ(std::vector<HWND>{unbound}, g_commanded);
    DestroyWindow(own.UnsubclassWindow());
    DestroyWindow(unbound);
}

}  // namespace
