#include "XofWriter.h"

#include "BitWriter.h"

#include <cstdio>
#include <memory>

namespace {

void Put(Bytes& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes Sps(int width, int height, uint8_t profile, bool frameMbsOnly) {
    CBitWriter bits;
    bits.PutBits(0x67, 8);  // NAL header: sequence parameter set
    bits.PutBits(profile, 8);
    bits.PutBits(0, 8);
    bits.PutBits(30, 8);  // level
    bits.PutUnsignedExpGolomb(0);
    if (profile >= 100) {
        bits.PutUnsignedExpGolomb(1);  // 4:2:0
        bits.PutUnsignedExpGolomb(0);
        bits.PutUnsignedExpGolomb(0);
        bits.PutBits(0, 1);
        bits.PutBits(1, 1);  // scaling matrices present
        for (int i = 0; i < 8; ++i) {
            bool present = i == 0 || i == 6;
            bits.PutBits(present, 1);
            if (present) {
                // Deltas +2 then -10 reach 0 and end the list early.
                bits.PutSignedExpGolomb(2);
                bits.PutSignedExpGolomb(-10);
            }
        }
    }
    bits.PutUnsignedExpGolomb(0);  // log2 max frame number - 4
    bits.PutUnsignedExpGolomb(1);  // picture order count type 1
    bits.PutBits(0, 1);
    bits.PutSignedExpGolomb(-1);
    bits.PutSignedExpGolomb(3);
    bits.PutUnsignedExpGolomb(2);
    bits.PutSignedExpGolomb(5);
    bits.PutSignedExpGolomb(-6);
    bits.PutUnsignedExpGolomb(4);  // reference frames
    bits.PutBits(0, 1);
    int mapUnits = frameMbsOnly ? height / 16 : height / 32;
    bits.PutUnsignedExpGolomb(static_cast<uint64_t>(width / 16 - 1));
    bits.PutUnsignedExpGolomb(static_cast<uint64_t>(mapUnits - 1));
    bits.PutBits(frameMbsOnly, 1);
    bits.PutBits(1, 1);  // the rest of the set, not read
    return bits.Bytes();
}

}  // namespace

CXofWriter::CXofWriter(uint8_t version, uint32_t dataOffset) {
    m_bytes = {'F', 'L', 'V', version, 0x05};
    Put(m_bytes, dataOffset, 4);
    while (m_bytes.size() < dataOffset) m_bytes.push_back(0);
}

void CXofWriter::AddTag(uint8_t type, uint32_t timestampMs, const Bytes& data) {
    AddTagWithPreviousSize(type, timestampMs, data, m_lastSize);
}

void CXofWriter::AddTagWithPreviousSize(uint8_t type, uint32_t timestampMs, const Bytes& data, uint32_t previousSize) {
    m_tagStarts.push_back(m_bytes.size());
    Put(m_bytes, previousSize, 4);
    m_bytes.push_back(type);
    Put(m_bytes, data.size(), 3);
    Put(m_bytes, timestampMs & 0xFFFFFF, 3);
    m_bytes.push_back(static_cast<uint8_t>(timestampMs >> 24));
    Put(m_bytes, 0, 3);
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    m_lastSize = static_cast<uint32_t>(data.size() + 11);
}

Bytes CXofWriter::Finish() const {
    Bytes out = m_bytes;
    Put(out, m_lastSize, 4);
    return out;
}

Bytes AudioData(uint8_t format, uint8_t rate, uint8_t size, uint8_t type, const Bytes& body) {
    Bytes out{static_cast<uint8_t>((format << 4) | (rate << 2) | (size << 1) | type)};
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes PcmAudio(uint8_t rate, uint8_t size16, uint8_t stereo, size_t bytes) {
    return AudioData(0, rate, size16, stereo, Pattern(bytes, 7));
}

Bytes Mp3Audio(size_t bodyBytes) {
    // Silence: zero side information and main data.
    Bytes body{0xFF, 0xFB, 0x90, 0x00};
    body.resize(4 + bodyBytes, 0);
    return AudioData(2, 3, 1, 1, body);
}

Bytes NellymoserAudio(uint8_t format, size_t bytes) { return AudioData(format, 1, 1, 0, Pattern(bytes, 5)); }

Bytes AacConfig(uint8_t objectType, uint8_t rateIndex, uint8_t channelIndex) {
    CBitWriter bits;
    bits.PutBits(objectType, 5);
    bits.PutBits(rateIndex, 4);
    bits.PutBits(channelIndex, 4);
    bits.PutBits(0, 3);
    Bytes body{0};  // packet type 0: configuration
    Bytes config = bits.Bytes();
    body.insert(body.end(), config.begin(), config.end());
    return AudioData(10, 3, 1, 1, body);
}

Bytes AacRaw(size_t bytes) { return AudioData(10, 3, 1, 1, Concat(Bytes{1}, Pattern(bytes, 3))); }

Bytes H263Frame(uint8_t frameType, uint8_t sizeCode, uint16_t width, uint16_t height, size_t bodyBytes) {
    CBitWriter bits;
    bits.PutBits((frameType << 4) | 2, 8);
    bits.PutBits(1, 17);  // picture start code
    bits.PutBits(0, 13);  // version and temporal reference
    bits.PutBits(sizeCode, 3);
    if (sizeCode == 0) {
        bits.PutBits(width, 8);
        bits.PutBits(height, 8);
    } else if (sizeCode == 1) {
        bits.PutBits(width, 16);
        bits.PutBits(height, 16);
    }
    bits.PutBits(frameType == 1 ? 0 : 1, 2);  // picture type
    return Concat(bits.Bytes(), Pattern(bodyBytes, frameType));
}

Bytes Vp6Frame(uint8_t frameType, bool alpha, int width, int height, int displayWidth, int displayHeight,
               uint8_t adjustment, bool inter, size_t bodyBytes) {
    CBitWriter bits;
    bits.PutBits((frameType << 4) | (alpha ? 5 : 4), 8);
    if (alpha) bits.PutBits(0x000100, 24);  // offset of the alpha data
    bits.PutBits(adjustment, 8);
    bits.PutBits(inter, 1);
    bits.PutBits(0, 6);  // quantiser
    bits.PutBits(0, 1);  // separated coefficients
    bits.PutBits(0, 5);  // version
    bits.PutBits(0, 2);  // filter header 0: a 16-bit field follows
    bits.PutBits(0, 1);
    bits.PutBits(0, 16);
    bits.PutBits(height / 16, 8);
    bits.PutBits(width / 16, 8);
    bits.PutBits(displayHeight / 16, 8);
    bits.PutBits(displayWidth / 16, 8);
    return Concat(bits.Bytes(), Pattern(bodyBytes, 11));
}

Bytes AvcConfigRecord(int width, int height, uint8_t profile, bool frameMbsOnly) {
    Bytes sps = Sps(width, height, profile, frameMbsOnly);
    Bytes pps{0x68, 0xCE, 0x3C, 0x80};
    Bytes record{1, profile, 0, 30, 0xFF, 0xE1};
    Put(record, sps.size(), 2);
    record.insert(record.end(), sps.begin(), sps.end());
    record.push_back(1);
    Put(record, pps.size(), 2);
    record.insert(record.end(), pps.begin(), pps.end());
    return record;
}

Bytes AvcConfig(int width, int height, uint8_t profile, bool frameMbsOnly) {
    Bytes out{0x17, 0, 0, 0, 0};  // key frame, codec 7, packet type 0, composition 0
    Bytes record = AvcConfigRecord(width, height, profile, frameMbsOnly);
    out.insert(out.end(), record.begin(), record.end());
    return out;
}

Bytes AvcFrame(uint8_t frameType, int32_t compositionOffsetMs, size_t bodyBytes) {
    Bytes out{static_cast<uint8_t>((frameType << 4) | 7), 1};
    Put(out, static_cast<uint32_t>(compositionOffsetMs) & 0xFFFFFF, 3);
    return Concat(out, Pattern(bodyBytes, frameType));
}

Bytes Pattern(size_t bytes, uint32_t seed) {
    Bytes out(bytes);
    uint32_t x = seed * 2654435761u + 1;
    for (auto& b : out) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    return out;
}

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes MakeMovie(const XofMovie& movie, std::vector<XofTagSpec>* tags) {
    CXofWriter writer;
    auto add = [&](uint8_t type, uint32_t ms, const Bytes& data) {
        if (movie.brokenPreviousSizes && writer.TagCount() > 0)
            writer.AddTagWithPreviousSize(type, ms, data, 0);
        else
            writer.AddTag(type, ms, data);
        if (tags) tags->push_back({type, ms, data});
    };
    for (int i = 0; i < movie.frames; ++i) {
        uint32_t ms = static_cast<uint32_t>(i) * movie.frameMs;
        if (movie.video) {
            bool key = i % movie.keyInterval == 0;
            add(9, ms, H263Frame(key ? 1 : 2, 5, 0, 0, movie.videoBytes));
        }
        if (movie.audio) add(8, ms, Mp3Audio(movie.audioBytes));
    }
    return writer.Finish();
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}
