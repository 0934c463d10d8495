#include "portable/CachedBitReader.h"
#include "portable/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

// A source that counts its reads and can fail or stream.
class CCountingSource : public IByteSource {
public:
    explicit CCountingSource(std::vector<uint8_t> data)
        : m_data(std::move(data)), m_memory(m_data.data(), m_data.size()) {}
    int32_t SyncRead(int64_t position, int32_t length, uint8_t* buffer) override {
        ++reads;
        if (failReads) return RESULT_FAIL;
        return m_memory.SyncRead(position, length, buffer);
    }
    int32_t Length(int64_t* total, int64_t* available) override {
        m_memory.Length(total, available);
        if (streaming) *total = 0;
        return RESULT_OK;
    }
    int reads = 0;
    bool failReads = false;
    bool streaming = false;

private:
    std::vector<uint8_t> m_data;
    CMemoryByteSource m_memory;
};

struct Reader {
    explicit Reader(std::vector<uint8_t> data, int cache = 16) : source(std::move(data)) {
        file = std::make_unique<CCachedBitReader>(&source, &hr, cache, false, true);
    }
    CCountingSource source;
    int32_t hr = RESULT_FAIL;
    std::unique_ptr<CCachedBitReader> file;
};

std::vector<uint8_t> Bits(std::initializer_list<uint8_t> bytes) { return std::vector<uint8_t>(bytes); }

TEST(CachedBitReader, ReadsBitFieldsAcrossBytesAndKeepsTheRest) {
    Reader r(Bits({0x12, 0x34, 0x56, 0x78}));
    ASSERT_EQ(r.hr, RESULT_OK);
    EXPECT_EQ(r.file->ReadBits(4), 0x1u);
    EXPECT_EQ(r.file->ReadBits(24), 0x234567u);
    // Four bits (0x8) remain buffered; only whole buffered bytes count as unread.
    EXPECT_EQ(r.file->GetPosition(), 4);
    EXPECT_EQ(r.file->ReadBits(4, true), 0x8u);
    EXPECT_EQ(r.file->ReadBits(4), 0x8u);
    EXPECT_FALSE(r.file->HasReadError());
}

struct ExpGolombCase {
    uint8_t byte;
    bool isSigned;
    int64_t expected;
};

class ExpGolomb : public testing::TestWithParam<ExpGolombCase> {};

TEST_P(ExpGolomb, DecodesCode) {
    Reader r(Bits({GetParam().byte, 0xFF}));
    int64_t value =
        GetParam().isSigned ? r.file->ReadSignedExpGolomb() : static_cast<int64_t>(r.file->ReadUnsignedExpGolomb());
    EXPECT_EQ(value, GetParam().expected);
    EXPECT_FALSE(r.file->HasReadError());
}

INSTANTIATE_TEST_SUITE_P(Codes, ExpGolomb,
                         testing::Values(ExpGolombCase{0b00111000, false, 6}, ExpGolombCase{0b10000000, false, 0},
                                         ExpGolombCase{0b01000000, false, 1}, ExpGolombCase{0b00100000, true, 2},
                                         ExpGolombCase{0b00101000, true, -2}, ExpGolombCase{0b01100000, true, -1}));

TEST(CachedBitReader, ReadsPastTheEndReportAnErrorInsteadOfLooping) {
    // All-zero data: an Exp-Golomb prefix that never ends.
    Reader zeros(std::vector<uint8_t>(8, 0));
    EXPECT_EQ(zeros.file->ReadUnsignedExpGolomb(), 0u);
    EXPECT_TRUE(zeros.file->HasReadError());

    Reader shortData(Bits({0xAB}));
    EXPECT_EQ(shortData.file->ReadBits(16), 0u);
    EXPECT_TRUE(shortData.file->HasReadError());

    Reader tooWide(Bits({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(tooWide.file->ReadBits(64), 0u);
    EXPECT_TRUE(tooWide.file->HasReadError());
}

TEST(CachedBitReader, SeekClampsToTheFile) {
    Reader r(std::vector<uint8_t>(10, 1));
    r.file->Seek(25);
    EXPECT_EQ(r.file->GetPosition(), 10);
    EXPECT_EQ(r.file->GetRemaining(), 0);
    r.file->Seek(-3);
    EXPECT_EQ(r.file->GetPosition(), 0);
}

TEST(CachedBitReader, ReadsAcrossTheCacheBoundaryAndBeyondIt) {
    std::vector<uint8_t> data(100);
    std::iota(data.begin(), data.end(), 0);
    for (int start : {0, 5, 14, 15, 16, 60}) {
        for (int count : {1, 2, 15, 16, 17, 33}) {
            if (start + count > 100) continue;
            Reader r(data, 16);
            r.file->Seek(start - start % 3);
            std::vector<uint8_t> warm(start % 3);
            ASSERT_EQ(r.file->ReadBytes(warm.data(), warm.size()), RESULT_OK);
            std::vector<uint8_t> out(count);
            ASSERT_EQ(r.file->ReadBytes(out.data(), count), RESULT_OK) << start << "+" << count;
            EXPECT_EQ(out, std::vector<uint8_t>(data.begin() + start, data.begin() + start + count))
                << start << "+" << count;
            EXPECT_EQ(r.file->GetPosition(), start + count);
        }
    }
}

TEST(CachedBitReader, SmallReadsComeFromTheCache) {
    Reader r(std::vector<uint8_t>(64, 7), 32);
    for (int i = 0; i < 32; ++i) r.file->ReadBits(8);
    EXPECT_EQ(r.source.reads, 1);
}

TEST(CachedBitReader, EndOfFileAndSourceFailuresAreReported) {
    Reader atEnd(std::vector<uint8_t>(4, 0));
    atEnd.file->Seek(4);
    uint8_t byte = 0;
    EXPECT_EQ(atEnd.file->ReadCached(&byte, 1), RESULT_FALSE);

    Reader failing(std::vector<uint8_t>(4, 0));
    failing.source.failReads = true;
    EXPECT_EQ(failing.file->ReadCached(&byte, 1), RESULT_FAIL);
    EXPECT_EQ(failing.file->ReadBits(8), 0u);
    EXPECT_TRUE(failing.file->HasReadError());
}

TEST(CachedBitReader, RefusesSourcesItWasNotAskedToRead) {
    CCountingSource streaming(std::vector<uint8_t>(4, 0));
    streaming.streaming = true;
    int32_t hr = RESULT_OK;
    CCachedBitReader noStreaming(&streaming, &hr, 16, false, false);
    EXPECT_EQ(hr, RESULT_FAIL);
    CCachedBitReader randomOnly(&streaming, &hr, 16, true, true);
    EXPECT_EQ(hr, RESULT_FAIL);
    CCachedBitReader none(nullptr, &hr, 16, false, false);
    EXPECT_EQ(hr, RESULT_UNEXPECTED);
}

}  // namespace
