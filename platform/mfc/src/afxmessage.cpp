#include "afxmessage.h"

namespace {

CString FormatFrom(DWORD source, HMODULE module, DWORD error) {
    LPTSTR buffer = nullptr;
    DWORD n = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source, module, error, 0,
                            (LPTSTR)&buffer, 0, nullptr);
    CString message;
    if (n && buffer) message = CString(buffer, (int)n).TrimRight();
    if (buffer) LocalFree(buffer);
    return message;
}

}  // namespace

CString AfxErrorText(DWORD error, HMODULE module, LPCTSTR fallbackFormat) {
    CString message;
    if (module) message = FormatFrom(FORMAT_MESSAGE_FROM_HMODULE, module, error);
    if (message.IsEmpty()) message = FormatFrom(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error);
    if (message.IsEmpty()) message.Format(fallbackFormat, error);
    return message;
}

BOOL AfxCopyErrorText(const CString& message, LPTSTR text, UINT maxLength) {
    if (!text || maxLength == 0) return FALSE;
    lstrcpyn(text, message, (int)maxLength);
    return TRUE;
}
