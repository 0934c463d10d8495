// What the browser reads from the page shown: links, forms and their fields.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "htmlayout.h"

// The address relative to the page's address (a URL or a local path); "javascript:"
// addresses and absolute ones stay as they are.
std::wstring ResolveUrl(const std::wstring& base, const std::wstring& relative);
bool IsScriptUrl(const std::wstring& url);

// The a[href] the element lies in (the element itself or an ancestor); null when none.
HELEMENT LinkOf(HELEMENT he);
// The attribute's value; empty when absent.
std::wstring AttributeOf(HELEMENT he, const char* name);

struct FORM_SUBMISSION {
    std::wstring Url;
    std::wstring Headers;
    bool Post = false;
    std::vector<BYTE> PostData;
};
// The form a clicked submit button belongs to; null when it submits nothing.
HELEMENT SubmittedForm(HELEMENT button);
FORM_SUBMISSION SubmitForm(HELEMENT form, const std::wstring& pageUrl);

// Gives check boxes and submit inputs their behaviours and check boxes their first state.
void PrepareControls(HELEMENT root);
