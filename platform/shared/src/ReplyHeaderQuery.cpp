#include "ReplyHeaderQuery.h"

#include <string_view>

#include "HeaderValues.h"

bool QueryContentLength(HINTERNET request, int64_t& length) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr) &&
           ParseContentLength(std::wstring_view(text, size / sizeof(wchar_t)), length);
}
