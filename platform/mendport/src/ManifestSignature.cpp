#include "ManifestSignature.h"

#include <vector>

// kServicePublicKey: the DER of the service's RSA public key (PKCS #1), made by the build.
#include "MendportServiceKey.h"

namespace {

constexpr DWORD kSha256Bytes = 32;

// A key imported from a DER RSA public key.
class CPublicKey {
public:
    CPublicKey(HCRYPTPROV provider, const unsigned char* der, DWORD size) {
        if (!provider) return;
        BYTE* blob = nullptr;
        DWORD blobSize = 0;
        if (!CryptDecodeObjectEx(X509_ASN_ENCODING, RSA_CSP_PUBLICKEYBLOB, der, size, CRYPT_DECODE_ALLOC_FLAG, nullptr,
                                 &blob, &blobSize))
            return;
        if (!CryptImportKey(provider, blob, blobSize, 0, 0, &m_key)) m_key = 0;
        LocalFree(blob);
    }
    ~CPublicKey() {
        if (m_key) CryptDestroyKey(m_key);
    }
    CPublicKey(const CPublicKey&) = delete;
    CPublicKey& operator=(const CPublicKey&) = delete;
    HCRYPTKEY Get() const { return m_key; }

private:
    HCRYPTKEY m_key = 0;
};

}  // namespace

CSha256::CSha256() {
    if (!CryptAcquireContextW(&m_provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        m_provider = 0;
        return;
    }
    if (!CryptCreateHash(m_provider, CALG_SHA_256, 0, 0, &m_hash)) m_hash = 0;
}

CSha256::~CSha256() {
    if (m_hash) CryptDestroyHash(m_hash);
    if (m_provider) CryptReleaseContext(m_provider, 0);
}

bool CSha256::Add(const char* data, size_t size) {
    return m_hash && CryptHashData(m_hash, reinterpret_cast<const BYTE*>(data), (DWORD)size, 0);
}

std::string CSha256::Digest() const {
    BYTE digest[kSha256Bytes] = {};
    DWORD size = sizeof(digest);
    if (!m_hash || !CryptGetHashParam(m_hash, HP_HASHVAL, digest, &size, 0) || size != kSha256Bytes)
        return std::string();
    return std::string(reinterpret_cast<const char*>(digest), size);
}

bool IsSignedByTheService(const std::string& text, const std::string& signature) {
    CSha256 hash;
    CPublicKey key(hash.Provider(), kServicePublicKey, sizeof(kServicePublicKey));
    // CryptoAPI takes the signature least significant byte first.
    std::vector<BYTE> reversed(signature.rbegin(), signature.rend());
    return key.Get() && !reversed.empty() && hash.Add(text.data(), text.size()) &&
           CryptVerifySignatureW(hash.Handle(), reversed.data(), (DWORD)reversed.size(), key.Get(), nullptr, 0);
}
