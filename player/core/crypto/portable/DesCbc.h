// DES (FIPS 46-3) in CBC mode with PKCS #5 padding, as the account token uses it.
#pragma once

#include <cstddef>
#include <cstdint>

// Cipher length of a plain text of the given length: rounded up to a multiple of 8,
// a whole block more when it is one already.
size_t DesCbcCipherLength(size_t length);

// Enciphers with the given 8-byte key and initialisation vector; returns the cipher
// length. With no output only the length is returned.
size_t DesCbcEncryptWithKey(const uint8_t* key, const uint8_t* iv, uint8_t* output, const uint8_t* input,
                            size_t length);

// The same with the account token's fixed key and initialisation vector.
size_t DesCbcEncrypt(uint8_t* output, const uint8_t* input, size_t length);
