// The cascade: the engine's own sheet and the page's rules, indexed by the key of
// their rightmost compound, applied by specificity and order, then the "style"
// attribute, then what the program set at run time.
#pragma once

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

private:
    void Index();

    std::vector<StyleRule> m_engineRules;
    std::vector<StyleRule> m_rules;
    std::unordered_map<std::u16string, std::vector<size_t>> m_byId, m_byClass, m_byTag;
    std::vector<size_t> m_universal;
};

}  // namespace hl
