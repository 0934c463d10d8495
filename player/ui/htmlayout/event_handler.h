// Base of the program's element-event handlers: the engine's element procedure
// unpacks the event records into the virtual operations below. User-interface
// thread only.
#pragma once

#include <htmlayout.h>

namespace htmlayout {

class event_handler {
public:
    explicit event_handler(UINT subscription = HANDLE_ALL) : subscribed_to(subscription) {}
    virtual ~event_handler() = default;

    virtual void detached(HELEMENT he) {}
    virtual void attached(HELEMENT he) {}
    // The handler for the element; one shared instance serves every element.
    virtual event_handler* attach(HELEMENT he) { return this; }

    virtual BOOL handle_mouse(HELEMENT he, MOUSE_PARAMS& params) {
        return on_mouse(he, params.target, params.cmd, params.pos, params.button_state, params.alt_state);
    }
    virtual BOOL handle_key(HELEMENT he, KEY_PARAMS& params) {
        return on_key(he, params.target, params.cmd, params.key_code, params.alt_state);
    }
    virtual BOOL handle_focus(HELEMENT he, FOCUS_PARAMS& params) { return on_focus(he, params.target, params.cmd); }
    virtual BOOL handle_timer(HELEMENT he, TIMER_PARAMS& params) {
        return params.timerId ? on_timer(he, params.timerId) : on_timer(he);
    }
    virtual void handle_size(HELEMENT he) { on_size(he); }
    virtual BOOL handle_scroll(HELEMENT he, SCROLL_PARAMS& params) {
        return on_scroll(he, params.target, params.cmd, params.pos, params.vertical);
    }
    virtual BOOL handle_draw(HELEMENT he, DRAW_PARAMS& params) {
        return on_draw(he, params.cmd, params.hdc, params.area);
    }
    virtual BOOL handle_method_call(HELEMENT he, METHOD_PARAMS& params) {
        return on_method_call(he, params.methodID, &params);
    }
    virtual BOOL handle_scripting_call(HELEMENT he, XCALL_PARAMS& params) {
        return on_script_call(he, params.method_name, params.argc, params.argv, params.retval);
    }
    virtual BOOL handle_event(HELEMENT he, BEHAVIOR_EVENT_PARAMS& params) {
        return on_event(he, params.heTarget, params.cmd, params.reason);
    }
    virtual BOOL handle_data_arrived(HELEMENT he, DATA_ARRIVED_PARAMS& params) {
        return on_data_arrived(he, params.initiator, params.data, params.dataSize, params.dataType);
    }
    virtual BOOL handle_gesture(HELEMENT he, LPVOID params) { return FALSE; }
    virtual BOOL handle_exchange(HELEMENT he, LPVOID params) { return FALSE; }

    virtual BOOL on_mouse(HELEMENT he, HELEMENT target, UINT eventType, POINT pt, UINT mouseButtons,
                          UINT keyboardStates) {
        return FALSE;
    }
    virtual BOOL on_key(HELEMENT he, HELEMENT target, UINT eventType, UINT code, UINT keyboardStates) { return FALSE; }
    virtual BOOL on_focus(HELEMENT he, HELEMENT target, UINT eventType) { return FALSE; }
    virtual BOOL on_timer(HELEMENT he, UINT_PTR timerId) { return FALSE; }
    virtual BOOL on_timer(HELEMENT he) { return FALSE; }
    virtual BOOL on_draw(HELEMENT he, UINT drawType, HDC hdc, const RECT& rc) { return FALSE; }
    virtual void on_size(HELEMENT he) {}
    virtual BOOL on_method_call(HELEMENT he, UINT methodID, METHOD_PARAMS* params) { return FALSE; }
    virtual BOOL on_script_call(HELEMENT he, LPCSTR name, UINT argc, const HLVALUE* argv, HLVALUE& retval) {
        return FALSE;
    }
    virtual BOOL on_event(HELEMENT he, HELEMENT target, UINT eventCode, UINT_PTR reason) { return FALSE; }
    virtual BOOL on_data_arrived(HELEMENT he, HELEMENT initiator, const BYTE* data, UINT dataSize, UINT dataType) {
        return FALSE;
    }
    virtual BOOL on_scroll(HELEMENT he, HELEMENT target, UINT cmd, INT pos, BOOL isVertical) { return FALSE; }

    // The element procedure handed to the engine with a handler as tag.
    static BOOL CALLBACK element_proc(LPVOID tag, HELEMENT he, UINT evtg, LPVOID prms);

    UINT subscribed_to;  // event groups
};

}  // namespace htmlayout
