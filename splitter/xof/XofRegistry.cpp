#include "XofRegistry.h"

#include <objbase.h>
#include <uuids.h>

namespace {
const std::wstring kMediaType = L"Media Type\\";

std::wstring StreamTypeKey() { return kMediaType + GuidToBracedString(MEDIATYPE_Stream); }

// The key path without a trailing backslash.
std::wstring Trimmed(std::wstring path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}
}  // namespace

std::wstring GuidToBracedString(const GUID& guid) {
    WCHAR text[128];
    if (StringFromGUID2(guid, text, 128) == 0) StringFromGUID2(GUID_NULL, text, 128);
    return text;
}

bool SetClassesRootValue(const std::wstring& keyPath, LPCWSTR subKey, LPCWSTR valueName, LPCWSTR value) {
    std::wstring path = Trimmed(keyPath);
    if (subKey) path += L"\\" + std::wstring(subKey);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG error = ERROR_SUCCESS;
    if (value) {
        DWORD bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR));
        error = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    }
    RegCloseKey(key);
    return error == ERROR_SUCCESS;
}

bool DeleteRegistryKey(const std::wstring& keyPath, LPCWSTR subKey) {
    HKEY key = nullptr;
    LONG error = RegOpenKeyExW(HKEY_CLASSES_ROOT, Trimmed(keyPath).c_str(), 0, KEY_ALL_ACCESS, &key);
    if (error == ERROR_FILE_NOT_FOUND) return true;
    if (error != ERROR_SUCCESS) return false;
    if (subKey) error = RegDeleteKeyW(key, subKey);
    RegCloseKey(key);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

bool RegisterSourceFilterType(const CLSID& sourceFilter, const GUID& subtype, LPCWSTR checkBytes,
                              const std::vector<LPCWSTR>& extensions) {
    const std::wstring subtypeText = GuidToBracedString(subtype);
    const std::wstring sourceText = GuidToBracedString(sourceFilter);
    bool written = SetClassesRootValue(StreamTypeKey(), subtypeText.c_str(), L"0", checkBytes) &&
                   SetClassesRootValue(StreamTypeKey(), subtypeText.c_str(), L"Source Filter", sourceText.c_str());
    DeleteRegistryKey(kMediaType + GuidToBracedString(GUID_NULL), subtypeText.c_str());
    for (LPCWSTR extension : extensions) DeleteRegistryKey(kMediaType + L"Extensions", extension);
    return written;
}

void UnregisterSourceFilterType(const GUID& subtype) {
    DeleteRegistryKey(StreamTypeKey(), GuidToBracedString(subtype).c_str());
}
