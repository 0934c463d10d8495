#include "web/MultiDownloadBody.h"

#include <algorithm>

std::string RewriteMultiDownloadBody(const std::vector<BYTE>& posted) {
    size_t length = std::find(posted.begin(), posted.end(), 0) - posted.begin();
    if (!length) return std::string();
    const char* bytes = reinterpret_cast<const char*>(posted.data());
    int wideLength = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, (int)length, nullptr, 0);
    std::wstring text((size_t)wideLength, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, (int)length, &text[0], wideLength);
    if (!text.empty()) CharLowerBuffW(&text[0], (DWORD)text.size());
    for (size_t at = text.find(L"%2c"); at != std::wstring::npos; at = text.find(L"%2c", at + 1))
        text.replace(at, 3, L",");

    std::string body;
    for (size_t i = 0; i < text.size(); ++i) {
        int units = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
        char piece[8];
        int n = WideCharToMultiByte(CP_THREAD_ACP, 0, &text[i], units, piece, sizeof(piece), nullptr, nullptr);
        if (n <= 0 || body.size() + (size_t)n > length) break;
        body.append(piece, (size_t)n);
        i += (size_t)units - 1;
    }
    return body;
}
