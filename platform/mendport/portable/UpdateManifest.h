// The update service's protocol (plain HTTP GET, text replies), and the reading of
// its check reply. Portable: no platform headers.
//
// Check:  GET <check URL> = http://<address>?app=<name>&version=<installed version>
//   200, lines ending in LF or CRLF, either
//     "current"                          the installed version is the newest, or
//     "update <version>"                 the newest version, then one line a file:
//     "file <size> <sha256> <path>"      decimal byte count, SHA-256 as 64 hex digits,
//                                        the path below the program folder in UTF-8,
//                                        its parts separated by "/", and last
//     "signature <hex>"                  the service's RSA signature (PKCS #1 v1.5,
//                                        SHA-256) of every byte of the reply before
//                                        this line, most significant byte first
//   Any other status or text: the check failed. The client takes an update only when
//   the signature is the service's, checked with the public key built into it.
// A file: GET <check URL>&update=<version>&file=<path, percent-encoded UTF-8>
//   200 with the file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct UPDATE_FILE {
    std::string Path;  // UTF-8, "/" between the parts
    uint64_t Size = 0;
    std::string Sha256;  // the 32 bytes of the digest
};

struct UPDATE_MANIFEST {
    bool Newer = false;
    std::string Version;  // of the update
    std::vector<UPDATE_FILE> Files;
    std::string SignedText;  // the reply up to its signature line
    std::string Signature;   // its bytes
};

// The longest check reply that is read.
constexpr size_t kMaxCheckReply = 256 * 1024;
// Versions are the text of the client's "update\version.dat", which keeps 30 bytes.
constexpr size_t kMaxVersionLength = 29;

// False for a reply that breaks the protocol, including an update without its signature
// line (whether the signature is right is not checked here), a version that is not 1 to 29
// of the characters [0-9A-Za-z._-], a path that could leave the program folder or that
// names the client's own files, and a path given twice (letter case folded as Windows
// folds it).
bool ParseCheckReply(const std::string& reply, UPDATE_MANIFEST& manifest);

// A path in UTF-8 made only of parts that Windows keeps inside their folder as files:
// no empty part, no "." or "..", none of the characters <>:"\|?* (drives, streams, wild
// cards) or control characters, no part ending in a dot or a space, and no device name
// ("CON", "PRN", "AUX", "NUL", "COM1" to "COM9", "LPT1" to "LPT9", in any case and with
// any extension).
bool IsSafeRelativePath(const std::string& path);
