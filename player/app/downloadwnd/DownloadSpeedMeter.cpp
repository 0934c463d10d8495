#include "downloadwnd/DownloadSpeedMeter.h"

void CDownloadSpeedMeter::AddBytes(int fileId, DWORD bytes, DWORD now) {
    auto entry = m_entries.find(fileId);
    if (entry == m_entries.end())
        m_entries.emplace(fileId, ENTRY{0, now});
    else
        entry->second.Bytes += bytes;
}

void CDownloadSpeedMeter::Remove(int fileId) { m_entries.erase(fileId); }

std::vector<std::pair<int, double>> CDownloadSpeedMeter::Read(DWORD now) {
    std::vector<std::pair<int, double>> rates;
    for (auto& entry : m_entries) {
        DWORD elapsed = now - entry.second.Since;
        if (elapsed == 0) continue;
        rates.emplace_back(entry.first, entry.second.Bytes / 1024.0 / (elapsed / 1000.0));
        entry.second = ENTRY{0, now};
    }
    return rates;
}
