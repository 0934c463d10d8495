// The play list: the files the user added, in order, each with its add time, last
// play time and resume position; the current item; the pool of random play. Loaded
// from and saved to UserPlayRecord. Paths are compared without regard to case.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "playlist/PlayOrder.h"
#include "playlist/PlayRecordInfo.h"

class CPlayRecordSql;

class CPlayList {
public:
    // The table is the data model's (not owned; may be null, then nothing is stored).
    explicit CPlayList(CPlayRecordSql* sql) : m_pSql(sql) {}
    CPlayList(const CPlayList&) = delete;
    CPlayList& operator=(const CPlayList&) = delete;

    // Replaces the list with the stored one; clears the current path.
    void Load();
    // Replaces the stored list with this one, once the stored list has been read:
    // a list that was never loaded, or whose load failed, must not wipe it.
    void Save() const;

    // Appends a new item unless the path is there (or empty); stampPlay also stamps its play time.
    void AddItem(const CString& path, bool stampPlay);
    void RemoveItem(const CString& path);
    // Empties the list and the pool; the current path stays.
    void Clear();
    // Exchanges two items; nothing unless both are there.
    void SwapItems(const CString& first, const CString& second);
    // Makes the list follow the order of the paths, one for each item; 0 when refused.
    int ReorderItems(const CStringArray* paths);
    // Moves the item to the index, shifting the items between; false when refused.
    bool MoveItem(const CString& path, int index);

    // All paths in order; null for an empty list.
    std::unique_ptr<CStringArray> GetPaths() const;
    int GetCount() const { return (int)m_items.size(); }

    // The current path may name a file that is not (or no longer) in the list.
    void SetCurrentPath(const CString& path) { m_strCurrent = path; }
    CString GetCurrentPath() const { return m_strCurrent; }
    CString GetFirstPath() const;
    CString GetLastPath() const;
    // The item before the current one; empty when it is first or not in the list.
    CString GetPrevPath() const;
    // The item after the current one; with applyOrder the PlayOrder setting decides.
    CString GetNextPath(bool applyOrder);
    // The item with the latest play time (the earlier one of a tie).
    CString GetLastPlayedPath() const;
    // What enables the previous and next buttons.
    bool IsFirstItem() const;
    bool IsLastItem() const;

    void SetItemPlayTime(const CString& path, __int64 time);
    void SetItemPosition(const CString& path, int seconds);
    // The resume position in seconds; -1 when the path is not in the list.
    int GetItemPosition(const CString& path) const;

    // Empties the random pool; refill puts every path back in list order.
    void ResetRandomPool(bool refill);

private:
    // Index of the first item with the path; -1 when there is none.
    int Find(const CString& path) const;
    void RemoveFromPool(const CString& path);
    CString PathAt(int index) const;

    std::vector<PLAY_RECORD_INFO> m_items;
    std::vector<CString> m_randomPool;
    CString m_strCurrent;
    CPlayRecordSql* m_pSql;
    bool m_bStoredListRead = false;
};
