#include "htmlayout/behavior.h"

#include <cstring>

namespace htmlayout {

behavior* behavior::s_first = nullptr;

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
