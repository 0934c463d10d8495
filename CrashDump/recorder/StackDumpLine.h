// One line of the crash log's stack dump.
#pragma once

#include <windows.h>

constexpr int STACK_WORDS_PER_LINE = 4;
constexpr int STACK_LINE_SIZE = 80;  // the longest line is 67 characters and its terminator

// "0x%08x: " with the address of the first word (its two halves in 64-bit code), each word as "%08x ", 9 spaces for
// each missing word of a short line, the words' bytes in memory order as characters ("." for bytes outside 32 to 126),
// "\r\n". count is 1 to 4.
void FormatStackLine(ULONG_PTR address, const DWORD* words, int count, char* out);
