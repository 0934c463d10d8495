// A copy of a wide string in task memory, for out-parameters the caller frees with
// CoTaskMemFree; null when it cannot be allocated.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string>

inline LPWSTR CopyToTaskString(const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(WCHAR);
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (copy) std::memcpy(copy, text.c_str(), bytes);
    return copy;
}
