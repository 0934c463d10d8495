#include "model/DataModel.h"

#include "account/AccountManager.h"
#include "account/LoginSession.h"
#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "db/AllConfigSql.h"
#include "db/DatabaseConnection.h"
#include "db/DownloadRecordSql.h"
#include "db/PlayRecordSql.h"
#include "db/UserInfoSql.h"
#include "db/UserSetSql.h"
#include "download/DownloadRecordStore.h"
#include "playlist/PlayList.h"

CDataModel::CDataModel(const CString& folder) : m_strFolder(folder) {}

void CDataModel::OpenDatabase() {
    m_pDatabase.reset();
    CString path = m_strFolder;
    AppendBackslash(path);
    m_pDatabase = std::make_unique<CDatabaseConnection>(path + L"zemo.db3");
}

void CDataModel::Init() {
    OpenDatabase();
    m_ovra.Startup();
    CUserConfig& config = CUserConfig::GetInstance();
    m_pAllConfigSql = std::make_unique<CAllConfigSql>(m_pDatabase.get());
    config.SetAllConfigSql(m_pAllConfigSql.get());
    config.LoadAllConfig();
    m_pUserInfoSql = std::make_unique<CUserInfoSql>(m_pDatabase.get());
    m_pAccounts = std::make_unique<CAccountManager>(*m_pUserInfoSql, m_ovra);
    m_pUserSetSql = std::make_unique<CUserSetSql>(m_pDatabase.get());
    m_pDownloadRecordSql = std::make_unique<CDownloadRecordSql>(m_pDatabase.get());
    m_pPlayRecordSql = std::make_unique<CPlayRecordSql>(m_pDatabase.get());
    config.SetUserSetSql(m_pUserSetSql.get());
    config.LoadUserSettings();
}

CDataModel::~CDataModel() {
    if (m_pPlayList) m_pPlayList->Save();
    CUserConfig& config = CUserConfig::GetInstance();
    config.Save(true);
    // The settings outlive the tables they borrowed.
    config.SetUserSetSql(nullptr);
    config.SetAllConfigSql(nullptr);
    m_pDatabase.reset();
    m_pUserInfoSql.reset();
    m_pAccounts.reset();
    m_pUserSetSql.reset();
    m_pAllConfigSql.reset();
    m_pDownloadRecordSql.reset();
    m_pPlayRecordSql.reset();
}

std::unique_ptr<CLoginSession> CDataModel::CreateLoginSession() const {
    return m_pAccounts ? std::make_unique<CLoginSession>(*m_pAccounts) : nullptr;
}

std::unique_ptr<CDownloadRecordStore> CDataModel::CreateDownloadRecordStore() const {
    return std::make_unique<CDownloadRecordStore>(m_pDownloadRecordSql.get());
}
