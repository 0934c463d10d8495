// Every setting of the player in memory: the download and playback settings of the
// current user, the window settings of all users, the skin; loaded and saved through
// the tables the data model lends, with observers told of the dialog's changes.
#pragma once

#include <afx.h>

#include <map>
#include <vector>

#include "config/ConfigGroups.h"
#include "config/IObserver.h"

class CAllConfigSql;
class CUserSetSql;

class CUserConfig : public IConfig {
public:
    // The player's one instance, built on first use.
    static CUserConfig& GetInstance();

    CUserConfig();
    CUserConfig(const CUserConfig&) = delete;
    CUserConfig& operator=(const CUserConfig&) = delete;

    // Observers are kept sorted, each once; null is ignored.
    void AddObserver(IObserver* observer) override;
    void RemoveObserver(IObserver* observer) override;
    // Tells every observer the recorded changes (also none), then saves the user's settings.
    void NotifyObservers();

    CDownloadConfig& GetDownloadConfig() { return m_download; }
    COtherConfig& GetOtherConfig() { return m_other; }
    CAllConfig& GetAllConfig() { return m_all; }

    // The current skin's folder relative to the program folder; empty for an unknown skin.
    CString GetSkinFolder() const;

    CString GetCurrentUser() const { return m_strCurrentUser; }
    CString GetPreviousUser() const { return m_strPreviousUser; }
    // Loads and saves nothing.
    void SetCurrentUser(const CString& name);

    // The data model's tables (not owned).
    void SetUserSetSql(CUserSetSql* sql) { m_pUserSetSql = sql; }
    void SetAllConfigSql(CAllConfigSql* sql) { m_pAllConfigSql = sql; }

    // The current user's row; without one both user groups take their defaults.
    void LoadUserSettings();
    // The window row; without one the window group takes its defaults.
    void LoadAllConfig();
    // The current user's row and, with withWindow, the window row.
    void Save(bool withWindow);

private:
    friend class CBaseConfig;
    void RecordChange(int id) { m_pendingChanges.push_back(id); }
    void SaveUserSettings();

    CString m_strSkinName;
    std::map<CString, CString> m_skinFolders;
    std::vector<int> m_pendingChanges;
    std::vector<IObserver*> m_observers;  // not owned
    CUserSetSql* m_pUserSetSql = nullptr;
    CAllConfigSql* m_pAllConfigSql = nullptr;
    CDownloadConfig m_download{this};
    COtherConfig m_other{this};
    CAllConfig m_all{this};
    CString m_strCurrentUser = L"default";
    CString m_strPreviousUser;
};
