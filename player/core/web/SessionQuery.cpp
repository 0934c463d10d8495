#include "web/SessionQuery.h"

#include <objbase.h>

#include "common/CommonHelpers.h"
#include "web/WebUriGettor.h"
#include "web/portable/UrlHost.h"

namespace {

constexpr wchar_t kPlayLastMarker[] = L"{BB9D263D-437D-4db0-94A2-24A1648C164F}";

std::u16string Chars(const CString& text) {
    const wchar_t* s = text;
    return std::u16string(s, s + text.GetLength());
}

}  // namespace

CString GetServiceHomePage() { return CWebUriGettor::GetUri(L"index_get", L"/index.aspx", true, CString(), CString()); }

bool IsServiceAddress(const CString& url, const CString& serviceUrl) {
    return IsSameHost(Chars(url), Chars(serviceUrl));
}

bool NeedsSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn) {
    return signedIn && IsServiceAddress(url, serviceUrl) && url.Find(L"zemoid=") < 0;
}

CString AddSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn, const CString& token,
                        const CString& sid, const CString& guid) {
    if (!signedIn || !IsServiceAddress(url, serviceUrl)) return url;
    CString query;
    query.Format(L"%szemoid=%s&sid=%s&guid=%s", !url.IsEmpty() && url.Find(L'?') >= 0 ? L"&" : L"?", (LPCWSTR)token,
                 (LPCWSTR)sid, (LPCWSTR)guid);
    return url + query;
}

CString AddSessionQuery(const CString& url, const CString& serviceUrl, bool signedIn, const CString& token,
                        const CString& sid) {
    GUID guid = {};
    CoCreateGuid(&guid);
    return AddSessionQuery(url, serviceUrl, signedIn, token, sid, GuidToString(guid));
}

CString PaySucceededAddress(const CString& serviceUrl) {
    URL_HOST host;
    if (!ParseUrlHost(Chars(serviceUrl), host)) return CString();
    CString address = L"http://" + CString(std::wstring(host.Host.begin(), host.Host.end()).c_str());
    if (host.Port != 80) {
        CString port;
        port.Format(L":%d", host.Port);
        address += port;
    }
    return address + L"/pay.aspx?action=paySucceed";
}

WEB_NAVIGATION_RULE ClassifyNavigation(const CString& url, const CString& serviceUrl) {
    if (url.Find(L"Action=multidownload") >= 0) return WEB_NAV_MULTI_DOWNLOAD;
    if (url.Find(kPlayLastMarker) >= 0) return WEB_NAV_PLAY_LAST;
    if (url.Find(L"javascript:buyFile") >= 0 || url.Find(L"javascript:buyVideo") >= 0) return WEB_NAV_BUY;
    CString pay = PaySucceededAddress(serviceUrl);
    if (!pay.IsEmpty() && url.CompareNoCase(pay) == 0) return WEB_NAV_PAY_SUCCEEDED;
    return WEB_NAV_OTHER;
}
