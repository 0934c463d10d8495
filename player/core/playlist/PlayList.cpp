#include "playlist/PlayList.h"

#include <stdlib.h>
#include <time.h>

#include <algorithm>

#include "config/UserConfig.h"
#include "db/PlayRecordSql.h"

namespace {

int PlayOrderSetting() { return CUserConfig::GetInstance().GetOtherConfig().GetPlayOrder(); }

}  // namespace

void CPlayList::Load() {
    m_strCurrent.Empty();
    Clear();
    std::unique_ptr<SqlRows> rows = m_pSql ? m_pSql->Select(nullptr) : nullptr;
    m_bStoredListRead = m_pSql && !m_pSql->LastQueryFailed();
    if (!rows) return;
    m_items.reserve(rows->size());
    for (const CStringArray& row : *rows) {
        if (row.GetSize() < 4 || row[0].IsEmpty()) continue;
        m_items.push_back({row[0], _wtoi64(row[1]), _wtoi64(row[2]), _wtoi(row[3])});
    }
    if (PlayOrderSetting() == PLAY_ORDER_RANDOM) ResetRandomPool(true);
}

void CPlayList::Save() const {
    if (m_pSql && m_bStoredListRead) m_pSql->SaveList(m_items);
}

void CPlayList::AddItem(const CString& path, bool stampPlay) {
    if (path.IsEmpty()) return;
    if (Find(path) < 0) {
        __int64 now = _time64(nullptr);
        m_items.push_back({path, now, stampPlay ? now : 0, 0});
    }
    if (PlayOrderSetting() == PLAY_ORDER_RANDOM &&
        std::find(m_randomPool.begin(), m_randomPool.end(), path) == m_randomPool.end())
        m_randomPool.push_back(path);
}

void CPlayList::RemoveItem(const CString& path) {
    int index = Find(path);
    if (index >= 0) m_items.erase(m_items.begin() + index);
    if (PlayOrderSetting() == PLAY_ORDER_RANDOM) RemoveFromPool(path);
}

void CPlayList::Clear() {
    m_items.clear();
    m_randomPool.clear();
}

void CPlayList::SwapItems(const CString& first, const CString& second) {
    int a = Find(first), b = Find(second);
    if (a >= 0 && b >= 0) std::swap(m_items[a], m_items[b]);
}

int CPlayList::ReorderItems(const CStringArray* paths) {
    if (!paths || paths->IsEmpty() || paths->GetSize() != (INT_PTR)m_items.size()) return 0;
    for (size_t k = 0; k < m_items.size(); ++k) {
        const CString& wanted = (*paths)[(INT_PTR)k];
        if (m_items[k].FilePath != wanted) SwapItems(CString(m_items[k].FilePath), wanted);
    }
    return 1;
}

bool CPlayList::MoveItem(const CString& path, int index) {
    int from = Find(path);
    if (from < 0 || index < 0 || index >= (int)m_items.size()) return false;
    auto first = m_items.begin();
    if (from < index)
        std::rotate(first + from, first + from + 1, first + index + 1);
    else
        std::rotate(first + index, first + from, first + from + 1);
    return true;
}

std::unique_ptr<CStringArray> CPlayList::GetPaths() const {
    if (m_items.empty()) return nullptr;
    auto paths = std::make_unique<CStringArray>();
    for (const PLAY_RECORD_INFO& item : m_items) paths->Add(item.FilePath);
    return paths;
}

CString CPlayList::GetFirstPath() const { return PathAt(0); }

CString CPlayList::GetLastPath() const { return PathAt(GetCount() - 1); }

CString CPlayList::GetPrevPath() const {
    int current = Find(m_strCurrent);
    return current > 0 ? PathAt(current - 1) : CString();
}

CString CPlayList::GetNextPath(bool applyOrder) {
    if (m_items.empty()) return CString();
    int current = Find(m_strCurrent);
    int order = applyOrder ? PlayOrderSetting() : PLAY_ORDER_SEQUENTIAL;
    if (order == PLAY_ORDER_RANDOM) {
        // The current path leaves the pool now, so each path plays once per filling.
        if (current >= 0) RemoveFromPool(m_strCurrent);
        if (m_randomPool.empty()) return CString();
        srand((unsigned)time(nullptr));
        return m_randomPool[(size_t)rand() % m_randomPool.size()];
    }
    if (current < 0) return GetFirstPath();
    if (current + 1 < GetCount()) return PathAt(current + 1);
    return order == PLAY_ORDER_LOOP ? GetFirstPath() : CString();
}

CString CPlayList::GetLastPlayedPath() const {
    if (m_items.empty()) return CString();
    size_t best = 0;
    for (size_t i = 1; i < m_items.size(); ++i)
        if (m_items[i].PlayTime > m_items[best].PlayTime) best = i;
    return m_items[best].FilePath;
}

bool CPlayList::IsFirstItem() const { return Find(m_strCurrent) <= 0; }

bool CPlayList::IsLastItem() const {
    if (m_strCurrent.IsEmpty()) return true;
    int current = Find(m_strCurrent);
    if (current < 0) return m_items.empty();
    return current == GetCount() - 1;
}

void CPlayList::SetItemPlayTime(const CString& path, __int64 time) {
    int index = Find(path);
    if (index >= 0) m_items[index].PlayTime = time;
}

void CPlayList::SetItemPosition(const CString& path, int seconds) {
    int index = Find(path);
    if (index >= 0) m_items[index].Consuming = seconds;
}

int CPlayList::GetItemPosition(const CString& path) const {
    int index = Find(path);
    return index >= 0 ? m_items[index].Consuming : -1;
}

void CPlayList::ResetRandomPool(bool refill) {
    m_randomPool.clear();
    if (!refill) return;
    for (const PLAY_RECORD_INFO& item : m_items) m_randomPool.push_back(item.FilePath);
}

int CPlayList::Find(const CString& path) const {
    // Texts equal without regard to case have the same length.
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].FilePath.GetLength() == path.GetLength() && m_items[i].FilePath.CompareNoCase(path) == 0)
            return (int)i;
    return -1;
}

void CPlayList::RemoveFromPool(const CString& path) {
    m_randomPool.erase(std::remove_if(m_randomPool.begin(), m_randomPool.end(),
                                      [&](const CString& pooled) { return pooled.CompareNoCase(path) == 0; }),
                       m_randomPool.end());
}

CString CPlayList::PathAt(int index) const {
    return index >= 0 && index < GetCount() ? m_items[index].FilePath : CString();
}
