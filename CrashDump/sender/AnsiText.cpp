#include "AnsiText.h"

#include <windows.h>

#include "Utf8Text.h"

std::string AnsiText(const char* utf8) {
    const std::wstring wide = DecodeUtf8(utf8);
    if (wide.empty()) return "";
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), &text[0], size, nullptr, nullptr);
    return text;
}
