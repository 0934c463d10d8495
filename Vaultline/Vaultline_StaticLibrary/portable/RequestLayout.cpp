#include "portable/RequestLayout.h"

#include "UrlEncoding.h"

namespace {

const std::string DELIMITER = "-----------------------------7d91d42a3051e\r\n";

std::string FormField(const char* name, const std::string& value) {
    return DELIMITER + "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
}

}  // namespace

const char* const UPLOAD_CONTENT_TYPE =
    "Content-Type:multipart/form-data;boundary=---------------------------7d91d42a3051e\r\n";
const char* const PIECE_CONTENT_TYPE =
    "Content-Type:multipart/form-data; boundary=---------------------------7d91d42a3051e\r\n";
const char* const FORM_CONTENT_TYPE = "Content-Type: application/x-www-form-urlencoded";
const std::string MULTIPART_TAIL = "\r\n-----------------------------7d91d42a3051e--\r\n";
const std::string FILE_UPLOAD_MIDDLE = "\"\r\nContent-Type: application/octet-stream\r\n\r\n";

bool SplitServerUrl(const std::string& url, std::string& base, std::string& prefix) {
    size_t slash = url.size() > 8 ? url.find('/', 8) : std::string::npos;
    size_t end = slash == std::string::npos ? url.size() : slash;
    if (end >= SERVER_URL_MAX_SIZE) return false;
    base = url.substr(0, end);
    prefix = slash == std::string::npos ? std::string() : url.substr(slash + 1);
    if (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
    return true;
}

std::string UrlPath(const std::string& prefix, const std::string& path) {
    return prefix.empty() ? "/" + path : "/" + prefix + "/" + path;
}

bool IsMultipartSafe(const std::string& text) { return text.find_first_of("\"\r\n") == std::string::npos; }

std::string FileUploadHead(const std::string& serverFileName) {
    return DELIMITER + "Content-Disposition: form-data; name=\"upfile\";filename=\"" + serverFileName;
}

std::string PieceHead(const std::string& key, uint32_t offset, uint32_t length) {
    uint32_t last = offset + length - 1;
    return FormField("k", key) + FormField("rs", std::to_string(offset)) + FormField("re", std::to_string(last)) +
           DELIMITER +
           "Content-Disposition: form-data; name=\"chunk\"; filename=\"0\"\r\n"
           "Content-Type: application/octet-stream\r\n\r\n";
}

std::string LargeFileCreateBody(const std::string& name, const std::string& md5, const std::string& sha1,
                                uint32_t size) {
    return "n=" + PercentEncode(name.substr(0, CREATE_NAME_MAX_CHARS)) + "&s=application/octet-stream&m=" + md5 +
           "&sh=" + sha1 + "&sz=" + std::to_string(size);
}

std::string UploadFinishBody(const std::string& key) { return "k=" + PercentEncode(key); }

std::string RangeHeader(uint32_t offset, uint32_t length) {
    return "Range: bytes=" + std::to_string(offset) + "-" + std::to_string(offset + length - 1) + "\r\n";
}

bool IsRangeInLimits(uint32_t offset, uint32_t length) {
    return length != 0 && uint64_t(offset) + length <= uint64_t(UINT32_MAX) + 1;
}
