// Test implementations of the player's window classes that the core and the element
// behaviours call. They record every call; a test arranges the state they report.
#pragma once

#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

#include "DlgPlay.h"
#include "DownloadWnd.h"
#include "MainWnd.h"
#include "ZemovistaDlg.h"

struct FakeWindows {
    // Installs an application object whose main window is the fake main dialog
    // (or none), and clears the call log.
    explicit FakeWindows(bool withMainDialog = true);
    ~FakeWindows();
    FakeWindows(const FakeWindows&) = delete;
    FakeWindows& operator=(const FakeWindows&) = delete;

    static FakeWindows& Current();

    CWinApp app;
    CZemovistaDlg dialog;
    CMainWnd mainWnd;
    CDlgPlay dlgPlay;
    CDownloadWnd downloadWnd;

    bool inTray = false;
    bool webViewVisible = false;
    bool mainWndCreated = true;
    // The download window's rows by FileID, as its row operations leave them.
    std::map<int, DOWNLOAD_LIST_ITEM> downloadRows;
    // What the play dialog reports: OpenFile's result by path (0 when not listed) and
    // the total time text; what the open-file dialog returns.
    std::map<CString, int> openResults;
    CString totalTime = L"00:00:00";
    std::vector<CString> chosenFiles;
    // Every call, with its arguments in UTF-8 after a space ("OpenFile C:\a.xof").
    std::vector<std::string> calls;
};
