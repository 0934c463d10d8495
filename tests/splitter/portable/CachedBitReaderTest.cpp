#include "portable/CachedBitReader.h"
#include "portable/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
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
    explicit Reader(std::vector<uint8_t> data, int cache = 16, bool streaming = false) : source(std::move(data)) {
        source.streaming = streaming;
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

std::vector<uint8_t> Counting(size_t size) {
    std::vector<uint8_t> data(size);
    std::iota(data.begin(), data.end(), 0);
    return data;
}

std::vector<uint8_t> Range(const std::vector<uint8_t>& data, size_t start, size_t count) {
    return std::vector<uint8_t>(data.begin() + start, data.begin() + start + count);
}

// Lent bytes stay the file's while the reader fills its cache again and again, also
// bytes that straddled a block edge (the fill starts at them).
TEST(CachedBitReader, LentBytesKeepTheirBlockWhileReadingGoesOn) {
    const std::vector<uint8_t> data = Counting(200);
    Reader r(data, 16);
    std::vector<std::shared_ptr<uint8_t>> lent;
    std::vector<size_t> starts;
    for (size_t start : {3, 14, 40, 90}) {
        r.file->Seek(static_cast<int64_t>(start));
        lent.push_back(r.file->ReadShared(10));
        ASSERT_TRUE(lent.back()) << start;
        starts.push_back(start);
        EXPECT_EQ(r.file->GetPosition(), static_cast<int64_t>(start + 10));
        // Reading on past the lent bytes refills the cache.
        std::vector<uint8_t> rest(40);
        ASSERT_EQ(r.file->ReadBytes(rest.data(), rest.size()), RESULT_OK);
        EXPECT_EQ(rest, Range(data, start + 10, 40));
    }
    for (size_t i = 0; i < lent.size(); ++i)
        EXPECT_EQ(std::vector<uint8_t>(lent[i].get(), lent[i].get() + 10), Range(data, starts[i], 10)) << starts[i];
}

// Whoever holds lent bytes may write to them: reading them again comes from the source.
TEST(CachedBitReader, ReadingLentBytesAgainReadsTheSource) {
    const std::vector<uint8_t> data = Counting(64);
    Reader r(data, 32);
    uint8_t first[2];
    ASSERT_EQ(r.file->ReadBytes(first, 2), RESULT_OK);  // the cache holds bytes 0 to 31
    r.file->Seek(4);
    std::shared_ptr<uint8_t> lent = r.file->ReadShared(8);
    ASSERT_TRUE(lent);
    std::fill(lent.get(), lent.get() + 8, 0xEE);
    const int readsBefore = r.source.reads;
    r.file->Seek(2);
    std::vector<uint8_t> again(12);
    ASSERT_EQ(r.file->ReadBytes(again.data(), again.size()), RESULT_OK);
    EXPECT_EQ(again, Range(data, 2, 12));
    EXPECT_EQ(r.source.reads, readsBefore + 1);
}

struct LendCase {
    const char* name;
    int cache;
    int64_t position, count;
    bool streaming, failReads;
};

class LendRefused : public testing::TestWithParam<LendCase> {};

// Bytes that cannot be lent are not read: the position stays, for a copying read.
TEST_P(LendRefused, LeavesThePosition) {
    const LendCase& c = GetParam();
    Reader r(Counting(64), c.cache, c.streaming);
    r.source.failReads = c.failReads;
    r.file->Seek(c.position);
    const int64_t before = r.file->GetPosition();
    EXPECT_FALSE(r.file->ReadShared(c.count));
    EXPECT_EQ(r.file->GetPosition(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, LendRefused,
                         testing::Values(LendCase{"NoCache", 0, 0, 8, false, false},
                                         LendCase{"MoreThanTheCache", 16, 0, 17, false, false},
                                         LendCase{"PastTheEnd", 16, 60, 8, false, false},
                                         LendCase{"NothingToLend", 16, 0, 0, false, false},
                                         LendCase{"StreamingSource", 16, 0, 8, true, false},
                                         LendCase{"FailedRead", 16, 0, 8, false, true}),
                         [](const testing::TestParamInfo<LendCase>& info) { return info.param.name; });

}  // namespace
