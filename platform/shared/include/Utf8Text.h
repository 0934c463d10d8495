// UTF-8 text to and from the system's wide text.
#pragma once

#include <string>
#include <string_view>

// Bytes that are no UTF-8 become U+FFFD each; a zero byte is kept as a character.
std::wstring DecodeUtf8(std::string_view bytes);
// Lone surrogates become U+FFFD.
std::string EncodeUtf8(std::wstring_view text);
