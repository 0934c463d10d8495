#include "PageElements.h"

#include <functional>

#include "UrlEncoding.h"
#include "UrlResolve.h"
#include "Utf8Text.h"

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    size_t n = wcslen(prefix);
    return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

using Visit = std::function<void(HELEMENT)>;

BOOL CALLBACK VisitFound(HELEMENT found, LPVOID param) {
    (*static_cast<const Visit*>(param))(found);
    return FALSE;
}

// Calls the function for every element below he that the selector finds, in document order.
void ForEach(HELEMENT he, const char* selector, const Visit& visit) {
    HTMLayoutSelectElements(he, selector, &VisitFound, const_cast<Visit*>(&visit));
}

HELEMENT Closest(HELEMENT he, const char* selector) {
    HELEMENT found = nullptr;
    if (HTMLayoutSelectParent(he, selector, 0, &found) == HLDOM_OK && found) return found;
    // A text run is no element: start again from the element that holds it.
    HELEMENT parent = nullptr;
    if (HTMLayoutGetParentElement(he, &parent) != HLDOM_OK || !parent) return nullptr;
    found = nullptr;
    return HTMLayoutSelectParent(parent, selector, 0, &found) == HLDOM_OK ? found : nullptr;
}

bool IsChecked(HELEMENT he) {
    UINT state = 0;
    return HTMLayoutGetElementState(he, &state) == HLDOM_OK && (state & STATE_CHECKED);
}

}  // namespace

bool IsScriptUrl(const std::wstring& url) { return StartsWithNoCase(url, L"javascript:"); }

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& relative) {
    std::u16string resolved =
        ResolveReference(std::u16string(base.begin(), base.end()), std::u16string(relative.begin(), relative.end()));
    return std::wstring(resolved.begin(), resolved.end());
}

std::wstring AttributeOf(HELEMENT he, const char* name) {
    LPCWSTR value = nullptr;
    return HTMLayoutGetAttributeByName(he, name, &value) == HLDOM_OK && value ? value : L"";
}

HELEMENT LinkOf(HELEMENT he) { return Closest(he, "a[href]"); }

HELEMENT SubmittedForm(HELEMENT button) {
    HELEMENT submit = nullptr;
    if (HTMLayoutSelectParent(button, "button, input[type=submit]", 1, &submit) != HLDOM_OK || !submit) return nullptr;
    std::wstring type = AttributeOf(submit, "type");
    if (_wcsicmp(type.c_str(), L"button") == 0 || _wcsicmp(type.c_str(), L"reset") == 0) return nullptr;
    return Closest(submit, "form");
}

FORM_SUBMISSION SubmitForm(HELEMENT form, const std::wstring& pageUrl) {
    std::string fields;
    ForEach(form, "input[type=hidden], input[type=checkbox]", [&](HELEMENT input) {
        std::wstring name = AttributeOf(input, "name");
        LPCWSTR disabled = nullptr;
        if (name.empty() || (HTMLayoutGetAttributeByName(input, "disabled", &disabled) == HLDOM_OK && disabled)) return;
        bool checkBox = _wcsicmp(AttributeOf(input, "type").c_str(), L"checkbox") == 0;
        if (checkBox && !IsChecked(input)) return;
        std::wstring value = AttributeOf(input, "value");
        if (checkBox && value.empty()) value = L"on";
        if (!fields.empty()) fields += '&';
        fields += PercentEncode(EncodeUtf8(name)) + "=" + PercentEncode(EncodeUtf8(value));
    });
    FORM_SUBMISSION submission;
    std::wstring action = AttributeOf(form, "action");
    submission.Url = action.empty() ? pageUrl : ResolveUrl(pageUrl, action);
    if (_wcsicmp(AttributeOf(form, "method").c_str(), L"post") == 0) {
        submission.Post = true;
        submission.Headers = L"Content-Type: application/x-www-form-urlencoded\r\n";
        submission.PostData.assign(fields.begin(), fields.end());
    } else {
        submission.Url = submission.Url.substr(0, submission.Url.find_first_of(L"?#")) + L"?" +
                         std::wstring(fields.begin(), fields.end());
    }
    return submission;
}

void PrepareControls(HELEMENT root) {
    ForEach(root, "input[type=checkbox]", [](HELEMENT box) {
        HTMLayoutSetStyleAttribute(box, "behavior", L"checkbox");
        LPCWSTR checked = nullptr;
        if (HTMLayoutGetAttributeByName(box, "checked", &checked) == HLDOM_OK && checked)
            HTMLayoutSetElementState(box, STATE_CHECKED, 0, FALSE);
    });
    ForEach(root, "input[type=submit]",
            [](HELEMENT submit) { HTMLayoutSetStyleAttribute(submit, "behavior", L"button"); });
}
