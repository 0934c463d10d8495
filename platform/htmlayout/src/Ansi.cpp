#include "Ansi.h"

#include <windows.h>

#include <vector>

namespace hlwin {

std::string AnsiToUtf8(const char* text) {
    if (!text || !*text) return std::string();
    int wide = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wide <= 0) return std::string();
    std::vector<wchar_t> w(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<size_t>(bytes - 1));
    return out;
}

}  // namespace hlwin
