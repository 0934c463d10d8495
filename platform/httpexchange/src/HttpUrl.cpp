#include "HttpUrl.h"

bool CrackHttpUrl(const std::wstring& url, HTTP_URL_PARTS& parts) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t path[INTERNET_MAX_URL_LENGTH] = {};
    URL_COMPONENTSW components = {};
    components.dwStructSize = sizeof(components);
    components.lpszHostName = host;
    components.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    components.lpszUrlPath = path;
    components.dwUrlPathLength = INTERNET_MAX_URL_LENGTH;
    components.dwExtraInfoLength = 1;  // the query stays with the path
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &components)) return false;
    parts.Scheme = components.nScheme;
    parts.Host = host;
    parts.Port = components.nPort;
    parts.Object = std::wstring(path) + std::wstring(components.lpszExtraInfo, components.dwExtraInfoLength);
    return true;
}
