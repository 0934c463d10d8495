#include "xml/portable/XmlTokenizer.h"

namespace xml {

namespace {

bool IsAsciiPunctuation(char16_t c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

// Position of the terminator at or after from, or end when there is none before end.
size_t Find(const char16_t* text, size_t from, size_t end, const char16_t* terminator, size_t length) {
    for (size_t i = from; i + length <= end; ++i) {
        size_t k = 0;
        while (k < length && text[i + k] == terminator[k]) ++k;
        if (k == length) return i;
    }
    return end;
}

bool StartsWith(const char16_t* text, size_t pos, size_t end, const char16_t* prefix, size_t length) {
    if (end - pos < length) return false;
    for (size_t k = 0; k < length; ++k)
        if (text[pos + k] != prefix[k]) return false;
    return true;
}

size_t NameEnd(const char16_t* text, size_t from, size_t end) {
    while (from < end && !EndsName(text[from])) ++from;
    return from;
}

Node CutOff(size_t pos, size_t end) { return {NodeKind::CutOff, pos, end, pos, false}; }

// A node from pos up to and including a terminator.
Node Delimited(NodeKind kind, const char16_t* text, size_t pos, size_t from, size_t end, const char16_t* terminator,
               size_t length) {
    size_t at = Find(text, from, end, terminator, length);
    if (at == end) return CutOff(pos, end);
    return {kind, pos, at + length, pos, false};
}

Node StartTag(const char16_t* text, size_t pos, size_t end) {
    size_t nameEnd = NameEnd(text, pos + 1, end);
    char16_t quote = 0;
    for (size_t i = nameEnd; i < end; ++i) {
        char16_t c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            // "/>" ends an empty-element tag when the "/" follows the name, white space or a quote.
            bool empty = text[i - 1] == u'/' &&
                         (i - 1 == nameEnd || IsSpace(text[i - 2]) || text[i - 2] == u'"' || text[i - 2] == u'\'');
            return {NodeKind::StartTag, pos, i + 1, nameEnd, empty};
        }
    }
    return CutOff(pos, end);
}

Node DocType(const char16_t* text, size_t pos, size_t end) {
    bool inSubset = false;
    for (size_t i = pos + 2; i < end; ++i) {
        char16_t c = text[i];
        if (c == u'[')
            inSubset = true;
        else if (c == u']')
            inSubset = false;
        else if (c == u'>' && !inSubset)
            return {NodeKind::DocType, pos, i + 1, pos, false};
    }
    return CutOff(pos, end);
}

}  // namespace

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? (char16_t)(c + 32) : c; }

bool EqualsNoCase(const char16_t* text, size_t length, const char16_t* name) {
    size_t i = 0;
    for (; i < length && name[i]; ++i)
        if (AsciiLower(text[i]) != AsciiLower(name[i])) return false;
    return i == length && !name[i];
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v'; }

bool EndsName(char16_t c) {
    switch (c) {
        case u'<':
        case u'>':
        case u'=':
        case u'\\':
        case u'/':
        case u'?':
        case u'!':
        case u'"':
        case u'\'':
            return true;
        default:
            return IsSpace(c);
    }
}

bool StartsTag(char16_t c) { return c == u':' || c == u'_' || (c > 0x20 && c != 0x7F && !IsAsciiPunctuation(c)); }

Node NextNode(const char16_t* text, size_t pos, size_t end) {
    if (text[pos] != u'<' || pos + 1 >= end) {
        size_t next = Find(text, pos + 1, end, u"<", 1);
        return {NodeKind::Text, pos, next, pos, false};
    }
    char16_t c = text[pos + 1];
    if (StartsTag(c)) return StartTag(text, pos, end);
    if (c == u'/') {
        size_t close = Find(text, pos + 2, end, u">", 1);
        if (close == end) return CutOff(pos, end);
        return {NodeKind::EndTag, pos, close + 1, NameEnd(text, pos + 2, close), false};
    }
    if (c == u'?') return Delimited(NodeKind::ProcessingInstruction, text, pos, pos + 2, end, u"?>", 2);
    if (StartsWith(text, pos, end, u"<!--", 4)) return Delimited(NodeKind::Comment, text, pos, pos + 4, end, u"-->", 3);
    if (StartsWith(text, pos, end, u"<![CDATA[", 9))
        return Delimited(NodeKind::CData, text, pos, pos + 9, end, u"]]>", 3);
    if (c == u'!') return DocType(text, pos, end);
    // "<" before anything else is text.
    size_t next = Find(text, pos + 1, end, u"<", 1);
    return {NodeKind::Text, pos, next, pos, false};
}

}  // namespace xml
