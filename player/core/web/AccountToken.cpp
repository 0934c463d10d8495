#include "web/AccountToken.h"

#include <string>
#include <vector>

#include "common/CommonHelpers.h"
#include "crypto/portable/Base64.h"
#include "crypto/portable/DesCbc.h"
#include "web/UrlEncode.h"

namespace {

CString EscapeQuoted(const CString& text) {
    CString escaped;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == L'"' || text[i] == L'\\') escaped += L'\\';
        escaped += text[i];
    }
    return escaped;
}

}  // namespace

CString BuildAccountToken(const CString& uid, const CString& userName) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return BuildAccountTokenAt(now, uid, userName);
}

CString BuildAccountTokenAt(const SYSTEMTIME& time, const CString& uid, const CString& userName) {
    CString text;
    text.Format(L"%04d%02d%02d%02d%02d%02d/{uid:%s,account:\"%s\",platform:\"None\"}", time.wYear, time.wMonth,
                time.wDay, time.wHour, time.wMinute, time.wSecond, uid.GetString(), EscapeQuoted(userName).GetString());
    std::string utf8;
    WideToUtf8(text, true, utf8);
    const uint8_t* plain = reinterpret_cast<const uint8_t*>(utf8.data());

    // Both buffers are sized from the text, so no user name is too long.
    std::vector<uint8_t> cipher(DesCbcEncrypt(nullptr, plain, utf8.size()));
    DesCbcEncrypt(cipher.data(), plain, utf8.size());
    std::vector<char> base64(Base64EncodedLength(cipher.size()) + 1);
    Base64Encode(base64.data(), cipher.data(), cipher.size());
    return UrlEncode(CString(base64.data()), false);
}
