#include "ProcessWindows.h"

#include <string>

std::vector<HWND> WindowsOf(DWORD processId, LPCWSTR title) {
    struct Search {
        DWORD id;
        LPCWSTR title;
        std::vector<HWND> found;
    } search = {processId, title, {}};
    EnumWindows(
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            WCHAR text[128] = {};
            GetWindowTextW(window, text, 128);
            if (owner == s->id && IsWindowVisible(window) && (!s->title || std::wstring(text) == s->title))
                s->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}
