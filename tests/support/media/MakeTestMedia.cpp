// Host program that makes ".xof" test media with real content: FLV1 video encoded by
// libavcodec, one flat colour per second (so a frame tells the time it belongs to),
// under a white band at the top, and AAC sound (a 440 Hz tone), written tag by tag with the tests' own writer.
//   make_test_media OUT.xof [--size WxH] [--seconds N] [--fps N] [--gop N]
//                   [--no-audio] [--no-video]
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include "CodecHandles.h"
#include "MediaColours.h"
#include "xof/XofWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

struct Options {
    std::string out;
    int width = 320, height = 240, seconds = 2, fps = 25, gop = 12;
    bool audio = true, video = true;
};

// Tags by time (video before audio at the same time), as a file orders them.
using TagQueue = std::multimap<std::pair<uint32_t, int>, Bytes>;

bool Fail(const char* what) {
    std::fprintf(stderr, "make_test_media: %s\n", what);
    return false;
}

// Drains the encoder's packets into tags made by wrap.
template <class Wrap>
bool TakePackets(AVCodecContext* codec, AVPacket* packet, TagQueue& tags, int type, Wrap wrap) {
    for (;;) {
        int result = avcodec_receive_packet(codec, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) return Fail("encoding failed");
        int64_t ms = av_rescale_q(packet->pts, codec->time_base, AVRational{1, 1000});
        uint32_t timestamp = static_cast<uint32_t>(ms < 0 ? 0 : ms);
        tags.emplace(std::make_pair(timestamp, type == 9 ? 0 : 1), wrap(*packet));
        av_packet_unref(packet);
    }
}

bool EncodeVideo(const Options& o, TagQueue& tags) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_FLV1);
    CodecPtr codec(encoder ? avcodec_alloc_context3(encoder) : nullptr);
    if (!codec) return Fail("no FLV1 encoder");
    codec->width = o.width;
    codec->height = o.height;
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{1, o.fps};
    codec->gop_size = o.gop;
    codec->max_b_frames = 0;
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * 2;
    if (avcodec_open2(codec.get(), encoder, nullptr) < 0) return Fail("cannot open the FLV1 encoder");
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = o.width;
    frame->height = o.height;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return Fail("no frame buffer");
    auto wrap = [](const AVPacket& p) {
        uint8_t frameType = (p.flags & AV_PKT_FLAG_KEY) ? 1 : 2;
        Bytes data{static_cast<uint8_t>((frameType << 4) | 2)};
        data.insert(data.end(), p.data, p.data + p.size);
        return data;
    };
    for (int i = 0; i < o.seconds * o.fps; ++i) {
        av_frame_make_writable(frame.get());
        const MediaColour c = YuvOf(ColourOfSecond(i / o.fps)), band = YuvOf(BAND_COLOUR);
        for (int plane = 0; plane < 3; ++plane) {
            const int scale = plane == 0 ? 1 : 2;
            const int rows = (o.height + scale - 1) / scale, columns = (o.width + scale - 1) / scale;
            for (int y = 0; y < rows; ++y) {
                const MediaColour& fill = InTopBand(y * scale, o.height) ? band : c;
                uint8_t value = plane == 0 ? fill.r : plane == 1 ? fill.g : fill.b;
                std::memset(frame->data[plane] + y * frame->linesize[plane], value, columns);
            }
        }
        frame->pts = i;
        if (avcodec_send_frame(codec.get(), frame.get()) < 0 || !TakePackets(codec.get(), packet.get(), tags, 9, wrap))
            return Fail("video encoding failed");
    }
    avcodec_send_frame(codec.get(), nullptr);
    return TakePackets(codec.get(), packet.get(), tags, 9, wrap);
}

bool EncodeAudio(const Options& o, TagQueue& tags) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_AAC);
    CodecPtr codec(encoder ? avcodec_alloc_context3(encoder) : nullptr);
    if (!codec) return Fail("no AAC encoder");
    const int rate = 44100;
    codec->sample_rate = rate;
    codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&codec->ch_layout, 2);
    codec->bit_rate = 128000;
    codec->time_base = AVRational{1, rate};
    if (avcodec_open2(codec.get(), encoder, nullptr) < 0) return Fail("cannot open the AAC encoder");
    // The configuration tag comes first; sound tags: AAC, 44 kHz, 16 bit, stereo.
    Bytes config{0};
    config.insert(config.end(), codec->extradata, codec->extradata + codec->extradata_size);
    tags.emplace(std::make_pair(0u, -1), AudioData(10, 3, 1, 1, config));
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    frame->format = AV_SAMPLE_FMT_FLTP;
    frame->nb_samples = codec->frame_size;
    frame->sample_rate = rate;
    av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout);
    if (av_frame_get_buffer(frame.get(), 0) < 0) return Fail("no sound buffer");
    auto wrap = [](const AVPacket& p) {
        Bytes body{1};
        body.insert(body.end(), p.data, p.data + p.size);
        return AudioData(10, 3, 1, 1, body);
    };
    const int64_t total = static_cast<int64_t>(o.seconds) * rate;
    for (int64_t start = 0; start < total; start += codec->frame_size) {
        av_frame_make_writable(frame.get());
        for (int ch = 0; ch < 2; ++ch) {
            auto* samples = reinterpret_cast<float*>(frame->data[ch]);
            for (int i = 0; i < codec->frame_size; ++i)
                samples[i] = 0.3f * static_cast<float>(std::sin(2 * M_PI * 440.0 * double(start + i) / rate));
        }
        frame->pts = start;
        if (avcodec_send_frame(codec.get(), frame.get()) < 0 || !TakePackets(codec.get(), packet.get(), tags, 8, wrap))
            return Fail("sound encoding failed");
    }
    avcodec_send_frame(codec.get(), nullptr);
    return TakePackets(codec.get(), packet.get(), tags, 8, wrap);
}

bool ParseOptions(int argc, char** argv, Options& o) {
    if (argc < 2) return false;
    o.out = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        bool more = i + 1 < argc;
        if (a == "--no-audio")
            o.audio = false;
        else if (a == "--no-video")
            o.video = false;
        else if (a == "--size" && more && std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) == 2)
            continue;
        else if (a == "--seconds" && more)
            o.seconds = std::atoi(argv[++i]);
        else if (a == "--fps" && more)
            o.fps = std::atoi(argv[++i]);
        else if (a == "--gop" && more)
            o.gop = std::atoi(argv[++i]);
        else
            return false;
    }
    return o.width > 0 && o.height > 0 && o.seconds > 0 && o.fps > 0 && o.gop > 0 && (o.audio || o.video);
}

}  // namespace

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_ERROR);
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: make_test_media OUT.xof [--size WxH] [--seconds N] [--fps N] [--gop N] "
                     "[--no-audio] [--no-video]\n");
        return 2;
    }
    TagQueue tags;
    if ((o.video && !EncodeVideo(o, tags)) || (o.audio && !EncodeAudio(o, tags))) return 1;
    CXofWriter writer;
    for (const auto& [key, data] : tags) writer.AddTag(key.second == 0 ? 9 : 8, key.first, data);
    if (!WriteFileBytes(o.out, writer.Finish())) {
        Fail("cannot write the file");
        return 1;
    }
    return 0;
}
