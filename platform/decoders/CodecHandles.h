// Owning handles of libavcodec's objects, and the opening of a decoder (also used by
// the host's test media maker).
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

struct AvDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    void operator()(AVFrame* f) const { av_frame_free(&f); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, AvDeleter>;
using FramePtr = std::unique_ptr<AVFrame, AvDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, AvDeleter>;

// A decoder for codec with its configuration bytes, timed in 100 ns units; configure
// sets what else the codec needs before it opens. Null when it cannot be opened.
template <class Configure>
CodecPtr OpenDecoder(AVCodecID id, const std::vector<uint8_t>& extradata, Configure configure) {
    const AVCodec* decoder = avcodec_find_decoder(id);
    CodecPtr codec(decoder ? avcodec_alloc_context3(decoder) : nullptr);
    if (!codec) return nullptr;
    if (!extradata.empty()) {
        codec->extradata = static_cast<uint8_t*>(av_mallocz(extradata.size() + AV_INPUT_BUFFER_PADDING_SIZE));
        if (!codec->extradata) return nullptr;
        std::copy(extradata.begin(), extradata.end(), codec->extradata);
        codec->extradata_size = static_cast<int>(extradata.size());
    }
    codec->pkt_timebase = AVRational{1, 10000000};
    codec->thread_count = 1;
    configure(codec.get());
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return nullptr;
    return codec;
}

// The bytes of a media sample as a packet (with the padding the decoders read past
// the end); its time in 100 ns units when the sample has one.
bool FillPacket(AVPacket* packet, const uint8_t* data, long length, bool hasTime, int64_t start, bool key);
