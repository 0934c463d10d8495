// The page tree: elements and text runs, with the engine's own references, the
// callers' uses and handles that never dangle.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Box.h"
#include "Css.h"
#include "Style.h"

namespace hl {

class Document;
class Node;
struct HandlerEntry;

// Deepest nesting the tree accepts; deeper markup stays text and deeper inserts fail.
constexpr int kMaxDepth = 100;

// The engine's own hold on a node (the callers' holds are uses).
class NodeRef {
public:
    NodeRef() = default;
    NodeRef(Node* node);  // NOLINT: implicit, as a pointer
    NodeRef(const NodeRef& other);
    NodeRef(NodeRef&& other) noexcept;
    NodeRef& operator=(NodeRef other) noexcept;
    ~NodeRef();
    Node* get() const { return m_node; }
    Node* operator->() const { return m_node; }
    Node& operator*() const { return *m_node; }
    explicit operator bool() const { return m_node != nullptr; }

private:
    Node* m_node = nullptr;
};

using Attribute = std::pair<std::string, std::u16string>;  // lower-case name, value

class Node {
public:
    enum class Kind : uint8_t { Document, Element, Text };

    static NodeRef CreateElement(std::string_view tag);
    static NodeRef CreateText(std::u16string text);
    static NodeRef CreateDocumentNode(Document* document);
    // The live node of a handle; null when it is gone.
    static Node* FromHandle(uint32_t handle);

    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    uint32_t Handle() const { return m_handle; }
    Kind GetKind() const { return m_kind; }
    bool IsElement() const { return m_kind == Kind::Element; }
    bool IsText() const { return m_kind == Kind::Text; }

    // Uses of the interface's callers. Unuse is refused when no use is held.
    void Use() { ++m_uses; }
    bool Unuse();
    void AddRef() { ++m_refs; }
    void Release();

    Node* Parent() const { return m_parent; }
    // The parent when it is an element (not the page's document node).
    Node* ParentElement() const;
    Document* OwnerDocument() const;
    int Depth() const;  // 0 for a node without parent

    const std::vector<Node*>& Kids() const { return m_kids; }
    size_t ElementCount() const;
    Node* ElementAt(size_t n) const;  // null beyond the count
    // Among the parent's element children; for a text run the elements before it.
    size_t ElementIndex() const;
    bool Contains(const Node* other) const;  // this node or below it

    // Text runs and void elements (img, br, ...) have no children; style and
    // script elements have text runs only.
    bool TakesKids() const;
    bool TakesElements() const;
    // Tree edits; false when refused (a cycle, no children taken here, or nesting
    // beyond kMaxDepth).
    bool InsertElement(Node* child, size_t elementIndex);
    bool AppendKid(Node* kid);
    void Remove();
    void RemoveAllKids();
    static bool Swap(Node* a, Node* b);
    // Stable sort of the element children [first, last).
    void SortElements(size_t first, size_t last, const std::function<int(Node*, Node*)>& compare);

    // Elements.
    const std::string& Tag() const { return m_tag; }
    const std::vector<Attribute>& Attributes() const { return m_attributes; }
    const std::u16string* GetAttribute(std::string_view name) const;
    // A null value removes the attribute.
    void SetAttribute(std::string_view name, const std::u16string* value);
    uint32_t State() const { return m_state; }
    void SetState(uint32_t set, uint32_t clear);
    bool IsDisabled() const;  // STATE_DISABLED here or on an ancestor

    // Text runs.
    const std::u16string& Text() const { return m_text; }
    // Every text below the node, in document order.
    std::u16string InnerText() const;
    // Replaces the content with one text run (none for an empty text).
    void SetInnerText(std::u16string text);

    // Style: the declarations set at run time (over the "style" attribute).
    const Declarations& RuntimeStyle() const { return m_runtimeStyle; }
    // A null value removes the property.
    void SetRuntimeStyle(PropertyId id, const std::string* value);
    const Declarations& AttributeStyle() const { return m_attributeStyle; }

    // Data of the cascade and the layout, kept by Document.
    ComputedStyle style;
    Box box;
    bool styleDirty = true;         // this element's style is out of date
    bool subtreeStyleDirty = true;  // and so are all below it
    bool kidsStyleDirty = true;     // something below it is out of date
    std::vector<std::shared_ptr<HandlerEntry>> handlers;
    std::string behaviorName;  // the behaviour last resolved for the element
    // Computed values handed out as text; each stays valid until asked for again.
    std::vector<std::pair<PropertyId, std::u16string>> reportedStyles;

private:
    Node(Kind kind, Document* document);
    ~Node();
    void MaybeDelete();
    void RefreshIndexes() const;
    void Adopt(Node* kid, size_t position);
    void Detach();  // out of the parent, without deleting
    int Height() const;
    void NotifyContentChanged();

    Kind m_kind;
    uint32_t m_handle;
    int m_refs = 0;
    int m_uses = 0;
    Node* m_parent = nullptr;
    Document* m_document;  // only on a document node
    std::vector<Node*> m_kids;
    size_t m_textKids = 0;
    mutable std::vector<Node*> m_elements;  // element children, when text runs are among the kids
    mutable bool m_indexesDirty = false;
    mutable size_t m_position = 0;        // in the parent's kids
    mutable size_t m_elementOrdinal = 0;  // in the parent's elements
    std::string m_tag;
    std::vector<Attribute> m_attributes;
    uint32_t m_state = 0;
    std::u16string m_text;
    Declarations m_runtimeStyle;
    Declarations m_attributeStyle;
};

}  // namespace hl
