#include "ChecksumHelper.h"

#include <algorithm>
#include <string>

#include "SystemError.h"
#include "ScopedHandle.h"
#include "Md5Checksum.h"
#include "portable/CommonUtil.h"
#include "portable/Sha1.h"
#include "portable/RequestLayout.h"
#include "portable/StorageRecords.h"

namespace {

// Files are viewed in pieces of this size (a multiple of the allocation granularity),
// so a file needs no address space of its own size.
constexpr DWORD VIEW_SIZE = 16 << 20;

class CMappedView {
public:
    CMappedView(HANDLE mapping, ULONGLONG offset, DWORD size)
        : m_bytes(MapViewOfFile(mapping, FILE_MAP_READ, DWORD(offset >> 32), DWORD(offset), size)) {}
    ~CMappedView() {
        if (m_bytes) UnmapViewOfFile(m_bytes);
    }
    CMappedView(const CMappedView&) = delete;
    CMappedView& operator=(const CMappedView&) = delete;
    const void* Bytes() const { return m_bytes; }

private:
    void* m_bytes;
};

}  // namespace

int CalcFileChecksum(const char* folder, const char* fileName, char* md5, char* sha1, unsigned long& size) {
    std::string path = std::string(Text(folder)) + "\\" + Text(fileName);
    if (path.size() > UPLOAD_PATH_MAX_CHARS) {
        SetLastErrMsg("CalcFileChecksum() path too long: " + path);
        return 1;
    }
    CScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_RANDOM_ACCESS, nullptr));
    if (!file) {
        LogSystemError();
        return 1;
    }
    CScopedHandle mapping(CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) {
        LogSystemError();
        return 1;
    }
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file.Get(), &fileSize)) {
        LogSystemError();
        return 1;
    }
    if (ULONGLONG(fileSize.QuadPart) > 0xFFFFFFFFull) {
        SetLastErrMsg("CalcFileChecksum() file of 4 GB or more: " + path);
        return 1;
    }
    size = DWORD(fileSize.QuadPart);
    CMD5Checksum md5Digest;
    CSha1 sha1Digest;
    for (ULONGLONG offset = 0; offset < size; offset += VIEW_SIZE) {
        DWORD count = DWORD(std::min<ULONGLONG>(VIEW_SIZE, size - offset));
        CMappedView view(mapping.Get(), offset, count);
        if (!view.Bytes()) {
            LogSystemError();
            return 1;
        }
        md5Digest.Append(static_cast<const uint8_t*>(view.Bytes()), count);
        sha1Digest.Update(view.Bytes(), count);
    }
    CopyText(md5, MD5_CHARS + 1, md5Digest.Finish());
    CopyText(sha1, SHA1_CHARS + 1, sha1Digest.HexDigest());
    return 0;
}
