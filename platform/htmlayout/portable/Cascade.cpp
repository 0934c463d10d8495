#include "Cascade.h"

#include <algorithm>

#include "Node.h"
#include "Text.h"

namespace hl {
namespace {

constexpr const char kEngineSheet[] = R"(
html, body, div, p, ul, ol, li, dl, dt, dd, form, h1, h2, h3, h4, h5, h6, center, header, footer, section, nav, fieldset { display: block; }
li { display: list-item; }
head, style, script, title, meta, link, base { display: none; }
table { display: table; }
thead, tbody, tfoot { display: table-row-group; }
tr { display: table-row; }
td, th { display: table-cell; vertical-align: middle; }
th { font-weight: bold; text-align: center; }
b, strong { font-weight: bold; }
i, em { font-style: italic; }
center { text-align: center; }
button { display: inline-block; behavior: button; }
progress { display: inline-block; behavior: progress; }
)";

template <typename Map>
void Collect(const Map& map, const std::u16string& key, std::vector<size_t>& out) {
    auto it = map.find(key);
    if (it != map.end()) out.insert(out.end(), it->second.begin(), it->second.end());
}

}  // namespace

Cascade::Cascade() {
    ParseStyleSheet(kEngineSheet, m_engineRules);
    SetPageRules({});
}

void Cascade::SetPageRules(std::vector<StyleRule> rules) {
    m_rules = m_engineRules;
    uint32_t base = static_cast<uint32_t>(m_rules.size());
    for (StyleRule& r : rules) {
        r.order += base;
        m_rules.push_back(std::move(r));
    }
    Index();
}

bool Cascade::AncestorsTest(const std::string& attribute) const {
    return std::find(m_ancestorAttributes.begin(), m_ancestorAttributes.end(), attribute) != m_ancestorAttributes.end();
}

void Cascade::Index() {
    m_byId.clear();
    m_byClass.clear();
    m_byTag.clear();
    m_universal.clear();
    m_ancestorStates = 0;
    m_ancestorAttributes.clear();
    auto testsAttribute = [this](const std::string& name) {
        if (!AncestorsTest(name)) m_ancestorAttributes.push_back(name);
    };
    for (size_t i = 0; i < m_rules.size(); ++i) {
        const std::vector<Compound>& compounds = m_rules[i].selector.compounds;
        for (size_t k = 0; k + 1 < compounds.size(); ++k) {
            m_ancestorStates |= compounds[k].states;
            if (!compounds[k].ids.empty()) testsAttribute("id");
            if (!compounds[k].classes.empty()) testsAttribute("class");
            for (const AttributeTest& a : compounds[k].attributes) testsAttribute(a.name);
        }
        const Compound& key = compounds.back();
        if (!key.ids.empty())
            m_byId[key.ids[0]].push_back(i);
        else if (!key.classes.empty())
            m_byClass[key.classes[0]].push_back(i);
        else if (!key.tag.empty())
            m_byTag[Widen(key.tag)].push_back(i);
        else
            m_universal.push_back(i);
    }
}

ComputedStyle Cascade::Compute(const Node* element, const ComputedStyle& parent,
                               const std::u16string& baseFolder) const {
    std::vector<size_t> candidates = m_universal;
    if (const std::u16string* id = element->GetAttribute("id")) Collect(m_byId, *id, candidates);
    if (const std::u16string* classes = element->GetAttribute("class")) {
        size_t i = 0;
        while (i < classes->size()) {
            while (i < classes->size() && IsSpace((*classes)[i])) ++i;
            size_t start = i;
            while (i < classes->size() && !IsSpace((*classes)[i])) ++i;
            if (i > start) Collect(m_byClass, classes->substr(start, i - start), candidates);
        }
    }
    Collect(m_byTag, Widen(element->Tag()), candidates);
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    std::vector<const StyleRule*> matched;
    for (size_t i : candidates)
        if (Matches(m_rules[i].selector, element, nullptr)) matched.push_back(&m_rules[i]);
    std::stable_sort(matched.begin(), matched.end(), [](const StyleRule* a, const StyleRule* b) {
        return a->selector.specificity != b->selector.specificity ? a->selector.specificity < b->selector.specificity
                                                                  : a->order < b->order;
    });

    ComputedStyle style = InitialStyle(parent);
    for (const StyleRule* rule : matched)
        for (const Declaration& d : rule->declarations) ApplyDeclaration(style, d, parent, baseFolder);
    for (const Declaration& d : element->AttributeStyle()) ApplyDeclaration(style, d, parent, baseFolder);
    for (const Declaration& d : element->RuntimeStyle()) ApplyDeclaration(style, d, parent, baseFolder);
    return style;
}

}  // namespace hl
