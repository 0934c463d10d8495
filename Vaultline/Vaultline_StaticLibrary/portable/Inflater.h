// Inflating of gzip- and deflate-coded reply bodies, in one pass or piece by piece.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <string>

enum class ReplyCoding { Plain, Gzip, Deflate };

// The coding named by a Content-Encoding value (exact, case-sensitive); false for
// any other value.
bool CodingFromHeader(const std::string& value, ReplyCoding& coding);

class CInflater {
public:
    // gzip (window bits 47) or deflate (zlib format).
    explicit CInflater(ReplyCoding coding);
    ~CInflater();
    CInflater(const CInflater&) = delete;
    CInflater& operator=(const CInflater&) = delete;

    // Z_OK when the stream could be started, else zlib's code.
    int InitResult() const { return m_init; }
    // Inflates input with the given flush into a 4096-byte window, appending what each
    // pass produced, while the window comes back full. Z_OK, or the code of a broken
    // stream (Z_NEED_DICT counts as Z_DATA_ERROR). Input after the stream's end is ignored.
    int Inflate(const char* data, size_t size, int flush, std::string& output);
    // The last inflate result: Z_STREAM_END once the stream is complete.
    int LastResult() const { return m_last; }
    // Z_OK when the stream was complete; else a non-zero code that says why: the last
    // result, with Z_OK (input that stopped early) given as Z_BUF_ERROR.
    int EndResult() const;

private:
    z_stream m_stream{};
    int m_init;
    int m_last = Z_OK;
};
