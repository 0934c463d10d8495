#include "StackDumpLine.h"

void FormatStackLine(ULONG_PTR address, const DWORD* words, int count, char* out) {
#ifdef _WIN64
    char* at = out + wsprintfA(out, "0x%08x%08x: ", DWORD(address >> 32), DWORD(address));
#else
    char* at = out + wsprintfA(out, "0x%08x: ", address);
#endif
    for (int i = 0; i < STACK_WORDS_PER_LINE; ++i)
        at += i < count ? wsprintfA(at, "%08x ", words[i]) : wsprintfA(at, "%9s", "");
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(words);
    for (int i = 0; i < count * 4; ++i) *at++ = bytes[i] >= 32 && bytes[i] <= 126 ? char(bytes[i]) : '.';
    lstrcpyA(at, "\r\n");
}
