// Writes ".xof" files tag by tag for the tests: a header, tags with chained (or
// deliberately wrong) previous sizes, and the payloads of each codec.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct XofTagSpec {
    uint8_t type = 9;
    uint32_t timestampMs = 0;
    Bytes data;
};

class CXofWriter {
public:
    explicit CXofWriter(uint8_t version = 1, uint32_t dataOffset = 9);

    // Appends a tag; its previous-size field holds the chained value unless given.
    void AddTag(uint8_t type, uint32_t timestampMs, const Bytes& data);
    void AddTagWithPreviousSize(uint8_t type, uint32_t timestampMs, const Bytes& data, uint32_t previousSize);
    // The file: header, tags and the last tag's size.
    Bytes Finish() const;
    size_t TagCount() const { return m_tagStarts.size(); }
    // File offset of tag i (its previous-size field).
    uint64_t TagStart(size_t i) const { return m_tagStarts[i]; }

private:
    Bytes m_bytes;
    uint32_t m_lastSize = 0;
    std::vector<uint64_t> m_tagStarts;
};

// Tag payloads. Audio: format 4 bits, rate 2, size 1, type 1, then the body.
Bytes AudioData(uint8_t format, uint8_t rate, uint8_t size, uint8_t type, const Bytes& body);
Bytes PcmAudio(uint8_t rate, uint8_t size16, uint8_t stereo, size_t bytes);
// An MPEG-1 layer III frame at 128 kbit/s, 44100 Hz, stereo (header FF FB 90 00).
Bytes Mp3Audio(size_t bodyBytes = 413);
Bytes NellymoserAudio(uint8_t format, size_t bytes);
Bytes AacConfig(uint8_t objectType, uint8_t rateIndex, uint8_t channelIndex);
Bytes AacRaw(size_t bytes);

// Video: frame type 4 bits, codec 4 bits, then the codec's bytes.
Bytes H263Frame(uint8_t frameType, uint8_t sizeCode, uint16_t width = 0, uint16_t height = 0, size_t bodyBytes = 32);
Bytes Vp6Frame(uint8_t frameType, bool alpha, int width, int height, int displayWidth, int displayHeight,
               uint8_t adjustment = 0, bool inter = false, size_t bodyBytes = 32);
// An AVC configuration record with one sequence and one picture parameter set.
Bytes AvcConfig(int width, int height, uint8_t profile = 66, bool frameMbsOnly = true);
Bytes AvcConfigRecord(int width, int height, uint8_t profile, bool frameMbsOnly);
Bytes AvcFrame(uint8_t frameType, int32_t compositionOffsetMs, size_t bodyBytes = 64);
// A body of the given size, filled with a pattern that depends on the seed.
Bytes Pattern(size_t bytes, uint32_t seed);
Bytes Concat(const Bytes& a, const Bytes& b);

// A regular stream: video key frames every keyInterval frames at frameMs, audio
// tags in between; for seeking and end-to-end tests.
struct XofMovie {
    int frames = 100;
    uint32_t frameMs = 40;
    int keyInterval = 10;
    bool audio = true;
    bool video = true;
    size_t videoBytes = 2000;
    size_t audioBytes = 413;           // an MP3 frame body
    bool brokenPreviousSizes = false;  // previous-size fields all 0 after the first tag
};
Bytes MakeMovie(const XofMovie& movie, std::vector<XofTagSpec>* tags = nullptr);

bool WriteFileBytes(const std::string& path, const Bytes& bytes);
