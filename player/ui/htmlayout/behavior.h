// Named behaviours that pages attach to elements through the engine's attach
// notification. Each behaviour object links itself into one global list, which the
// window's notification callback searches by name.
#pragma once

#include "htmlayout/event_handler.h"

namespace htmlayout {

class behavior : public event_handler {
public:
    // Pushes the behaviour on the head of the global list; the name is not copied.
    behavior(UINT subscription, LPCSTR name);
    // Unlinks the behaviour, so the list never holds a destroyed object.
    ~behavior() override;
    behavior(const behavior&) = delete;
    behavior& operator=(const behavior&) = delete;

    // The handler that the first behaviour of that name (byte for byte) gives the
    // element, null when no behaviour bears the name.
    static event_handler* find(LPCSTR name, HELEMENT he);

    behavior* next;
    LPCSTR name;

private:
    static behavior* s_first;
};

}  // namespace htmlayout
