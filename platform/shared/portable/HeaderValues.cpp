#include "HeaderValues.h"

namespace {

constexpr int64_t kMaxValue = INT64_MAX;

// Reads the characters of a value one by one; past the end it reads 0.
template <typename Char>
class Cursor {
public:
    explicit Cursor(std::basic_string_view<Char> text) : m_text(text) {}
    char32_t Peek() const { return m_at < m_text.size() ? (char32_t)m_text[m_at] : 0; }
    bool AtEnd() const { return m_at == m_text.size(); }
    void Skip() { ++m_at; }
    bool Take(char32_t c) {
        if (AtEnd() || Peek() != c) return false;
        Skip();
        return true;
    }

private:
    std::basic_string_view<Char> m_text;
    size_t m_at = 0;
};

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

// A decimal number; false when there is no digit or it overflows.
template <typename Char>
bool ReadNumber(Cursor<Char>& text, int64_t& value) {
    if (!IsDigit(text.Peek())) return false;
    value = 0;
    for (; IsDigit(text.Peek()); text.Skip()) {
        int digit = int(text.Peek() - '0');
        if (value > (kMaxValue - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

// A number or "*" (-1).
template <typename Char>
bool ReadNumberOrStar(Cursor<Char>& text, int64_t& value) {
    if (text.Take('*')) {
        value = -1;
        return true;
    }
    return ReadNumber(text, value);
}

template <typename Char>
bool SkipUnit(Cursor<Char>& text) {
    for (const char* u = "bytes"; *u; ++u, text.Skip())
        if ((text.Peek() | 0x20) != char32_t(*u)) return false;
    if (!text.Take(' ')) return false;
    while (text.Take(' ')) {
    }
    return true;
}

template <typename Char>
bool ContentLength(std::basic_string_view<Char> value, int64_t& length) {
    Cursor<Char> text(value);
    int64_t number = 0;
    if (!ReadNumber(text, number) || !text.AtEnd()) return false;
    length = number;
    return true;
}

template <typename Char>
bool ContentRange(std::basic_string_view<Char> value, CONTENT_RANGE& range) {
    Cursor<Char> text(value);
    if (!SkipUnit(text)) return false;
    CONTENT_RANGE parsed;
    if (!text.Take('*')) {
        if (!ReadNumber(text, parsed.First) || !text.Take('-') || !ReadNumber(text, parsed.Last)) return false;
        if (parsed.Last < parsed.First) return false;
    }
    if (!text.Take('/') || !ReadNumberOrStar(text, parsed.Total) || !text.AtEnd()) return false;
    bool satisfied = parsed.First >= 0;
    if (!satisfied && parsed.Total < 0) return false;  // "*/*"
    if (satisfied && parsed.Total >= 0 && parsed.Last >= parsed.Total) return false;
    range = parsed;
    return true;
}

}  // namespace

bool ParseContentLength(std::string_view text, int64_t& length) { return ContentLength(text, length); }
bool ParseContentLength(std::u16string_view text, int64_t& length) { return ContentLength(text, length); }
bool ParseContentLength(std::wstring_view text, int64_t& length) { return ContentLength(text, length); }

bool ParseContentRange(std::string_view text, CONTENT_RANGE& range) { return ContentRange(text, range); }
bool ParseContentRange(std::u16string_view text, CONTENT_RANGE& range) { return ContentRange(text, range); }
bool ParseContentRange(std::wstring_view text, CONTENT_RANGE& range) { return ContentRange(text, range); }
