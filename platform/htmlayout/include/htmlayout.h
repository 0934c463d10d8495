/* htmlayout.dll: an HTML/CSS engine that renders a window's client area.
 *
 * A window becomes an engine window by offering its messages to HTMLayoutProcND and
 * loading a page. Everything runs on the window's thread; callbacks are called
 * synchronously from the engine functions and from message processing. No C++
 * exception leaves the DLL.
 *
 * Messages. HTMLayoutProcND processes the input it needs but claims (handled TRUE)
 * only the engine's own messages: WM_PAINT, WM_ERASEBKGND, WM_SETCURSOR over an
 * element with a "cursor" style, key messages a handler took, and the engine's own
 * posted-event message. Everything else, among it WM_CREATE, WM_DESTROY, the mouse
 * button messages, WM_NCHITTEST, WM_TIMER and the program's own messages, is left
 * to the window. The page is dropped when the window is destroyed.
 *
 * Mouse targets. The target of a mouse event is the innermost element under the
 * pointer (later siblings and positioned elements above earlier and in-flow ones;
 * nothing that is display:none or visibility:hidden). Text is no child in the tree
 * functions, but a pointer on text can target it:
 *   - on text that lies directly in a block-level element (display block, list-item,
 *     table-cell, table-row, table), the target is that text run: a handle whose
 *     parent is the element holding the text; it has no attributes, children or
 *     state, its inner text is the run's text and its index is the number of element
 *     children before it;
 *   - on text directly in an inline-level element (display inline or inline-block)
 *     the target is that element itself;
 *   - beside the text, inside the element's box, the target is the element;
 *   - where no element is, the target is the root element.
 * So a click on the name in <li class="video-list">name</li> gives a target whose
 * parent carries the item's class, and with "li { display: inline-block }" a click
 * on the word in <li id="action">text</li> gives the item itself. A click gives the
 * focus to the target's element (a text run's parent).
 *
 * Pages load as UTF-8 (a leading byte-order mark is skipped). Relative URLs in the
 * page and in its styles are relative to the page's folder; backslashes in them are
 * path separators, never CSS escapes. Images are recognised by their content. */
#ifndef HTMLAYOUT_H
#define HTMLAYOUT_H

#include "htmlayout_behavior.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Notifications to the window's callback: uMsg is WM_NOTIFY, wParam 0, lParam the
 * record (it starts with an NMHDR whose code is the notification), vParam the
 * callback's parameter. The result is ignored. */
typedef LRESULT(CALLBACK* LPHTMLAYOUT_NOTIFY)(UINT uMsg, WPARAM wParam, LPARAM lParam, LPVOID vParam);

/* Raised when an element's "behavior" names no built-in behaviour (once per element
 * and name). The program may fill elementProc, elementTag and elementEvents; with a
 * procedure there the engine attaches it to the element (BEHAVIOR_ATTACH follows). */
#define HLN_ATTACH_BEHAVIOR 2823
typedef struct NMHL_ATTACH_BEHAVIOR {
    NMHDR hdr;
    HELEMENT element;
    LPCSTR behaviorName;
    LPELEMENT_EVENT_PROC elementProc; /* out */
    LPVOID elementTag;                /* out */
    UINT elementEvents;               /* out: subscription */
} NMHL_ATTACH_BEHAVIOR;

/* Offers a window message to the engine; *handled says whether the result counts. */
LRESULT HLAPI HTMLayoutProcND(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, BOOL* handled);
/* One notification callback per window (null removes it). */
HLDOM_RESULT HLAPI HTMLayoutSetCallback(HWND hwnd, LPHTMLAYOUT_NOTIFY callback, LPVOID param);
/* Adds a window-level handler; the same procedure and tag again changes only its
 * subscription. Handlers stay until the window is destroyed. */
HLDOM_RESULT HLAPI HTMLayoutWindowAttachEventHandler(HWND hwnd, LPELEMENT_EVENT_PROC proc, LPVOID tag,
                                                     UINT subscription);
/* Loads a page from a file and replaces the window's page with it. */
HLDOM_RESULT HLAPI HTMLayoutLoadFile(HWND hwnd, LPCWSTR path);
/* The page's root element (the first top-level element of the page). */
HLDOM_RESULT HLAPI HTMLayoutGetRootElement(HWND hwnd, HELEMENT* root);
/* Lays the page out where needed and paints what is invalid now. */
HLDOM_RESULT HLAPI HTMLayoutUpdateWindow(HWND hwnd);
/* The mouse target at a point in client coordinates (null when none). */
HLDOM_RESULT HLAPI HTMLayoutFindElement(HWND hwnd, POINT pt, HELEMENT* found);

#ifdef __cplusplus
}
#endif

#endif
