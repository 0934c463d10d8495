// Element events: the record the core passes around, handlers and their
// subscriptions, and delivery in two phases.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Box.h"

namespace hl {

class Document;
class Node;

// Event groups (subscription bits) and command flags: the public values.
enum class Group : uint32_t {
    Initialization = 0,
    Mouse = 1,
    Key = 2,
    Focus = 4,
    Scroll = 8,
    Size = 0x20,
    Behavior = 0x100
};
constexpr uint32_t kSinking = 0x8000;
constexpr uint32_t kHandled = 0x10000;

namespace mouse {
constexpr uint32_t kEnter = 0, kLeave = 1, kMove = 2, kUp = 3, kDown = 4, kDoubleClick = 5;
constexpr uint32_t kMainButton = 1, kPropButton = 2, kMiddleButton = 4;
}  // namespace mouse
namespace key {
constexpr uint32_t kDown = 0, kUp = 1, kChar = 2;
constexpr uint32_t kControl = 1, kShift = 2, kAlt = 4;
}  // namespace key
namespace focus {
constexpr uint32_t kLost = 0, kGot = 1;
}
namespace behavior {
constexpr uint32_t kDetach = 0, kAttach = 1;
constexpr uint32_t kButtonClick = 0, kButtonStateChanged = 2, kContextMenuSetup = 15;
}  // namespace behavior

struct Event {
    Group group = Group::Mouse;
    uint32_t cmd = 0;
    Node* target = nullptr;
    Point pos;      // relative to the border box of the element being notified
    Point viewPos;  // view coordinates
    uint32_t buttons = 0;
    uint32_t keys = 0;
    uint32_t keyCode = 0;
    bool byMouse = false;
    int scrollPos = 0;
    bool vertical = true;
    uintptr_t reason = 0;
};

class EventHandler {
public:
    virtual ~EventHandler() = default;
    // element: the element the handler is attached to (the root for window handlers).
    virtual bool Handle(Node* element, const Event& event) = 0;
};

// A handler with its subscription; dead once detached, so a delivery in progress
// skips it.
struct HandlerEntry {
    std::unique_ptr<EventHandler> handler;
    uint32_t subscription = 0;
    bool alive = true;

    bool Wants(Group g) const {
        return alive && (g == Group::Initialization || (subscription & static_cast<uint32_t>(g)));
    }
};
using HandlerList = std::vector<std::shared_ptr<HandlerEntry>>;

}  // namespace hl
