#include "config/UserConfig.h"

#include <algorithm>
#include <memory>

#include "common/CommonHelpers.h"
#include "db/AllConfigSql.h"
#include "db/UserSetSql.h"

namespace {

template <typename T>
void SortUnique(std::vector<T>& items) {
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

}  // namespace

CUserConfig& CUserConfig::GetInstance() {
    static CUserConfig instance;
    return instance;
}

CUserConfig::CUserConfig() : m_strSkinName(L"默认皮肤") { m_skinFolders[m_strSkinName] = GetDefaultSkinFolder(); }

void CUserConfig::AddObserver(IObserver* observer) {
    if (!observer) return;
    m_observers.push_back(observer);
    SortUnique(m_observers);
}

void CUserConfig::RemoveObserver(IObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CUserConfig::NotifyObservers() {
    std::vector<int> changes;
    changes.swap(m_pendingChanges);
    SortUnique(changes);
    // An observer may leave the list while it is told.
    const std::vector<IObserver*> observers = m_observers;
    for (IObserver* observer : observers) observer->OnConfigChanged(changes);
    SaveUserSettings();
}

CString CUserConfig::GetSkinFolder() const {
    auto found = m_skinFolders.find(m_strSkinName);
    return found == m_skinFolders.end() ? CString() : found->second;
}

void CUserConfig::SetCurrentUser(const CString& name) {
    m_strPreviousUser = m_strCurrentUser;
    m_strCurrentUser = name;
}

void CUserConfig::LoadUserSettings() {
    CStringArray user;
    user.Add(m_strCurrentUser);
    std::unique_ptr<SqlRows> rows = m_pUserSetSql ? m_pUserSetSql->Select(&user) : nullptr;
    if (rows) {
        m_download.Load(&rows->front());
        m_other.Load(&rows->front());
    } else {
        m_download.Reset();
        m_other.Reset();
    }
}

void CUserConfig::LoadAllConfig() {
    std::unique_ptr<SqlRows> rows = m_pAllConfigSql ? m_pAllConfigSql->Select(nullptr) : nullptr;
    if (rows)
        m_all.Load(&rows->front());
    else
        m_all.Reset();
}

void CUserConfig::Save(bool withWindow) {
    SaveUserSettings();
    if (!withWindow) return;
    CStringArray pairs;
    m_all.Save(&pairs);
    if (m_pAllConfigSql) m_pAllConfigSql->Save(&pairs);
}

void CUserConfig::SaveUserSettings() {
    CStringArray pairs;
    pairs.Add(L"UserName");
    pairs.Add(m_strCurrentUser);
    m_download.Save(&pairs);
    m_other.Save(&pairs);
    if (m_pUserSetSql) m_pUserSetSql->Save(&pairs);
}
