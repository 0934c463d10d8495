/* htmlayout.dll: element events, their records and the built-in behaviours.
 *
 * An event handler is an element procedure with a tag and a subscription mask of
 * event groups. The window's handler (HTMLayoutWindowAttachEventHandler) sees every
 * event of its page; a behaviour attached by name (HLN_ATTACH_BEHAVIOR) sees the
 * events of its element and of everything below it.
 *
 * Phases. Mouse, key, focus and behaviour events travel twice: sinking, with
 * SINKING added to the command, from the window's handler down the ancestors to the
 * target, then bubbling with the plain command from the target back up to the
 * window's handler. Once a handler returns TRUE, every later handler of that event
 * sees HANDLED added to the command; the event still travels to the end.
 *
 * Built-in behaviours, named by the CSS property "behavior" (the engine's own style
 * sheet gives <button> "button" and <progress> "progress"). They act while the
 * event bubbles through their element, only when it is not yet handled, and never
 * on a disabled element (STATE_DISABLED on it or on an ancestor):
 *   "button"   main button pressed (or double-clicked) on it, then released on it:
 *              BUTTON_CLICK, target the button. STATE_ACTIVE while pressed.
 *   "checkbox" the same click toggles STATE_CHECKED, then BUTTON_STATE_CHANGED.
 *   "slider"   integer attributes "value", "min" (default 0), "max" (default 100);
 *              pressing or dragging sets "value" from the pointer's x, each change
 *              raises BUTTON_STATE_CHANGED. The thumb is the "thumb-image" (else
 *              8 pixels wide in the text colour) and travels inside the content box.
 *   "progress" draws its content box filled by "value" / "maxvalue" (default 100,
 *              both read as 64-bit numbers)
 *              with the "foreground-image" (or the text colour), text on top.
 * Any other name raises HLN_ATTACH_BEHAVIOR (htmlayout.h) and attaches what the
 * program writes into the record; nothing when it writes nothing. */
#ifndef HTMLAYOUT_BEHAVIOR_H
#define HTMLAYOUT_BEHAVIOR_H

#include "htmlayout_dom.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Event groups: the subscription mask, and the evtg argument of the procedure
 * (one group per call). INITIALIZATION is always delivered. */
#define HANDLE_INITIALIZATION 0x0000
#define HANDLE_MOUSE          0x0001
#define HANDLE_KEY            0x0002
#define HANDLE_FOCUS          0x0004
#define HANDLE_SCROLL         0x0008
#define HANDLE_TIMER          0x0010 /* not raised by this engine */
#define HANDLE_SIZE           0x0020 /* prms is null */
#define HANDLE_DRAW           0x0040 /* not raised by this engine */
#define HANDLE_DATA_ARRIVED   0x0080 /* not raised by this engine */
#define HANDLE_BEHAVIOR_EVENT 0x0100
#define HANDLE_METHOD_CALL    0x0200 /* not raised by this engine */
#define HANDLE_EXCHANGE       0x1000 /* not raised by this engine */
#define HANDLE_GESTURE        0x2000 /* not raised by this engine */
#define HANDLE_ALL            0xFFFF

/* Added to the command of an event. */
#define SINKING 0x08000
#define HANDLED 0x10000

/* An element procedure: TRUE when it handled the event. */
typedef BOOL(CALLBACK ElementEventProc)(LPVOID tag, HELEMENT he, UINT evtg, LPVOID prms);
typedef ElementEventProc* LPELEMENT_EVENT_PROC;

/* HANDLE_INITIALIZATION */
#define BEHAVIOR_DETACH 0 /* the element leaves its page, or the page is unloaded */
#define BEHAVIOR_ATTACH 1
typedef struct INITIALIZATION_PARAMS {
    UINT cmd;
} INITIALIZATION_PARAMS;

/* HANDLE_MOUSE */
#define MOUSE_ENTER  0
#define MOUSE_LEAVE  1
#define MOUSE_MOVE   2
#define MOUSE_UP     3
#define MOUSE_DOWN   4
#define MOUSE_DCLICK 5
#define DROP         9 /* not raised: this engine does not drag elements */

#define MAIN_MOUSE_BUTTON   1
#define PROP_MOUSE_BUTTON   2
#define MIDDLE_MOUSE_BUTTON 4

#define CONTROL_KEY_PRESSED 1
#define SHIFT_KEY_PRESSED   2
#define ALT_KEY_PRESSED     4

typedef struct MOUSE_PARAMS {
    UINT cmd;          /* MOUSE_..., with SINKING and HANDLED */
    HELEMENT target;   /* see "Mouse targets" in htmlayout.h */
    POINT pos;         /* relative to the border box of the element being notified */
    POINT pos_view;    /* window client coordinates */
    UINT button_state; /* the button that changed for UP, DOWN and DCLICK, else the buttons held */
    UINT alt_state;    /* ..._KEY_PRESSED */
} MOUSE_PARAMS;

/* HANDLE_KEY: to the focused element (the root when none is focused). */
#define KEY_DOWN 0
#define KEY_UP   1
#define KEY_CHAR 2
typedef struct KEY_PARAMS {
    UINT cmd;
    HELEMENT target;
    UINT key_code; /* virtual key; the character for KEY_CHAR */
    UINT alt_state;
} KEY_PARAMS;

/* HANDLE_FOCUS: FOCUS_LOST to the element that had the focus, then FOCUS_GOT. */
#define FOCUS_LOST 0
#define FOCUS_GOT  1
typedef struct FOCUS_PARAMS {
    UINT cmd;
    HELEMENT target;
    BOOL by_mouse_click;
} FOCUS_PARAMS;

/* HANDLE_SCROLL: for a scrollable element whose scroll position changed. */
#define SCROLL_POS 0
typedef struct SCROLL_PARAMS {
    UINT cmd;
    HELEMENT target;
    INT pos;
    BOOL vertical;
} SCROLL_PARAMS;

/* HANDLE_TIMER */
typedef struct TIMER_PARAMS {
    UINT_PTR timerId;
} TIMER_PARAMS;

/* HANDLE_DRAW */
#define DRAW_BACKGROUND 0
#define DRAW_CONTENT    1
#define DRAW_FOREGROUND 2
typedef struct DRAW_PARAMS {
    UINT cmd;
    HDC hdc;
    RECT area;
} DRAW_PARAMS;

/* HANDLE_DATA_ARRIVED */
typedef struct DATA_ARRIVED_PARAMS {
    HELEMENT initiator;
    const BYTE* data;
    UINT dataSize;
    UINT dataType;
} DATA_ARRIVED_PARAMS;

/* HANDLE_METHOD_CALL; methodID XCALL marks an XCALL_PARAMS. */
#define XCALL 255
typedef struct METHOD_PARAMS {
    UINT methodID;
} METHOD_PARAMS;
typedef struct HLVALUE {
    UINT t;
    UINT u;
    UINT64 d;
} HLVALUE;
typedef struct XCALL_PARAMS {
    UINT methodID;
    LPCSTR method_name;
    UINT argc;
    const HLVALUE* argv;
    HLVALUE retval;
} XCALL_PARAMS;

/* HANDLE_BEHAVIOR_EVENT */
#define BUTTON_CLICK         0
#define BUTTON_STATE_CHANGED 2
#define MENU_ITEM_CLICK      11 /* not raised: pages have no menus of their own */
#define CONTEXT_MENU_SETUP                                  \
    15 /* raised for the element under the pointer when the \
          right button is released, before its MOUSE_UP */
#define TABLE_HEADER_CLICK  129
#define TABLE_ROW_CLICK     130
#define TABLE_ROW_DBL_CLICK 131
#define ELEMENT_COLLAPSED   144
#define ELEMENT_EXPANDED    145
#define ACTIVATE_CHILD      146
typedef struct BEHAVIOR_EVENT_PARAMS {
    UINT cmd;          /* event code, with SINKING and HANDLED */
    HELEMENT heTarget; /* the source element of the event */
    UINT_PTR reason;
} BEHAVIOR_EVENT_PARAMS;

/* Raises a behaviour event for he: it travels from the window's handler down to he
 * and back, with heSource as its target (he when null). Send delivers it before
 * returning (handled: whether a handler returned TRUE; may be null); Post queues it
 * in the window's messages and delivers it later, in posting order. */
HLDOM_RESULT HLAPI HTMLayoutSendEvent(HELEMENT he, UINT cmd, HELEMENT heSource, UINT_PTR reason, BOOL* handled);
HLDOM_RESULT HLAPI HTMLayoutPostEvent(HELEMENT he, UINT cmd, HELEMENT heSource, UINT_PTR reason);

#ifdef __cplusplus
}
#endif

#endif
