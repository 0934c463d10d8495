// The speed column's accounting: bytes reported per task since the last reading. A
// task's first report only starts its entry (its bytes are not counted).
#pragma once

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

class CDownloadSpeedMeter {
public:
    void AddBytes(int fileId, DWORD bytes, DWORD now);
    void Remove(int fileId);
    bool IsEmpty() const { return m_entries.empty(); }
    bool Has(int fileId) const { return m_entries.count(fileId) > 0; }

    // KB/s of each entry since its last reading, in FileID order, and the entries
    // start again from now. An entry with no time passed yet is left for a later reading.
    std::vector<std::pair<int, double>> Read(DWORD now);

private:
    struct ENTRY {
        DWORD Bytes;
        DWORD Since;
    };
    std::map<int, ENTRY> m_entries;
};
