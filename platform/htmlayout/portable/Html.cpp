#include "Html.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "Node.h"
#include "Text.h"

namespace hl {
namespace {

struct Entity {
    const char* name;
    char16_t value;
};
constexpr Entity kEntities[] = {
    {"amp", u'&'},         {"lt", u'<'},         {"gt", u'>'},         {"quot", u'"'},      {"apos", u'\''},
    {"nbsp", u'\xA0'},     {"copy", u'\xA9'},    {"reg", u'\xAE'},     {"middot", u'\xB7'}, {"times", u'\xD7'},
    {"hellip", u'\x2026'}, {"mdash", u'\x2014'}, {"ndash", u'\x2013'}, {"laquo", u'\xAB'},  {"raquo", u'\xBB'},
};

constexpr const char* kVoidElements[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                         "input", "link", "meta", "param", "source", "track", "wbr"};
constexpr const char* kRawTextElements[] = {"style", "script"};

bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' || c == '.';
}
bool IsSpaceByte(char c) { return IsSpace(static_cast<unsigned char>(c)); }

// Decodes character references in text; what is no reference stays as written.
std::u16string Decode(std::string_view text) {
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) amp = text.size();
        out += Utf8ToUtf16(text.substr(i, amp - i));
        if (amp == text.size()) break;
        i = amp + 1;
        if (i < text.size() && text[i] == '#') {
            bool hex = i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
            size_t start = i + (hex ? 2 : 1), end = start;
            while (end < text.size() && end - start < 8 &&
                   (hex ? std::isxdigit(static_cast<unsigned char>(text[end]))
                        : std::isdigit(static_cast<unsigned char>(text[end]))))
                ++end;
            if (end > start) {
                unsigned long cp =
                    std::strtoul(std::string(text.substr(start, end - start)).c_str(), nullptr, hex ? 16 : 10);
                AppendCodePoint(out, cp == 0 || cp > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(cp));
                i = end < text.size() && text[end] == ';' ? end + 1 : end;
                continue;
            }
        } else {
            size_t semi = text.find(';', i);
            if (semi != std::string_view::npos && semi - i <= 8) {
                std::string_view name = text.substr(i, semi - i);
                bool found = false;
                for (const Entity& e : kEntities) {
                    if (name == e.name) {
                        out.push_back(e.value);
                        found = true;
                        break;
                    }
                }
                if (found) {
                    i = semi + 1;
                    continue;
                }
            }
        }
        out.push_back(u'&');
    }
    return out;
}

class Parser {
public:
    Parser(std::string_view text, Node* container)
        : m_text(text), m_open{container}, m_containerDepth(container->Depth()) {}

    void Run() {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
        while (m_pos < m_text.size()) {
            size_t lt = m_text.find('<', m_pos);
            if (lt == std::string_view::npos) lt = m_text.size();
            AddText(m_text.substr(m_pos, lt - m_pos));
            m_pos = lt;
            if (m_pos < m_text.size() && !ReadMarkup()) {
                AddText(m_text.substr(m_pos, 1));  // a '<' that starts nothing
                ++m_pos;
            }
        }
        FlushText();
    }

private:
    Node* Top() const { return m_open.back(); }

    void AddText(std::string_view raw) { m_pendingRaw.append(raw.data(), raw.size()); }

    // Whitespace-only text between markup is layout whitespace and is dropped.
    void FlushText() {
        bool blank = true;
        for (char c : m_pendingRaw)
            if (!IsSpaceByte(c)) blank = false;
        if (!blank) AppendText(Decode(m_pendingRaw));
        m_pendingRaw.clear();
    }

    void AppendText(std::u16string text) {
        Node* top = Top();
        if (!top->Kids().empty() && top->Kids().back()->IsText()) {
            Node* last = top->Kids().back();
            last->SetInnerText(last->Text() + text);
            return;
        }
        top->AppendKid(Node::CreateText(std::move(text)).get());
    }

    bool Starts(std::string_view s) const { return m_text.compare(m_pos, s.size(), s) == 0; }

    // Markup at m_pos ('<'); false when it is none, m_pos unchanged.
    bool ReadMarkup() {
        if (Starts("<!--")) {
            size_t end = m_text.find("-->", m_pos + 4);
            if (end == std::string_view::npos) return false;
            m_pos = end + 3;
            return true;
        }
        if (Starts("<!") || Starts("<?")) {
            size_t end = m_text.find('>', m_pos + 2);
            if (end == std::string_view::npos) return false;
            m_pos = end + 1;
            return true;
        }
        if (Starts("</")) return ReadEndTag();
        if (m_pos + 1 < m_text.size() && IsNameStart(m_text[m_pos + 1])) return ReadStartTag();
        return false;
    }

    std::string ReadName(size_t& p) const {
        size_t start = p;
        while (p < m_text.size() && IsNameChar(m_text[p])) ++p;
        return AsciiLower(m_text.substr(start, p - start));
    }

    bool ReadEndTag() {
        size_t p = m_pos + 2;
        std::string name = ReadName(p);
        size_t end = m_text.find('>', p);
        if (name.empty() || end == std::string_view::npos) return false;
        FlushText();
        m_pos = end + 1;
        for (size_t i = m_open.size(); i-- > 1;) {
            if (m_open[i]->Tag() == name) {
                m_open.resize(i);
                break;
            }
        }
        return true;
    }

    bool ReadStartTag() {
        size_t p = m_pos + 1;
        std::string name = ReadName(p);
        std::vector<Attribute> attributes;
        bool selfClosing = false;
        for (;;) {
            while (p < m_text.size() && IsSpaceByte(m_text[p])) ++p;
            if (p >= m_text.size()) return false;
            if (m_text[p] == '>') break;
            if (m_text.compare(p, 2, "/>") == 0) {
                selfClosing = true;
                ++p;
                break;
            }
            size_t nameStart = p;
            while (p < m_text.size() && !IsSpaceByte(m_text[p]) && m_text[p] != '=' && m_text[p] != '>' &&
                   m_text.compare(p, 2, "/>") != 0)
                ++p;
            if (p == nameStart) {
                ++p;  // a stray '/' or the like
                continue;
            }
            std::string attrName = AsciiLower(m_text.substr(nameStart, p - nameStart));
            while (p < m_text.size() && IsSpaceByte(m_text[p])) ++p;
            std::u16string value;
            if (p < m_text.size() && m_text[p] == '=') {
                ++p;
                while (p < m_text.size() && IsSpaceByte(m_text[p])) ++p;
                if (p >= m_text.size()) return false;
                char quote = m_text[p];
                if (quote == '"' || quote == '\'') {
                    size_t close = m_text.find(quote, p + 1);
                    if (close == std::string_view::npos) return false;
                    value = Decode(m_text.substr(p + 1, close - p - 1));
                    p = close + 1;
                } else {
                    size_t start = p;
                    while (p < m_text.size() && !IsSpaceByte(m_text[p]) && m_text[p] != '>') ++p;
                    value = Decode(m_text.substr(start, p - start));
                }
            }
            bool duplicate = false;
            for (const Attribute& a : attributes) duplicate = duplicate || a.first == attrName;
            if (!duplicate) attributes.emplace_back(std::move(attrName), std::move(value));
        }
        size_t tagEnd = p + 1;
        FlushText();
        NodeRef element = Node::CreateElement(name);
        for (const Attribute& a : attributes) element->SetAttribute(a.first, &a.second);
        // An element opens only where it still has room for its text below it.
        bool room = m_containerDepth + static_cast<int>(m_open.size()) + 1 <= kMaxDepth;
        if (!room || !Top()->AppendKid(element.get())) {
            AppendText(Utf8ToUtf16(m_text.substr(m_pos, tagEnd - m_pos)));  // too deep: stays text
            m_pos = tagEnd;
            return true;
        }
        m_pos = tagEnd;
        if (selfClosing || IsVoidElement(name)) return true;
        if (IsRawTextElement(name)) {
            size_t close = m_pos;
            for (;;) {
                close = m_text.find("</", close);
                if (close == std::string_view::npos) break;
                size_t q = close + 2;
                if (ReadName(q) == name) break;
                close += 2;
            }
            if (close == std::string_view::npos) close = m_text.size();
            if (close > m_pos)
                element->AppendKid(Node::CreateText(Utf8ToUtf16(m_text.substr(m_pos, close - m_pos))).get());
            size_t end = close < m_text.size() ? m_text.find('>', close) : std::string_view::npos;
            m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
            return true;
        }
        m_open.push_back(element.get());
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    std::vector<Node*> m_open;  // held by the tree
    int m_containerDepth;
    std::string m_pendingRaw;
};

void Escape(std::string& out, std::u16string_view text, bool attribute) {
    for (size_t start = 0; start < text.size();) {
        // A byte-order mark is written as a reference: at the start of a page the
        // parser would skip it.
        size_t mark = text.find(u'\xFEFF', start);
        std::string utf8 = Utf16ToUtf8(text.substr(start, mark == std::u16string_view::npos ? mark : mark - start));
        for (char c : utf8) {
            switch (c) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    if (attribute) {
                        out += "&quot;";
                        break;
                    }
                    [[fallthrough]];
                default:
                    out.push_back(c);
            }
        }
        if (mark == std::u16string_view::npos) break;
        out += "&#65279;";
        start = mark + 1;
    }
}

void WriteNode(std::string& out, const Node* node, bool rawText);

void WriteKids(std::string& out, const Node* node) {
    bool raw = node->IsElement() && IsRawTextElement(node->Tag());
    for (const Node* kid : node->Kids()) WriteNode(out, kid, raw);
}

void WriteNode(std::string& out, const Node* node, bool rawText) {
    if (node->IsText()) {
        if (rawText) {
            // Written as it stands, but never closing its element early.
            std::string raw = Utf16ToUtf8(node->Text());
            for (size_t at = raw.find("</"); at != std::string::npos; at = raw.find("</", at + 3))
                raw.insert(at + 1, "\\");
            out += raw;
            return;
        }
        std::u16string_view text = node->Text();
        bool blank = !text.empty();
        for (char16_t c : text) blank = blank && IsSpace(c);
        if (blank) {  // written so that the parser keeps it
            out += "&#" + std::to_string(static_cast<int>(text[0])) + ";";
            text.remove_prefix(1);
        }
        Escape(out, text, false);
        return;
    }
    if (!node->IsElement()) {
        WriteKids(out, node);
        return;
    }
    out += '<';
    out += node->Tag();
    for (const Attribute& a : node->Attributes()) {
        out += ' ';
        out += a.first;
        out += "=\"";
        Escape(out, a.second, true);
        out += '"';
    }
    if (node->Kids().empty()) {
        out += "/>";
        return;
    }
    out += '>';
    WriteKids(out, node);
    out += "</";
    out += node->Tag();
    out += '>';
}

}  // namespace

bool IsVoidElement(std::string_view tag) {
    for (const char* t : kVoidElements)
        if (tag == t) return true;
    return false;
}

bool IsRawTextElement(std::string_view tag) {
    for (const char* t : kRawTextElements)
        if (tag == t) return true;
    return false;
}

void ParseHtml(std::string_view utf8, Node* container) {
    if (container->IsElement() && IsRawTextElement(container->Tag())) {
        if (!utf8.empty()) container->AppendKid(Node::CreateText(Utf8ToUtf16(utf8)).get());
        return;
    }
    Parser(utf8, container).Run();
}

std::string WriteHtml(const Node* node, bool outer) {
    std::string out;
    if (outer)
        WriteNode(out, node, false);
    else
        WriteKids(out, node);
    return out;
}

}  // namespace hl
