#include "Search.h"

#include <vector>

#include "Node.h"
#include "Selector.h"
#include "Text.h"

namespace hl {
namespace {

template <typename Test>
std::vector<NodeRef> Gather(Node* scope, bool childrenOnly, Test&& test) {
    std::vector<NodeRef> found;
    std::vector<Node*> stack;
    auto push = [&stack](Node* n) {
        for (size_t i = n->Kids().size(); i-- > 0;)
            if (n->Kids()[i]->IsElement()) stack.push_back(n->Kids()[i]);
    };
    push(scope);
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        if (test(n)) found.emplace_back(n);
        if (!childrenOnly) push(n);
    }
    return found;
}

void Report(const std::vector<NodeRef>& found, const MatchCallback& callback) {
    for (const NodeRef& n : found)
        if (callback(n.get())) return;
}

}  // namespace

bool SelectElements(Node* scope, std::string_view selector, const MatchCallback& callback) {
    SelectorList list;
    if (!ParseSelectorList(selector, list)) return false;
    Report(Gather(scope, false, [&](Node* n) { return MatchesAny(list, n, scope); }), callback);
    return true;
}

Node* SelectParent(Node* element, std::string_view selector, uint32_t depth) {
    SelectorList list;
    if (!ParseSelectorList(selector, list)) return nullptr;
    uint32_t tested = 0;
    for (Node* n = element; n && n->IsElement(); n = n->Parent()) {
        if (depth && tested++ == depth) break;
        if (MatchesAny(list, n, nullptr)) return n;
    }
    return nullptr;
}

void VisitElements(Node* scope, std::string_view tag, std::string_view attribute, const std::u16string* value,
                   uint32_t depth, const MatchCallback& callback) {
    std::string lowerTag = AsciiLower(tag);
    Report(Gather(scope, depth != 0,
                  [&](Node* n) {
                      if (!lowerTag.empty() && n->Tag() != lowerTag) return false;
                      if (attribute.empty()) return true;
                      const std::u16string* v = n->GetAttribute(attribute);
                      return v && (!value || *v == *value);
                  }),
           callback);
}

}  // namespace hl
