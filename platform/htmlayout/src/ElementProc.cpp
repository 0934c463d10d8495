#include "ElementProc.h"

#include "Handles.h"

namespace hlwin {

bool ElementProcHandler::Handle(hl::Node* element, const hl::Event& e) {
    HELEMENT he = ToHandle(element);
    HELEMENT target = ToHandle(e.target);
    UINT group = static_cast<UINT>(e.group);
    switch (e.group) {
        case hl::Group::Initialization: {
            INITIALIZATION_PARAMS p{e.cmd};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
        case hl::Group::Mouse: {
            MOUSE_PARAMS p{e.cmd, target, {e.pos.x, e.pos.y}, {e.viewPos.x, e.viewPos.y}, e.buttons, e.keys};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
        case hl::Group::Key: {
            KEY_PARAMS p{e.cmd, target, e.keyCode, e.keys};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
        case hl::Group::Focus: {
            FOCUS_PARAMS p{e.cmd, target, e.byMouse ? TRUE : FALSE};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
        case hl::Group::Scroll: {
            SCROLL_PARAMS p{e.cmd, target, e.scrollPos, e.vertical ? TRUE : FALSE};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
        case hl::Group::Size:
            return m_proc(m_tag, he, group, nullptr) != FALSE;
        case hl::Group::Behavior: {
            BEHAVIOR_EVENT_PARAMS p{e.cmd, target, e.reason};
            return m_proc(m_tag, he, group, &p) != FALSE;
        }
    }
    return false;
}

}  // namespace hlwin
