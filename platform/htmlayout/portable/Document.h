// A page: its tree, style sheets, behaviours, layout, painting, input and events.
// The window side (text measuring, image sizes, behaviours named by the program,
// repainting and delivery of posted events) is the DocumentHost.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Builtins.h"
#include "Cascade.h"
#include "Events.h"
#include "Input.h"
#include "Node.h"
#include "Paint.h"

namespace hl {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width of a single line of text in the style's font.
    virtual int Width(std::u16string_view text, const ComputedStyle& font) = 0;
    virtual int LineHeight(const ComputedStyle& font) = 0;
};

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual TextMeasurer& Measurer() = 0;
    // Size of an image file; false when it cannot be read.
    virtual bool ImageSize(const std::u16string& path, int& width, int& height) = 0;
    // The handler for a behaviour name that is not built in, or null.
    virtual std::shared_ptr<HandlerEntry> ResolveBehavior(Node* element, const std::string& name) = 0;
    // A part of the view (view coordinates) needs painting.
    virtual void Invalidate(const Rect& area) = 0;
    // Events were posted; Document::DeliverPostedEvents should run soon.
    virtual void EventsPosted() = 0;
    virtual void CaptureMouse(bool capture) = 0;
};

class Document {
public:
    explicit Document(DocumentHost& host);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Replaces the page with parsed markup; relative URLs are relative to baseFolder.
    void Load(std::string_view utf8, const std::u16string& baseFolder);
    Node* DocumentNode() const { return m_documentNode.get(); }
    Node* Root() const;  // first top-level element, or null
    DocumentHost& Host() const { return m_host; }
    Input& GetInput() { return *m_input; }

    // Styles, behaviours and layout brought up to date, in that order.
    void Update();
    void UpdateStyles();
    void SetViewSize(int width, int height);

    // Geometry, after Update.
    enum class BoxKind { Content, Padding, Border, Margin };
    // Where the node is seen: layout rectangle moved by the scrolling of its ancestors.
    Rect SeenRect(const Node* node, BoxKind kind) const;
    // The seen border box cut to its clipping ancestors and the view.
    Rect VisibleRect(const Node* node) const;
    bool IsVisible(const Node* node) const;
    // The mouse target at a view point (a text run, an element, or null).
    Node* HitTest(Point viewPoint) const;
    // The innermost scrolling element whose scroll bar lies under the point.
    Node* ScrollbarAt(Point viewPoint) const;
    void ScrollToView(Node* node, bool toTop);
    // Sets the scroll position of a scrollable element, clamped; true when it moved.
    bool SetScrollPos(Node* node, int x, int y);

    // Painting of the part of the view given.
    PaintList Paint(const Rect& area);
    void InvalidateNode(const Node* node);
    void InvalidateAll();

    // Events.
    HandlerList& WindowHandlers() { return m_windowHandlers; }
    // Two-phase delivery from the window handlers down through the ancestors of at
    // (the target's element when null) and back; builtin runs at each element while
    // the event bubbles and is not yet handled.
    using BuiltinStep = bool (*)(Document& doc, Node* element, const Event& event);
    bool Dispatch(const Event& event, Node* at = nullptr, BuiltinStep builtin = nullptr);
    // Delivery to the handlers of one element only (attachment, size).
    bool DeliverTo(Node* element, const Event& event);
    bool SendEvent(Node* element, uint32_t cmd, Node* source, uintptr_t reason);
    void PostEvent(Node* element, uint32_t cmd, Node* source, uintptr_t reason);
    void DeliverPostedEvents();

    // Hooks of Node.
    void OnAttributeChanged(Node* node, const std::string& name);
    void OnStateChanged(Node* node, uint32_t changedStates);
    void OnContentChanged(Node* node);
    void OnSubtreeEntered(Node* node);
    void OnSubtreeLeaving(Node* node);

private:
    struct PostedEvent {
        NodeRef element;
        uint32_t cmd;
        NodeRef source;
        uintptr_t reason;
    };

    // The node's style is out of date, and with subtree the styles below it too.
    void MarkStyleDirty(Node* node, bool subtree);
    // The layout is out of date: the whole view will be painted after the next one.
    void RequestLayout();
    void ResolveSubtree(Node* node, const ComputedStyle& parentStyle, bool force);
    void ResolveBehaviorOf(Node* node);
    void DetachHandlers(Node* node);
    void FlushBehaviorCalls();
    void Layout();
    void CollectStyleSheets();

    DocumentHost& m_host;
    NodeRef m_documentNode;
    std::u16string m_baseFolder;
    Cascade m_cascade;
    std::unique_ptr<Input> m_input;
    HandlerList m_windowHandlers;
    std::deque<PostedEvent> m_posted;
    // Attach and detach calls wait until the tree is consistent again.
    std::vector<std::pair<NodeRef, std::string>> m_pendingAttach;
    std::vector<std::pair<NodeRef, std::shared_ptr<HandlerEntry>>> m_pendingDetach;
    int m_viewWidth = 0, m_viewHeight = 0;
    bool m_styleDirty = true;
    bool m_layoutDirty = true;
    bool m_updating = false;
};

}  // namespace hl
