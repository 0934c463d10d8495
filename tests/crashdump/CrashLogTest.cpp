#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CrashLog.h"
#include "files/ScratchFolder.h"

namespace {

// The log with guard bytes right after its buffer.
struct GUARDED_LOG {
    CCrashLog log;
    unsigned char guard[64];
};
GUARDED_LOG s_guarded;

// Writes the pieces (each through "%s") into a file and flushes; the file's bytes.
std::string LogOf(const std::vector<std::string>& pieces, bool flush = true) {
    ScratchFolder folder;
    HANDLE file = CreateFileW(folder.File(L"crash.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    s_guarded.log.Open(file);
    for (const std::string& piece : pieces) s_guarded.log.Printf("%s", piece.c_str());
    if (flush) s_guarded.log.Flush();
    CloseHandle(file);
    return folder.Read(L"crash.log");
}

std::string Pieces(size_t count, size_t size) {
    std::string all;
    for (size_t i = 0; i < count; ++i) all += std::string(size, char('a' + i % 26));
    return all;
}

TEST(CrashLog, PiecesAcrossTheFlushLimitAllReachTheFileWithinTheBuffer) {
    const int LIMIT = CCrashLog::FLUSH_LIMIT, PIECE = CCrashLog::MAX_PIECE;
    const struct {
        const char* what;
        size_t before;  // characters pending before the last piece
        size_t last;
    } cases[] = {
        {"just under the limit", size_t(LIMIT - 1), size_t(PIECE)},
        {"at the limit", size_t(LIMIT), size_t(PIECE)},
        {"one past the limit", size_t(LIMIT + 1), size_t(PIECE)},
        {"at 7168 pending", 7168, size_t(PIECE)},
        {"a full buffer's worth", size_t(CCrashLog::BUFFER_SIZE - PIECE), size_t(PIECE)},
        {"a short last piece", size_t(LIMIT), 1},
    };
    for (const auto& c : cases) {
        memset(s_guarded.guard, 0x5A, sizeof(s_guarded.guard));
        std::vector<std::string> pieces;
        for (size_t left = c.before; left > 0;) {
            const size_t size = left < 1000 ? left : 1000;
            pieces.push_back(std::string(size, 'p'));
            left -= size;
        }
        pieces.push_back(std::string(c.last, 'L'));
        std::string expected;
        for (const std::string& piece : pieces) expected += piece;
        EXPECT_EQ(expected, LogOf(pieces)) << c.what;
        for (unsigned char byte : s_guarded.guard) ASSERT_EQ(0x5A, byte) << c.what;
    }
}

TEST(CrashLog, ManyPiecesGoOutInOrderAndTheRestWithTheLastFlush) {
    std::vector<std::string> pieces;
    for (size_t i = 0; i < 40; ++i) pieces.push_back(std::string(CCrashLog::MAX_PIECE, char('a' + i % 26)));
    EXPECT_EQ(Pieces(40, CCrashLog::MAX_PIECE), LogOf(pieces));
    // Without the flush only what passed the limit is in the file: whole pieces, in order.
    const std::string unflushed = LogOf(pieces, false);
    EXPECT_LT(unflushed.size(), 40u * CCrashLog::MAX_PIECE);
    EXPECT_EQ(0u, unflushed.size() % CCrashLog::MAX_PIECE);
    EXPECT_EQ(Pieces(unflushed.size() / CCrashLog::MAX_PIECE, CCrashLog::MAX_PIECE), unflushed);
}

TEST(CrashLog, APieceIsCutAtItsLimitAndFormatsAsTheSystemDoes) {
    EXPECT_EQ(std::string(CCrashLog::MAX_PIECE, 'x'), LogOf({std::string(3000, 'x')}));
    ScratchFolder folder;
    HANDLE file = CreateFileW(folder.File(L"f.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    s_guarded.log.Open(file);
    s_guarded.log.Printf("%s location %08x %-10d|%02x %d%%\r\n", "Write to", 0x1234, 1500, 7, 42);
    s_guarded.log.Flush();
    CloseHandle(file);
    EXPECT_EQ("Write to location 00001234 1500      |07 42%\r\n", folder.Read(L"f.log"));
}

}  // namespace
