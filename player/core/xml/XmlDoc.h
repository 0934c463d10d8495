// Reads, navigates, edits and writes XML and HTML text (see CXmlDocCore), with the
// player's wide strings and saving in the encoding the document names.
#pragma once

#include <afx.h>

#include "xml/portable/XmlDocCore.h"

class CXmlDoc {
public:
    // Null is an empty document. False, with an empty document, for a text too large
    // or too deeply nested for the index.
    bool SetDocument(LPCWSTR text);
    bool FindElement(LPCWSTR name) { return m_core.FindElement(Chars(name)); }
    bool EnterElement() { return m_core.EnterElement(); }
    bool LeaveElement() { return m_core.LeaveElement(); }
    CString GetData() const;
    CString GetName() const;
    bool AddElement(LPCWSTR name, LPCWSTR text) { return m_core.AddElement(Chars(name), Chars(text)); }
    bool RemoveElement() { return m_core.RemoveElement(); }

    // Writes the text in the code page of the encoding it names (UTF-8 when it names
    // none), without a byte-order mark. The file is replaced only once the new content
    // is written in full; false when the text does not convert or the file cannot be written.
    bool SaveFile(LPCWSTR path) const;

private:
    static const char16_t* Chars(LPCWSTR text) { return reinterpret_cast<const char16_t*>(text); }

    xml::CXmlDocCore m_core;
};
