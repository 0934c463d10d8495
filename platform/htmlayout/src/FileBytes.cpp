#include "FileBytes.h"

#include <windows.h>

namespace hlwin {

std::vector<unsigned char> ReadFileBytes(const std::u16string& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(reinterpret_cast<const WCHAR*>(path.c_str()), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    constexpr LONGLONG kLargest = 64LL << 20;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLargest) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace hlwin
