#include "Document.h"

#include <algorithm>

#include "Html.h"
#include "Layout.h"
#include "Text.h"

namespace hl {
namespace {

// Rounds of style resolution and behaviour attachment before an update gives up
// (an attached behaviour may change states, which restyles).
constexpr int kSettleRounds = 8;

void CollectStyleText(const Node* n, std::string& css) {
    for (const Node* kid : n->Kids()) {
        if (!kid->IsElement()) continue;
        if (kid->Tag() == "style")
            css += Utf16ToUtf8(kid->InnerText()) + "\n";
        else
            CollectStyleText(kid, css);
    }
}

template <typename F>
void ForEachElement(Node* n, F&& f) {
    for (Node* kid : n->Kids()) {
        if (!kid->IsElement()) continue;
        f(kid);
        ForEachElement(kid, f);
    }
}

}  // namespace

Document::Document(DocumentHost& host)
    : m_host(host), m_documentNode(Node::CreateDocumentNode(this)), m_input(new Input(*this)) {}

Document::~Document() {
    m_documentNode->RemoveAllKids();
    FlushBehaviorCalls();
    m_posted.clear();
}

Node* Document::Root() const { return m_documentNode->ElementAt(0); }

void Document::Load(std::string_view utf8, const std::u16string& baseFolder) {
    m_documentNode->RemoveAllKids();
    m_posted.clear();
    FlushBehaviorCalls();
    m_baseFolder = baseFolder;
    ParseHtml(utf8, m_documentNode.get());
    CollectStyleSheets();
    MarkStyleDirty(m_documentNode.get(), true);
    m_layoutDirty = true;
    InvalidateAll();
    Update();
}

void Document::CollectStyleSheets() {
    std::string css;
    CollectStyleText(m_documentNode.get(), css);
    std::vector<StyleRule> rules;
    ParseStyleSheet(css, rules);
    m_cascade.SetPageRules(std::move(rules));
}

void Document::SetViewSize(int width, int height) {
    if (width == m_viewWidth && height == m_viewHeight) return;
    m_viewWidth = std::max(0, width);
    m_viewHeight = std::max(0, height);
    RequestLayout();
}

void Document::RequestLayout() {
    if (m_layoutDirty) return;
    m_layoutDirty = true;
    InvalidateAll();
}

void Document::MarkStyleDirty(Node* node, bool subtree) {
    node->styleDirty = true;
    node->subtreeStyleDirty = node->subtreeStyleDirty || subtree;
    for (Node* a = node->Parent(); a && !a->kidsStyleDirty; a = a->Parent()) a->kidsStyleDirty = true;
    m_styleDirty = true;
}

void Document::Update() {
    if (m_updating) return;
    m_updating = true;
    for (int round = 0; round < kSettleRounds; ++round) {
        UpdateStyles();
        if (m_pendingAttach.empty() && m_pendingDetach.empty()) break;
        FlushBehaviorCalls();
    }
    if (m_layoutDirty) Layout();
    m_updating = false;
}

void Document::UpdateStyles() {
    if (!m_styleDirty) return;
    m_styleDirty = false;
    Node* top = m_documentNode.get();
    bool force = top->subtreeStyleDirty;
    top->styleDirty = top->subtreeStyleDirty = false;
    ResolveSubtree(top, top->style, force);
    top->kidsStyleDirty = false;
}

// force: the parent's style changed in what its children inherit, or all below it
// is out of date.
void Document::ResolveSubtree(Node* node, const ComputedStyle& parentStyle, bool force) {
    for (Node* kid : node->Kids()) {
        bool dirty = force || kid->styleDirty || kid->subtreeStyleDirty;
        if (kid->IsText()) {
            if (dirty) kid->style = InitialStyle(parentStyle);
            kid->styleDirty = kid->subtreeStyleDirty = false;
            continue;
        }
        bool forceKids = force || kid->subtreeStyleDirty;
        if (dirty) {
            ComputedStyle computed = m_cascade.Compute(kid, parentStyle, m_baseFolder);
            if (!kid->box.laidOut || AffectsLayout(kid->style, computed))
                RequestLayout();
            else
                InvalidateNode(kid);
            forceKids = forceKids || InheritedDiffer(kid->style, computed);
            kid->style = std::move(computed);
            ResolveBehaviorOf(kid);
        }
        kid->styleDirty = kid->subtreeStyleDirty = false;
        if (forceKids || kid->kidsStyleDirty) ResolveSubtree(kid, kid->style, forceKids);
        kid->kidsStyleDirty = false;
    }
}

void Document::ResolveBehaviorOf(Node* node) {
    const std::string& name = node->style.behavior;
    if (name == node->behaviorName) return;
    DetachHandlers(node);
    node->behaviorName = name;
    if (!name.empty() && !IsBuiltinName(name)) m_pendingAttach.emplace_back(node, name);
}

void Document::DetachHandlers(Node* node) {
    for (std::shared_ptr<HandlerEntry>& entry : node->handlers) {
        entry->alive = false;
        m_pendingDetach.emplace_back(node, entry);
    }
    node->handlers.clear();
    node->behaviorName.clear();
}

void Document::FlushBehaviorCalls() {
    auto detach = std::move(m_pendingDetach);
    m_pendingDetach.clear();
    for (auto& [node, entry] : detach) {
        Event e;
        e.group = Group::Initialization;
        e.cmd = behavior::kDetach;
        e.target = node.get();
        entry->handler->Handle(node.get(), e);
    }
    auto attach = std::move(m_pendingAttach);
    m_pendingAttach.clear();
    for (auto& [node, name] : attach) {
        if (node->OwnerDocument() != this || node->behaviorName != name || !node->handlers.empty()) continue;
        std::shared_ptr<HandlerEntry> entry = m_host.ResolveBehavior(node.get(), name);
        if (!entry || !entry->handler) continue;
        node->handlers.push_back(entry);
        DeliverTo(node.get(), Event{Group::Initialization, behavior::kAttach, node.get()});
    }
}

void Document::Layout() {
    struct Size {
        NodeRef node;
        int w, h;
    };
    std::vector<Size> watched;
    ForEachElement(m_documentNode.get(), [&](Node* n) {
        for (const auto& h : n->handlers)
            if (h->Wants(Group::Size)) {
                watched.push_back({n, n->box.border.w, n->box.border.h});
                break;
            }
    });
    LayoutPage(m_documentNode.get(), m_viewWidth, m_viewHeight, m_host.Measurer());
    m_layoutDirty = false;
    InvalidateAll();
    for (const Size& s : watched)
        if (s.node->box.border.w != s.w || s.node->box.border.h != s.h)
            DeliverTo(s.node.get(), Event{Group::Size, 0, s.node.get()});
}

Rect Document::SeenRect(const Node* node, BoxKind kind) const {
    int sx = 0, sy = 0;
    for (const Node* a = node->Parent(); a; a = a->Parent()) {
        sx += a->box.scrollX;
        sy += a->box.scrollY;
    }
    const Box& b = node->box;
    Rect r = kind == BoxKind::Content   ? b.Content()
             : kind == BoxKind::Padding ? b.Padding()
             : kind == BoxKind::Margin  ? b.MarginBox()
                                        : b.border;
    if (node->IsText()) r = b.border;
    return r.Moved(-sx, -sy);
}

Rect Document::VisibleRect(const Node* node) const {
    Rect r = SeenRect(node, BoxKind::Border);
    for (const Node* a = node->Parent(); a && a->IsElement(); a = a->Parent())
        if (a->style.overflow != Overflow::Visible) r = r.Intersect(SeenRect(a, BoxKind::Padding));
    return r.Intersect({0, 0, m_viewWidth, m_viewHeight});
}

bool Document::IsVisible(const Node* node) const {
    if (node->OwnerDocument() != this || node->style.hidden) return false;
    for (const Node* n = node; n && n->IsElement(); n = n->Parent())
        if (n->style.display == Display::None) return false;
    return true;
}

Node* Document::ScrollbarAt(Point p) const {
    for (Node* n = HitTest(p); n; n = n->Parent()) {
        if (!n->IsElement() || !n->box.scrollbar) continue;
        Rect seen = SeenRect(n, BoxKind::Border);
        if (ScrollbarTrack(n->box).Moved(seen.x - n->box.border.x, seen.y - n->box.border.y).Contains(p)) return n;
    }
    return nullptr;
}

bool Document::SetScrollPos(Node* node, int x, int y) {
    (void)x;  // boxes scroll vertically only
    if (!node->IsElement() || node->style.overflow == Overflow::Visible) return false;
    int clamped = std::max(0, std::min(y, MaxScroll(node->box)));
    if (clamped == node->box.scrollY) return false;
    node->box.scrollY = clamped;
    InvalidateNode(node);
    Event e;
    e.group = Group::Scroll;
    e.target = node;
    e.scrollPos = clamped;
    Dispatch(e);
    return true;
}

void Document::ScrollToView(Node* node, bool toTop) {
    for (Node* a = node->Parent(); a && a->IsElement(); a = a->Parent()) {
        if (a->style.overflow == Overflow::Visible) continue;
        Rect target = SeenRect(node, BoxKind::Border);
        Rect view = SeenRect(a, BoxKind::Content);
        int delta = 0;
        if (toTop || target.y < view.y || target.h > view.h)
            delta = target.y - view.y;
        else if (target.Bottom() > view.Bottom())
            delta = target.Bottom() - view.Bottom();
        if (delta) SetScrollPos(a, 0, a->box.scrollY + delta);
    }
}

void Document::InvalidateNode(const Node* node) {
    if (!node->box.laidOut || m_layoutDirty) return;
    Rect seen = SeenRect(node, BoxKind::Border);
    Rect ink = node->box.ink.Moved(seen.x - node->box.border.x, seen.y - node->box.border.y);
    Rect area = ink.Intersect({0, 0, m_viewWidth, m_viewHeight});
    if (!area.Empty()) m_host.Invalidate(area);
}

void Document::InvalidateAll() { m_host.Invalidate({0, 0, m_viewWidth, m_viewHeight}); }

bool Document::Dispatch(const Event& event, Node* at, BuiltinStep builtin) {
    Node* start = at ? at : event.target;
    if (start && start->IsText()) start = start->Parent();
    std::vector<NodeRef> path;
    for (Node* n = start; n && n->IsElement(); n = n->Parent()) path.emplace_back(n);
    NodeRef root(Root());
    NodeRef target(event.target);
    bool handled = false;
    auto deliver = [&](const HandlerList& list, Node* element, uint32_t phase) {
        HandlerList copy = list;
        for (const std::shared_ptr<HandlerEntry>& h : copy) {
            if (!h->Wants(event.group)) continue;
            Event e = event;
            e.cmd = event.cmd | phase | (handled ? kHandled : 0);
            if (element && element->box.laidOut) {
                Rect seen = SeenRect(element, BoxKind::Border);
                e.pos = {event.viewPos.x - seen.x, event.viewPos.y - seen.y};
            }
            if (h->handler->Handle(element, e)) handled = true;
        }
    };
    deliver(m_windowHandlers, root.get(), kSinking);
    for (size_t i = path.size(); i-- > 0;) deliver(path[i]->handlers, path[i].get(), kSinking);
    for (const NodeRef& n : path) {
        deliver(n->handlers, n.get(), 0);
        if (builtin && !handled && builtin(*this, n.get(), event)) handled = true;
    }
    deliver(m_windowHandlers, root.get(), 0);
    return handled;
}

bool Document::DeliverTo(Node* element, const Event& event) {
    NodeRef hold(element);
    HandlerList copy = element->handlers;
    bool handled = false;
    for (const std::shared_ptr<HandlerEntry>& h : copy)
        if (h->Wants(event.group) && h->handler->Handle(element, event)) handled = true;
    return handled;
}

bool Document::SendEvent(Node* element, uint32_t cmd, Node* source, uintptr_t reason) {
    Event e;
    e.group = Group::Behavior;
    e.cmd = cmd;
    e.target = source ? source : element;
    e.reason = reason;
    return Dispatch(e, element);
}

void Document::PostEvent(Node* element, uint32_t cmd, Node* source, uintptr_t reason) {
    bool first = m_posted.empty();
    m_posted.push_back({element, cmd, source ? source : element, reason});
    if (first) m_host.EventsPosted();
}

void Document::DeliverPostedEvents() {
    std::deque<PostedEvent> batch;
    batch.swap(m_posted);
    for (const PostedEvent& p : batch)
        if (p.element->OwnerDocument() == this) SendEvent(p.element.get(), p.cmd, p.source.get(), p.reason);
}

void Document::OnAttributeChanged(Node* node, const std::string& name) {
    MarkStyleDirty(node, m_cascade.AncestorsTest(name));
    InvalidateNode(node);
}

void Document::OnStateChanged(Node* node, uint32_t changedStates) {
    MarkStyleDirty(node, (changedStates & m_cascade.AncestorStates()) != 0);
    InvalidateNode(node);
}

void Document::OnContentChanged(Node* node) {
    (void)node;
    RequestLayout();
}

void Document::OnSubtreeEntered(Node* node) {
    MarkStyleDirty(node, true);
    RequestLayout();
}

void Document::OnSubtreeLeaving(Node* node) {
    RequestLayout();
    m_input->Forget(node);
    if (node->IsElement()) {
        DetachHandlers(node);
        ForEachElement(node, [this](Node* n) { DetachHandlers(n); });
    }
}

PaintList Document::Paint(const Rect& area) {
    Update();
    return PaintPage(m_documentNode.get(), area, m_host);
}

Node* Document::HitTest(Point viewPoint) const { return HitTestPage(m_documentNode.get(), viewPoint); }

}  // namespace hl
