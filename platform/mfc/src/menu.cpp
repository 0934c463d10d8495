#include "afxwin.h"

namespace {
thread_local CMenu* t_trackingMenu = nullptr;
}

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu || !menu) return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    for (auto& sub : m_subMenus) sub->Detach();
    m_subMenus.clear();
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT resourceId) {
    return !m_hMenu && Attach(::LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(resourceId)));
}

BOOL CMenu::DestroyMenu() {
    HMENU menu = Detach();
    return menu && ::DestroyMenu(menu);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) { return ::AppendMenu(m_hMenu, flags, id, text); }

UINT CMenu::GetMenuItemCount() const {
    int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    return count > 0 ? (UINT)count : 0;
}

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    text.Empty();
    int length = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) return 0;
    std::basic_string<TCHAR> buffer((size_t)length + 1, 0);
    length = ::GetMenuString(m_hMenu, item, &buffer[0], length + 1, flags);
    text = CString(buffer.c_str(), length);
    return length;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }

CMenu* CMenu::GetSubMenu(int position) const {
    HMENU sub = m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr;
    if (!sub) return nullptr;
    for (auto& known : m_subMenus)
        if (known->m_hMenu == sub) return known.get();
    m_subMenus.push_back(std::make_unique<CMenu>());
    m_subMenus.back()->m_hMenu = sub;
    return m_subMenus.back().get();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
    CMenu* previous = t_trackingMenu;
    t_trackingMenu = this;
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
    t_trackingMenu = previous;
    return result;
}

CMenu* CMenu::GetTrackingMenu() { return t_trackingMenu; }
