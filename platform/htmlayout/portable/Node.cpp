#include "Node.h"

#include <unordered_map>

#include "Document.h"
#include "Html.h"
#include "Text.h"

namespace hl {
namespace {

// Handles are numbers never given twice (within 2^32 creations), so a stale handle
// finds nothing instead of another node.
struct HandleTable {
    std::unordered_map<uint32_t, Node*> nodes;
    uint32_t next = 1;
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

uint32_t Register(Node* node) {
    HandleTable& t = Handles();
    while (t.next == 0 || t.nodes.count(t.next)) ++t.next;
    uint32_t handle = t.next++;
    t.nodes.emplace(handle, node);
    return handle;
}

// Stable merge sort that stays in bounds whatever the comparison answers.
void MergeSort(std::vector<Node*>& items, const std::function<int(Node*, Node*)>& compare) {
    std::vector<Node*> buffer(items.size());
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t lo = 0; lo < items.size(); lo += 2 * width) {
            size_t mid = std::min(lo + width, items.size()), hi = std::min(lo + 2 * width, items.size());
            size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) buffer[out++] = compare(items[b], items[a]) < 0 ? items[b++] : items[a++];
            while (a < mid) buffer[out++] = items[a++];
            while (b < hi) buffer[out++] = items[b++];
        }
        items.swap(buffer);
    }
}

}  // namespace

NodeRef::NodeRef(Node* node) : m_node(node) {
    if (m_node) m_node->AddRef();
}
NodeRef::NodeRef(const NodeRef& other) : NodeRef(other.m_node) {}
NodeRef::NodeRef(NodeRef&& other) noexcept : m_node(other.m_node) { other.m_node = nullptr; }
NodeRef& NodeRef::operator=(NodeRef other) noexcept {
    std::swap(m_node, other.m_node);
    return *this;
}
NodeRef::~NodeRef() {
    if (m_node) m_node->Release();
}

Node::Node(Kind kind, Document* document) : m_kind(kind), m_handle(Register(this)), m_document(document) {}

Node::~Node() {
    Handles().nodes.erase(m_handle);
    for (Node* kid : m_kids) {
        kid->m_parent = nullptr;
        kid->MaybeDelete();
    }
}

NodeRef Node::CreateElement(std::string_view tag) {
    Node* node = new Node(Kind::Element, nullptr);
    node->m_tag = AsciiLower(tag);
    return NodeRef(node);
}

NodeRef Node::CreateText(std::u16string text) {
    Node* node = new Node(Kind::Text, nullptr);
    node->m_text = std::move(text);
    return NodeRef(node);
}

NodeRef Node::CreateDocumentNode(Document* document) {
    Node* node = new Node(Kind::Document, document);
    node->style.display = Display::Block;
    return NodeRef(node);
}

Node* Node::FromHandle(uint32_t handle) {
    auto& nodes = Handles().nodes;
    auto it = nodes.find(handle);
    return it == nodes.end() ? nullptr : it->second;
}

bool Node::Unuse() {
    if (m_uses == 0) return false;
    --m_uses;
    MaybeDelete();
    return true;
}

void Node::Release() {
    --m_refs;
    MaybeDelete();
}

void Node::MaybeDelete() {
    if (m_refs == 0 && m_uses == 0 && !m_parent) delete this;
}

Node* Node::ParentElement() const { return m_parent && m_parent->m_kind == Kind::Element ? m_parent : nullptr; }

Document* Node::OwnerDocument() const {
    const Node* top = this;
    while (top->m_parent) top = top->m_parent;
    return top->m_document;
}

int Node::Depth() const {
    int depth = 0;
    for (const Node* p = m_parent; p; p = p->m_parent) ++depth;
    return depth;
}

int Node::Height() const {
    int height = 0;
    for (const Node* kid : m_kids) height = std::max(height, kid->Height() + 1);
    return height;
}

bool Node::Contains(const Node* other) const {
    for (const Node* n = other; n; n = n->m_parent)
        if (n == this) return true;
    return false;
}

void Node::RefreshIndexes() const {
    if (!m_indexesDirty) return;
    m_elements.clear();
    for (size_t i = 0; i < m_kids.size(); ++i) {
        Node* kid = m_kids[i];
        kid->m_position = i;
        kid->m_elementOrdinal = m_elements.size();
        if (kid->m_kind != Kind::Text) m_elements.push_back(kid);
    }
    if (m_textKids == 0) m_elements.clear();  // the kids themselves serve then
    m_indexesDirty = false;
}

size_t Node::ElementCount() const { return m_kids.size() - m_textKids; }

Node* Node::ElementAt(size_t n) const {
    if (n >= ElementCount()) return nullptr;
    if (m_textKids == 0) return m_kids[n];
    RefreshIndexes();
    return m_elements[n];
}

size_t Node::ElementIndex() const {
    if (!m_parent) return 0;
    m_parent->RefreshIndexes();
    return m_parent->m_textKids == 0 ? m_position : m_elementOrdinal;
}

void Node::Adopt(Node* kid, size_t position) {
    position = std::min(position, m_kids.size());
    m_kids.insert(m_kids.begin() + static_cast<std::ptrdiff_t>(position), kid);
    kid->m_parent = this;
    if (kid->m_kind == Kind::Text) ++m_textKids;
    if (position + 1 == m_kids.size() && !m_indexesDirty) {
        kid->m_position = position;
        kid->m_elementOrdinal = ElementCount() - 1;
        if (m_textKids > 0) m_indexesDirty = true;
    } else {
        m_indexesDirty = true;
    }
}

void Node::Detach() {
    Node* parent = m_parent;
    parent->RefreshIndexes();
    parent->m_kids.erase(parent->m_kids.begin() + static_cast<std::ptrdiff_t>(m_position));
    if (m_kind == Kind::Text) --parent->m_textKids;
    parent->m_indexesDirty = true;
    m_parent = nullptr;
}

void Node::NotifyContentChanged() {
    if (Document* d = OwnerDocument()) d->OnContentChanged(this);
}

bool Node::TakesKids() const { return m_kind != Kind::Text && !IsVoidElement(m_tag); }

bool Node::TakesElements() const { return TakesKids() && !IsRawTextElement(m_tag); }

bool Node::AppendKid(Node* kid) {
    if (!kid || kid->m_parent || kid->m_kind == Kind::Document || kid->Contains(this)) return false;
    if (kid->m_kind == Kind::Text ? !TakesKids() : !TakesElements()) return false;
    if (Depth() + 1 + kid->Height() > kMaxDepth) return false;
    Adopt(kid, m_kids.size());
    if (Document* d = OwnerDocument()) d->OnSubtreeEntered(kid);
    NotifyContentChanged();
    return true;
}

bool Node::InsertElement(Node* child, size_t elementIndex) {
    if (!child || child == this || child->m_kind != Kind::Element || child->Contains(this) || !TakesElements())
        return false;
    if (Depth() + 1 + child->Height() > kMaxDepth) return false;
    NodeRef hold(child);
    if (child->m_parent) child->Remove();
    size_t position = m_kids.size();
    if (elementIndex < ElementCount()) {
        Node* before = ElementAt(elementIndex);
        RefreshIndexes();
        position = before->m_position;
    }
    Adopt(child, position);
    if (Document* d = OwnerDocument()) d->OnSubtreeEntered(child);
    NotifyContentChanged();
    return true;
}

void Node::Remove() {
    Node* parent = m_parent;
    if (!parent) return;
    NodeRef hold(this);
    if (Document* d = OwnerDocument()) d->OnSubtreeLeaving(this);
    Detach();
    parent->NotifyContentChanged();
}

void Node::RemoveAllKids() {
    while (!m_kids.empty()) m_kids.back()->Remove();
}

bool Node::Swap(Node* a, Node* b) {
    if (!a || !b || a == b || !a->m_parent || !b->m_parent || a->m_kind != Kind::Element ||
        b->m_kind != Kind::Element || a->Contains(b) || b->Contains(a))
        return false;
    Node* pa = a->m_parent;
    Node* pb = b->m_parent;
    if (pa->Depth() + 1 + b->Height() > kMaxDepth || pb->Depth() + 1 + a->Height() > kMaxDepth) return false;
    NodeRef holdA(a), holdB(b);
    Document* da = a->OwnerDocument();
    Document* db = b->OwnerDocument();
    if (da) da->OnSubtreeLeaving(a);
    if (db) db->OnSubtreeLeaving(b);
    pa->RefreshIndexes();
    pb->RefreshIndexes();
    pa->m_kids[a->m_position] = b;
    pb->m_kids[b->m_position] = a;
    a->m_parent = pb;
    b->m_parent = pa;
    pa->m_indexesDirty = pb->m_indexesDirty = true;
    if (db) db->OnSubtreeEntered(a);
    if (da) da->OnSubtreeEntered(b);
    pa->NotifyContentChanged();
    if (pb != pa) pb->NotifyContentChanged();
    return true;
}

void Node::SortElements(size_t first, size_t last, const std::function<int(Node*, Node*)>& compare) {
    last = std::min(last, ElementCount());
    if (first + 1 >= last) return;
    std::vector<Node*> items;
    std::vector<NodeRef> holds;
    for (size_t i = first; i < last; ++i) {
        items.push_back(ElementAt(i));
        holds.emplace_back(items.back());
    }
    std::vector<Node*> before = items;
    MergeSort(items, compare);
    // The comparison may have changed the tree: write back only onto the same places.
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i]->m_parent != this || ElementAt(first + i) != before[i]) return;
    RefreshIndexes();
    std::vector<size_t> positions;
    for (Node* n : before) positions.push_back(n->m_position);
    for (size_t i = 0; i < items.size(); ++i) m_kids[positions[i]] = items[i];
    m_indexesDirty = true;
    NotifyContentChanged();
}

const std::u16string* Node::GetAttribute(std::string_view name) const {
    for (const Attribute& a : m_attributes)
        if (EqualsNoCase(a.first, name)) return &a.second;
    return nullptr;
}

void Node::SetAttribute(std::string_view name, const std::u16string* value) {
    if (m_kind != Kind::Element || name.empty()) return;
    std::string lower = AsciiLower(name);
    auto it = m_attributes.begin();
    while (it != m_attributes.end() && it->first != lower) ++it;
    if (value) {
        if (it != m_attributes.end())
            it->second = *value;
        else
            m_attributes.emplace_back(lower, *value);
    } else if (it != m_attributes.end()) {
        m_attributes.erase(it);
    } else {
        return;
    }
    if (lower == "style") m_attributeStyle = value ? ParseDeclarations(Utf16ToUtf8(*value)) : Declarations{};
    if (Document* d = OwnerDocument()) d->OnAttributeChanged(this, lower);
}

void Node::SetState(uint32_t set, uint32_t clear) {
    if (m_kind != Kind::Element) return;
    if (set & kStateExpanded) clear |= kStateCollapsed;
    if (set & kStateCollapsed) clear |= kStateExpanded;
    uint32_t old = m_state;
    m_state = (m_state & ~clear) | set;
    if (m_state != old)
        if (Document* d = OwnerDocument()) d->OnStateChanged(this, m_state ^ old);
}

bool Node::IsDisabled() const {
    for (const Node* n = this; n; n = n->m_parent)
        if (n->m_state & kStateDisabled) return true;
    return false;
}

std::u16string Node::InnerText() const {
    if (m_kind == Kind::Text) return m_text;
    std::u16string out;
    std::vector<const Node*> stack(m_kids.rbegin(), m_kids.rend());
    while (!stack.empty()) {
        const Node* n = stack.back();
        stack.pop_back();
        if (n->m_kind == Kind::Text)
            out += n->m_text;
        else
            stack.insert(stack.end(), n->m_kids.rbegin(), n->m_kids.rend());
    }
    return out;
}

void Node::SetInnerText(std::u16string text) {
    if (m_kind == Kind::Text) {
        m_text = std::move(text);
        if (m_parent) m_parent->NotifyContentChanged();
        return;
    }
    RemoveAllKids();
    if (!text.empty()) AppendKid(CreateText(std::move(text)).get());
}

void Node::SetRuntimeStyle(PropertyId id, const std::string* value) {
    auto it = m_runtimeStyle.begin();
    while (it != m_runtimeStyle.end() && it->id != id) ++it;
    if (value) {
        if (it != m_runtimeStyle.end())
            it->value = *value;
        else
            m_runtimeStyle.push_back({id, *value});
    } else if (it != m_runtimeStyle.end()) {
        m_runtimeStyle.erase(it);
    }
    if (Document* d = OwnerDocument()) d->OnAttributeChanged(this, "style");
}

}  // namespace hl
