// The one object through which the player's windows reach the core: the player
// core, the registered command controls, the signed-in account and the shortcuts.
#pragma once

#include <afx.h>

#include <map>
#include <memory>
#include <vector>

#include "facade/BaseControl.h"
#include "facade/PlayerCore.h"

class CMainWnd;
class CDownloadWnd;
struct LOGIN_ACCOUNT;

enum {
    CONTROL_PLAY = 1,
    CONTROL_WEB = 2,
    CONTROL_DOWNLOAD = 3,
};

class CAppFacade {
public:
    static CAppFacade& GetInstance();

    bool IsFullScreen() const;
    void SetFullScreen(bool fullScreen);
    int GetPlayState() const;
    void SetPlayState(int state);

    // The main window inside the main dialog; null without a main dialog.
    CMainWnd* GetMainWnd() const;
    CDownloadWnd* GetDownloadWnd() const;

    void SetCurrentAccount(LOGIN_ACCOUNT* account, const CString& token);
    LOGIN_ACCOUNT* GetCurrentAccount() const { return m_pAccount; }
    CString GetAccountToken() const { return m_strToken; }

    // Takes the control over; an id that is present keeps its control and the new one is deleted.
    bool RegisterControl(int id, CBaseControl* control);
    // Delivers the code to every control in ascending id.
    void Broadcast(int code, void* data);

    // Sorts elements first..last in natural order (digits as numbers, case ignored).
    static void SortPaths(std::vector<CString>& paths, int first, int last);
    // 1 when the message was used as a shortcut (the caller drops it), else 0.
    int HandleHotKey(const MSG* message);
    // Saves the play position and ends the downloads before Windows shuts down.
    int PrepareShutdown();

    CPlayerCore* GetCore() const { return m_pCore.get(); }

    CAppFacade(const CAppFacade&) = delete;
    CAppFacade& operator=(const CAppFacade&) = delete;
    ~CAppFacade();

private:
    CAppFacade();

    std::unique_ptr<CPlayerCore> m_pCore;
    std::map<int, CBaseControl*> m_controls;  // owned
    LOGIN_ACCOUNT* m_pAccount = nullptr;      // not owned
    CString m_strToken;
};
