// Header values of a WinINet request's reply.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>

// The Content-Length; false when the reply has none or it is no plain decimal number
// within 63 bits.
bool QueryContentLength(HINTERNET request, int64_t& length);
