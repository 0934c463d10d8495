// CStringT: the class library's string, wide (CStringW) and 8-bit (CStringA).
// CString is the wide one in UNICODE builds, the 8-bit one otherwise.
// 8-bit text is in the ANSI code page; conversions between the two go through it.
#pragma once

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <algorithm>
#include <string>

namespace afx_detail {

template <typename T>
struct CharTraits;

template <>
struct CharTraits<wchar_t> {
    using Other = char;
    static int Length(const wchar_t* s) { return s ? (int)wcslen(s) : 0; }
    static int CompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
    static int FormattedLength(const wchar_t* format, va_list args) { return _vscwprintf(format, args); }
    static int FormatInto(wchar_t* buffer, size_t count, const wchar_t* format, va_list args) {
        return _vsnwprintf(buffer, count, format, args);
    }
    static void Lower(wchar_t* s, int length) {
        if (length > 0) CharLowerBuffW(s, (DWORD)length);
    }
    static void Upper(wchar_t* s, int length) {
        if (length > 0) CharUpperBuffW(s, (DWORD)length);
    }
    static bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
    static std::wstring FromOther(const char* s, int length) {
        std::wstring out;
        if (!s || length <= 0) return out;
        int n = MultiByteToWideChar(CP_ACP, 0, s, length, nullptr, 0);
        out.resize(n);
        MultiByteToWideChar(CP_ACP, 0, s, length, &out[0], n);
        return out;
    }
};

template <>
struct CharTraits<char> {
    using Other = wchar_t;
    static int Length(const char* s) { return s ? (int)strlen(s) : 0; }
    static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
    static int FormattedLength(const char* format, va_list args) { return _vscprintf(format, args); }
    static int FormatInto(char* buffer, size_t count, const char* format, va_list args) {
        return _vsnprintf(buffer, count, format, args);
    }
    static void Lower(char* s, int length) {
        if (length > 0) CharLowerBuffA(s, (DWORD)length);
    }
    static void Upper(char* s, int length) {
        if (length > 0) CharUpperBuffA(s, (DWORD)length);
    }
    static bool IsSpace(char c) { return isspace((unsigned char)c) != 0; }
    static std::string FromOther(const wchar_t* s, int length) {
        std::string out;
        if (!s || length <= 0) return out;
        int n = WideCharToMultiByte(CP_ACP, 0, s, length, nullptr, 0, nullptr, nullptr);
        out.resize(n);
        WideCharToMultiByte(CP_ACP, 0, s, length, &out[0], n, nullptr, nullptr);
        return out;
    }
};

}  // namespace afx_detail

template <typename T>
class CStringT {
    using Traits = afx_detail::CharTraits<T>;

public:
    using XCHAR = T;
    using PXSTR = T*;
    using PCXSTR = const T*;
    using YCHAR = typename Traits::Other;
    using PCYSTR = const YCHAR*;

    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT(PCXSTR s) {
        if (s) m_s = s;
    }
    CStringT(PCXSTR s, int length) {
        if (s && length > 0) m_s.assign(s, (size_t)length);
    }
    CStringT(T ch, int repeat = 1) {
        if (repeat > 0) m_s.assign((size_t)repeat, ch);
    }
    CStringT(PCYSTR s) : m_s(Traits::FromOther(s, afx_detail::CharTraits<YCHAR>::Length(s))) {}
    CStringT(PCYSTR s, int length) : m_s(Traits::FromOther(s, length)) {}
    CStringT(const CStringT<YCHAR>& other) : m_s(Traits::FromOther(other.GetString(), other.GetLength())) {}

    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    CStringT& operator=(PCXSTR s) {
        if (s)
            m_s = s;
        else
            m_s.clear();
        return *this;
    }
    CStringT& operator=(T ch) {
        m_s.assign(1, ch);
        return *this;
    }
    CStringT& operator=(PCYSTR s) { return *this = CStringT(s); }
    CStringT& operator=(const CStringT<YCHAR>& other) { return *this = CStringT(other); }

    // Length and access.
    int GetLength() const { return (int)m_s.size(); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    T GetAt(int i) const { return m_s.at((size_t)i); }
    void SetAt(int i, T ch) { m_s.at((size_t)i) = ch; }
    T operator[](int i) const { return GetAt(i); }
    PCXSTR GetString() const { return m_s.c_str(); }
    operator PCXSTR() const { return m_s.c_str(); }

    // Appending.
    CStringT& operator+=(PCXSTR s) {
        Append(s);
        return *this;
    }
    CStringT& operator+=(const CStringT& s) {
        m_s += s.m_s;
        return *this;
    }
    CStringT& operator+=(T ch) {
        m_s += ch;
        return *this;
    }
    CStringT& operator+=(PCYSTR s) { return *this += CStringT(s); }
    void Append(PCXSTR s) {
        if (s) m_s += s;
    }
    void Append(PCXSTR s, int length) {
        if (s && length > 0) m_s.append(s, (size_t)length);
    }
    void AppendChar(T ch) { m_s += ch; }

    // Comparison.
    int Compare(PCXSTR s) const { return m_s.compare(s ? s : EmptyText()); }
    int CompareNoCase(PCXSTR s) const { return Traits::CompareNoCase(m_s.c_str(), s ? s : EmptyText()); }

    // Search; positions are character indexes, -1 when nothing is found.
    int Find(T ch, int start = 0) const { return Position(start < 0 ? npos() : m_s.find(ch, (size_t)start)); }
    int Find(PCXSTR s, int start = 0) const {
        if (!s || start < 0 || start > GetLength()) return -1;
        return Position(m_s.find(s, (size_t)start));
    }
    int ReverseFind(T ch) const { return Position(m_s.rfind(ch)); }
    int FindOneOf(PCXSTR set) const { return set ? Position(m_s.find_first_of(set)) : -1; }

    // Extraction.
    CStringT Left(int count) const { return Mid(0, count); }
    CStringT Right(int count) const {
        if (count <= 0) return CStringT();
        if (count >= GetLength()) return *this;
        return CStringT(m_s.substr(m_s.size() - (size_t)count));
    }
    CStringT Mid(int first) const { return Mid(first, GetLength()); }
    CStringT Mid(int first, int count) const {
        if (first < 0) first = 0;
        if (count < 0) count = 0;
        if (first >= GetLength() || count == 0) return CStringT();
        return CStringT(m_s.substr((size_t)first, (size_t)count));
    }
    CStringT SpanIncluding(PCXSTR set) const {
        return Left(Position(m_s.find_first_not_of(set ? set : EmptyText()), GetLength()));
    }
    CStringT SpanExcluding(PCXSTR set) const {
        return Left(Position(m_s.find_first_of(set ? set : EmptyText()), GetLength()));
    }

    // Next token after start (runs of token characters separate tokens); start becomes -1 at the end.
    CStringT Tokenize(PCXSTR tokens, int& start) const {
        if (start < 0 || start >= GetLength()) {
            start = -1;
            return CStringT();
        }
        size_t from = tokens ? m_s.find_first_not_of(tokens, (size_t)start) : (size_t)start;
        if (from == std::basic_string<T>::npos) {
            start = -1;
            return CStringT();
        }
        size_t to = tokens ? m_s.find_first_of(tokens, from) : std::basic_string<T>::npos;
        if (to == std::basic_string<T>::npos) to = m_s.size();
        start = (int)(to < m_s.size() ? to + 1 : to);
        return CStringT(m_s.substr(from, to - from));
    }

    // Changes in place.
    CStringT& MakeLower() {
        Traits::Lower(&m_s[0], GetLength());
        return *this;
    }
    CStringT& MakeUpper() {
        Traits::Upper(&m_s[0], GetLength());
        return *this;
    }
    CStringT& MakeReverse() {
        m_s.assign(m_s.rbegin(), m_s.rend());
        return *this;
    }
    CStringT& TrimLeft() {
        size_t i = 0;
        while (i < m_s.size() && Traits::IsSpace(m_s[i])) ++i;
        m_s.erase(0, i);
        return *this;
    }
    CStringT& TrimRight() {
        size_t n = m_s.size();
        while (n > 0 && Traits::IsSpace(m_s[n - 1])) --n;
        m_s.resize(n);
        return *this;
    }
    CStringT& TrimLeft(PCXSTR set) {
        m_s.erase(0, Position(m_s.find_first_not_of(set ? set : EmptyText()), GetLength()));
        return *this;
    }
    CStringT& TrimRight(PCXSTR set) {
        size_t last = m_s.find_last_not_of(set ? set : EmptyText());
        m_s.resize(last == std::basic_string<T>::npos ? 0 : last + 1);
        return *this;
    }
    CStringT& TrimLeft(T ch) {
        const T set[2] = {ch, 0};
        return TrimLeft(set);
    }
    CStringT& TrimRight(T ch) {
        const T set[2] = {ch, 0};
        return TrimRight(set);
    }
    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& Trim(PCXSTR set) { return TrimRight(set).TrimLeft(set); }
    CStringT& Trim(T ch) { return TrimRight(ch).TrimLeft(ch); }

    int Replace(T from, T to) {
        int count = 0;
        for (T& c : m_s)
            if (c == from) {
                c = to;
                ++count;
            }
        return count;
    }
    int Replace(PCXSTR from, PCXSTR to) {
        int fromLength = Traits::Length(from);
        if (fromLength == 0) return 0;
        std::basic_string<T> replacement = to ? to : EmptyText();
        int count = 0;
        for (size_t at = m_s.find(from); at != std::basic_string<T>::npos;
             at = m_s.find(from, at + replacement.size())) {
            m_s.replace(at, (size_t)fromLength, replacement);
            ++count;
        }
        return count;
    }
    int Remove(T ch) {
        size_t before = m_s.size();
        m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
        return (int)(before - m_s.size());
    }
    int Insert(int at, T ch) {
        const T s[2] = {ch, 0};
        return Insert(at, s);
    }
    int Insert(int at, PCXSTR s) {
        if (at < 0) at = 0;
        if (at > GetLength()) at = GetLength();
        if (s) m_s.insert((size_t)at, s);
        return GetLength();
    }
    int Delete(int at, int count = 1) {
        if (at < 0) at = 0;
        if (count > 0 && at < GetLength()) m_s.erase((size_t)at, (size_t)count);
        return GetLength();
    }
    void Truncate(int length) {
        if (length >= 0 && length < GetLength()) m_s.resize((size_t)length);
    }
    void Preallocate(int length) {
        if (length > 0) m_s.reserve((size_t)length);
    }

    // printf-style formatting with the runtime's own rules (%s is a text of this string's kind).
    void Format(PCXSTR format, ...) {
        va_list args;
        va_start(args, format);
        FormatV(format, args);
        va_end(args);
    }
    void AppendFormat(PCXSTR format, ...) {
        va_list args;
        va_start(args, format);
        AppendFormatV(format, args);
        va_end(args);
    }
    void FormatV(PCXSTR format, va_list args) {
        m_s.clear();
        AppendFormatV(format, args);
    }
    void AppendFormatV(PCXSTR format, va_list args) {
        if (!format) return;
        va_list measure;
        va_copy(measure, args);
        int length = Traits::FormattedLength(format, measure);
        va_end(measure);
        if (length <= 0) return;
        size_t old = m_s.size();
        m_s.resize(old + (size_t)length + 1);
        Traits::FormatInto(&m_s[old], (size_t)length + 1, format, args);
        m_s.resize(old + (size_t)length);
    }

    // Direct buffer access: write at most the asked length, then ReleaseBuffer.
    PXSTR GetBuffer() { return &m_s[0]; }
    PXSTR GetBuffer(int minLength) {
        if (minLength > GetLength()) m_s.resize((size_t)minLength);
        return &m_s[0];
    }
    PXSTR GetBufferSetLength(int length) {
        m_s.resize(length > 0 ? (size_t)length : 0);
        return &m_s[0];
    }
    // newLength -1: the text ends at its first zero character.
    void ReleaseBuffer(int newLength = -1) {
        if (newLength < 0) newLength = (int)std::char_traits<T>::length(m_s.c_str());
        if ((size_t)newLength > m_s.size()) newLength = GetLength();
        m_s.resize((size_t)newLength);
    }
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }

    // Text of a string-table resource of the program.
    BOOL LoadString(UINT id) {
        const T* text = nullptr;
        int length = LoadResourceText(id, &text);
        if (length <= 0) return FALSE;
        m_s.assign(text, (size_t)length);
        return TRUE;
    }

    friend CStringT operator+(const CStringT& a, const CStringT& b) {
        CStringT r(a);
        r += b;
        return r;
    }
    friend CStringT operator+(const CStringT& a, PCXSTR b) {
        CStringT r(a);
        r += b;
        return r;
    }
    friend CStringT operator+(PCXSTR a, const CStringT& b) {
        CStringT r(a);
        r += b;
        return r;
    }
    friend CStringT operator+(const CStringT& a, T b) {
        CStringT r(a);
        r += b;
        return r;
    }
    friend CStringT operator+(T a, const CStringT& b) {
        CStringT r(a);
        r += b;
        return r;
    }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, PCXSTR b) { return !(a == b); }
    friend bool operator!=(PCXSTR a, const CStringT& b) { return !(a == b); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CStringT& a, const CStringT& b) { return b.m_s < a.m_s; }
    friend bool operator<=(const CStringT& a, const CStringT& b) { return !(b.m_s < a.m_s); }
    friend bool operator>=(const CStringT& a, const CStringT& b) { return !(a.m_s < b.m_s); }

private:
    explicit CStringT(std::basic_string<T>&& s) : m_s(std::move(s)) {}
    static PCXSTR EmptyText() {
        static const T empty[1] = {0};
        return empty;
    }
    static size_t npos() { return std::basic_string<T>::npos; }
    static int Position(size_t at, int whenNone = -1) { return at == std::basic_string<T>::npos ? whenNone : (int)at; }
    static int LoadResourceText(UINT id, const T** text);

    std::basic_string<T> m_s;
};

template <>
inline int CStringT<wchar_t>::LoadResourceText(UINT id, const wchar_t** text) {
    return ::LoadStringW(GetModuleHandleW(nullptr), id, (LPWSTR)text, 0);
}

template <>
inline int CStringT<char>::LoadResourceText(UINT id, const char** text) {
    const wchar_t* wide = nullptr;
    int length = ::LoadStringW(GetModuleHandleW(nullptr), id, (LPWSTR)&wide, 0);
    if (length <= 0) return 0;
    thread_local std::string converted;
    converted = afx_detail::CharTraits<char>::FromOther(wide, length);
    *text = converted.c_str();
    return (int)converted.size();
}

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
#ifdef UNICODE
using CString = CStringW;
#else
using CString = CStringA;
#endif
