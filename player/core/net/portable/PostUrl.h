// Splitting of the address of a form post into host, port and object.
// Portable: no platform headers.
#pragma once

#include <string>

struct POST_URL_PARTS {
    bool Secure = false;       // "https://"
    std::u16string Host;       // lower case
    unsigned short Port = 80;  // 80, or 443 for https, unless the address names one
    std::u16string Object;     // path and query as written, "/" when none
};

// False when the address has no host, starts with "/" or ":", or names a port
// that is not a number from 1 to 65535.
bool ParsePostUrl(const std::u16string& url, POST_URL_PARTS& parts);
