// The body the player posts for the catalogue's multi-download form, made from the
// bytes the form would have posted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The posted bytes up to the first zero, read in the thread's ANSI code page, in
// lower case with every "%2c" (so also "%2C") turned into ",", back in that code
// page. Never longer than the posted bytes: what would not fit is left off, whole
// characters only.
std::string RewriteMultiDownloadBody(const std::vector<BYTE>& posted);
