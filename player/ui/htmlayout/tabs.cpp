#include "htmlayout/tabs.h"

#include <cwchar>

namespace htmlayout {

using dom::has_state;
using dom::set_state;

namespace {

const char kCurrentTab[] = ":root>.strip>[panel]:current";

// The panel that the tab names: the first child of the holder whose "name" is the tab's
// "panel", compared as they are (names are the page's text, not selector syntax).
dom::element panel_of(const dom::element& holder, const dom::element& tab) {
    LPCWSTR name = tab.get_attribute("panel");
    if (!name) return {};
    for (UINT i = 0, count = holder.child_count(); i < count; ++i) {
        dom::element child(holder.child_at(i));
        LPCWSTR childName = child.get_attribute("name");
        if (childName && wcscmp(childName, name) == 0) return child;
    }
    return {};
}

// The tab that is or holds the target, below the behaviour's element.
dom::element tab_of(const dom::element& holder, HELEMENT target) {
    for (dom::element e(dom::target_element(target)); e.is_valid() && (HELEMENT)e != (HELEMENT)holder; e = e.parent())
        if (e.get_attribute("panel")) return e;
    return {};
}

// The first tab of the strip from index on, in steps of step, that is not disabled.
dom::element enabled_tab(const dom::element& strip, int index, int step) {
    for (int i = index; i >= 0 && i < (int)strip.child_count(); i += step) {
        HELEMENT tab = strip.child_at((UINT)i);
        if (!has_state(tab, STATE_DISABLED)) return tab;
    }
    return {};
}

}  // namespace

void tabs::attached(HELEMENT he) {
    dom::element holder(he);
    dom::element tab = holder.select_first(":root>.strip>[panel][selected]");
    dom::element panel = panel_of(holder, tab);
    if (!panel.is_valid()) return;
    set_state(tab.parent(), STATE_CURRENT, 0);
    set_state(tab, STATE_CURRENT, 0);
    set_state(panel, STATE_EXPANDED, STATE_COLLAPSED);
}

bool tabs::activate_tab(const dom::element& holder, const dom::element& tab) {
    if (!tab.is_valid() || has_state(tab, STATE_CURRENT)) return true;
    dom::element panel = panel_of(holder, tab);
    if (!panel.is_valid()) return true;
    dom::element shown = holder.select_first(":root>[name]:expanded");
    if (shown.is_valid()) {
        HTMLayoutSetAttributeByName(shown, "selected", nullptr);
        set_state(shown, STATE_COLLAPSED, STATE_EXPANDED);
    }
    dom::element previous = holder.select_first(kCurrentTab);
    if (previous.is_valid()) {
        HTMLayoutSetAttributeByName(previous, "selected", nullptr);
        set_state(previous, 0, STATE_CURRENT);
    }
    HTMLayoutSetAttributeByName(panel, "selected", L"");
    set_state(panel, STATE_EXPANDED, STATE_COLLAPSED);
    HTMLayoutSetAttributeByName(tab, "selected", L"");
    set_state(tab, STATE_CURRENT, 0);
    if (previous.is_valid()) HTMLayoutPostEvent(previous, ELEMENT_COLLAPSED, previous, 0);
    HTMLayoutPostEvent(tab, ELEMENT_EXPANDED, tab, 0);
    return true;
}

BOOL tabs::on_mouse(HELEMENT he, HELEMENT target, UINT event_type, POINT, UINT, UINT) {
    if (event_type != MOUSE_DOWN && event_type != MOUSE_DCLICK) return FALSE;
    dom::element holder(he);
    dom::element tab = tab_of(holder, target);
    return tab.is_valid() && activate_tab(holder, tab);
}

BOOL tabs::on_key(HELEMENT he, HELEMENT, UINT event_type, UINT code, UINT keyboardStates) {
    if (event_type != KEY_DOWN) return FALSE;
    dom::element holder(he);
    dom::element current = holder.select_first(kCurrentTab);
    if (!current.is_valid()) return FALSE;
    dom::element strip = current.parent();
    int index = (int)current.index_in_parent();
    bool focused = dom::element(current.matching_ancestor(":focus")).is_valid();
    dom::element reached;
    switch (code) {
        case VK_TAB:
            if (!(keyboardStates & CONTROL_KEY_PRESSED)) return FALSE;
            reached = keyboardStates & SHIFT_KEY_PRESSED ? enabled_tab(strip, index - 1, -1)
                                                         : enabled_tab(strip, index + 1, 1);
            break;
        case VK_END:
            reached = focused ? enabled_tab(strip, (int)strip.child_count() - 1, -1) : dom::element();
            break;
        case VK_HOME:
            reached = focused ? enabled_tab(strip, 0, 1) : dom::element();
            break;
        case VK_LEFT:
            reached = focused ? enabled_tab(strip, index - 1, -1) : dom::element();
            break;
        case VK_RIGHT:
            reached = focused ? enabled_tab(strip, index + 1, 1) : dom::element();
            break;
        default:
            return FALSE;
    }
    if (!reached.is_valid() || !reached.get_attribute("panel")) return FALSE;
    return activate_tab(holder, reached);
}

BOOL tabs::on_event(HELEMENT he, HELEMENT target, UINT eventCode, UINT_PTR) {
    if (eventCode != ACTIVATE_CHILD) return FALSE;
    dom::element holder(he);
    activate_tab(holder, tab_of(holder, target));
    return TRUE;
}

}  // namespace htmlayout
