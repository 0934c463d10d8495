// Finding elements: by selector below an element, among an element and its
// ancestors, and by tag and attribute.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace hl {

class Node;

// Called per match in document order; true stops the walk. The matches are
// gathered first, so the callback may change the tree.
using MatchCallback = std::function<bool(Node*)>;

// Elements below scope matching the selector list (":root" is scope); false when
// the selector cannot be read.
bool SelectElements(Node* scope, std::string_view selector, const MatchCallback& callback);
// The first of element and its ancestors that matches: depth 1 is element alone,
// n is element and n-1 ancestors, 0 all of them. Null when none or unreadable.
Node* SelectParent(Node* element, std::string_view selector, uint32_t depth);
// Elements below scope with the tag (empty: any) carrying the attribute (empty:
// any) with the value (null: any); depth 0 is the whole subtree, else children only.
void VisitElements(Node* scope, std::string_view tag, std::string_view attribute, const std::u16string* value,
                   uint32_t depth, const MatchCallback& callback);

}  // namespace hl
