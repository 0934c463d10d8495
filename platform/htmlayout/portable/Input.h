// Mouse and keyboard input of a page: targets, hover, active and focus states,
// scroll bars and the built-in behaviours' reactions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Box.h"
#include "Node.h"

namespace hl {

class Document;
struct Event;

class Input {
public:
    explicit Input(Document& document) : m_doc(document) {}

    // Points are view coordinates; button is mouse::kMainButton and the like.
    void MouseMove(Point p, uint32_t buttons, uint32_t keys);
    void MouseDown(Point p, uint32_t button, uint32_t keys, bool doubleClick);
    void MouseUp(Point p, uint32_t button, uint32_t keys);
    void MouseLeave();
    // delta as the wheel reports it (120 a notch); true when a box scrolled.
    bool Wheel(Point p, int delta);
    // key::kDown and the like to the focused element; true when handled.
    bool Key(uint32_t cmd, uint32_t keyCode, uint32_t keys);
    void CaptureLost();

    Node* Focus() const { return m_focus.get(); }
    void SetFocus(Node* element, bool byMouse);
    // The "cursor" style at the point; empty when none is set.
    std::string CursorAt(Point p) const;
    // Drops every hold on nodes inside subtree, which leaves the page.
    void Forget(Node* subtree);

    // The built-in behaviours' step while an event bubbles (Document::Dispatch).
    static bool BuiltinStep(Document& doc, Node* element, const Event& event);

private:
    struct Raised {
        NodeRef element;
        uint32_t cmd;
    };

    void Hover(Node* element, Point p, uint32_t buttons, uint32_t keys);
    void SetActive(Node* element);
    bool PressScrollbar(Point p);
    void DragSlider(Point p);
    void RaiseQueued();
    void SetCapture(bool capture);
    bool MouseDispatch(uint32_t cmd, Node* target, Point p, uint32_t buttons, uint32_t keys);

    Document& m_doc;
    NodeRef m_hover;    // element under the pointer; it and its ancestors are hovered
    NodeRef m_active;   // element pressed; it and its ancestors are active
    NodeRef m_pressed;  // button or check box pressed
    NodeRef m_focus;
    NodeRef m_slider;     // slider being dragged
    NodeRef m_scrolling;  // element whose scroll bar thumb is dragged
    int m_thumbGrab = 0;  // pointer offset into the thumb
    bool m_captured = false;
    std::vector<Raised> m_raised;  // behaviour events raised by the built-ins
};

}  // namespace hl
