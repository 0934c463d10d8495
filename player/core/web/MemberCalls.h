// The member calls that the player signs with an MD5 digest (gold balance, age
// choice, anti-addiction update) and the web pages' sign-in and sign-out.
// None of them throws; a failed request gives 0, false or nothing.
#pragma once

#include <afx.h>

class IStringEncryptAndDecrypt;

// MD5 (lower-case hexadecimal) of the text in the ANSI code page: the "sign" value.
CString SignRequest(IStringEncryptAndDecrypt& signer, const CString& text);

int GetGoldBalance(IStringEncryptAndDecrypt& signer, const CString& uid);
bool QueryNeedChooseAge(IStringEncryptAndDecrypt& signer, const CString& uid);
void UpdateIndulge(IStringEncryptAndDecrypt& signer, const CString& uid, bool is12YearsOld, const CString& parentEmail);

// Request the web pages' sign-in (with the session id) and sign-out addresses.
void WebLogin(const CString& sid);
void WebLogout();
// The address that signs the web pages in and then shows the target; the target
// itself without a session id.
CString BuildWebLoginUrl(const CString& target, const CString& sid);
