// The application's main dialog: a borderless layered pop-up covered by the main window,
// with the dialog's panels beside it, the tray icon, the hand-over from a second start,
// the window rectangle kept in the settings, and the close road that ends the program.
// It registers itself with the facade while its window exists and hands that window to
// the window settings as their placement window.
#pragma once

#include <afxwin.h>
#include <shellapi.h>

#include <memory>

#include "startup/MainDialogParts.h"
#include "views/MainDialogView.h"

class CZemovistaDlg : public CDialog, public IMainDialogView {
    DECLARE_DYNAMIC(CZemovistaDlg)
public:
    enum { TIMER_RESTORE_WINDOW = 9, RESTORE_WINDOW_MS = 100 };
    enum { MIN_TRACK_WIDTH = 1024, MIN_TRACK_HEIGHT = 753 };
    enum { STRIP_HEIGHT = 33, STRIP_BOTTOM_OFFSET = 35 };
    static const COLORREF COLOR_KEY = 0x161110;

    explicit CZemovistaDlg(std::unique_ptr<IMainDialogParts> parts);
    ~CZemovistaDlg() override;

    // IMainDialogView
    CWnd* AsWindow() override { return this; }
    bool IsInTray() const override { return m_bInTray; }
    IMainWindowView* GetMainWindow() override;

    void MinimizeToTray() override;
    // The main window's requests of the dialog's panels, seek bar and control bar; they
    // reach no panel yet.
    void ShowLeftPanel(bool) override {}
    void OpenBrowserPage(const CString&) override {}
    void SetSeekTitle(const CString&) override {}
    void SetSeekElapsed(const CString&) override {}
    void SetSeekTotal(const CString&) override {}
    void SetSeekPosition(int, bool) override {}
    void EnableSeekBar(bool) override {}
    void ShowControlBarTimes(int, const CString&, const CString&) override {}
    void RefreshControlBar() override {}
    void ShowControlBarVolume(int) override {}
    void HideControlBar() override {}
    void RestoreFromTray();
    void LayoutPanels();

    IMainDialogParts& GetParts() { return *m_parts; }
    // The tray record as it was last added (size, flags, tip).
    const NOTIFYICONDATAW& GetTrayData() const { return m_trayData; }

protected:
    BOOL OnInitDialog() override;
    // Enter and Esc reach the dialog as IDOK and IDCANCEL: they do not end it; closing does.
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMoveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenVideoRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAnotherInstance(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTrayShow();
    afx_msg void OnTrayExit();
    DECLARE_MESSAGE_MAP()

private:
    void MakeLayered();
    void RestoreStoredRectangle();
    void RestoreForHandOver();
    void ShowTrayMenu();
    LRESULT OnTaskbarCreated();

    HICON m_hIcon;
    std::unique_ptr<IMainDialogParts> m_parts;
    NOTIFYICONDATAW m_trayData;
    bool m_bInTray = false;
};
