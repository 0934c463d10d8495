#include "Input.h"

#include <algorithm>

#include "Builtins.h"
#include "Document.h"
#include "Layout.h"

namespace hl {
namespace {

constexpr int kWheelStep = 40;  // pixels a notch scrolls

Node* ElementOf(Node* target) { return target && target->IsText() ? target->ParentElement() : target; }

std::vector<Node*> Chain(Node* element) {
    std::vector<Node*> chain;
    for (Node* n = element; n && n->IsElement(); n = n->Parent()) chain.push_back(n);
    return chain;
}

bool In(const std::vector<Node*>& chain, Node* n) { return std::find(chain.begin(), chain.end(), n) != chain.end(); }

// Moves a state from the chain of one element to the chain of another.
void MoveChainState(Node* from, Node* to, uint32_t state) {
    std::vector<NodeRef> holds;
    std::vector<Node*> oldChain = Chain(from), newChain = Chain(to);
    for (Node* n : oldChain) holds.emplace_back(n);
    for (Node* n : newChain) holds.emplace_back(n);
    for (Node* n : oldChain)
        if (!In(newChain, n)) n->SetState(0, state);
    for (Node* n : newChain)
        if (!In(oldChain, n)) n->SetState(state, 0);
}

}  // namespace

void Input::SetCapture(bool capture) {
    if (capture == m_captured) return;
    m_captured = capture;
    m_doc.Host().CaptureMouse(capture);
}

bool Input::MouseDispatch(uint32_t cmd, Node* target, Point p, uint32_t buttons, uint32_t keys) {
    if (target && target->OwnerDocument() != &m_doc) return false;  // a handler took it out meanwhile
    Event e;
    e.group = Group::Mouse;
    e.cmd = cmd;
    e.target = target;
    e.viewPos = p;
    e.buttons = buttons;
    e.keys = keys;
    return m_doc.Dispatch(e, nullptr, &Input::BuiltinStep);
}

void Input::Hover(Node* element, Point p, uint32_t buttons, uint32_t keys) {
    if (element == m_hover.get()) return;
    NodeRef old = m_hover;
    m_hover = element;
    MoveChainState(old.get(), element, kStateHover);
    if (old && old->OwnerDocument() == &m_doc) MouseDispatch(mouse::kLeave, old.get(), p, buttons, keys);
    if (element) MouseDispatch(mouse::kEnter, element, p, buttons, keys);
}

void Input::SetActive(Node* element) {
    NodeRef old = m_active;
    m_active = element;
    MoveChainState(old.get(), element, kStateActive);
}

void Input::SetFocus(Node* element, bool byMouse) {
    if (element == m_focus.get()) return;
    NodeRef old = m_focus;
    m_focus = element;
    if (old) old->SetState(0, kStateFocus);
    if (element) element->SetState(kStateFocus, 0);
    Event e;
    e.group = Group::Focus;
    e.byMouse = byMouse;
    if (old && old->OwnerDocument() == &m_doc) {
        e.cmd = focus::kLost;
        e.target = old.get();
        m_doc.Dispatch(e);
    }
    if (element && m_focus.get() == element) {
        e.cmd = focus::kGot;
        e.target = element;
        m_doc.Dispatch(e);
    }
}

void Input::MouseMove(Point p, uint32_t buttons, uint32_t keys) {
    m_doc.Update();
    if (m_scrolling) {
        Box& b = m_scrolling->box;
        Rect track = ScrollbarTrack(b);
        Rect thumb = ScrollbarThumb(b);
        Rect seenTrack = m_doc.SeenRect(m_scrolling.get(), Document::BoxKind::Border);
        int trackTop = seenTrack.y + (track.y - b.border.y);
        int room = track.h - thumb.h;
        int range = MaxScroll(b);
        if (room > 0)
            m_doc.SetScrollPos(m_scrolling.get(), 0,
                               static_cast<int>(static_cast<long long>(p.y - m_thumbGrab - trackTop) * range / room));
        return;
    }
    if (m_slider) {
        DragSlider(p);
        RaiseQueued();
        return;
    }
    Node* target = m_doc.HitTest(p);
    NodeRef hold(target);
    Hover(ElementOf(target), p, buttons, keys);
    MouseDispatch(mouse::kMove, target, p, buttons, keys);
    RaiseQueued();
}

bool Input::PressScrollbar(Point p) {
    Node* owner = m_doc.ScrollbarAt(p);
    if (!owner) return false;
    Box& b = owner->box;
    Rect seen = m_doc.SeenRect(owner, Document::BoxKind::Border);
    Rect thumb = ScrollbarThumb(b).Moved(seen.x - b.border.x, seen.y - b.border.y);
    if (thumb.Contains(p)) {
        m_scrolling = owner;
        m_thumbGrab = p.y - thumb.y;
        SetCapture(true);
    } else {
        int page = std::max(1, b.Content().h);
        m_doc.SetScrollPos(owner, 0, b.scrollY + (p.y < thumb.y ? -page : page));
    }
    return true;
}

void Input::DragSlider(Point p) {
    Rect seen = m_doc.SeenRect(m_slider.get(), Document::BoxKind::Border);
    int pageX = p.x - seen.x + m_slider->box.border.x;
    int value = SliderValueAt(m_slider.get(), pageX, m_doc.Host());
    if (value == SliderRangeOf(m_slider.get()).value && m_slider->GetAttribute("value")) return;
    std::u16string text;
    for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
    m_slider->SetAttribute("value", &text);
    m_raised.push_back({m_slider, behavior::kButtonStateChanged});
}

void Input::MouseDown(Point p, uint32_t button, uint32_t keys, bool doubleClick) {
    m_doc.Update();
    if (button == mouse::kMainButton && PressScrollbar(p)) return;
    Node* target = m_doc.HitTest(p);
    NodeRef hold(target);
    Node* element = ElementOf(target);
    Hover(element, p, button, keys);
    if (button == mouse::kMainButton) SetActive(element);
    MouseDispatch(doubleClick ? mouse::kDoubleClick : mouse::kDown, target, p, button, keys);
    if (button == mouse::kMainButton && element && element->OwnerDocument() == &m_doc && !element->IsDisabled())
        SetFocus(element, true);
    RaiseQueued();
}

void Input::MouseUp(Point p, uint32_t button, uint32_t keys) {
    m_doc.Update();
    if (button == mouse::kMainButton && (m_scrolling || m_slider)) {
        bool wasScrolling = static_cast<bool>(m_scrolling);
        m_scrolling = NodeRef();
        m_slider = NodeRef();
        SetCapture(false);
        if (wasScrolling) return;
    }
    Node* target = m_doc.HitTest(p);
    NodeRef hold(target);
    if (button == mouse::kPropButton && target)
        m_doc.SendEvent(ElementOf(target), behavior::kContextMenuSetup, target, 0);
    MouseDispatch(mouse::kUp, target, p, button, keys);
    if (button == mouse::kMainButton) {
        SetActive(nullptr);
        m_pressed = NodeRef();
    }
    RaiseQueued();
}

void Input::MouseLeave() { Hover(nullptr, {}, 0, 0); }

void Input::CaptureLost() {
    m_captured = false;
    m_scrolling = NodeRef();
    m_slider = NodeRef();
}

bool Input::Wheel(Point p, int delta) {
    m_doc.Update();
    for (Node* n = ElementOf(m_doc.HitTest(p)); n && n->IsElement(); n = n->Parent()) {
        const ComputedStyle& s = n->style;
        if ((s.overflow == Overflow::Auto || s.overflow == Overflow::Scroll) && MaxScroll(n->box) > 0)
            return m_doc.SetScrollPos(n, 0, n->box.scrollY - delta * kWheelStep / 120);
    }
    return false;
}

bool Input::Key(uint32_t cmd, uint32_t keyCode, uint32_t keys) {
    m_doc.Update();
    Node* target = m_focus && m_focus->OwnerDocument() == &m_doc ? m_focus.get() : m_doc.Root();
    if (!target) return false;
    Event e;
    e.group = Group::Key;
    e.cmd = cmd;
    e.target = target;
    e.keyCode = keyCode;
    e.keys = keys;
    bool handled = m_doc.Dispatch(e);
    RaiseQueued();
    return handled;
}

std::string Input::CursorAt(Point p) const {
    Node* target = m_doc.HitTest(p);
    return target ? target->style.cursor : std::string();
}

void Input::Forget(Node* subtree) {
    auto inside = [subtree](const NodeRef& r) { return r && subtree->Contains(r.get()); };
    if (inside(m_hover)) {
        MoveChainState(m_hover.get(), nullptr, kStateHover);
        m_hover = NodeRef();
    }
    if (inside(m_active)) {
        MoveChainState(m_active.get(), nullptr, kStateActive);
        m_active = NodeRef();
    }
    if (inside(m_focus)) {
        m_focus->SetState(0, kStateFocus);
        m_focus = NodeRef();
    }
    if (inside(m_pressed)) m_pressed = NodeRef();
    if (inside(m_slider) || inside(m_scrolling)) {
        m_slider = m_scrolling = NodeRef();
        SetCapture(false);
    }
    m_raised.erase(std::remove_if(m_raised.begin(), m_raised.end(), [&](const Raised& r) { return inside(r.element); }),
                   m_raised.end());
}

void Input::RaiseQueued() {
    std::vector<Raised> raised;
    raised.swap(m_raised);
    for (const Raised& r : raised)
        if (r.element->OwnerDocument() == &m_doc) m_doc.SendEvent(r.element.get(), r.cmd, r.element.get(), 0);
}

bool Input::BuiltinStep(Document& doc, Node* element, const Event& event) {
    if (event.group != Group::Mouse || element->IsDisabled()) return false;
    BuiltinBehavior kind = BuiltinOf(element);
    if (kind == BuiltinBehavior::None || kind == BuiltinBehavior::Progress) return false;
    Input& input = doc.GetInput();
    bool main = event.buttons == mouse::kMainButton;
    if ((event.cmd == mouse::kDown || event.cmd == mouse::kDoubleClick) && main) {
        if (kind == BuiltinBehavior::Slider) {
            input.m_slider = element;
            input.SetCapture(true);
            input.DragSlider(event.viewPos);
        } else {
            input.m_pressed = element;
        }
        return true;
    }
    if (event.cmd == mouse::kUp && main && input.m_pressed.get() == element) {
        input.m_pressed = NodeRef();
        if (kind == BuiltinBehavior::Checkbox) {
            bool checked = element->State() & kStateChecked;
            element->SetState(checked ? 0 : kStateChecked, checked ? kStateChecked : 0);
            input.m_raised.push_back({element, behavior::kButtonStateChanged});
        } else if (kind == BuiltinBehavior::Button) {
            input.m_raised.push_back({element, behavior::kButtonClick});
        }
        return true;
    }
    return false;
}

}  // namespace hl
