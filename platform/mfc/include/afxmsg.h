// Message maps: static tables from window message (or command id) to member function.
// A class declares its table with DECLARE_MESSAGE_MAP and fills it between
// BEGIN_MESSAGE_MAP(class, base) and END_MESSAGE_MAP; a message not in a class's
// table is looked up in its base's table.
#pragma once

#include "afx.h"

class CCmdTarget;

// Table key of a control's own notification (ON_CONTROL_REFLECT), matched like WM_COMMAND.
#define WM_REFLECT_COMMAND (0xBC00 + WM_COMMAND)

// Calls the entry's member function on the target with the message's parameters.
typedef LRESULT (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;      // window message; WM_COMMAND for command entries
    UINT nCode;         // notification code of a command entry
    UINT nID;           // first command id of a command entry
    UINT nLastID;       // last command id
    AFX_MSG_THUNK pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx_thunk {

template <class T, auto F>
LRESULT OnCreate(CCmdTarget* t, WPARAM, LPARAM l) {
    return (LRESULT)(static_cast<T*>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(l));
}
template <class T, auto F>
LRESULT OnVoid(CCmdTarget* t, WPARAM, LPARAM) {
    (static_cast<T*>(t)->*F)();
    return 0;
}
template <class T, auto F>
LRESULT OnTimer(CCmdTarget* t, WPARAM w, LPARAM) {
    (static_cast<T*>(t)->*F)((UINT_PTR)w);
    return 0;
}
template <class T, auto F>
LRESULT OnMeasureItem(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((int)w, reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
    return TRUE;
}
template <class T, auto F>
LRESULT OnDrawItem(CCmdTarget* t, WPARAM w, LPARAM l) {
    (static_cast<T*>(t)->*F)((int)w, reinterpret_cast<LPDRAWITEMSTRUCT>(l));
    return TRUE;
}
template <class T, auto F>
LRESULT OnMessage(CCmdTarget* t, WPARAM w, LPARAM l) {
    return (static_cast<T*>(t)->*F)(w, l);
}

}  // namespace afx_thunk

#define afx_msg

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        typedef theClass ThisClass;                                                   \
        typedef baseClass TheBaseClass;                                               \
        static_assert(sizeof(ThisClass) > 0, "a complete class");                     \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                      \
    { 0, 0, 0, 0, nullptr }                                                    \
    }                                                                          \
    ;                                                                          \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                               \
    }

// int OnCreate(LPCREATESTRUCT)
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, &afx_thunk::OnCreate<ThisClass, &ThisClass::OnCreate>},
// void OnDestroy()
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, &afx_thunk::OnVoid<ThisClass, &ThisClass::OnDestroy>},
// void OnTimer(UINT_PTR id)
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, &afx_thunk::OnTimer<ThisClass, &ThisClass::OnTimer>},
// void OnMeasureItem(int id, LPMEASUREITEMSTRUCT)
#define ON_WM_MEASUREITEM() {WM_MEASUREITEM, 0, 0, 0, &afx_thunk::OnMeasureItem<ThisClass, &ThisClass::OnMeasureItem>},
// void OnDrawItem(int id, LPDRAWITEMSTRUCT)
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, &afx_thunk::OnDrawItem<ThisClass, &ThisClass::OnDrawItem>},
// LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) {message, 0, 0, 0, &afx_thunk::OnMessage<ThisClass, &ThisClass::memberFxn>},
// void handler(): a menu item, an accelerator or a control's click with that id
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), &afx_thunk::OnVoid<ThisClass, &ThisClass::memberFxn>},
