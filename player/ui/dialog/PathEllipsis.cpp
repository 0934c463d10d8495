#include "dialog/PathEllipsis.h"

namespace {

const wchar_t kEllipsis[] = L"\x2026";

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length of the last path segment with its separator; 0 without a separator.
int LastSegmentLength(const CString& text) {
    for (int i = text.GetLength() - 1; i >= 0; --i)
        if (text[i] == L'\\' || text[i] == L'/') return text.GetLength() - i;
    return 0;
}

// The text with all but kept characters of it replaced by the ellipsis.
CString Keep(const CString& text, int kept, int lastSegment) {
    int tail = lastSegment > 0 && lastSegment < kept ? lastSegment : kept / 2;
    int head = kept - tail;
    int length = text.GetLength();
    if (head > 0 && IsHighSurrogate(text[head - 1])) --head;
    if (tail > 0 && IsLowSurrogate(text[length - tail])) --tail;
    return text.Left(head) + kEllipsis + text.Right(tail);
}

}  // namespace

CString EllipsizePath(const CString& text, int maxWidth, const std::function<int(const CString&)>& measure) {
    if (measure(text) <= maxWidth) return text;
    int lastSegment = LastSegmentLength(text);
    // The most characters kept that still fit: at least none, fewer than all.
    int fits = 0, tooMany = text.GetLength();
    while (tooMany - fits > 1) {
        int kept = fits + (tooMany - fits) / 2;
        if (measure(Keep(text, kept, lastSegment)) <= maxWidth)
            fits = kept;
        else
            tooMany = kept;
    }
    return Keep(text, fits, lastSegment);
}
