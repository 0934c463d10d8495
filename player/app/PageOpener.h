// Opens a web address outside the player: in the given program, or in the default
// browser when it is null. Tests replace the opener to see what would be opened.
#pragma once

#include <afx.h>

typedef void (*PAGE_OPENER)(LPCWSTR program, const CString& address);

// The program every service page outside the player opens in.
extern const wchar_t kInternetExplorer[];

void OpenPage(LPCWSTR program, const CString& address);
// Null restores the shell's opener.
void SetPageOpener(PAGE_OPENER opener);
