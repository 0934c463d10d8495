#include "web/UrlEncode.h"

namespace {

bool IsAsciiAlphanumeric(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

CString UrlEncode(const CString& text, bool encodeAll) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    CStringA bytes(text);
    CString encoded;
    for (int i = 0; i < bytes.GetLength(); ++i) {
        unsigned char c = (unsigned char)bytes[i];
        if (!encodeAll && IsAsciiAlphanumeric(c)) {
            encoded += (wchar_t)c;
        } else if (!encodeAll && IsWhiteSpace(c)) {
            encoded += L'+';
        } else {
            encoded += L'%';
            encoded += kDigits[c >> 4];
            encoded += kDigits[c & 0x0F];
        }
    }
    return encoded;
}
