// Registry helpers of the module: keys under HKEY_CLASSES_ROOT and the check bytes
// by which the system's file source recognises a byte stream.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The braced form of a GUID; GUID_NULL's when it cannot be made.
std::wstring GuidToBracedString(const GUID& guid);
// Creates keyPath[\subKey] and, when value is given, sets valueName (null: default).
bool SetClassesRootValue(const std::wstring& keyPath, LPCWSTR subKey, LPCWSTR valueName, LPCWSTR value);
// Deletes keyPath\subKey (a key without subkeys); a missing key is no failure.
bool DeleteRegistryKey(const std::wstring& keyPath, LPCWSTR subKey);
// Assigns a stream subtype, recognised by its check bytes, to a source filter.
bool RegisterSourceFilterType(const CLSID& sourceFilter, const GUID& subtype, LPCWSTR checkBytes,
                              const std::vector<LPCWSTR>& extensions);
void UnregisterSourceFilterType(const GUID& subtype);
