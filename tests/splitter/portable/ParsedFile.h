// A generated file opened by the container parser, in memory.
#pragma once

#include "portable/MemoryByteSource.h"
#include "portable/XofParser.h"
#include "xof/XofWriter.h"

#include <memory>
#include <vector>

struct ParsedFile {
    explicit ParsedFile(Bytes data, int cacheLength = 4096)
        : bytes(std::move(data)), source(bytes.data(), bytes.size()) {
        int32_t hr = RESULT_OK;
        reader = std::make_unique<CCachedBitReader>(&source, &hr, cacheLength, false, false);
        parser = std::make_unique<CXofParser>(*reader);
        result = parser->Open(streams, duration);
    }

    const XofStreamFormat* Stream(uint32_t track) const {
        for (const auto& s : streams)
            if (s.track == track) return &s;
        return nullptr;
    }

    // Every packet from the current position to the end (bounded).
    std::vector<std::unique_ptr<Packet>> ReadAll() {
        std::vector<std::unique_ptr<Packet>> packets;
        for (int i = 0; i < 1000000; ++i) {
            std::unique_ptr<Packet> p;
            XofReadStatus status = parser->ReadNext(p);
            if (status == XofReadStatus::End) break;
            if (p) packets.push_back(std::move(p));
        }
        return packets;
    }

    Bytes bytes;
    CMemoryByteSource source;
    std::unique_ptr<CCachedBitReader> reader;
    std::unique_ptr<CXofParser> parser;
    std::vector<XofStreamFormat> streams;
    int64_t duration = 0;
    int32_t result = RESULT_FAIL;
};
