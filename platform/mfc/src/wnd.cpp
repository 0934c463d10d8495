#include "afxwin.h"

#include <map>
#include <memory>

namespace {

// The window object of a bound window is kept as a window property.
const wchar_t kWndProperty[] = L"ZemoMfcWnd";

// The object whose window CreateEx is creating on this thread.
thread_local CWnd* t_creating = nullptr;
// Objects that FromHandle made for windows bound to none, until the loop is idle.
thread_local std::map<HWND, std::unique_ptr<CWnd>> t_temporary;

// The last chance for a class-library exception thrown by a message handler: it must
// not unwind through the system's window procedure. A failed WM_CREATE fails the
// creation; any other message is answered with 0.
LRESULT HandleWndProcException(CException* e, UINT message) {
    TCHAR text[512];
    if (e->GetErrorMessage(text, 512)) OutputDebugString(text);
    e->Delete();
    return message == WM_CREATE ? -1 : 0;
}

}  // namespace

// Dispatches a message of a bound window to its object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd) return ::DefWindowProc(hWnd, message, wParam, lParam);
    MSG previous = wnd->m_currentMsg;
    wnd->m_currentMsg = {hWnd, message, wParam, lParam, 0, {}};
    LRESULT result;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        result = HandleWndProcException(e, message);
    }
    wnd->m_currentMsg = previous;
    if (message == WM_NCDESTROY) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == wnd) app->m_pMainWnd = nullptr;
        wnd->Unbind();
        wnd->PostNcDestroy();
    }
    return result;
}

// Binds the window that CreateEx is creating before it receives its first message.
LRESULT CALLBACK AfxCbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_creating) {
        CWnd* wnd = t_creating;
        t_creating = nullptr;
        wnd->Bind((HWND)wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? static_cast<CWnd*>(GetPropW(hWnd, kWndProperty)) : nullptr; }

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (CWnd* bound = FromHandlePermanent(hWnd)) return bound;
    std::unique_ptr<CWnd>& temporary = t_temporary[hWnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hWnd;
    }
    return temporary.get();
}

void AfxDeleteTempObjects() {
    for (auto& entry : t_temporary) entry.second->m_hWnd = nullptr;
    t_temporary.clear();
}

void CWnd::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropW(hWnd, kWndProperty, this);
    WNDPROC own = (WNDPROC)GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    if (own != AfxWndProc) {
        m_pfnSuper = own;
        SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    }
    PreSubclassWindow();
}

void CWnd::Unbind() {
    if (m_pfnSuper) SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    RemovePropW(m_hWnd, kWndProperty);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = (style & WS_CHILD) ? (HMENU)(UINT_PTR)id : nullptr;
    cs.hInstance = GetModuleHandle(nullptr);
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) return FALSE;

    return CreateBound([&cs] {
               return ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                       cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
           }) != nullptr;
}

HWND CWnd::CreateBound(const std::function<HWND()>& create) {
    HHOOK hook = SetWindowsHookEx(WH_CBT, AfxCbtHookProc, nullptr, GetCurrentThreadId());
    if (!hook) return nullptr;
    t_creating = this;
    HWND hWnd = create();
    t_creating = nullptr;
    UnhookWindowsHookEx(hook);
    return hWnd;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd || !IsWindow(hWnd) || FromHandlePermanent(hWnd)) return FALSE;
    Bind(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, (int)id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd) Unbind();
    return hWnd;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // A control's notification goes to the control's object first.
    if (message == WM_COMMAND && lParam) {
        CWnd* child = FromHandlePermanent((HWND)lParam);
        if (child && child != this && child->OnChildNotify(message, wParam, lParam, result)) return TRUE;
    }
    // Menus and accelerators send no control handle; their code counts as 0.
    UINT code = message == WM_COMMAND && lParam ? HIWORD(wParam) : 0;
    UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, id);
    if (!entry) return FALSE;
    *result = entry->pfn(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam); }

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }

void CWnd::OnDestroy() { Default(); }

void CWnd::OnTimer(UINT_PTR) { Default(); }

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_COMMAND) return FALSE;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_COMMAND, HIWORD(wParam), LOWORD(wParam));
    if (!entry) return FALSE;
    *result = entry->pfn(this, wParam, 0);
    return TRUE;
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
    CMenu* menu = CMenu::GetTrackingMenu();
    LRESULT result = 0;
    if (item->CtlType == ODT_MENU) {
        if (menu)
            menu->MeasureItem(item);
        else
            Default();
        return;
    }
    // Measured while the control is created, the row finds no object yet.
    CWnd* child = FromHandlePermanent(::GetDlgItem(m_hWnd, (int)item->CtlID));
    if (!child || !child->OnChildNotify(WM_MEASUREITEM, (WPARAM)id, (LPARAM)item, &result)) Default();
}

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
    CMenu* menu = CMenu::GetTrackingMenu();
    LRESULT result = 0;
    if (item->CtlType == ODT_MENU) {
        if (menu)
            menu->DrawItem(item);
        else
            Default();
        return;
    }
    CWnd* child = FromHandlePermanent(item->hwndItem);
    if (!child || !child->OnChildNotify(WM_DRAWITEM, (WPARAM)id, (LPARAM)item, &result)) Default();
}
