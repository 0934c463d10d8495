// The player's own parts of the main dialog: the main HTML window with the play dialog
// inside it, the browser, the left panel, the seek bar, the scrolling strip and the
// full-screen control bar, and the panel operations that land on them.
#pragma once

#include <afxwin.h>

#include <memory>

#include "DlgPlay.h"
#include "DlgPlayCtrl.h"
#include "DlgVideoProgress.h"
#include "MainWnd.h"
#include "startup/MainDialogParts.h"
#include "web/DlgWeb.h"
#include "web/HtmlPanels.h"

class CPlayerDialogParts : public IMainDialogParts {
public:
    // One set of parts at a time: the main window's play dialog maker hands out this
    // set's play dialog.
    CPlayerDialogParts();
    ~CPlayerDialogParts() override;
    CPlayerDialogParts(const CPlayerDialogParts&) = delete;
    CPlayerDialogParts& operator=(const CPlayerDialogParts&) = delete;

    bool CreateChildren(CWnd* dialog, const RECT& client) override;
    void CreatePanels(CWnd* dialog) override;
    IMainWindowView* GetMainWindow() override { return m_mainWnd.GetSafeHwnd() ? &m_mainWnd : nullptr; }
    CWnd* GetPanel(DIALOG_PANEL panel) override;

    void LayoutForWidth(int width) override;
    void PlaceDlgPlay() override { m_mainWnd.PlaceDlgPlay(); }
    RECT GetLeftPanelRect() override { return m_mainWnd.GetLeftPanelRect(); }
    RECT GetProgressRect() override { return m_mainWnd.GetProgressRect(); }
    RECT GetMiddleRect() override { return m_mainWnd.GetMiddleRect(); }
    void HidePlayDialog() override;
    void OnTrayChanged(bool inTray) override;

    // IMainDialogPanels
    void ShowLeftPanel(bool show) override;
    void OpenBrowserPage(const CString& url) override;
    void SetSeekTitle(const CString& text) override;
    void SetSeekElapsed(const CString& text) override;
    void SetSeekTotal(const CString& text) override;
    void SetSeekPosition(int position, bool seek) override;
    void EnableSeekBar(bool enable) override;
    void ShowControlBarTimes(int progress, const CString& elapsed, const CString& total) override;
    void RefreshControlBar() override;
    void ShowControlBarVolume(int volume) override;
    void HideControlBar() override;

    CMainWnd& MainWnd() { return m_mainWnd; }
    CDlgPlay& PlayDialog() { return m_play; }
    CDlgVideoProgress& SeekBar() { return m_seekBar; }
    CDlgWeb& Browser() { return m_web; }
    // Null before the dialog's creation made it.
    CDlgPlayCtrl* ControlBar() { return m_bar.get(); }

private:
    static IPlayDialogView* MakePlayDialog(CWnd* owner);

    // Declared first: the play dialog outlives the main window that owns its window.
    CDlgPlay m_play;
    CMainWnd m_mainWnd;
    std::unique_ptr<CDlgPlayCtrl> m_bar;
    CDlgLeftAD m_left;
    CDlgVideoProgress m_seekBar;
    CDlgWeb m_web;
    CDlgHtmlScrollingPanel m_strip;
};
