// The player's own exception: one message for the user, thrown by value and caught
// by reference (a failed statement with throwing asked for, a failed sign-in).
#pragma once

#include <afx.h>

class CZemoException {
public:
    explicit CZemoException(const CString& message) : m_strMessage(message) {}
    const CString& GetErrorText() const { return m_strMessage; }

private:
    CString m_strMessage;
};
