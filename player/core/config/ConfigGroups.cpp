#include "config/ConfigGroups.h"

#include <afxwin.h>
#include <errno.h>
#include <limits.h>
#include <wchar.h>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "playlist/PlayOrder.h"

namespace {

enum { kUserColumns = 8, kAllColumns = 7 };

// A whole decimal number within min..max, else the fallback.
int ReadInt(const CString& text, int min, int max, int fallback) {
    if (text.IsEmpty()) return fallback;
    wchar_t* end = nullptr;
    errno = 0;
    long value = wcstol(text, &end, 10);
    if (errno != 0 || *end != 0 || value < min || value > max) return fallback;
    return (int)value;
}

bool ReadFlag(const CString& text, bool fallback) { return ReadInt(text, INT_MIN, INT_MAX, fallback ? 1 : 0) != 0; }

void AddPair(CStringArray* pairs, LPCWSTR name, const CString& value) {
    if (!pairs) return;
    pairs->Add(name);
    pairs->Add(value);
}

void AddPair(CStringArray* pairs, LPCWSTR name, int value) { AddPair(pairs, name, IntToCString(value)); }

}  // namespace

void CBaseConfig::NotifyChange(int id) { m_pOwner->RecordChange(id); }

void CDownloadConfig::Reset() {
    DownloadPath = GetDefaultDownloadFolder();
    DownloadNum = 5;
    AutoDownload = false;
    RelinkTimes = 5;
    AutoAdd2PlayList = true;
}

void CDownloadConfig::Load(const CStringArray* row) {
    if (!row || row->GetSize() < kUserColumns) return;
    DownloadPath = (*row)[0].IsEmpty() ? GetDefaultDownloadFolder() : (*row)[0];
    DownloadNum = ReadInt((*row)[1], 1, 10, 5);
    AutoDownload = ReadFlag((*row)[2], false);
    RelinkTimes = ReadInt((*row)[3], 1, 10, 5);
    AutoAdd2PlayList = ReadFlag((*row)[7], true);
}

void CDownloadConfig::Save(CStringArray* pairs) {
    AddPair(pairs, L"DownloadPath", DownloadPath);
    AddPair(pairs, L"DownloadNum", DownloadNum);
    AddPair(pairs, L"AutoDownload", AutoDownload);
    AddPair(pairs, L"AutoAdd2PlayList", AutoAdd2PlayList);
    AddPair(pairs, L"RelinkTimes", RelinkTimes);
}

void COtherConfig::Reset() {
    Mute = false;
    Volume = 50;
    PlayOrder = PLAY_ORDER_SEQUENTIAL;
}

void COtherConfig::Load(const CStringArray* row) {
    if (!row || row->GetSize() < kUserColumns) return;
    Mute = ReadFlag((*row)[4], false);
    Volume = (uint16_t)ReadInt((*row)[5], 0, 100, 50);
    PlayOrder = ReadInt((*row)[6], PLAY_ORDER_SEQUENTIAL, PLAY_ORDER_LOOP, PLAY_ORDER_SEQUENTIAL);
}

void COtherConfig::Save(CStringArray* pairs) {
    AddPair(pairs, L"Mute", Mute);
    AddPair(pairs, L"Volume", Volume);
    AddPair(pairs, L"PlayOrder", PlayOrder);
}

void CAllConfig::Reset() {
    WindowShowType = 2;
    WindowLeft = WindowTop = WindowRight = WindowBottom = 0;
    MaximizeWindow = false;
    AutoLogin = false;
}

void CAllConfig::Load(const CStringArray* row) {
    if (!row || row->GetSize() < kAllColumns) return;
    WindowShowType = ReadInt((*row)[0], 0, 2, 2);
    WindowLeft = ReadInt((*row)[1], INT_MIN, INT_MAX, 0);
    WindowTop = ReadInt((*row)[2], INT_MIN, INT_MAX, 0);
    WindowRight = ReadInt((*row)[3], INT_MIN, INT_MAX, 0);
    WindowBottom = ReadInt((*row)[4], INT_MIN, INT_MAX, 0);
    MaximizeWindow = ReadFlag((*row)[5], false);
    AutoLogin = ReadFlag((*row)[6], false);
}

void CAllConfig::Save(CStringArray* pairs) {
    RECT rect;
    // A minimised window reports no place on the screen; its stored one is kept.
    if (m_placementWindow && !IsIconic(m_placementWindow) && GetWindowRect(m_placementWindow, &rect)) {
        WindowLeft = rect.left;
        WindowTop = rect.top;
        WindowRight = rect.right;
        WindowBottom = rect.bottom;
    }
    AddPair(pairs, L"WindowShowType", WindowShowType);
    AddPair(pairs, L"WindowLeft", WindowLeft);
    AddPair(pairs, L"WindowTop", WindowTop);
    AddPair(pairs, L"WindowRight", WindowRight);
    AddPair(pairs, L"WindowBottom", WindowBottom);
    AddPair(pairs, L"MaximizeWindow", MaximizeWindow);
    AddPair(pairs, L"AutoLogin", AutoLogin);
}
