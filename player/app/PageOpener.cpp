#include "PageOpener.h"

#include <shellapi.h>

const wchar_t kInternetExplorer[] = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";

namespace {

void ShellOpen(LPCWSTR program, const CString& address) {
    if (program)
        ShellExecuteW(nullptr, L"open", program, address, nullptr, SW_SHOW);
    else
        ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOW);
}

PAGE_OPENER g_opener = &ShellOpen;

}  // namespace

void OpenPage(LPCWSTR program, const CString& address) { g_opener(program, address); }

void SetPageOpener(PAGE_OPENER opener) { g_opener = opener ? opener : &ShellOpen; }
