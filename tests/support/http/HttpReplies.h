// Ready-made bodies and replies for LoopbackHttpServer: byte sources, range requests
// and compressed bodies.
#pragma once

#include "LoopbackHttpServer.h"

// A source over bytes held in memory.
ByteSource StringSource(std::string bytes);

// A source of size bytes that takes no memory: byte i is PatternByte(i), so a client
// can check each byte and its place (100 MB streams without being held anywhere).
ByteSource PatternSource(uint64_t size);
char PatternByte(uint64_t offset);

// The source as the request asks for it, always with "Accept-Ranges: bytes":
//   no Range header                       200 with the whole source
//   "bytes=a-" or "bytes=a-b", a < size    206 with "Content-Range: bytes a-e/size",
//                                          e = b or the last byte, whichever is lower
//   a >= size                              416 with "Content-Range: bytes */size"
//   any other form (suffix, several)       200 with the whole source, as a server may ignore Range
HttpReply RangeReply(const HttpRequest& request, ByteSource source);

enum class ContentCoding {
    Gzip,     // "gzip": the gzip wrapper
    Deflate,  // "deflate": the zlib format
};
std::string Compress(const std::string& data, ContentCoding coding);
// 200 with the compressed body and "Content-Encoding: gzip" or "deflate".
HttpReply CompressedReply(const std::string& body, ContentCoding coding);
