#include "AvcConfig.h"

#include "portable/MemoryByteSource.h"

namespace {

constexpr uint64_t kMaxMacroblocks = 4096;  // 65536 pixels a side

void SkipScalingList(CCachedBitReader& bits, int size) {
    int64_t next = 8;
    for (int j = 0; j < size && next != 0 && !bits.HasReadError(); ++j)
        next = ((next + bits.ReadSignedExpGolomb()) % 256 + 256) % 256;
}

// The sequence parameter set from profile_idc up to frame_mbs_only_flag.
bool ParseSequenceParameterSet(const uint8_t* sps, size_t size, XofStreamFormat& format) {
    CMemoryByteSource source(sps, size);
    int32_t hr = RESULT_OK;
    CCachedBitReader bits(&source, &hr, 0, true, false);
    if (ResultFailed(hr)) return false;
    format.profile = static_cast<uint32_t>(bits.ReadBits(8));
    bits.ReadBits(8);
    format.level = static_cast<uint32_t>(bits.ReadBits(8));
    bits.ReadUnsignedExpGolomb();  // id
    if (format.profile >= 100) {
        if (bits.ReadUnsignedExpGolomb() == 3)  // chroma format
            bits.ReadBits(1);
        bits.ReadUnsignedExpGolomb();  // luma bit depth
        bits.ReadUnsignedExpGolomb();  // chroma bit depth
        bits.ReadBits(1);
        if (bits.ReadBits(1)) {
            for (int i = 0; i < 8 && !bits.HasReadError(); ++i) {
                if (bits.ReadBits(1)) SkipScalingList(bits, i < 6 ? 16 : 64);
            }
        }
    }
    bits.ReadUnsignedExpGolomb();  // log2 max frame number
    uint64_t pocType = bits.ReadUnsignedExpGolomb();
    if (pocType == 0) {
        bits.ReadUnsignedExpGolomb();
    } else if (pocType == 1) {
        bits.ReadBits(1);
        bits.ReadSignedExpGolomb();
        bits.ReadSignedExpGolomb();
        uint64_t count = bits.ReadUnsignedExpGolomb();
        if (count > 255) return false;
        for (uint64_t i = 0; i < count && !bits.HasReadError(); ++i) bits.ReadSignedExpGolomb();
    }
    bits.ReadUnsignedExpGolomb();  // reference frames
    bits.ReadBits(1);
    uint64_t widthMbs = bits.ReadUnsignedExpGolomb() + 1;
    uint64_t heightUnits = bits.ReadUnsignedExpGolomb() + 1;
    uint64_t frameMbsOnly = bits.ReadBits(1);
    if (bits.HasReadError() || widthMbs > kMaxMacroblocks || heightUnits > kMaxMacroblocks) return false;
    format.width = static_cast<int32_t>(widthMbs * 16);
    format.height = static_cast<int32_t>((2 - frameMbsOnly) * heightUnits * 16);
    format.aspectX = static_cast<uint32_t>(format.width);
    format.aspectY = static_cast<uint32_t>(format.height);
    return true;
}

// Copies count length-prefixed sets from record[pos]; false when one does not fit.
bool CopyParameterSets(const uint8_t* record, size_t size, size_t& pos, unsigned count, std::vector<uint8_t>& out) {
    for (unsigned i = 0; i < count; ++i) {
        if (pos + 2 > size) return false;
        size_t length = (size_t{record[pos]} << 8) | record[pos + 1];
        if (pos + 2 + length > size) return false;
        out.insert(out.end(), record + pos, record + pos + 2 + length);
        pos += 2 + length;
    }
    return true;
}

}  // namespace

bool ParseAvcConfig(const uint8_t* record, size_t size, XofStreamFormat& format) {
    // Version, profile, compatibility, level, length size, SPS count, the first SPS's
    // length and its NAL header come before its payload at byte 9.
    if (size < 10) return false;
    format.flags = (record[4] & 3) + 1;
    size_t spsLength = (size_t{record[6]} << 8) | record[7];
    if (spsLength < 2 || 8 + spsLength > size) return false;
    if (!ParseSequenceParameterSet(record + 9, spsLength - 1, format)) return false;
    format.bitCount = 24;
    size_t pos = 5;
    unsigned spsCount = record[pos++] & 0x1F;
    if (CopyParameterSets(record, size, pos, spsCount, format.extra) && pos < size) {
        unsigned ppsCount = record[pos++];
        CopyParameterSets(record, size, pos, ppsCount, format.extra);
    }
    return true;
}
