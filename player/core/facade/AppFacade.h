// The one object through which the player's windows reach the core: the player
// core, the registered command controls, the signed-in account and the shortcuts.
#pragma once

#include <afx.h>

#include <map>
#include <memory>
#include <vector>

#include "facade/BaseControl.h"
#include "facade/PlayerCore.h"

class CLoginSession;
class CPlayList;
class IDownloadListView;
class IMainDialogView;
class IMainWindowView;
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

    // The main dialog registers itself once created and clears itself before it goes.
    void SetMainDialog(IMainDialogView* dialog) { m_pMainDialog = dialog; }
    IMainDialogView* GetMainDialog() const { return m_pMainDialog; }
    // The main window inside the main dialog; null without a main dialog.
    IMainWindowView* GetMainWnd() const;
    IDownloadListView* GetDownloadWnd() const;

    void SetCurrentAccount(LOGIN_ACCOUNT* account, const CString& token);
    LOGIN_ACCOUNT* GetCurrentAccount() const { return m_pAccount; }
    CString GetAccountToken() const { return m_strToken; }
    // A new sign-in session over the data model's accounts (the caller owns it); null without a core.
    std::unique_ptr<CLoginSession> CreateLoginSession();

    // Creates and registers the play and web controls on the main window and the
    // download control on the download window; called once while the main window is created.
    void CreateControls();
    // Takes the control over; an id that is present keeps its control and the new one is deleted.
    bool RegisterControl(int id, CBaseControl* control);
    // Delivers the code to every control in ascending id.
    void Broadcast(int code, void* data);
    // The display title of a path, as the controls answer CMD_GET_FILE_TITLE.
    CString GetDisplayTitle(const CString& path);

    // The play list (paths compared without regard to case). Without a core the paths
    // are empty, IsFirstItem and IsLastItem are true, positions -1 and the rest does nothing.
    void AddItem(const CString& path);
    void RemoveItem(const CString& path);
    void SwapItems(const CString& first, const CString& second);
    int ReorderItems(const CStringArray* paths);
    // Then refreshes the main window's play state; nothing without a main window.
    void MoveItem(const CString& path, int index);
    // Empties the list and the random pool; the flag changes nothing.
    void ClearPlayList(bool flag);
    // All paths in list order, null for an empty list; reload first reads the stored list.
    std::unique_ptr<CStringArray> GetPlayListPaths(bool reload);
    CString GetCurrentPath() const;
    void SetCurrentPath(const CString& path);
    CString GetFirstItemPath() const;
    CString GetLastItemPath() const;
    CString GetPrevPath() const;
    CString GetNextPath(bool applyOrder);
    CString GetLastPlayedPath() const;
    bool IsFirstItem() const;
    bool IsLastItem() const;
    void SetItemPlayTime(const CString& path, __int64 time);
    void SetItemPosition(const CString& path, int seconds);
    int GetItemPosition(const CString& path) const;
    void ResetRandomPool(bool refill);
    void SavePlayList();

    // Sorts elements first..last in natural order (digits as numbers, case ignored).
    static void SortPaths(std::vector<CString>& paths, int first, int last);
    // 1 when the message was used as a shortcut (the caller drops it), else 0.
    int HandleHotKey(const MSG* message);
    // Saves the play position, the play list and all settings and ends the downloads
    // before Windows shuts down.
    int PrepareShutdown();

    CPlayerCore* GetCore() const { return m_pCore.get(); }

    CAppFacade(const CAppFacade&) = delete;
    CAppFacade& operator=(const CAppFacade&) = delete;
    ~CAppFacade();

private:
    CAppFacade();
    CPlayList* PlayList() const;

    std::unique_ptr<CPlayerCore> m_pCore;
    std::map<int, CBaseControl*> m_controls;   // owned
    LOGIN_ACCOUNT* m_pAccount = nullptr;       // not owned
    IMainDialogView* m_pMainDialog = nullptr;  // not owned
    CString m_strToken;
};
