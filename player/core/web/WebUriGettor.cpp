#include "web/WebUriGettor.h"

#include "common/CommonHelpers.h"

namespace {

constexpr int kValueChars = 260;
constexpr wchar_t kDefaultServer[] = L"www.zemovista.com";
constexpr wchar_t kDefaultPort[] = L"8080";

CString ReadValue(const CString& file, const CString& section, const wchar_t* key, const wchar_t* fallback) {
    wchar_t value[kValueChars] = {};
    GetPrivateProfileStringW(section, key, fallback, value, kValueChars, file);
    return value;
}

}  // namespace

CString GetServiceConfigPath() {
    CString file = GetProgramFolder();
    AppendBackslash(file);
    return file + L"ovraCfg.ini";
}

CString CWebUriGettor::GetUri(const CString& serviceKey, const CString& defaultAddress, bool noSession,
                              const CString& path, const CString& sessionId) {
    CString file = GetServiceConfigPath();
    CString server = ReadValue(file, serviceKey, L"server", kDefaultServer);
    CString url = ReadValue(file, serviceKey, L"url", defaultAddress);
    CString port = ReadValue(file, serviceKey, L"port", kDefaultPort);

    CString uri;
    if (port == L"80")
        uri.Format(L"http://%s%s%s", server.GetString(), url.GetString(), path.GetString());
    else
        uri.Format(L"http://%s:%s%s%s", server.GetString(), port.GetString(), url.GetString(), path.GetString());
    if (!noSession) uri += L"?sid=" + sessionId;
    return uri;
}
