// The ".xof" container: a 9-byte header, then a chain of tags each preceded by the
// size of the tag before it. The parser finds the streams and the duration, cuts the
// tags into packets and seeks by a byte estimate and resynchronisation.
#pragma once

#include "XofFormat.h"
#include "portable/Packet.h"

#include <functional>
#include <memory>

struct XofTagHeader {
    uint32_t PreviousTagSize = 0;
    uint32_t TagType = 0;
    uint32_t DataSize = 0;
    uint32_t TimeStamp = 0;  // milliseconds
    uint32_t StreamID = 0;
};

struct XofAudioTagHeader {
    uint32_t SoundFormat = 0;
    uint32_t SoundRate = 0;
    uint32_t SoundSize = 0;
    uint32_t SoundType = 0;
};

struct XofVideoTagHeader {
    uint32_t FrameType = 0;  // 1 key frame, 5 information/command frame
    uint32_t CodecID = 0;
};

enum class XofReadStatus { Packet, Skipped, End };

class CXofParser {
public:
    explicit CXofParser(CCachedBitReader& file);

    // Reads the header, the first tags (at most 100) and the tags of the last 256 KiB.
    // RESULT_OK with at least one stream, else RESULT_FAIL.
    int32_t Open(std::vector<XofStreamFormat>& streams, int64_t& duration);
    // Positions the reader so that the next packets start at or before time.
    void Seek(int64_t time);
    // The next tag: a packet, a tag passed over, or the end of the data.
    XofReadStatus ReadNext(std::unique_ptr<Packet>& packet);

    bool IgnorePreviousSizes() const { return m_ignorePrevSizes; }
    // Where the packets of a track take their payloads (unset or null: allocated each).
    using BufferPools = std::function<std::shared_ptr<IPacketBufferPool>(uint32_t track)>;
    void SetBufferPools(BufferPools pools) { m_pools = std::move(pools); }

private:
    bool ReadTagHeader(XofTagHeader& h);
    bool ReadAudioTagHeader(XofAudioTagHeader& h);
    bool ReadVideoTagHeader(XofVideoTagHeader& h);
    bool ResyncToTag(int64_t& position);
    bool ResyncAtOrBefore(int64_t position);
    void SeekWalkingBack(int64_t time);
    void SeekSteppingBack(int64_t time);
    int64_t EstimatePosition(int64_t time);
    int64_t ScanDuration();

    // Stream formats from the first suitable tag; false when the tag gives no pin.
    bool ReadAudioFormat(const XofTagHeader& tag, const XofAudioTagHeader& audio, XofStreamFormat& format,
                         bool& lookAgain);
    bool ReadVideoFormat(const XofTagHeader& tag, XofStreamFormat& format, bool& lookAgain);
    bool ReadH263Format(XofStreamFormat& format);
    bool ReadVp6Format(XofStreamFormat& format, bool& lookAgain);
    bool ReadAvcFormat(const XofTagHeader& tag, XofStreamFormat& format, bool& lookAgain);

    CCachedBitReader& m_file;
    uint32_t m_dataOffset = 0;
    bool m_ignorePrevSizes = false;
    bool m_hasAudio = false;
    bool m_hasVideo = false;
    int64_t m_duration = 0;
    BufferPools m_pools;
};
