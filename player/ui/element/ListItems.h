// The items of the page's lists: the children of a list element.
#pragma once

#include <afx.h>

#include "htmlayout/dom.h"

// The element's attribute equals the text, ignoring case; an absent attribute never does.
bool AttributeEqualsNoCase(HELEMENT he, LPCSTR name, const CString& text);

// The first "li" child of the list whose attribute equals the text, ignoring case.
htmlayout::dom::element FindListItem(const htmlayout::dom::element& list, LPCSTR name, const CString& text);

// Appends the child; false when it cannot go there.
bool AppendChild(HELEMENT parent, HELEMENT child);
