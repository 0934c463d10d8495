// Shortening a line to a width by cutting out its middle, for texts such as file
// paths whose head and tail both matter.
#pragma once

#include <afx.h>

#include <functional>

// The text itself when it fits in maxWidth; otherwise its head and tail with "…" in
// place of the middle, as long as still fits. The tail keeps the whole last path
// segment (from the last "\" or "/") when that leaves room for some of the head,
// else head and tail share the room. A character pair of UTF-16 is never split.
// Just "…" when nothing more fits. measure gives a text's width.
CString EllipsizePath(const CString& text, int maxWidth, const std::function<int(const CString&)>& measure);
