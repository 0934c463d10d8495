// What makes an update the service's: the signature of its check reply, checked with
// the public key built into the client, and the SHA-256 digests of its files. Over
// CryptoAPI.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <cstddef>
#include <string>

// SHA-256 of bytes given piece by piece.
class CSha256 {
public:
    CSha256();
    ~CSha256();
    CSha256(const CSha256&) = delete;
    CSha256& operator=(const CSha256&) = delete;

    bool Add(const char* data, size_t size);
    // The 32 bytes of the digest; empty when hashing failed.
    std::string Digest() const;
    // For signatures over the hashed bytes: the provider and the hash (0 when they failed).
    HCRYPTPROV Provider() const { return m_provider; }
    HCRYPTHASH Handle() const { return m_hash; }

private:
    HCRYPTPROV m_provider = 0;
    HCRYPTHASH m_hash = 0;
};

// True when signature (RSA, PKCS #1 v1.5 over SHA-256, most significant byte first) is
// the update service's signature of text.
bool IsSignedByTheService(const std::string& text, const std::string& signature);
