// The root of the player's stored state: the database, the account SDK wrapper,
// the table classes and the account manager; it connects the settings to their
// tables and, at the end, saves the play list and the settings before it closes
// everything in a fixed order.
#pragma once

#include <afx.h>

#include <memory>

#include "account/OvraHelper.h"

class CAccountManager;
class CAllConfigSql;
class CDatabaseConnection;
class CDownloadRecordSql;
class CDownloadRecordStore;
class CLoginSession;
class CPlayList;
class CPlayRecordSql;
class CUserInfoSql;
class CUserSetSql;

class CDataModel {
public:
    // The database is "zemo.db3" in the folder (the program folder in the player).
    explicit CDataModel(const CString& folder);
    ~CDataModel();
    CDataModel(const CDataModel&) = delete;
    CDataModel& operator=(const CDataModel&) = delete;

    // Opens the database, starts the account SDK, creates the tables and the account
    // manager and loads the settings, in that order.
    void Init();
    // Replaces the connection with one opened on the database file.
    void OpenDatabase();

    // The play list to save at the end (built over GetPlayRecordSql, not owned).
    void SetPlayList(CPlayList* playList) { m_pPlayList = playList; }

    CPlayRecordSql* GetPlayRecordSql() const { return m_pPlayRecordSql.get(); }
    // A new store over the download records' table; the caller owns it.
    std::unique_ptr<CDownloadRecordStore> CreateDownloadRecordStore() const;
    CAccountManager* GetAccountManager() const { return m_pAccounts.get(); }
    // A new sign-in session over the account manager; the caller owns it.
    std::unique_ptr<CLoginSession> CreateLoginSession() const;
    COvraHelper& GetOvraHelper() { return m_ovra; }

private:
    const CString m_strFolder;
    std::unique_ptr<CDatabaseConnection> m_pDatabase;
    COvraHelper m_ovra;
    std::unique_ptr<CAccountManager> m_pAccounts;
    std::unique_ptr<CUserInfoSql> m_pUserInfoSql;
    std::unique_ptr<CUserSetSql> m_pUserSetSql;
    std::unique_ptr<CAllConfigSql> m_pAllConfigSql;
    std::unique_ptr<CDownloadRecordSql> m_pDownloadRecordSql;
    std::unique_ptr<CPlayRecordSql> m_pPlayRecordSql;
    CPlayList* m_pPlayList = nullptr;  // the core's
};
