// Error texts of the exceptions.
#pragma once

#include "afx.h"

// The text of an error from a module's message table (when given) or the system's;
// fallbackFormat (with one %lu) when neither knows it.
CString AfxErrorText(DWORD error, HMODULE module, LPCTSTR fallbackFormat);
// Copies a message into a caller's buffer of maxLength characters, always terminated.
BOOL AfxCopyErrorText(const CString& message, LPTSTR text, UINT maxLength);
