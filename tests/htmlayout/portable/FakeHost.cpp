#include "FakeHost.h"

#include "Text.h"

namespace hltest {
namespace {

hl::Node* Find(hl::Node* n, const std::u16string& id) {
    for (hl::Node* kid : n->Kids()) {
        if (!kid->IsElement()) continue;
        const std::u16string* v = kid->GetAttribute("id");
        if (v && *v == id) return kid;
        if (hl::Node* found = Find(kid, id)) return found;
    }
    return nullptr;
}

}  // namespace

hl::Node* Page::ById(const std::string& id) const { return Find(document.DocumentNode(), hl::Utf8ToUtf16(id)); }

}  // namespace hltest
