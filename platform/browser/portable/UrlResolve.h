// Resolving a page's relative addresses. Portable: no platform headers.
#pragma once

#include <string>

// The reference resolved against the base: a URL with a scheme (the usual rules for
// "//host", "/path", "?query", "#fragment", relative paths and their "." and ".."
// segments) or a local path ("C:\dir\page.htm", "\\server\share\page.htm"), whose
// references become paths with "\" and lose their query and fragment. Absolute references, "javascript:" among them,
// stay as they are; so does everything against an empty base.
std::u16string ResolveReference(const std::u16string& base, const std::u16string& reference);

// "C:\...", "C:/..." or "\\...": a local path rather than a URL.
bool IsLocalPath(const std::u16string& text);
