// The host and port of an http or https address, as a browser would connect to it.
// Portable: no platform headers.
#pragma once

#include <string>

struct URL_HOST {
    std::u16string Host;  // lower case (ASCII), without brackets' contents changed
    int Port = 0;         // the given one, else 80 for http and 443 for https
};

// False for other schemes, no host, or a port that is not a number in 1..65535.
// The scheme is matched ignoring case; a user part ("name:secret@") is not the host.
bool ParseUrlHost(const std::u16string& url, URL_HOST& host);

// True when both addresses parse and name the same host and port.
bool IsSameHost(const std::u16string& url, const std::u16string& other);
