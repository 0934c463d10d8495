#include "FixedText.h"

#include <windows.h>

bool AppendText(char* out, int size, const char* text) {
    const int used = lstrlenA(out);
    const int more = lstrlenA(text);
    if (used + more >= size) return false;
    CopyMemory(out + used, text, more + 1);
    return true;
}

bool JoinText(char* out, int size, const char* first, const char* second, const char* third) {
    if (size <= 0) return false;
    out[0] = '\0';
    if (AppendText(out, size, first) && AppendText(out, size, second) && AppendText(out, size, third)) return true;
    out[0] = '\0';
    return false;
}

const char* FilePart(const char* path) {
    const char* part = path;
    for (const char* at = path; *at; ++at)
        if (*at == '\\') part = at + 1;
    return part;
}

void KeepFolder(char* path) { path[FilePart(path) - path] = '\0'; }

void ChineseText(const char* utf8, char* out, int size) {
    WCHAR wide[512];
    out[0] = '\0';
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512) == 0) return;
    if (WideCharToMultiByte(936, 0, wide, -1, out, size, nullptr, nullptr) == 0) out[0] = '\0';
}
