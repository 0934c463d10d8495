#include "download/DownloadTestFiles.h"

#include <wincrypt.h>

#include <functional>
#include <stdexcept>

#include "ScopedHandle.h"

namespace {

constexpr size_t kHashPiece = 1 << 16;

// Hashes what feed hands out piece by piece.
std::string Sha1(const std::function<bool(std::string& piece)>& feed) {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        throw std::runtime_error("no crypto provider");
    CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash);
    for (std::string piece; feed(piece);) CryptHashData(hash, (const BYTE*)piece.data(), (DWORD)piece.size(), 0);
    BYTE digest[20];
    DWORD length = sizeof(digest);
    CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0);
    CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : digest) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

}  // namespace

LONGLONG FileSizeOf(const CString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

std::string Sha1OfFile(const CString& path) {
    CScopedHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "missing";
    return Sha1([&](std::string& piece) {
        piece.resize(kHashPiece);
        DWORD read = 0;
        if (!ReadFile(file.Get(), &piece[0], (DWORD)piece.size(), &read, nullptr) || read == 0) return false;
        piece.resize(read);
        return true;
    });
}

std::string Sha1OfSource(const ByteSource& source, uint64_t size) {
    uint64_t offset = 0;
    return Sha1([&](std::string& piece) {
        if (offset >= size) return false;
        piece.resize((size_t)std::min<uint64_t>(kHashPiece, size - offset));
        source.read(offset, &piece[0], piece.size());
        offset += piece.size();
        return true;
    });
}

std::string SourceBytes(const ByteSource& source, uint64_t size) {
    std::string bytes((size_t)size, '\0');
    if (size) source.read(0, &bytes[0], bytes.size());
    return bytes;
}

CString Wide(const std::string& text) { return CString(text.c_str()); }
