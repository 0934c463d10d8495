// Main dialog parts for tests: plain child windows in place of the player's windows, at
// fixed rectangles derived from the client width, recording what the dialog asks of them.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "fakes/NullMainDialog.h"
#include "startup/MainDialogParts.h"
#include "views/MainWindowView.h"

// A plain child window standing for the main HTML window; only AsWindow is used.
class CPlainMainWindow : public CWnd, public IMainWindowView {
public:
    CWnd* AsWindow() override { return this; }
    IPlayDialogView* GetDlgPlay() override { return nullptr; }
    void RefreshPlayState() override {}
    bool IsCreated() override { return m_hWnd != nullptr; }
    void OnUserLoggedIn(LOGIN_ACCOUNT*, const CString&, bool) override {}
    void ResetForUserChange() override {}
    void CloseVideo() override {}
    void ClearPlayingMark() override {}
    void AddPlayListItem(const CString&, const CString&, bool) override {}
    void RemovePlayListItem(const CString&) override {}
    void SetProgressTitle(const CString&) override {}
    void PlayLastPlayed() override {}
    void OpenTabPage(int) override {}
    std::vector<CString> ShowOpenFileDialog() override { return {}; }
    bool IsWebViewVisible() override { return false; }
    void CycleViewMode() override {}
    void ToggleFullScreen() override {}
    void TogglePlayPause() override {}
    void VolumeUp() override {}
    void VolumeDown() override {}
    void MuteSound() override {}
    void StopPlay() override {}
    void OnHelpOnline() override {}
    void SetVideoSizeOriginal() override {}
    void SetVideoSizeDouble() override {}
    void ShowSettingsDialog() override {}
    void ChangeVolumeByWheel(bool) override {}
};

class CPlainDialogParts : public CNullDialogPanels<IMainDialogParts> {
public:
    // failCreate: the main window cannot be made.
    explicit CPlainDialogParts(bool failCreate = false) : m_failCreate(failCreate) {}

    bool CreateChildren(CWnd* dialog, const RECT& client) override;
    void CreatePanels(CWnd* dialog) override;
    IMainWindowView* GetMainWindow() override { return m_mainWnd.m_hWnd ? &m_mainWnd : nullptr; }
    CWnd* GetPanel(DIALOG_PANEL panel) override;
    void LayoutForWidth(int width) override;
    void PlaceDlgPlay() override { calls.push_back("PlaceDlgPlay"); }
    // Left panel 200 wide under a 60 pixel head; seek bar 20 high at the middle's foot;
    // the middle between the left panel and a 10 pixel right margin.
    RECT GetLeftPanelRect() override { return {0, 60, 200, m_height - 40}; }
    RECT GetProgressRect() override { return {200, m_height - 60, m_width - 10, m_height - 40}; }
    RECT GetMiddleRect() override { return {200, 60, m_width - 10, m_height - 60}; }
    void HidePlayDialog() override { calls.push_back("HidePlayDialog"); }
    void OnTrayChanged(bool inTray) override { calls.push_back(inTray ? "ToTray" : "FromTray"); }

    // "LayoutForWidth <width>", "PlaceDlgPlay", "HidePlayDialog", "ToTray", "FromTray".
    std::vector<std::string> calls;

private:
    bool m_failCreate;
    int m_width = 0, m_height = 0;
    CWnd* m_dialog = nullptr;
    CPlainMainWindow m_mainWnd;
    CWnd m_panels[PANEL_COUNT];
};
