#include "htmlayout/event_handler.h"

namespace htmlayout {

BOOL CALLBACK event_handler::element_proc(LPVOID tag, HELEMENT he, UINT evtg, LPVOID prms) {
    auto* handler = static_cast<event_handler*>(tag);
    if (!handler) return FALSE;
    switch (evtg) {
        case HANDLE_INITIALIZATION:
            if (static_cast<INITIALIZATION_PARAMS*>(prms)->cmd == BEHAVIOR_DETACH)
                handler->detached(he);
            else if (static_cast<INITIALIZATION_PARAMS*>(prms)->cmd == BEHAVIOR_ATTACH)
                handler->attached(he);
            return TRUE;
        case HANDLE_MOUSE:
            return handler->handle_mouse(he, *static_cast<MOUSE_PARAMS*>(prms));
        case HANDLE_KEY:
            return handler->handle_key(he, *static_cast<KEY_PARAMS*>(prms));
        case HANDLE_FOCUS:
            return handler->handle_focus(he, *static_cast<FOCUS_PARAMS*>(prms));
        case HANDLE_SCROLL:
            return handler->handle_scroll(he, *static_cast<SCROLL_PARAMS*>(prms));
        case HANDLE_TIMER:
            return handler->handle_timer(he, *static_cast<TIMER_PARAMS*>(prms));
        case HANDLE_SIZE:
            handler->handle_size(he);
            return FALSE;
        case HANDLE_DRAW:
            return handler->handle_draw(he, *static_cast<DRAW_PARAMS*>(prms));
        case HANDLE_DATA_ARRIVED:
            return handler->handle_data_arrived(he, *static_cast<DATA_ARRIVED_PARAMS*>(prms));
        case HANDLE_BEHAVIOR_EVENT:
            return handler->handle_event(he, *static_cast<BEHAVIOR_EVENT_PARAMS*>(prms));
        case HANDLE_METHOD_CALL:
            if (static_cast<METHOD_PARAMS*>(prms)->methodID == XCALL)
                return handler->handle_scripting_call(he, *static_cast<XCALL_PARAMS*>(prms));
            return handler->handle_method_call(he, *static_cast<METHOD_PARAMS*>(prms));
        case HANDLE_EXCHANGE:
            return handler->handle_exchange(he, prms);
        case HANDLE_GESTURE:
            return handler->handle_gesture(he, prms);
        default:
            return FALSE;
    }
}

}  // namespace htmlayout
