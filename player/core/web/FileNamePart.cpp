#include "web/FileNamePart.h"

#include <cwchar>

CString SafeFileNamePart(const CString& text) {
    if (text == L"." || text == L"..") return text == L"." ? CString(L"_") : CString(L"__");
    CString safe = text;
    for (int i = 0; i < safe.GetLength(); ++i) {
        wchar_t c = safe[i];
        if (c < 0x20 || c == 0x7F || wcschr(L"\\/:*?\"<>|", c)) safe.SetAt(i, L'_');
    }
    return safe;
}
