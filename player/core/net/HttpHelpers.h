// Synchronous HTTP helpers of the player's web features.
#pragma once

#include <afx.h>

// Fetches a small resource into a new block of exactly size bytes (release it
// with VirtualFree); null on any failure, also for an empty body.
void* HttpGetToMemory(const CString& url, int& size);

// The reply body decoded from UTF-8; empty on any failure.
CString HttpGetText(const CString& url);

// Posts a body and returns the reply decoded from UTF-8. On failure the result is
// empty and error holds a Chinese text; on success error is left untouched.
// A progress window, when given, gets WM_HTTP_POST_PROGRESS after each piece sent.
CString HttpPost(CString& error, HWND progressWindow, const CString& url, const char* body, int length,
                 const CString& headers);
