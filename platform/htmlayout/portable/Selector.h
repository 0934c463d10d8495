// CSS selectors: tag, #id, .class, [a], [a=v], the state pseudo-classes and :root,
// with the child and descendant combinators and comma lists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

class Node;

// Element state bits; the values of the public interface.
constexpr uint32_t kStateHover = 0x02;
constexpr uint32_t kStateActive = 0x04;
constexpr uint32_t kStateFocus = 0x08;
constexpr uint32_t kStateCurrent = 0x20;
constexpr uint32_t kStateChecked = 0x40;
constexpr uint32_t kStateDisabled = 0x80;
constexpr uint32_t kStateExpanded = 0x200;
constexpr uint32_t kStateCollapsed = 0x400;
constexpr uint32_t kStateAnchor = 0x4000;

struct AttributeTest {
    std::string name;  // lower case
    bool hasValue = false;
    std::u16string value;  // whole-value match, case-sensitive
};

struct Compound {
    enum class Combinator : uint8_t { None, Descendant, Child };  // link to the compound before
    Combinator combinator = Combinator::None;
    std::string tag;  // lower case; empty for any
    std::vector<std::u16string> ids;
    std::vector<std::u16string> classes;
    std::vector<AttributeTest> attributes;
    uint32_t states = 0;
    bool root = false;
};

struct Selector {
    std::vector<Compound> compounds;  // left to right
    uint32_t specificity = 0;
};
using SelectorList = std::vector<Selector>;

// UTF-8 text; false (and an empty list) on a syntax error.
bool ParseSelectorList(std::string_view text, SelectorList& list);

// scope is the element ":root" stands for; null means the page's root element.
bool Matches(const Selector& selector, const Node* element, const Node* scope);
bool MatchesAny(const SelectorList& list, const Node* element, const Node* scope);

}  // namespace hl
