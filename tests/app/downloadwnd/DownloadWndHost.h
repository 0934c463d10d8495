// The download window as the play dialog hosts it: a visible child over a frame, with
// the default skin. What the window asks of the system and of the user is answered by
// the host, and every broadcast command is recorded (and passed on to the download
// control of a test that has one).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DownloadWnd.h"
#include "downloadwnd/DownloadWndCtrlManager.h"
#include "downloadwnd/DownloadWndSystem.h"
#include "facade/BaseControl.h"
#include "fakes/RegisteredSkin.h"
#include "support/ProgramFolderLocks.h"

struct BROADCAST {
    int Code;
    int FileID;      // of the item or key; 0 for other data
    int State;       // of an item
    CString Text;    // a key's user, a path, or the number of items of a vector
    bool Null;       // no data
};

// Registered with the facade once per process, after the player's own controls.
class CRecordingControl : public CBaseControl {
public:
    static CRecordingControl& Get();
    int Execute(int code, void* data) override;

    // Broadcasts of one code.
    std::vector<BROADCAST> Of(int code) const;
    // Codes of the job ends that free a scheduler slot (complete, failed, stopped).
    int EndCount() const;

    std::vector<BROADCAST> seen;
    CBaseControl* forward = nullptr;  // not owned

private:
    CRecordingControl() : CBaseControl(nullptr, nullptr) {}
};

struct SHELL_CALL {
    CString Verb, File, Parameters;
    INT Show;
};

// The system functions of the download window while a host lives.
struct SystemAnswers {
    std::vector<UINT> exits;              // flags of each shut-down
    std::vector<SHELL_CALL> shellCalls;
    std::deque<DELETE_CHOICE> choices;    // answers of the delete confirmation, OK with the file by default
    std::vector<bool> confirmations;      // whether each offered the file choice
};

// A download window; without its own manager it has a plain one, as a window whose
// manager is missing.
class CHostedDownloadWnd : public CDownloadWnd {
public:
    explicit CHostedDownloadWnd(bool withManager) : m_withManager(withManager) {}

protected:
    void CreateCtrlManager() override;

private:
    bool m_withManager;
};

class DownloadWndHost {
public:
    explicit DownloadWndHost(bool withManager = true);
    ~DownloadWndHost();

    // Creates the frame and the window; false when the page does not load.
    bool Open();
    HWND Handle() const { return m_window.m_hWnd; }
    CDownloadWnd& Window() { return m_window; }
    CDownloadWndCtrlManager& Manager() { return *m_window.Manager(); }
    static SystemAnswers& Answers();

    htmlayout::dom::element Find(LPCWSTR id);
    htmlayout::dom::element Row(int fileId);
    htmlayout::dom::element Cell(int fileId, LPCWSTR id);
    CString Text(int fileId, LPCWSTR id);
    // The row's outer HTML in UTF-8.
    std::string RowHtml(int fileId);
    bool IsDisabled(LPCWSTR id);

    // Real mouse input at the middle of the element's box.
    void Click(HELEMENT he);
    void DoubleClick(HELEMENT he);
    // A right click; onMenu runs inside the popup menu's loop with the popup (null when
    // none opened) and must close it.
    void RightClick(HELEMENT he, std::function<void(HWND popup)> onMenu);

    void Pump(DWORD ms = 200);
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
    bool SaveShot(LPCWSTR name);

private:
    POINT Middle(HELEMENT he);
    void Post(UINT message, WPARAM keys, POINT at);

    struct GdiplusRun {
        GdiplusRun();
        ~GdiplusRun();
        ULONG_PTR token = 0;
    };

    ProgramFolderLock m_pageLock{L"ZemoTestsDownloadPage"};
    GdiplusRun m_gdiplus;
    RegisteredSkin m_skin;
    CWnd m_frame;
    CHostedDownloadWnd m_window;
};

// A task of the lists.
DOWNLOAD_LIST_ITEM TaskItem(int fileId, int state, LONGLONG size = 10485760, LONGLONG done = 0,
                            const CString& path = CString());
