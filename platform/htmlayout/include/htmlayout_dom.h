/* htmlayout.dll: elements, the tree, search, content, state and view.
 *
 * Text encodings at this interface: tag, attribute and style names and CSS selectors
 * are 8-bit (names ASCII, selectors in the ANSI code page); attribute values, style
 * values and inner text are UTF-16; element HTML is UTF-8.
 *
 * Every function returns HLDOM_OK (0) on success. */
#ifndef HTMLAYOUT_DOM_H
#define HTMLAYOUT_DOM_H

#include <windows.h>

#ifdef HTMLAYOUT_EXPORTS
#define HLAPI __declspec(dllexport) WINAPI
#else
#define HLAPI __declspec(dllimport) WINAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An element of a page. Handles never dangle: a handle whose element is gone is
 * refused with HLDOM_INVALID_HANDLE.
 *
 * Uses: an element lives while it is in a page or while a use is held on it.
 * Handles returned by queries carry no use; HTMLayoutCreateElement returns one with
 * one use. Take a use to keep a handle beyond the current call chain. */
typedef struct hlelement_tag* HELEMENT;

typedef int HLDOM_RESULT;
#define HLDOM_OK                0
#define HLDOM_INVALID_HWND      1 /* no engine page in that window */
#define HLDOM_INVALID_HANDLE    2 /* null or stale element handle */
#define HLDOM_PASSIVE_HANDLE    3 /* the element is in no window */
#define HLDOM_INVALID_PARAMETER 4
#define HLDOM_OPERATION_FAILED  5

/* Element states (HTMLayoutGetElementState / HTMLayoutSetElementState). HOVER, ACTIVE
 * and FOCUS follow the input; the others belong to the program and to the built-in
 * behaviours. EXPANDED and COLLAPSED exclude each other: setting one clears the other. */
#define STATE_HOVER     0x00000002
#define STATE_ACTIVE    0x00000004
#define STATE_FOCUS     0x00000008
#define STATE_CURRENT   0x00000020
#define STATE_CHECKED   0x00000040
#define STATE_DISABLED  0x00000080
#define STATE_EXPANDED  0x00000200
#define STATE_COLLAPSED 0x00000400
#define STATE_ANCHOR    0x00004000

/* Area kinds of HTMLayoutGetElementLocation: an origin (low nibble) plus a box.
 * All rectangles are where the element is seen, after the scrolling of its
 * scrollable ancestors. */
#define VIEW_RELATIVE 0x00 /* window client coordinates */
#define ROOT_RELATIVE 0x01 /* relative to the root element's border box */
#define CONTENT_BOX   0x00
#define PADDING_BOX   0x10
#define BORDER_BOX    0x20
#define MARGIN_BOX    0x30
#define VISIBLE_BOX   0x60 /* border box cut to what its scrolling ancestors and the window show */

/* Flags of HTMLayoutScrollToView. */
#define SCROLL_TO_TOP 0x01 /* bring the element to the top of its scrolling area */
#define SCROLL_SMOOTH 0x10 /* accepted; scrolling is immediate */

/* Flags of HTMLayoutUpdateElementEx. */
#define UPDATE_MEASURE    0x0001 /* lay out again before redrawing */
#define UPDATE_REDRAW_NOW 0x8000 /* paint before returning */

/* Per-match callback of selection and visiting: TRUE stops the walk. */
typedef BOOL(CALLBACK HTMLayoutElementCallback)(HELEMENT he, LPVOID param);
/* Comparison of two elements for sorting: negative, zero or positive. */
typedef INT(CALLBACK ELEMENT_COMPARATOR)(HELEMENT he1, HELEMENT he2, LPVOID param);
/* Writers: the engine hands a text (not zero-terminated) and its length in code
 * units (UTF-16) or bytes (UTF-8), with the caller's parameter. */
typedef VOID(CALLBACK LPCWSTR_RECEIVER)(LPCWSTR text, UINT length, LPVOID param);
typedef VOID(CALLBACK LPCBYTE_RECEIVER)(const BYTE* text, UINT length, LPVOID param);

/* Uses. HTMLayout_UseElement fails (non-zero) on a stale handle. */
HLDOM_RESULT HLAPI HTMLayout_UseElement(HELEMENT he);
HLDOM_RESULT HLAPI HTMLayout_UnuseElement(HELEMENT he);

/* Tree. Children are elements only; an element's text is its own content. */
HLDOM_RESULT HLAPI HTMLayoutGetChildrenCount(HELEMENT he, UINT* count);
HLDOM_RESULT HLAPI HTMLayoutGetNthChild(HELEMENT he, UINT n, HELEMENT* child);
/* The root element has no parent (null). */
HLDOM_RESULT HLAPI HTMLayoutGetParentElement(HELEMENT he, HELEMENT* parent);
HLDOM_RESULT HLAPI HTMLayoutGetElementIndex(HELEMENT he, UINT* index);
/* A new element outside any page, with one use; text may be null. */
HLDOM_RESULT HLAPI HTMLayoutCreateElement(LPCSTR tagName, LPCWSTR textOrNull, HELEMENT* created);
/* Inserts (or moves) he into parent at index, counted among the children without
 * he; an index at or beyond the count (0x7FFFFFFF) appends. An element cannot go
 * inside itself, nor nest deeper than the engine allows (HLDOM_OPERATION_FAILED). */
HLDOM_RESULT HLAPI HTMLayoutInsertElement(HELEMENT he, HELEMENT parent, UINT index);
/* Takes the element out of its page; it lives on while uses are held. */
HLDOM_RESULT HLAPI HTMLayoutDeleteElement(HELEMENT he);
/* Exchanges the places of two elements (neither inside the other). */
HLDOM_RESULT HLAPI HTMLayoutSwapElements(HELEMENT he1, HELEMENT he2);
/* Stable sort of the children [firstIndex, lastIndex) of he; lastIndex is clamped
 * to the count. */
HLDOM_RESULT HLAPI HTMLayoutSortElements(HELEMENT he, UINT firstIndex, UINT lastIndex, ELEMENT_COMPARATOR* compare,
                                         LPVOID param);

/* Search. Matches are elements below he, in document order; ":root" in a selector
 * is he itself. A comma separates alternatives. */
HLDOM_RESULT HLAPI HTMLayoutSelectElements(HELEMENT he, LPCSTR selector, HTMLayoutElementCallback* callback,
                                           LPVOID param);
/* The first of he and its ancestors that matches; depth 1 tests he alone, depth n
 * he and n-1 ancestors, 0 every ancestor. Null when none. */
HLDOM_RESULT HLAPI HTMLayoutSelectParent(HELEMENT he, LPCSTR selector, UINT depth, HELEMENT* found);
/* Elements below he with the tag (null: any) that carry the attribute (null: any)
 * with the value (null: any value); depth 0 searches the whole subtree, 1 the
 * children only. */
HLDOM_RESULT HLAPI HTMLayoutVisitElements(HELEMENT he, LPCSTR tagName, LPCSTR attributeName, LPCWSTR attributeValue,
                                          HTMLayoutElementCallback* callback, LPVOID param, DWORD depth);

/* Content. Names are case-insensitive. A returned value belongs to the engine and
 * stays valid until that attribute or style changes or the element goes; an absent
 * one reads as null. Setting null removes. */
HLDOM_RESULT HLAPI HTMLayoutGetAttributeByName(HELEMENT he, LPCSTR name, LPCWSTR* value);
HLDOM_RESULT HLAPI HTMLayoutSetAttributeByName(HELEMENT he, LPCSTR name, LPCWSTR value);
/* The computed value: keywords ("block"), lengths in pixels ("600px"; width and
 * height are the laid-out sizes), colours "#rrggbb", images as their URL. A property
 * the engine does not know reads as null. */
HLDOM_RESULT HLAPI HTMLayoutGetStyleAttribute(HELEMENT he, LPCSTR name, LPCWSTR* value);
/* Sets one property in the element's own style, as an inline style would. */
HLDOM_RESULT HLAPI HTMLayoutSetStyleAttribute(HELEMENT he, LPCSTR name, LPCWSTR value);
/* The text of the element and of everything below it. */
HLDOM_RESULT HLAPI HTMLayoutGetElementInnerTextCB(HELEMENT he, LPCWSTR_RECEIVER* receiver, LPVOID param);
/* Replaces the content with the text. */
HLDOM_RESULT HLAPI HTMLayoutSetElementInnerText16(HELEMENT he, LPCWSTR text, UINT length);
/* Outer (TRUE) or inner HTML in UTF-8; it parses back to the same content. */
HLDOM_RESULT HLAPI HTMLayoutGetElementHtmlCB(HELEMENT he, BOOL outer, LPCBYTE_RECEIVER* receiver, LPVOID param);
/* Replaces the content with the parsed UTF-8 fragment. Malformed markup never
 * fails: what cannot be read as markup stays text. */
HLDOM_RESULT HLAPI HTMLayoutSetElementHtml(HELEMENT he, const BYTE* html, DWORD length);

/* State and view. A change shows at the next painting of the window, which the
 * engine asks for itself; the redraw flag is accepted either way. */
HLDOM_RESULT HLAPI HTMLayoutGetElementState(HELEMENT he, UINT* stateBits);
HLDOM_RESULT HLAPI HTMLayoutSetElementState(HELEMENT he, UINT bitsToSet, UINT bitsToClear, BOOL redraw);
/* Visible: in a page, and neither it nor an ancestor is display:none or
 * visibility:hidden. */
HLDOM_RESULT HLAPI HTMLayoutIsElementVisible(HELEMENT he, BOOL* visible);
HLDOM_RESULT HLAPI HTMLayoutGetElementLocation(HELEMENT he, LPRECT location, UINT areaKind);
/* The window of the element's page (HLDOM_PASSIVE_HANDLE outside any), also for
 * rootWindow TRUE: elements have no windows of their own. */
HLDOM_RESULT HLAPI HTMLayoutGetElementHwnd(HELEMENT he, HWND* hwnd, BOOL rootWindow);
/* Scrolls the element's scrollable ancestors until it is seen. */
HLDOM_RESULT HLAPI HTMLayoutScrollToView(HELEMENT he, UINT flags);
/* Scroll position of a scrollable element (overflow auto, scroll or hidden). */
HLDOM_RESULT HLAPI HTMLayoutSetScrollPos(HELEMENT he, POINT position, BOOL smooth);
/* Redraws the element; with remeasure TRUE lays the page out again first. */
HLDOM_RESULT HLAPI HTMLayoutUpdateElement(HELEMENT he, BOOL remeasure);
HLDOM_RESULT HLAPI HTMLayoutUpdateElementEx(HELEMENT he, UINT flags);

#ifdef __cplusplus
}
#endif

#endif
