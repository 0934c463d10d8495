#include "portable/Inflater.h"

namespace {

constexpr unsigned WINDOW_SIZE = 4096;
constexpr int GZIP_WINDOW_BITS = 47;  // 15 with automatic gzip or zlib header detection

}  // namespace

bool CodingFromHeader(const std::string& value, ReplyCoding& coding) {
    if (value == "gzip") {
        coding = ReplyCoding::Gzip;
    } else if (value == "deflate") {
        coding = ReplyCoding::Deflate;
    } else {
        return false;
    }
    return true;
}

CInflater::CInflater(ReplyCoding coding)
    : m_init(coding == ReplyCoding::Gzip ? inflateInit2(&m_stream, GZIP_WINDOW_BITS) : inflateInit(&m_stream)) {}

CInflater::~CInflater() {
    if (m_init == Z_OK) inflateEnd(&m_stream);
}

int CInflater::Inflate(const char* data, size_t size, int flush, std::string& output) {
    if (m_init != Z_OK) return m_init;
    m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    m_stream.avail_in = static_cast<uInt>(size);
    char window[WINDOW_SIZE];
    while (m_last != Z_STREAM_END) {
        m_stream.next_out = reinterpret_cast<Bytef*>(window);
        m_stream.avail_out = WINDOW_SIZE;
        m_last = inflate(&m_stream, flush);
        if (m_last == Z_NEED_DICT) m_last = Z_DATA_ERROR;
        if (m_last == Z_DATA_ERROR || m_last == Z_MEM_ERROR || m_last == Z_STREAM_ERROR) return m_last;
        output.append(window, WINDOW_SIZE - m_stream.avail_out);
        if (m_stream.avail_out != 0) break;
    }
    return Z_OK;
}

int CInflater::EndResult() const {
    if (m_last == Z_STREAM_END) return Z_OK;
    return m_last == Z_OK ? Z_BUF_ERROR : m_last;
}
