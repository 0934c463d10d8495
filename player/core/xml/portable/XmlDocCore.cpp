#include "xml/portable/XmlDocCore.h"

#include <algorithm>

#include "xml/portable/XmlEntities.h"
#include "xml/portable/XmlTokenizer.h"

namespace xml {

namespace {

constexpr uint32_t kBlockSize = 0x10000;
constexpr size_t kMaxStartTag = 0x3FFFFF;
constexpr size_t kMaxEndTag = 0x3FF;
constexpr uint32_t kMaxLevel = 0xFFFF;
constexpr uint32_t kLevelMask = 0xFFFF;
constexpr uint32_t kFree = 1u << 17;
constexpr uint32_t kNeverEnded = 1u << 20;
constexpr size_t kMaxText = 0x7FFFFFFF;

size_t Length(const char16_t* text) { return text ? std::char_traits<char16_t>::length(text) : 0; }

std::u16string Escape(const char16_t* text) {
    std::u16string escaped;
    for (; *text; ++text) {
        switch (*text) {
            case u'<':
                escaped += u"&lt;";
                break;
            case u'&':
                escaped += u"&amp;";
                break;
            case u'>':
                escaped += u"&gt;";
                break;
            default:
                escaped += *text;
        }
    }
    return escaped;
}

// The value of name="value" (or 'value', or a bare value) among the attributes in
// text[from..to); false when there is no such attribute.
bool ReadAttribute(const char16_t* text, size_t from, size_t to, const char16_t* name, std::u16string& value) {
    for (size_t i = from; i < to;) {
        while (i < to && (IsSpace(text[i]) || text[i] == u'/' || text[i] == u'?')) ++i;
        size_t nameStart = i;
        while (i < to && !IsSpace(text[i]) && text[i] != u'=' && text[i] != u'/' && text[i] != u'>') ++i;
        size_t nameEnd = i;
        if (nameEnd == nameStart) {
            ++i;
            continue;
        }
        while (i < to && IsSpace(text[i])) ++i;
        size_t valueStart = i, valueEnd = i;
        if (i < to && text[i] == u'=') {
            ++i;
            while (i < to && IsSpace(text[i])) ++i;
            if (i < to && (text[i] == u'"' || text[i] == u'\'')) {
                char16_t quote = text[i];
                valueStart = ++i;
                while (i < to && text[i] != quote) ++i;
                valueEnd = i;
                if (i < to) ++i;
            } else {
                valueStart = i;
                while (i < to && !IsSpace(text[i]) && text[i] != u'>') ++i;
                valueEnd = i;
            }
        }
        if (EqualsNoCase(text + nameStart, nameEnd - nameStart, name)) {
            value.assign(text + valueStart, valueEnd - valueStart);
            return true;
        }
    }
    return false;
}

// The charset of a Content-Type value such as "text/html; charset=gb2312".
std::u16string CharsetOfContentType(const std::u16string& content) {
    static const char16_t kCharset[] = u"charset";
    const size_t keyLength = 7;
    for (size_t at = 0; at + keyLength <= content.size(); ++at) {
        if (!EqualsNoCase(content.data() + at, keyLength, kCharset)) continue;
        size_t i = at + keyLength;
        while (i < content.size() && IsSpace(content[i])) ++i;
        if (i >= content.size() || content[i] != u'=') continue;
        ++i;
        while (i < content.size() && (IsSpace(content[i]) || content[i] == u'"' || content[i] == u'\'')) ++i;
        size_t end = i;
        while (end < content.size() && !IsSpace(content[end]) && content[end] != u';' && content[end] != u'"' &&
               content[end] != u'\'')
            ++end;
        return content.substr(i, end - i);
    }
    return std::u16string();
}

}  // namespace

CXmlDocCore::CXmlDocCore() { SetDocument(nullptr, 0); }

bool CXmlDocCore::SetDocument(const char16_t* text, size_t length) {
    if (!text) length = 0;
    if (length <= kMaxText) {
        m_doc.assign(text ? text : u"", length);
        Reset();
        if (Parse()) return true;
    }
    m_doc.clear();
    Reset();
    return false;
}

void CXmlDocCore::Reset() {
    m_blocks.clear();
    m_blocks.emplace_back();
    m_blocks.back().reserve(std::min<size_t>(kBlockSize, m_doc.size() / 64 + 8));
    m_used = 0;
    m_freeList = 0;
    m_parent = m_current = m_child = 0;
    Allocate();  // entry 0: the document
    At(0).length = (uint32_t)m_doc.size();
}

uint32_t CXmlDocCore::Allocate() {
    uint32_t n = m_freeList;
    if (n) {
        m_freeList = At(n).next;
    } else {
        n = m_used++;
        if (m_blocks.back().size() == kBlockSize) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(kBlockSize);
        }
        m_blocks.back().emplace_back();
    }
    At(n) = Entry{};
    return n;
}

void CXmlDocCore::Free(uint32_t n) {
    Entry& e = At(n);
    e.levelFlags = kFree;
    e.next = m_freeList;
    m_freeList = n;
}

bool CXmlDocCore::Parse() {
    const char16_t* text = m_doc.data();
    const size_t end = m_doc.size();
    std::vector<uint32_t> open;  // elements whose end tag is awaited, outermost first
    for (size_t pos = 0; pos < end;) {
        Node node = NextNode(text, pos, end);
        if (node.kind == NodeKind::CutOff) break;
        pos = node.end;
        if (node.kind == NodeKind::StartTag) {
            size_t tagLength = node.end - node.begin;
            if (tagLength > kMaxStartTag || open.size() + 1 > kMaxLevel) return false;
            uint32_t n = Allocate();
            Entry& e = At(n);
            e.start = (uint32_t)node.begin;
            e.length = e.tagLengths = (uint32_t)tagLength;
            AppendChild(open.empty() ? 0 : open.back(), n);
            if (!node.empty) open.push_back(n);
        } else if (node.kind == NodeKind::EndTag) {
            const char16_t* name = text + node.begin + 2;
            size_t k = open.size();
            while (k > 0 && !HasName(At(open[k - 1]), name, node.nameEnd - node.begin - 2, false)) --k;
            if (k == 0) continue;  // closes nothing that is open
            size_t endLength = node.end - node.begin;
            if (endLength > kMaxEndTag) return false;
            // Elements opened inside the one that ends now never end.
            for (size_t i = k; i < open.size(); ++i) CloseNeverEnded(open[i]);
            Entry& e = At(open[k - 1]);
            e.length = (uint32_t)(node.end - e.start);
            e.tagLengths |= (uint32_t)endLength << 22;
            open.resize(k - 1);
        }
    }
    for (uint32_t n : open) CloseNeverEnded(n);
    // Levels after the repairs; a parent always has a lower entry than its children.
    for (uint32_t n = 1; n < m_used; ++n) {
        Entry& e = At(n);
        e.levelFlags = (e.levelFlags & ~kLevelMask) | ((At(e.parent).levelFlags & kLevelMask) + 1);
    }
    return true;
}

void CXmlDocCore::AppendChild(uint32_t parent, uint32_t child) {
    Entry& p = At(parent);
    Entry& c = At(child);
    c.parent = parent;
    c.next = 0;
    if (!p.firstChild) {
        p.firstChild = child;
        c.prev = child;
        return;
    }
    Entry& first = At(p.firstChild);
    At(first.prev).next = child;
    c.prev = first.prev;
    first.prev = child;
}

void CXmlDocCore::InsertAfter(uint32_t sibling, uint32_t child) {
    Entry& s = At(sibling);
    Entry& c = At(child);
    c.parent = s.parent;
    c.prev = sibling;
    c.next = s.next;
    s.next = child;
    if (c.next)
        At(c.next).prev = child;
    else
        At(At(c.parent).firstChild).prev = child;
}

void CXmlDocCore::Unlink(uint32_t n) {
    Entry& e = At(n);
    Entry& p = At(e.parent);
    uint32_t last = At(p.firstChild).prev;
    if (p.firstChild == n) {
        p.firstChild = e.next;
        if (e.next) At(e.next).prev = last;
    } else {
        At(e.prev).next = e.next;
        if (e.next)
            At(e.next).prev = e.prev;
        else
            At(p.firstChild).prev = e.prev;
    }
}

void CXmlDocCore::CloseNeverEnded(uint32_t n) {
    Entry& e = At(n);
    e.length = StartTagLength(e);
    e.levelFlags |= kNeverEnded;
    uint32_t first = e.firstChild;
    if (!first) return;
    // Its children become its following siblings.
    uint32_t last = At(first).prev;
    for (uint32_t c = first; c; c = At(c).next) At(c).parent = e.parent;
    uint32_t after = e.next;
    e.firstChild = 0;
    e.next = first;
    At(first).prev = n;
    At(last).next = after;
    if (after)
        At(after).prev = last;
    else
        At(At(e.parent).firstChild).prev = last;
}

void CXmlDocCore::FreeSubtree(uint32_t n) {
    std::vector<uint32_t> pending{n};
    while (!pending.empty()) {
        uint32_t m = pending.back();
        pending.pop_back();
        for (uint32_t c = At(m).firstChild; c; c = At(c).next) pending.push_back(c);
        Free(m);
    }
}

void CXmlDocCore::Shift(size_t pos, size_t removed, size_t inserted) {
    for (uint32_t n = 1; n < m_used; ++n) {
        Entry& e = At(n);
        if (e.levelFlags & kFree) continue;
        size_t end = (size_t)e.start + e.length;
        if (e.start >= pos + removed) {
            e.start = (uint32_t)(e.start - removed + inserted);
        } else if (e.start < pos && (removed ? end >= pos + removed : end > pos)) {
            e.length = (uint32_t)(e.length - removed + inserted);
        }
    }
    At(0).length = (uint32_t)m_doc.size();
}

size_t CXmlDocCore::NameEnd(const Entry& e) const {
    size_t i = (size_t)e.start + 1;
    while (i < m_doc.size() && !EndsName(m_doc[i])) ++i;
    return i;
}

bool CXmlDocCore::HasName(const Entry& e, const char16_t* name, size_t length, bool ignoreCase) const {
    const char16_t* own = m_doc.data() + e.start + 1;
    if (NameEnd(e) - e.start - 1 != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (ignoreCase ? AsciiLower(own[i]) != AsciiLower(name[i]) : own[i] != name[i]) return false;
    return true;
}

bool CXmlDocCore::FindAttribute(const Entry& e, const char16_t* name, std::u16string& value) const {
    return ReadAttribute(m_doc.data(), NameEnd(e), (size_t)e.start + StartTagLength(e) - 1, name, value);
}

bool CXmlDocCore::FindElement(const char16_t* name) {
    const size_t length = Length(name);
    for (uint32_t n = m_current ? At(m_current).next : At(m_parent).firstChild; n; n = At(n).next) {
        const Entry& e = At(n);
        size_t own = NameEnd(e) - e.start - 1;
        bool matches = length == 0 || (own <= length && HasName(e, name, own, false) &&
                                       (own == length || std::char_traits<char16_t>::find(u" =/[]", 5, name[own])));
        if (matches) {
            m_current = n;
            m_child = 0;
            return true;
        }
    }
    return false;
}

bool CXmlDocCore::EnterElement() {
    if (!m_current) return false;
    m_parent = m_current;
    m_current = m_child;
    m_child = 0;
    return true;
}

bool CXmlDocCore::LeaveElement() {
    if (!m_parent) return false;
    m_child = m_current;
    m_current = m_parent;
    m_parent = At(m_parent).parent;
    return true;
}

std::u16string CXmlDocCore::GetName() const {
    if (!m_current) return std::u16string();
    const Entry& e = At(m_current);
    return m_doc.substr((size_t)e.start + 1, NameEnd(e) - e.start - 1);
}

std::u16string CXmlDocCore::GetData() const {
    if (!m_current) return std::u16string();
    const Entry& e = At(m_current);
    size_t from = (size_t)e.start + StartTagLength(e);
    size_t to = (size_t)e.start + e.length - EndTagLength(e);
    if (e.firstChild || to <= from) return std::u16string();
    const char16_t* text = m_doc.data();
    if (std::find(text + from, text + to, u'<') == text + to) return DecodeText(text + from, to - from);
    std::u16string data;
    for (size_t pos = from; pos < to;) {
        Node node = NextNode(text, pos, to);
        if (node.kind == NodeKind::CutOff) break;
        if (node.kind == NodeKind::Text) data += DecodeText(text + node.begin, node.end - node.begin);
        if (node.kind == NodeKind::CData) data.append(text + node.begin + 9, node.end - node.begin - 12);
        pos = node.end;
    }
    return data;
}

bool CXmlDocCore::AddElement(const char16_t* name, const char16_t* text) {
    const size_t nameLength = Length(name);
    if (nameLength == 0 || !StartsTag(name[0]) || std::any_of(name, name + nameLength, EndsName)) return false;
    std::u16string element = u"<" + std::u16string(name, nameLength);
    size_t startTag, endTag = 0;
    if (text && *text) {
        element += u">";
        startTag = element.size();
        element += Escape(text) + u"</" + std::u16string(name, nameLength) + u">";
        endTag = nameLength + 3;
    } else {
        element += u"/>";
        startTag = element.size();
    }
    uint32_t level = (At(m_parent).levelFlags & kLevelMask) + 1;
    if (startTag > kMaxStartTag || endTag > kMaxEndTag || level > kMaxLevel) return false;

    size_t pos;
    if (m_current) {
        const Entry& current = At(m_current);
        pos = (size_t)current.start + current.length;
        size_t next = pos;
        while (next < m_doc.size() && IsSpace(m_doc[next])) ++next;
        if (next < m_doc.size() && m_doc[next] == u'<') pos = next;
    } else if (m_parent) {
        const Entry& parent = At(m_parent);
        // An empty-element tag or a start tag never ended holds no children.
        if (EndTagLength(parent) == 0) return false;
        pos = (size_t)parent.start + parent.length - EndTagLength(parent);
    } else {
        pos = m_doc.size();
    }
    const size_t elementLength = element.size();
    element += u"\r\n";
    if (m_doc.size() + element.size() > kMaxText) return false;

    m_doc.insert(pos, element);
    Shift(pos, 0, element.size());
    uint32_t n = Allocate();
    Entry& e = At(n);
    e.start = (uint32_t)pos;
    e.length = (uint32_t)elementLength;
    e.tagLengths = (uint32_t)(startTag | (endTag << 22));
    e.levelFlags = level;
    if (m_current)
        InsertAfter(m_current, n);
    else
        AppendChild(m_parent, n);
    m_current = n;
    m_child = 0;
    return true;
}

bool CXmlDocCore::RemoveElement() {
    if (!m_current) return false;
    const uint32_t n = m_current;
    const Entry& e = At(n);
    const size_t from = e.start;
    size_t to = (size_t)e.start + e.length;
    size_t next = to;
    while (next < m_doc.size() && IsSpace(m_doc[next])) ++next;
    if (next > to && next < m_doc.size() && m_doc[next] == u'<') to = next;
    const bool first = At(e.parent).firstChild == n;
    const uint32_t prev = e.prev;

    Unlink(n);
    FreeSubtree(n);
    m_doc.erase(from, to - from);
    Shift(from, to - from, 0);
    m_current = first ? 0 : prev;
    m_child = 0;
    return true;
}

std::u16string CXmlDocCore::GetDeclaredEncoding() const {
    const char16_t* text = m_doc.data();
    size_t start = !m_doc.empty() && m_doc[0] == 0xFEFF ? 1 : 0;
    if (m_doc.size() >= start + 6 && EqualsNoCase(text + start, 5, u"<?xml") &&
        (IsSpace(text[start + 5]) || text[start + 5] == u'?')) {
        Node declaration = NextNode(text, start, m_doc.size());
        std::u16string encoding;
        if (declaration.kind == NodeKind::ProcessingInstruction &&
            ReadAttribute(text, start + 5, declaration.end - 2, u"encoding", encoding) && !encoding.empty())
            return encoding;
    }
    std::u16string charset = HtmlCharset();
    return charset.empty() ? u"UTF-8" : charset;
}

std::u16string CXmlDocCore::HtmlCharset() const {
    const uint32_t html = At(0).firstChild;
    if (!html || !HasName(At(html), u"html", 4, true)) return std::u16string();
    size_t limit = m_doc.size();
    for (uint32_t n = At(html).firstChild; n; n = At(n).next) {
        if (!HasName(At(n), u"head", 4, true)) continue;
        if (EndTagLength(At(n))) limit = (size_t)At(n).start + At(n).length;
        break;
    }
    // The elements inside html in document order, up to the end of the head or the body.
    uint32_t n = At(html).firstChild;
    while (n) {
        const Entry& e = At(n);
        if (e.start >= limit || HasName(e, u"body", 4, true)) break;
        std::u16string equiv, content;
        if (HasName(e, u"meta", 4, true) && FindAttribute(e, u"http-equiv", equiv) &&
            EqualsNoCase(equiv.data(), equiv.size(), u"Content-Type") && FindAttribute(e, u"content", content)) {
            std::u16string charset = CharsetOfContentType(content);
            if (!charset.empty()) return charset;
        }
        if (e.firstChild) {
            n = e.firstChild;
            continue;
        }
        while (n != html && !At(n).next) n = At(n).parent;
        n = n == html ? 0 : At(n).next;
    }
    return std::u16string();
}

}  // namespace xml
