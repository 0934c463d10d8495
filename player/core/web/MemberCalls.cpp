#include "web/MemberCalls.h"

#include <cstdlib>

#include "common/CommonHelpers.h"
#include "crypto/portable/StringCipher.h"
#include "net/HttpHelpers.h"
#include "web/UrlEncode.h"
#include "web/WebUriGettor.h"
#include "web/portable/ServiceReplies.h"

namespace {

// Application keys and signing secrets of the two call groups.
constexpr wchar_t kGoldApiKey[] = L"4c8a16e0f27b93d5a1e06c4f8b2d7093";
constexpr wchar_t kGoldSecret[] = L"3f0a9c2e7b14d6e85a0c9b7f21e4d3c6";
constexpr wchar_t kMembersApiKey[] = L"e91f4b07c3a2d85f60b1c7e49a2f3d18";
constexpr wchar_t kMembersSecret[] = L"b7d20e5f93a146c8e0f1a27c5d39b64e";

CString RestServer(const wchar_t* serviceKey) {
    return CWebUriGettor::GetUri(serviceKey, L"/restserver.php", true, CString(), CString());
}

CString LoginPage() { return CWebUriGettor::GetUri(L"zemo_login", L"/", true, CString(), CString()); }

std::string Utf8Reply(const CString& url) {
    std::string reply;
    WideToUtf8(HttpGetText(url), true, reply);
    return reply;
}

}  // namespace

CString SignRequest(IStringEncryptAndDecrypt& signer, const CString& text) {
    CStringA ansi(text);
    return CString(signer.Encrypt(std::string(ansi.GetString(), (size_t)ansi.GetLength()), std::string()).c_str());
}

int GetGoldBalance(IStringEncryptAndDecrypt& signer, const CString& uid) {
    CString sign =
        SignRequest(signer, CString(L"api_key") + kGoldApiKey + L"formatjson" + L"methodtm.wealth.getWealthByUid" +
                                L"uid" + uid + L"wealth_typegold" + kGoldSecret);
    CString url = RestServer(L"gold_get") + L"?api_key=" + kGoldApiKey +
                  L"&format=json&method=tm.wealth.getWealthByUid&uid=" + uid + L"&wealth_type=gold&sign=" + sign;
    return GoldFromReply(Utf8Reply(url));
}

bool QueryNeedChooseAge(IStringEncryptAndDecrypt& signer, const CString& uid) {
    CString a;
    a.Format(L"%d", rand());
    CString sign = SignRequest(signer, L"a" + a + L"api_key" + kMembersApiKey + L"formatjson" +
                                           L"methodtm.members.needChooseAge" + L"uid" + uid + kMembersSecret);
    CString url = RestServer(L"age_need") + L"?a=" + a + L"&api_key=" + kMembersApiKey +
                  L"&format=json&method=tm.members.needChooseAge&uid=" + uid + L"&sign=" + sign;
    return NeedChooseAgeFromReply(Utf8Reply(url));
}

void UpdateIndulge(IStringEncryptAndDecrypt& signer, const CString& uid, bool is12YearsOld,
                   const CString& parentEmail) {
    CString flag = is12YearsOld ? L"1" : L"0";
    CString sign = SignRequest(signer, CString(L"api_key") + kMembersApiKey + L"formatjson" + L"is_12yearsold" + flag +
                                           L"methodtm.members.updateIndulge" + L"parent_email" + parentEmail + L"uid" +
                                           uid + kMembersSecret);
    CString url = RestServer(L"age_need") + L"?api_key=" + kMembersApiKey +
                  L"&format=json&method=tm.members.updateIndulge&uid=" + uid + L"&is_12yearsold=" + flag +
                  L"&parent_email=" + UrlEncode(parentEmail, false) + L"&sign=" + sign;
    HttpGetText(url);
}

void WebLogin(const CString& sid) {
    HttpGetText(LoginPage() + L"?controller=public&action=loginpassportovra&sid=" + sid);
}

void WebLogout() { HttpGetText(LoginPage() + L"?controller=public&action=logout"); }

CString BuildWebLoginUrl(const CString& target, const CString& sid) {
    if (sid.IsEmpty()) return target;
    return LoginPage() + L"?controller=public&action=loginpassportovra&sid=" + sid + L"&url=" +
           UrlEncode(target, false);
}
