#include "htmlayout/behavior.h"

#include <cstring>

#include "htmlayout/grid.h"
#include "htmlayout/tabs.h"

namespace htmlayout {

behavior* behavior::s_first = nullptr;

namespace {
// The program's behaviours, in this order, so the list reads tabs, sortable-grid, grid.
// They live here, beside the list they join, so that every program that looks a
// behaviour up links them.
grid g_grid;
sortable_grid g_sortableGrid;
tabs g_tabs;
}  // namespace

behavior::behavior(UINT subscription, LPCSTR behaviorName)
    : event_handler(subscription), next(s_first), name(behaviorName) {
    s_first = this;
}

behavior::~behavior() {
    for (behavior** link = &s_first; *link; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
}

event_handler* behavior::find(LPCSTR wanted, HELEMENT he) {
    if (!wanted) return nullptr;
    for (behavior* b = s_first; b; b = b->next)
        if (b->name && std::strcmp(b->name, wanted) == 0) return b->attach(he);
    return nullptr;
}

}  // namespace htmlayout
