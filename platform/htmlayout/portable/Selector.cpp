#include "Selector.h"

#include "Node.h"
#include "Text.h"

namespace hl {
namespace {

struct PseudoClass {
    const char* name;
    uint32_t state;
};
constexpr PseudoClass kPseudoClasses[] = {
    {"hover", kStateHover},       {"active", kStateActive},       {"focus", kStateFocus},
    {"current", kStateCurrent},   {"checked", kStateChecked},     {"disabled", kStateDisabled},
    {"expanded", kStateExpanded}, {"collapsed", kStateCollapsed}, {"anchor", kStateAnchor},
};

bool IsNameChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           u >= 0x80;
}

class SelectorParser {
public:
    explicit SelectorParser(std::string_view text) : m_text(text) {}

    bool ParseList(SelectorList& list) {
        for (;;) {
            Selector selector;
            if (!ParseSelector(selector)) return false;
            list.push_back(std::move(selector));
            SkipSpaces();
            if (AtEnd()) return true;
            if (!Eat(',')) return false;
        }
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    bool Eat(char c) {
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }
    bool SkipSpaces() {
        size_t start = m_pos;
        while (!AtEnd() && IsSpace(static_cast<unsigned char>(Peek()))) ++m_pos;
        return m_pos > start;
    }
    std::string Name() {
        std::string name;
        while (!AtEnd()) {
            if (Peek() == '\\' && m_pos + 1 < m_text.size()) {
                name.push_back(m_text[m_pos + 1]);
                m_pos += 2;
            } else if (IsNameChar(Peek())) {
                name.push_back(m_text[m_pos++]);
            } else {
                break;
            }
        }
        return name;
    }
    bool QuotedOrBare(std::string& value) {
        char quote = Peek();
        if (quote != '"' && quote != '\'') {
            value = Name();
            return !value.empty();
        }
        ++m_pos;
        while (!AtEnd() && Peek() != quote) {
            if (Peek() == '\\' && m_pos + 1 < m_text.size()) ++m_pos;
            value.push_back(m_text[m_pos++]);
        }
        return Eat(quote);
    }

    bool ParseSelector(Selector& selector) {
        SkipSpaces();
        Compound::Combinator combinator = Compound::Combinator::None;
        for (;;) {
            Compound compound;
            compound.combinator = combinator;
            if (!ParseCompound(compound)) return false;
            selector.compounds.push_back(std::move(compound));
            bool spaced = SkipSpaces();
            if (Eat('>')) {
                combinator = Compound::Combinator::Child;
                SkipSpaces();
            } else if (spaced && !AtEnd() && Peek() != ',') {
                combinator = Compound::Combinator::Descendant;
            } else {
                break;
            }
        }
        for (const Compound& c : selector.compounds)
            selector.specificity += 100 * static_cast<uint32_t>(c.ids.size()) +
                                    10 * static_cast<uint32_t>(c.classes.size() + c.attributes.size()) +
                                    (c.tag.empty() ? 0 : 1);
        for (const Compound& c : selector.compounds)
            for (uint32_t bits = c.states | (c.root ? 1u : 0u); bits; bits &= bits - 1) selector.specificity += 10;
        return true;
    }

    bool ParseCompound(Compound& compound) {
        bool any = false;
        if (Eat('*')) {
            any = true;
        } else if (IsNameChar(Peek())) {
            compound.tag = AsciiLower(Name());
            any = true;
        }
        for (;;) {
            if (Eat('#')) {
                std::string id = Name();
                if (id.empty()) return false;
                compound.ids.push_back(Utf8ToUtf16(id));
            } else if (Eat('.')) {
                std::string cls = Name();
                if (cls.empty()) return false;
                compound.classes.push_back(Utf8ToUtf16(cls));
            } else if (Eat('[')) {
                if (!ParseAttribute(compound)) return false;
            } else if (Eat(':')) {
                if (!ParsePseudo(compound)) return false;
            } else {
                break;
            }
            any = true;
        }
        return any;
    }

    bool ParseAttribute(Compound& compound) {
        SkipSpaces();
        AttributeTest test;
        test.name = AsciiLower(Name());
        if (test.name.empty()) return false;
        SkipSpaces();
        if (Eat('=')) {
            SkipSpaces();
            std::string value;
            if (!QuotedOrBare(value)) return false;
            test.hasValue = true;
            test.value = Utf8ToUtf16(value);
            SkipSpaces();
        }
        if (!Eat(']')) return false;
        compound.attributes.push_back(std::move(test));
        return true;
    }

    bool ParsePseudo(Compound& compound) {
        std::string name = AsciiLower(Name());
        if (name == "root") {
            compound.root = true;
            return true;
        }
        for (const PseudoClass& p : kPseudoClasses) {
            if (name == p.name) {
                compound.states |= p.state;
                return true;
            }
        }
        return false;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

bool HasClass(const std::u16string& classes, const std::u16string& wanted) {
    size_t i = 0;
    while (i < classes.size()) {
        while (i < classes.size() && IsSpace(classes[i])) ++i;
        size_t start = i;
        while (i < classes.size() && !IsSpace(classes[i])) ++i;
        if (i > start && classes.compare(start, i - start, wanted) == 0) return true;
    }
    return false;
}

bool IsPageRoot(const Node* element) {
    const Node* parent = element->Parent();
    return parent && parent->GetKind() == Node::Kind::Document && parent->ElementAt(0) == element;
}

bool MatchesCompound(const Compound& c, const Node* element, const Node* scope) {
    if (!c.tag.empty() && c.tag != element->Tag()) return false;
    if ((element->State() & c.states) != c.states) return false;
    if (c.root && !(scope ? element == scope : IsPageRoot(element))) return false;
    for (const std::u16string& id : c.ids) {
        const std::u16string* value = element->GetAttribute("id");
        if (!value || *value != id) return false;
    }
    if (!c.classes.empty()) {
        const std::u16string* value = element->GetAttribute("class");
        if (!value) return false;
        for (const std::u16string& cls : c.classes)
            if (!HasClass(*value, cls)) return false;
    }
    for (const AttributeTest& test : c.attributes) {
        const std::u16string* value = element->GetAttribute(test.name);
        if (!value || (test.hasValue && *value != test.value)) return false;
    }
    return true;
}

// Right to left over the element's ancestor path, keeping for each compound the
// ancestors it can match at: linear in compounds times depth, never exponential.
bool MatchesPath(const Selector& s, const Node* element, const Node* scope) {
    if (s.compounds.size() == 1) return MatchesCompound(s.compounds[0], element, scope);
    std::vector<const Node*> path;  // path[0] is the element, then its ancestors
    for (const Node* n = element; n; n = n->ParentElement()) path.push_back(n);
    size_t last = s.compounds.size() - 1;
    std::vector<char> can(path.size(), 0);  // compound k matches path[i] with the rest to its right
    can[0] = MatchesCompound(s.compounds[last], element, scope);
    for (size_t k = last; k > 0; --k) {
        Compound::Combinator link = s.compounds[k].combinator;
        const Compound& left = s.compounds[k - 1];
        std::vector<char> next(path.size(), 0);
        bool reachable = false;  // some i' < i can hand over through a descendant link
        bool any = false;
        for (size_t i = 0; i < path.size(); ++i) {
            bool from = link == Compound::Combinator::Child ? (i > 0 && can[i - 1]) : reachable;
            if (from && MatchesCompound(left, path[i], scope)) {
                next[i] = 1;
                any = true;
            }
            if (can[i]) reachable = true;
        }
        if (!any) return false;
        can.swap(next);
    }
    for (char c : can)
        if (c) return true;
    return false;
}

}  // namespace

bool ParseSelectorList(std::string_view text, SelectorList& list) {
    list.clear();
    SelectorParser parser(text);
    if (parser.ParseList(list)) return true;
    list.clear();
    return false;
}

bool Matches(const Selector& selector, const Node* element, const Node* scope) {
    if (!element || !element->IsElement() || selector.compounds.empty()) return false;
    return MatchesPath(selector, element, scope);
}

bool MatchesAny(const SelectorList& list, const Node* element, const Node* scope) {
    for (const Selector& s : list)
        if (Matches(s, element, scope)) return true;
    return false;
}

}  // namespace hl
