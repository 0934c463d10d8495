#include "CodecHandles.h"

#include <cstring>

bool FillPacket(AVPacket* packet, const uint8_t* data, long length, bool hasTime, int64_t start, bool key) {
    av_packet_unref(packet);
    if (length <= 0 || av_new_packet(packet, static_cast<int>(length)) < 0) return false;
    std::memcpy(packet->data, data, static_cast<size_t>(length));
    packet->pts = hasTime ? start : AV_NOPTS_VALUE;
    packet->dts = AV_NOPTS_VALUE;
    if (key) packet->flags |= AV_PKT_FLAG_KEY;
    return true;
}
