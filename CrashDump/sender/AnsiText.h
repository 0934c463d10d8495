// The sender's 8-bit texts are in the system's ANSI code page; its sources are UTF-8.
#pragma once

#include <string>

// The UTF-8 text in the ANSI code page ("" when it cannot be converted).
std::string AnsiText(const char* utf8);
