#include "web/UrlCheck.h"

#include <memory>

#include "InternetHandle.h"
#include "common/CommonHelpers.h"
#include "ScopedHandle.h"
#include "common/WindowMessages.h"
#include "xml/XmlDoc.h"

namespace {

struct URL_CHECK_PARAM {
    HWND View = nullptr;
    CString Url;
    CString HomePage;
    LONG Id = 0;
};

LONG g_lastCheckId = 0;

bool HasWebScheme(const CString& url) {
    return _wcsnicmp(url, L"http://", 7) == 0 || _wcsnicmp(url, L"https://", 8) == 0;
}

DWORD WINAPI UrlCheckThreadProc(LPVOID parameter) {
    std::unique_ptr<URL_CHECK_PARAM> param(static_cast<URL_CHECK_PARAM*>(parameter));
    std::unique_ptr<URL_CHECK_RESULT> result(new URL_CHECK_RESULT);
    result->Url = param->Url;
    result->Id = param->Id;
    if (IsUrlReachable(param->Url)) {
        result->Ok = 1;
    } else {
        result->Message = IsUrlReachable(param->HomePage) ? GetPageGoneText() : GetNetworkErrorText();
    }
    if (SendMessageW(param->View, WM_URL_CHECK_RESULT, (WPARAM)result.get(), 0)) result.release();
    return 1;
}

}  // namespace

LONG StartUrlCheck(HWND view, const CString& url, const CString& homePage) {
    std::unique_ptr<URL_CHECK_PARAM> param(new URL_CHECK_PARAM);
    param->View = view;
    param->Url = url;
    param->HomePage = homePage;
    param->Id = InterlockedIncrement(&g_lastCheckId);
    HANDLE thread = CreateThread(nullptr, 0, &UrlCheckThreadProc, param.get(), 0, nullptr);
    if (!thread) return 0;
    LONG id = param.release()->Id;
    CloseHandle(thread);
    return id;
}

bool IsUrlReachable(const CString& url) {
    CString address = HasWebScheme(url) ? url : L"http://" + url;
    CInternetHandle session(InternetOpenW(L"InetURL:/1.0", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;
    CInternetHandle request(InternetOpenUrlW(session.Get(), address, nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    if (!request) return false;
    wchar_t status[8] = {};
    DWORD size = sizeof(status) - sizeof(wchar_t);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE, status, &size, nullptr)) return false;
    return wcscmp(status, L"200") == 0 || wcscmp(status, L"302") == 0;
}

CString GetNetworkErrorText() {
    return L"无法访问该页面，问题的原因可能是：您的网线没插好，或是您未正确设置网络连接。";
}

CString GetPageGoneText() { return L"对不起，该页面失效了！"; }

bool WriteErrorPage(const CString& path, const CString& message) {
    CScopedHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (16 << 20)) return false;
    std::string bytes((size_t)size.QuadPart, '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), &bytes[0], (DWORD)bytes.size(), &read, nullptr) || read != bytes.size()))
        return false;
    file.Close();
    CXmlDoc xml;
    if (!xml.SetDocument(Utf8ToWide(bytes.c_str()))) return false;
    for (LPCWSTR name : {L"html", L"body", L"div"})
        if (!xml.FindElement(name) || !xml.EnterElement()) return false;
    while (xml.FindElement(L"p")) xml.RemoveElement();
    xml.AddElement(L"p", message);
    xml.SaveFile(path);
    return true;
}
