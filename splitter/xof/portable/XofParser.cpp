#include "XofParser.h"

#include "AvcConfig.h"

#include <algorithm>

namespace {

constexpr int kTagHeaderSize = 15;
constexpr int kMaxOpenTags = 100;
constexpr int64_t kTailScan = 262144;
constexpr int64_t kFirstStep = 262144;
constexpr int kMaxSeekRounds = 48;
constexpr int64_t kUnitsPerMs = 10000;
// Payloads from this size on are lent from the reader's cache instead of copied.
constexpr int64_t kLentPayloadBytes = 16384;
constexpr uint32_t kMaxConfigSize = 0xFFFF;  // WAVEFORMATEX's cbSize

const uint32_t kAacRates[13] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                22050, 16000, 12000, 11025, 8000,  7350};
const uint16_t kAacChannels[8] = {0, 1, 2, 3, 4, 5, 6, 8};

int64_t TagTime(const XofTagHeader& h) { return static_cast<int64_t>(h.TimeStamp) * kUnitsPerMs; }

}  // namespace

CXofParser::CXofParser(CCachedBitReader& file) : m_file(file) {}

bool CXofParser::ReadTagHeader(XofTagHeader& h) {
    if (m_file.GetRemaining() < kTagHeaderSize) return false;
    m_file.ClearReadError();
    h.PreviousTagSize = static_cast<uint32_t>(m_file.ReadBits(32));
    h.TagType = static_cast<uint32_t>(m_file.ReadBits(8));
    h.DataSize = static_cast<uint32_t>(m_file.ReadBits(24));
    h.TimeStamp = static_cast<uint32_t>(m_file.ReadBits(24));
    h.TimeStamp |= static_cast<uint32_t>(m_file.ReadBits(8)) << 24;
    h.StreamID = static_cast<uint32_t>(m_file.ReadBits(24));
    return !m_file.HasReadError() && m_file.GetRemaining() >= h.DataSize;
}

bool CXofParser::ReadAudioTagHeader(XofAudioTagHeader& h) {
    if (m_file.GetRemaining() < 1) return false;
    h.SoundFormat = static_cast<uint32_t>(m_file.ReadBits(4));
    h.SoundRate = static_cast<uint32_t>(m_file.ReadBits(2));
    h.SoundSize = static_cast<uint32_t>(m_file.ReadBits(1));
    h.SoundType = static_cast<uint32_t>(m_file.ReadBits(1));
    return true;
}

bool CXofParser::ReadVideoTagHeader(XofVideoTagHeader& h) {
    if (m_file.GetRemaining() < 1) return false;
    h.FrameType = static_cast<uint32_t>(m_file.ReadBits(4));
    h.CodecID = static_cast<uint32_t>(m_file.ReadBits(4));
    return true;
}

int32_t CXofParser::Open(std::vector<XofStreamFormat>& streams, int64_t& duration) {
    streams.clear();
    duration = 0;
    m_duration = 0;
    m_hasAudio = m_hasVideo = false;
    m_ignorePrevSizes = false;
    m_file.Seek(0);
    m_file.ClearReadError();
    if (m_file.ReadBits(24) != 0x464C56 || m_file.ReadBits(8) != 1) return RESULT_FAIL;
    m_file.ReadBits(5);
    m_file.ReadBits(1);
    m_file.ReadBits(1);
    m_file.ReadBits(1);
    m_dataOffset = static_cast<uint32_t>(m_file.ReadBits(32));
    if (m_file.HasReadError()) return RESULT_FAIL;
    m_file.Seek(m_dataOffset);

    bool lookForAudio = true, lookForVideo = true;
    uint32_t expectedPrevSize = 0;
    XofTagHeader tag;
    for (int i = 0; i < kMaxOpenTags && (lookForAudio || lookForVideo) && ReadTagHeader(tag); ++i) {
        int64_t next = m_file.GetPosition() + tag.DataSize;
        if (i > 0 && tag.PreviousTagSize != expectedPrevSize) m_ignorePrevSizes = true;
        expectedPrevSize = tag.DataSize + 11;

        XofStreamFormat format;
        bool made = false;
        if (tag.TagType == XOF_TAG_AUDIO && tag.DataSize > 0 && lookForAudio) {
            XofAudioTagHeader audio;
            if (ReadAudioTagHeader(audio)) {
                lookForAudio = false;
                made = ReadAudioFormat(tag, audio, format, lookForAudio);
            }
        } else if (tag.TagType == XOF_TAG_VIDEO && tag.DataSize > 0 && lookForVideo) {
            made = ReadVideoFormat(tag, format, lookForVideo);
        }
        if (made) {
            format.track = tag.TagType;
            (tag.TagType == XOF_TAG_AUDIO ? m_hasAudio : m_hasVideo) = true;
            streams.push_back(std::move(format));
        }
        m_file.Seek(next);
    }

    if (m_file.IsRandomAccess()) m_duration = ScanDuration();
    duration = m_duration;
    return streams.empty() ? RESULT_FAIL : RESULT_OK;
}

bool CXofParser::ReadAudioFormat(const XofTagHeader& tag, const XofAudioTagHeader& audio, XofStreamFormat& f,
                                 bool& lookAgain) {
    f.kind = XofFormatKind::WaveFormatEx;
    f.samplesPerSec = (44100u << audio.SoundRate) / 8;
    f.bitsPerSample = static_cast<uint16_t>(8 * (audio.SoundSize + 1));
    f.channels = static_cast<uint16_t>(audio.SoundType + 1);
    switch (audio.SoundFormat) {
        case 0:
            f.formatTag = 1;
            f.subtype = 1;
            f.blockAlign = static_cast<uint16_t>(f.channels * f.bitsPerSample / 8);
            f.avgBytesPerSec = f.samplesPerSec * f.blockAlign;
            return true;
        case 1:
            f.subtype = XofFourCC('A', 'S', 'W', 'F');
            return true;
        case 2: {
            f.formatTag = 0x55;
            f.subtype = 0x55;
            MpegAudioHeader mpeg;
            if (ReadMpegAudioHeader(m_file, 4, false, mpeg)) {
                f.kind = XofFormatKind::MpegAudio;
                f.mpeg = mpeg;
            }
            return true;
        }
        case 5:
            f.subtype = XofFourCC('N', 'E', 'L', 'L');
            f.samplesPerSec = 8000;
            return true;
        case 6:
            f.subtype = XofFourCC('N', 'E', 'L', 'L');
            return true;
        case 10:
            break;
        default:
            return false;
    }

    // AAC: only a configuration packet (type 0) describes the stream.
    if (tag.DataSize < 2 || m_file.ReadBits(8) != 0) {
        lookAgain = true;
        return false;
    }
    int64_t configOffset = m_file.GetPosition();
    uint32_t configSize = tag.DataSize - 2;
    if (configSize < 2 || configSize > kMaxConfigSize) return false;
    m_file.ReadBits(5);
    uint32_t rateIndex = static_cast<uint32_t>(m_file.ReadBits(4));
    uint32_t channelIndex = static_cast<uint32_t>(m_file.ReadBits(4));
    if (m_file.HasReadError() || rateIndex > 12 || channelIndex > 7) return false;
    f.samplesPerSec = kAacRates[rateIndex];
    f.channels = kAacChannels[channelIndex];
    f.bitsPerSample = 16;
    f.formatTag = 0xFF;
    f.subtype = 0xFF;
    f.extra.resize(configSize);
    m_file.Seek(configOffset);
    return m_file.ReadBytes(f.extra.data(), configSize) == RESULT_OK;
}

bool CXofParser::ReadVideoFormat(const XofTagHeader& tag, XofStreamFormat& f, bool& lookAgain) {
    XofVideoTagHeader video;
    if (!ReadVideoTagHeader(video) || video.FrameType != 1)
        return false;  // still looked for: the next key frame may describe the stream
    lookAgain = false;
    f.kind = XofFormatKind::VideoInfo;
    switch (video.CodecID) {
        case 2:
            return ReadH263Format(f);
        case 5:
            m_file.ReadBits(24);
            return ReadVp6Format(f, lookAgain);
        case 4:
            return ReadVp6Format(f, lookAgain);
        case 7:
            return ReadAvcFormat(tag, f, lookAgain);
        default:
            lookAgain = true;
            return false;
    }
}

bool CXofParser::ReadH263Format(XofStreamFormat& f) {
    if (m_file.ReadBits(17) != 1) return false;
    m_file.ReadBits(13);
    int32_t width = 0, height = 0;
    switch (m_file.ReadBits(3)) {
        case 0:
            width = static_cast<int32_t>(m_file.ReadBits(8));
            height = static_cast<int32_t>(m_file.ReadBits(8));
            break;
        case 1:
            width = static_cast<int32_t>(m_file.ReadBits(16));
            height = static_cast<int32_t>(m_file.ReadBits(16));
            break;
        case 2:
            width = 352;
            height = 288;
            break;
        case 3:
            width = 176;
            height = 144;
            break;
        case 4:
            width = 128;
            height = 96;
            break;
        case 5:
            width = 320;
            height = 240;
            break;
        case 6:
            width = 160;
            height = 120;
            break;
        default:
            break;
    }
    if (m_file.HasReadError() || width == 0 || height == 0) return false;
    f.width = f.sourceRight = width;
    f.height = f.sourceBottom = height;
    f.subtype = XofFourCC('F', 'L', 'V', '1');
    return true;
}

bool CXofParser::ReadVp6Format(XofStreamFormat& f, bool& lookAgain) {
    uint32_t adjustment = static_cast<uint32_t>(m_file.ReadBits(8));
    if (m_file.ReadBits(1) == 1) {  // an inter frame tells no size
        lookAgain = true;
        return false;
    }
    m_file.ReadBits(6);
    uint64_t separatedCoefficients = m_file.ReadBits(1);
    m_file.ReadBits(5);
    uint64_t filterHeader = m_file.ReadBits(2);
    m_file.ReadBits(1);
    if (separatedCoefficients == 1 || filterHeader == 0) m_file.ReadBits(16);
    int32_t h = static_cast<int32_t>(m_file.ReadBits(8)) * 16;
    int32_t w = static_cast<int32_t>(m_file.ReadBits(8)) * 16;
    int32_t dh = static_cast<int32_t>(m_file.ReadBits(8)) * 16;
    int32_t dw = static_cast<int32_t>(m_file.ReadBits(8)) * 16;
    if (m_file.HasReadError()) return false;
    if ((dw != 0 && dw != w) || (dh != 0 && dh != h)) {
        f.kind = XofFormatKind::VideoInfo2;
        f.aspectX = static_cast<uint32_t>(dw);
        f.aspectY = static_cast<uint32_t>(dh);
    }
    f.width = w;
    f.height = h;
    f.sourceRight = w - static_cast<int32_t>(adjustment >> 4);
    f.sourceBottom = h - static_cast<int32_t>(adjustment & 0x0F);
    f.subtype = XofFourCC('F', 'L', 'V', '4');
    return true;
}

bool CXofParser::ReadAvcFormat(const XofTagHeader& tag, XofStreamFormat& f, bool& lookAgain) {
    if (tag.DataSize < 5 || m_file.ReadBits(8) != 0) {
        lookAgain = true;
        return false;
    }
    m_file.ReadBits(24);
    std::vector<uint8_t> record(tag.DataSize - 5);
    if (m_file.HasReadError() || m_file.ReadBytes(record.data(), static_cast<int64_t>(record.size())) != RESULT_OK)
        return false;
    f.kind = XofFormatKind::Mpeg2Video;
    if (!ParseAvcConfig(record.data(), record.size(), f)) return false;
    f.sourceRight = f.width;
    f.sourceBottom = f.height;
    f.subtype = XofFourCC('A', 'V', 'C', '1');
    return true;
}

int64_t CXofParser::ScanDuration() {
    int64_t position = std::max<int64_t>(m_dataOffset, m_file.GetLength() - kTailScan);
    int64_t duration = 0;
    // A last tag longer than the tail is stepped over backwards.
    if (!ResyncAtOrBefore(position)) return 0;
    XofTagHeader tag;
    while (ReadTagHeader(tag)) {
        int64_t next = m_file.GetPosition() + tag.DataSize;
        XofAudioTagHeader audio;
        XofVideoTagHeader video;
        if ((tag.TagType == XOF_TAG_AUDIO && ReadAudioTagHeader(audio)) ||
            (tag.TagType == XOF_TAG_VIDEO && ReadVideoTagHeader(video)))
            duration = std::max(duration, TagTime(tag));
        m_file.Seek(next);
    }
    return duration;
}

bool CXofParser::ResyncToTag(int64_t& position) {
    const int64_t length = m_file.GetLength();
    m_file.Seek(position);
    while (m_file.GetRemaining() >= kTagHeaderSize) {
        uint64_t type = m_file.ReadBits(8);
        if (type != XOF_TAG_AUDIO && type != XOF_TAG_VIDEO) {
            if (m_file.GetRemaining() < kTagHeaderSize) return false;
            continue;
        }
        // The found byte is a tag type, preceded by the previous-size field.
        int64_t candidate = m_file.GetPosition() - 5;
        XofTagHeader tag, following;
        bool accept = false;
        if (candidate >= 0) {
            m_file.Seek(candidate);
            if (ReadTagHeader(tag)) {
                int64_t next = m_file.GetPosition() + tag.DataSize;
                if (next == length - 4) {
                    accept = true;
                } else if (next <= length - 19) {
                    m_file.Seek(next);
                    if (ReadTagHeader(following) &&
                        (following.TagType == XOF_TAG_AUDIO || following.TagType == XOF_TAG_VIDEO ||
                         following.TagType == XOF_TAG_SCRIPT)) {
                        bool chained = following.PreviousTagSize == tag.DataSize + 11;
                        bool closeInTime = m_ignorePrevSizes && following.TimeStamp >= tag.TimeStamp &&
                                           following.TimeStamp - tag.TimeStamp <= 1000;
                        accept = chained || closeInTime;
                    }
                }
            }
        }
        if (accept) {
            position = candidate;
            m_file.Seek(candidate);
            return true;
        }
        m_file.Seek(candidate + 5);
    }
    return false;
}

bool CXofParser::ResyncAtOrBefore(int64_t position) {
    // Steps back by a doubling distance when nothing genuine follows the position
    // (a position inside the last tag, or past the end).
    for (int64_t step = kFirstStep;; step *= 2) {
        int64_t found = position;
        if (ResyncToTag(found)) return true;
        if (position <= m_dataOffset) return false;
        position = std::max<int64_t>(position - step, m_dataOffset);
    }
}

int64_t CXofParser::EstimatePosition(int64_t time) {
    int64_t length = m_file.GetLength();
    double fraction = static_cast<double>(time) / static_cast<double>(m_duration);
    double estimate = m_dataOffset + static_cast<double>(length - m_dataOffset) * fraction;
    if (!(estimate >= m_dataOffset)) return m_dataOffset;
    return estimate >= static_cast<double>(length) ? length : static_cast<int64_t>(estimate);
}

void CXofParser::Seek(int64_t time) {
    if (m_duration == 0 || time <= 0)
        m_file.Seek(m_dataOffset);
    else if (m_ignorePrevSizes)
        SeekSteppingBack(time);
    else
        SeekWalkingBack(time);
}

void CXofParser::SeekWalkingBack(int64_t time) {
    bool needAudio = m_hasAudio, needVideo = m_hasVideo;
    if (!ResyncAtOrBefore(EstimatePosition(time))) {
        m_file.Seek(m_dataOffset);
        return;
    }
    // Forward to the first tag at or after the time; at the end of the data, walk
    // back from the last tag.
    XofTagHeader tag;
    int64_t lastTagStart = -1;
    for (;;) {
        int64_t tagStart = m_file.GetPosition();
        if (!ReadTagHeader(tag)) {
            if (lastTagStart >= 0) m_file.Seek(lastTagStart);
            break;
        }
        if (TagTime(tag) >= time) {
            m_file.Seek(tagStart);
            break;
        }
        lastTagStart = tagStart;
        m_file.Seek(m_file.GetPosition() + tag.DataSize);
    }
    // Backward along the previous-size chain until every stream has its start.
    while (m_file.GetPosition() >= m_dataOffset) {
        if (!needAudio && !needVideo) return;
        if (!ReadTagHeader(tag)) break;
        int64_t previous = m_file.GetPosition() - 19 - static_cast<int64_t>(tag.PreviousTagSize);
        if (TagTime(tag) <= time) {
            XofAudioTagHeader audio;
            XofVideoTagHeader video;
            if (tag.TagType == XOF_TAG_AUDIO && ReadAudioTagHeader(audio))
                needAudio = false;
            else if (tag.TagType == XOF_TAG_VIDEO && ReadVideoTagHeader(video) && video.FrameType == 1)
                needVideo = false;
        }
        if (previous < 0) break;
        m_file.Seek(previous);
    }
    if (needAudio || needVideo) m_file.Seek(m_dataOffset);
}

void CXofParser::SeekSteppingBack(int64_t time) {
    const bool needAudio = m_hasAudio, needVideo = m_hasVideo;
    int64_t estimate = EstimatePosition(time);
    int64_t step = kFirstStep;
    for (int round = 0; round < kMaxSeekRounds; ++round) {
        bool foundAudio = false, foundVideo = false;
        int64_t best = 0;
        estimate = std::max<int64_t>(estimate - step, m_dataOffset);
        const bool fromStart = estimate == m_dataOffset;
        step *= 2;
        if (ResyncToTag(estimate)) {
            XofTagHeader tag;
            while (ReadTagHeader(tag) && TagTime(tag) < time) {
                int64_t tagStart = m_file.GetPosition() - kTagHeaderSize;
                int64_t next = m_file.GetPosition() + tag.DataSize;
                XofAudioTagHeader audio;
                XofVideoTagHeader video;
                if (tag.TagType == XOF_TAG_AUDIO && ReadAudioTagHeader(audio) && needAudio) {
                    foundAudio = true;
                    if (!needVideo) best = tagStart;
                } else if (tag.TagType == XOF_TAG_VIDEO && ReadVideoTagHeader(video) && video.FrameType == 1 &&
                           needVideo) {
                    foundVideo = true;
                    best = tagStart;
                }
                m_file.Seek(next);
            }
        }
        if ((foundAudio || !needAudio) && (foundVideo || !needVideo)) {
            m_file.Seek(best);
            return;
        }
        if (fromStart) break;
    }
    m_file.Seek(m_dataOffset);
}

XofReadStatus CXofParser::ReadNext(std::unique_ptr<Packet>& packet) {
    packet.reset();
    XofTagHeader tag;
    if (m_file.GetRemaining() <= 0 || !ReadTagHeader(tag)) return XofReadStatus::End;
    const int64_t next = m_file.GetPosition() + tag.DataSize;
    int64_t compositionOffset = 0;
    bool syncPoint = true;
    bool usable = tag.DataSize > 0;
    if (usable && tag.TagType == XOF_TAG_VIDEO) {
        XofVideoTagHeader video;
        usable = ReadVideoTagHeader(video) && video.FrameType != 5;
        if (usable) {
            syncPoint = video.FrameType == 1;
            if (video.CodecID == 4) {
                m_file.ReadBits(8);
            } else if (video.CodecID == 5) {
                m_file.ReadBits(32);
            } else if (video.CodecID == 7) {
                usable = m_file.ReadBits(8) == 1;
                // A signed 24-bit offset: frames shown before they are decoded.
                int64_t offset = static_cast<int64_t>(m_file.ReadBits(24));
                compositionOffset = offset >= 0x800000 ? offset - 0x1000000 : offset;
            }
        }
    } else if (usable && tag.TagType == XOF_TAG_AUDIO) {
        XofAudioTagHeader audio;
        usable = ReadAudioTagHeader(audio) && (audio.SoundFormat != 10 || m_file.ReadBits(8) == 1);
    } else {
        usable = false;
    }
    XofReadStatus status = XofReadStatus::Skipped;
    int64_t position = m_file.GetPosition();
    if (usable && position < next) {
        auto p = std::make_unique<Packet>(m_pools ? m_pools(tag.TagType) : nullptr);
        p->TrackNumber = tag.TagType;
        p->rtStart = (static_cast<int64_t>(tag.TimeStamp) + compositionOffset) * kUnitsPerMs;
        p->rtStop = p->rtStart + 1;
        p->bSyncPoint = syncPoint;
        const int64_t size = next - position;
        // A large payload stays in the reader's cache block; a small one is copied,
        // so that it does not keep a whole block alive.
        std::shared_ptr<uint8_t> shared = size >= kLentPayloadBytes ? m_file.ReadShared(size) : nullptr;
        if (shared)
            p->SetSharedData(std::move(shared), static_cast<size_t>(size));
        else if (!p->SetDataSize(static_cast<size_t>(size)) || m_file.ReadBytes(p->GetData(), size) != RESULT_OK)
            return XofReadStatus::End;
        packet = std::move(p);
        status = XofReadStatus::Packet;
    }
    m_file.Seek(next);
    return status;
}
