// Bounded 8-bit texts in fixed buffers, for code that must not touch the heap.
#pragma once

// Appends text to the terminated out (size bytes); false, with out unchanged, when it does not fit.
bool AppendText(char* out, int size, const char* text);
// out = first + second + third; false, with out empty, when they do not fit.
bool JoinText(char* out, int size, const char* first, const char* second, const char* third = "");
// The part after the last backslash.
const char* FilePart(const char* path);
// Cuts path after its last backslash (the folder with its backslash); "" when it has none.
void KeepFolder(char* path);
// Converts UTF-8 text into code page 936 (the product's 8-bit texts); "" when it cannot.
void ChineseText(const char* utf8, char* out, int size);
