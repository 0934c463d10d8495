// The behaviour "tabs": a tab strip whose tabs show and hide panels. The element holds
// a ".strip" child whose children (the tabs) carry a "panel" attribute naming a panel:
// a child of the element with that "name". The current tab and the shown panel carry
// the attribute "selected" and the states STATE_CURRENT and STATE_EXPANDED; the
// behaviour keeps no state of its own. User-interface thread only.
#pragma once

#include "htmlayout/behavior.h"
#include "htmlayout/dom.h"

namespace htmlayout {

class tabs : public behavior {
public:
    tabs() : behavior(HANDLE_MOUSE | HANDLE_KEY | HANDLE_FOCUS | HANDLE_BEHAVIOR_EVENT, "tabs") {}

    // Shows the panel of the tab that the page marks "selected".
    void attached(HELEMENT he) override;
    // A press or double click in a tab selects it.
    BOOL on_mouse(HELEMENT he, HELEMENT target, UINT event_type, POINT pt, UINT mouseButtons,
                  UINT keyboardStates) override;
    // Ctrl+Tab (with Shift: backwards) and, while the current tab has the focus, End,
    // Home, Left and Right move to another tab that is not disabled.
    BOOL on_key(HELEMENT he, HELEMENT target, UINT event_type, UINT code, UINT keyboardStates) override;
    // ACTIVATE_CHILD selects the tab that is or holds its target.
    BOOL on_event(HELEMENT he, HELEMENT target, UINT eventCode, UINT_PTR reason) override;

private:
    // Makes the tab current and shows its panel; nothing when it is current already or
    // its panel is missing. Always true.
    static bool activate_tab(const dom::element& holder, const dom::element& tab);
};

}  // namespace htmlayout
