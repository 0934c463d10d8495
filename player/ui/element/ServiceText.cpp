#include "element/ServiceText.h"

#include <cwchar>

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsAsciiAlnum(wchar_t c) { return IsAsciiLetter(c) || (c >= L'0' && c <= L'9'); }

// "&" begins an entity: a name or number in ASCII, then ";".
bool IsEntityAt(const CString& text, int at) {
    int i = at + 1;
    if (i < text.GetLength() && text[i] == L'#') ++i;
    int start = i;
    while (i < text.GetLength() && IsAsciiAlnum(text[i])) ++i;
    return i > start && i < text.GetLength() && text[i] == L';';
}

// The end of the tag that begins at `at` ("<" then an ASCII letter, "/" or "!"), or -1.
int TagEnd(const CString& text, int at) {
    if (at + 1 >= text.GetLength()) return -1;
    wchar_t next = text[at + 1];
    bool opens = IsAsciiLetter(next) || next == L'/' || next == L'!';
    return opens ? text.Find(L'>', at) : -1;
}

}  // namespace

CString CoverStyle(const CString& imageUrl) {
    for (int i = 0; i < imageUrl.GetLength(); ++i) {
        wchar_t c = imageUrl[i];
        if (c < 0x20 || c == 0x7F || wcschr(L"\"'()\\;{}", c)) return CString();
    }
    return L"background-image: url(\"" + imageUrl + L"\");";
}

CString BriefMarkup(const CString& brief) {
    CString markup;
    for (int i = 0; i < brief.GetLength(); ++i) {
        wchar_t c = brief[i];
        int tagEnd = c == L'<' ? TagEnd(brief, i) : -1;
        if (tagEnd > 0) {
            CString name = brief.Mid(i + 1, tagEnd - i - 1);
            name.MakeLower();
            if (name == L"p" || name == L"/p") markup += L"<" + name + L">";
            i = tagEnd;
        } else if (c == L'<') {
            markup += L"&lt;";
        } else if (c == L'>') {
            markup += L"&gt;";
        } else if (c == L'&' && !IsEntityAt(brief, i)) {
            markup += L"&amp;";
        } else {
            markup += c;
        }
    }
    return markup;
}
