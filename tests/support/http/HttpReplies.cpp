#include "HttpReplies.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace {

// "a-" or "a-b" after "bytes="; false for any other form.
bool ParseByteRange(const std::string& header, uint64_t& first, std::optional<uint64_t>& last) {
    const std::string unit = "bytes=";
    if (header.compare(0, unit.size(), unit) != 0) return false;
    size_t dash = header.find('-', unit.size());
    if (dash == std::string::npos || !ParseDecimal(header.substr(unit.size(), dash - unit.size()), first)) return false;
    std::string tail = header.substr(dash + 1);
    last.reset();
    if (tail.empty()) return true;
    uint64_t value;
    if (!ParseDecimal(tail, value) || value < first) return false;
    last = value;
    return true;
}

// A deflate stream that ends itself.
struct Deflater {
    z_stream stream = {};
    explicit Deflater(int windowBits) {
        if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
    }
    ~Deflater() { deflateEnd(&stream); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
};

}  // namespace

ByteSource StringSource(std::string bytes) {
    auto held = std::make_shared<const std::string>(std::move(bytes));
    ByteSource source;
    source.size = held->size();
    source.read = [held](uint64_t offset, char* out, size_t count) { memcpy(out, held->data() + offset, count); };
    return source;
}

char PatternByte(uint64_t offset) {
    // A multiplicative hash: shifted or repeated blocks do not match.
    return (char)((offset * 0x9E3779B97F4A7C15ull) >> 56);
}

ByteSource PatternSource(uint64_t size) {
    ByteSource source;
    source.size = size;
    source.read = [](uint64_t offset, char* out, size_t count) {
        for (size_t i = 0; i < count; ++i) out[i] = PatternByte(offset + i);
    };
    return source;
}

HttpReply RangeReply(const HttpRequest& request, ByteSource source) {
    HttpReply reply;
    reply.AddHeader("Accept-Ranges", "bytes");
    uint64_t first = 0;
    std::optional<uint64_t> last;
    uint64_t size = source.size;
    if (!request.HasHeader("Range") || !ParseByteRange(request.Header("Range"), first, last)) {
        reply.source = std::move(source);
        return reply;
    }
    if (first >= size) {
        reply.status = 416;
        reply.AddHeader("Content-Range", "bytes */" + std::to_string(size));
        return reply;
    }
    uint64_t end = last ? std::min(*last, size - 1) : size - 1;
    reply.status = 206;
    reply.AddHeader("Content-Range",
                    "bytes " + std::to_string(first) + "-" + std::to_string(end) + "/" + std::to_string(size));
    reply.source.size = end - first + 1;
    reply.source.read = [whole = std::move(source.read), first](uint64_t offset, char* out, size_t count) {
        whole(first + offset, out, count);
    };
    return reply;
}

std::string Compress(const std::string& data, ContentCoding coding) {
    // Window bits 31 ask zlib for the gzip wrapper, 15 for the zlib format.
    Deflater deflater(coding == ContentCoding::Gzip ? 31 : 15);
    std::string out(deflateBound(&deflater.stream, (uLong)data.size()) + 32, '\0');
    deflater.stream.next_in = (Bytef*)data.data();
    deflater.stream.avail_in = (uInt)data.size();
    deflater.stream.next_out = (Bytef*)&out[0];
    deflater.stream.avail_out = (uInt)out.size();
    if (deflate(&deflater.stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate failed");
    out.resize(deflater.stream.total_out);
    return out;
}

HttpReply CompressedReply(const std::string& body, ContentCoding coding) {
    HttpReply reply;
    reply.body = Compress(body, coding);
    reply.AddHeader("Content-Encoding", coding == ContentCoding::Gzip ? "gzip" : "deflate");
    return reply;
}
