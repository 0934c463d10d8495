// An XML or HTML document kept as one text with an index of its elements beside it:
// where each element's tags lie and how the elements nest. Navigation moves through the
// index; edits splice the text and shift the offsets; data is decoded on demand.
// Parsing is tolerant: structural errors are repaired in the index.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace xml {

class CXmlDocCore {
public:
    CXmlDocCore();

    // Replaces the text (null: empty) and indexes it; the positions go back to the
    // document level. False, with an empty document, for a text the index cannot
    // hold: longer than 2^31 - 1 characters, a start tag over 4 Mi characters, an end
    // tag over 1023 or elements nested deeper than 65535.
    bool SetDocument(const char16_t* text, size_t length);
    const std::u16string& GetDocument() const { return m_doc; }

    // The next sibling after the current element (or the first child of the parent)
    // whose name is the name, or its beginning where the name goes on with a space,
    // "=", "/", "[" or "]"; case counts. A null or empty name matches any element.
    bool FindElement(const char16_t* name);
    // Finds then search the children of the current element.
    bool EnterElement();
    // Back to the parent, which becomes the current element.
    bool LeaveElement();

    // The decoded text of the current element: text pieces with their references
    // decoded and CDATA sections as they are. Empty for an element with child elements.
    std::u16string GetData() const;
    // The tag name of the current element; empty when there is none.
    std::u16string GetName() const;

    // Inserts <name>escaped text</name> (or <name/> without text) and a line end after
    // the current element, or before the parent's end tag when there is none; the new
    // element becomes current. False for a name that is not a tag name.
    bool AddElement(const char16_t* name, const char16_t* text);
    // Removes the current element (with the white space after it when a tag follows);
    // its previous sibling becomes current.
    bool RemoveElement();

    // The encoding the document names itself (the XML declaration, or an HTML page's
    // meta Content-Type charset before the end of its head); "UTF-8" when it names none.
    std::u16string GetDeclaredEncoding() const;

private:
    struct Entry {
        uint32_t start;       // offset of "<"
        uint32_t length;      // start tag to end tag
        uint32_t tagLengths;  // bits 0-21 start tag, 22-31 end tag (0: none)
        uint32_t levelFlags;  // bits 0-15 level, bit 17 free, bit 20 start tag never ended
        uint32_t parent;
        uint32_t firstChild;
        uint32_t next;
        uint32_t prev;  // of the first child: the last child
    };

    // References into the index last until the next Allocate.
    Entry& At(uint32_t n) { return m_blocks[n >> 16][n & 0xFFFF]; }
    const Entry& At(uint32_t n) const { return m_blocks[n >> 16][n & 0xFFFF]; }
    uint32_t Allocate();
    void Free(uint32_t n);
    void Reset();
    bool Parse();
    void AppendChild(uint32_t parent, uint32_t child);
    void InsertAfter(uint32_t sibling, uint32_t child);
    void Unlink(uint32_t n);
    void CloseNeverEnded(uint32_t n);
    void FreeSubtree(uint32_t n);
    // Moves every element after pos by delta and changes the length of those around it.
    void Shift(size_t pos, size_t removed, size_t inserted);

    static uint32_t StartTagLength(const Entry& e) { return e.tagLengths & 0x3FFFFF; }
    static uint32_t EndTagLength(const Entry& e) { return e.tagLengths >> 22; }
    size_t NameEnd(const Entry& e) const;
    bool HasName(const Entry& e, const char16_t* name, size_t length, bool ignoreCase) const;
    // The raw value of an attribute of the element's start tag; false when it has none.
    bool FindAttribute(const Entry& e, const char16_t* name, std::u16string& value) const;
    std::u16string HtmlCharset() const;

    std::u16string m_doc;
    std::vector<std::vector<Entry>> m_blocks;  // entry n: block n >> 16, place n & 0xFFFF
    uint32_t m_used = 0;                       // entries handed out, entry 0 included
    uint32_t m_freeList = 0;                   // first free entry, chained through next
    uint32_t m_parent = 0;
    uint32_t m_current = 0;
    uint32_t m_child = 0;
};

}  // namespace xml
