// The cascade: the engine's own sheet and the page's rules, indexed by the key of
// their rightmost compound, applied by specificity and order, then the "style"
// attribute, then what the program set at run time.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "Css.h"
#include "Style.h"

namespace hl {

class Node;

class Cascade {
public:
    Cascade();
    // The page's rules follow the engine's own.
    void SetPageRules(std::vector<StyleRule> rules);
    ComputedStyle Compute(const Node* element, const ComputedStyle& parent, const std::u16string& baseFolder) const;
    // What the rules test of an element's ancestors (every compound but the last):
    // only a change of those restyles what lies below the element.
    uint32_t AncestorStates() const { return m_ancestorStates; }
    bool AncestorsTest(const std::string& attribute) const;

private:
    void Index();

    std::vector<StyleRule> m_engineRules;
    std::vector<StyleRule> m_rules;
    std::unordered_map<std::u16string, std::vector<size_t>> m_byId, m_byClass, m_byTag;
    std::vector<size_t> m_universal;
    uint32_t m_ancestorStates = 0;
    std::vector<std::string> m_ancestorAttributes;  // lower case; "id" and "class" for ids and classes
};

}  // namespace hl
