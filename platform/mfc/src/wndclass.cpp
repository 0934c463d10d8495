#include "afxwin.h"

#include <mutex>
#include <set>
#include <string>

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::mutex lock;
    static std::set<std::basic_string<TCHAR>> names;  // registered for the process's life
    TCHAR name[96];
    _sntprintf(name, 96, _T("ZemoWnd:%x:%p:%p:%p"), classStyle, (void*)cursor, (void*)background, (void*)icon);
    std::lock_guard<std::mutex> guard(lock);
    auto found = names.find(name);
    if (found != names.end()) return found->c_str();
    WNDCLASSEX wc = {sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProc;  // windows are bound to AfxWndProc as they are created
    wc.hInstance = GetModuleHandle(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!RegisterClassEx(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return names.insert(name).first->c_str();
}
