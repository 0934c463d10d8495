#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StackDumpLine.h"

namespace {

// The address as the log writes it: 8 digits, 16 in 64-bit programs.
std::string Expected(const char* line32) {
    return sizeof(ULONG_PTR) == 8 ? std::string("0x00000000") + (line32 + 2) : line32;
}

TEST(StackDumpLine, WordsThenTheirBytesAsCharacters) {
    const struct {
        ULONG_PTR address;
        DWORD words[4];
        int count;
        const char* line;
    } cases[] = {
        {0x0012ff00,
         {0x64636261, 0x68676665, 0x6c6b6a69, 0x706f6e6d},
         4,
         "0x0012ff00: 64636261 68676665 6c6b6a69 706f6e6d abcdefghijklmnop\r\n"},
        // Bytes outside 32 to 126 are dots; 32 and 126 themselves are shown.
        {0xfffffff0,
         {0x7f7e201f, 0x00ff0a41, 0, 0x80818283},
         4,
         "0xfffffff0: 7f7e201f 00ff0a41 00000000 80818283 . ~.A...........\r\n"},
        // A short last line keeps the character column where full lines have it.
        {0x00000010, {0x34333231}, 1, "0x00000010: 34333231                            1234\r\n"},
        {0x00400000,
         {0x41414141, 0x42424242, 0x43434343},
         3,
         "0x00400000: 41414141 42424242 43434343          AAAABBBBCCCC\r\n"},
    };
    for (const auto& c : cases) {
        char line[STACK_LINE_SIZE];
        memset(line, '#', sizeof(line));
        FormatStackLine(c.address, c.words, c.count, line);
        EXPECT_EQ(Expected(c.line), line) << c.count;
    }
#ifdef _WIN64
    // An address past 4 GB keeps its high half.
    char line[STACK_LINE_SIZE];
    const DWORD words[] = {0x30303030};
    FormatStackLine(0x000000014000ff00, words, 1, line);
    EXPECT_EQ(std::string("0x000000014000ff00: 30303030                            0000\r\n"), line);
#endif
}

}  // namespace
