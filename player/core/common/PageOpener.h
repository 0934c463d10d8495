// Opens pages and mail addresses outside the program: ShellExecute "open" of a file
// with its parameters. Tests put a recorder in the place of the shell.
#pragma once

#include <afx.h>

#include <functional>

using PageOpener = std::function<void(const CString& file, const CString& parameters)>;

void OpenOutside(const CString& file, const CString& parameters);
// The opener OpenOutside calls from now on (an empty one is the shell again); returns the previous one.
PageOpener SetPageOpener(PageOpener opener);
