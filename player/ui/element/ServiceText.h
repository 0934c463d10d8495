// Texts from the web service made safe for the page: they go in as values, never as
// style or markup of their own.
#pragma once

#include <afx.h>

// The style of a cover showing the image; empty when the URL holds what could end the
// url() value or the declaration (quotes, parentheses, a backslash, a semicolon,
// braces, control characters).
CString CoverStyle(const CString& imageUrl);

// The brief as markup of text and paragraphs only: "<p>" and "</p>" stay (any case,
// without attributes), every other tag and comment is dropped, and a "<", ">" or "&"
// that is text is escaped.
CString BriefMarkup(const CString& brief);
