// Parses any input as a document, walks every element, reads its data and edits it.
// Input starting with FF FE is UTF-16LE; anything else is widened byte by byte. The
// last bytes choose the edits.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "xml/portable/XmlDocCore.h"

namespace {

std::u16string TextOf(const uint8_t* data, size_t size) {
    std::u16string text;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        for (size_t i = 2; i + 1 < size; i += 2) text += (char16_t)(data[i] | data[i + 1] << 8);
    } else {
        text.assign(data, data + size);
    }
    return text;
}

// Visits every element depth first, reading each one's data.
void WalkAll(xml::CXmlDocCore& doc) {
    int depth = 0;
    for (int steps = 0; steps < 100000; ++steps) {
        if (doc.FindElement(nullptr)) {
            doc.GetData();
            if (doc.EnterElement()) ++depth;
        } else if (depth == 0 || !doc.LeaveElement()) {
            return;
        } else {
            --depth;
        }
    }
}

void Edit(xml::CXmlDocCore& doc, uint8_t op) {
    switch (op % 8) {
        case 0:
            doc.FindElement(nullptr);
            break;
        case 1:
            doc.EnterElement();
            break;
        case 2:
            doc.LeaveElement();
            break;
        case 3:
            doc.RemoveElement();
            break;
        case 4:
            doc.AddElement(u"p", u"x < y & z");
            break;
        case 5:
            doc.AddElement(u"e", nullptr);
            break;
        case 6:
            doc.FindElement(u"p");
            break;
        case 7:
            doc.GetData();
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text = TextOf(data, size);
    xml::CXmlDocCore doc;
    doc.SetDocument(text.data(), text.size());
    WalkAll(doc);
    doc.GetDeclaredEncoding();

    doc.SetDocument(text.data(), text.size());
    for (size_t i = size > 16 ? size - 16 : 0; i < size; ++i) Edit(doc, data[i]);
    doc.GetDeclaredEncoding();
    // The edited text must index again as a whole.
    std::u16string edited = doc.GetDocument();
    xml::CXmlDocCore again;
    again.SetDocument(edited.data(), edited.size());
    WalkAll(again);
    return 0;
}
