// Cuts XML and HTML text into nodes: text, tags, processing instructions, comments,
// CDATA sections and document type declarations. Tolerant: a lone "<" is text.
#pragma once

#include <stddef.h>

namespace xml {

enum class NodeKind {
    Text,
    StartTag,
    EndTag,
    ProcessingInstruction,
    Comment,
    CData,
    DocType,
    CutOff,  // a tag that the end of the text cuts off
};

struct Node {
    NodeKind kind;
    size_t begin;    // first character
    size_t end;      // one past the last character
    size_t nameEnd;  // tags: one past the name (the name starts after "<" or "</")
    bool empty;      // start tags: an empty-element tag "<name/>"
};

bool IsSpace(char16_t c);
// Characters that end a tag name: white space and <>=\/?!"'
bool EndsName(char16_t c);
char16_t AsciiLower(char16_t c);
// Whether text[0..length) equals the zero-terminated name without regard to ASCII case.
bool EqualsNoCase(const char16_t* text, size_t length, const char16_t* name);
// Whether "<" followed by c opens a start tag: a letter, ":", "_" or any character that
// is not ASCII punctuation, white space or a control character.
bool StartsTag(char16_t c);

// The node at pos, looking no further than end (pos < end).
Node NextNode(const char16_t* text, size_t pos, size_t end);

}  // namespace xml
