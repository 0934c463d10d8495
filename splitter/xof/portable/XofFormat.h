// What the container parser finds out about one stream; the filter turns it into the
// pin's media type.
#pragma once

#include "portable/MpegAudioHeader.h"

#include <cstdint>
#include <vector>

constexpr uint32_t XOF_TAG_AUDIO = 8;
constexpr uint32_t XOF_TAG_VIDEO = 9;
constexpr uint32_t XOF_TAG_SCRIPT = 18;

constexpr uint32_t XofFourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

enum class XofFormatKind {
    WaveFormatEx,  // WAVEFORMATEX followed by the decoder configuration, if any
    MpegAudio,     // built from the MPEG audio frame header
    VideoInfo,     // VIDEOINFOHEADER
    VideoInfo2,    // VIDEOINFOHEADER2 with a picture aspect ratio
    Mpeg2Video,    // MPEG2VIDEOINFO carrying the AVC parameter sets
};

struct XofStreamFormat {
    uint32_t track = 0;  // the tag type: XOF_TAG_AUDIO or XOF_TAG_VIDEO
    XofFormatKind kind = XofFormatKind::WaveFormatEx;
    uint32_t subtype = 0;        // FOURCC of the media subtype (format tags are FOURCCs too)
    std::vector<uint8_t> extra;  // AAC configuration or AVC sequence header

    // Audio.
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint16_t bitsPerSample = 0;
    uint16_t blockAlign = 0;
    uint32_t avgBytesPerSec = 0;
    MpegAudioHeader mpeg;

    // Video.
    int32_t width = 0;
    int32_t height = 0;
    int32_t sourceRight = 0;  // source and target rectangle (0, 0, right, bottom)
    int32_t sourceBottom = 0;
    uint32_t aspectX = 0;
    uint32_t aspectY = 0;
    uint16_t bitCount = 0;
    uint32_t profile = 0;
    uint32_t level = 0;
    uint32_t flags = 0;  // AVC: the NAL length size
};
