// A whole file's bytes, read while another program may still write it (a download).
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

inline std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    char buffer[65536];
    for (DWORD read = 0; ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0;)
        bytes.append(buffer, read);
    return bytes;
}
