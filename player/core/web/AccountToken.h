// The account token handed to the service's web pages (their "zemoid" value).
#pragma once

#include <afx.h>

// URL-encoded Base64 of the DES-CBC cipher of the UTF-8 text
// "<yyyymmddhhmmss>/{uid:<uid>,account:"<user name>",platform:"None"}", stamped
// with the local time. Quotes and backslashes in the user name are escaped.
CString BuildAccountToken(const CString& uid, const CString& userName);
CString BuildAccountTokenAt(const SYSTEMTIME& time, const CString& uid, const CString& userName);
