#include "UpdateService.h"

#include <windows.h>
#include <wininet.h>

#include "ScopedHandle.h"
#include "HttpExchange.h"
#include "ManifestSignature.h"
#include "UrlEncoding.h"

namespace {

// A step of the check waits this long at most, within the check's deadline; a file
// download, in the updater, has no deadline.
constexpr DWORD kCheckTimeoutMs = 5000;
constexpr DWORD kFileTimeoutMs = 30000;

// escaped: a URL in ASCII.
HTTP_EXCHANGE Request(const std::string& escaped, DWORD timeoutMs, ULONGLONG deadline = 0) {
    HTTP_EXCHANGE exchange;
    exchange.Agent = L"Mendport";
    exchange.Url.assign(escaped.begin(), escaped.end());
    exchange.TimeoutMs = timeoutMs;
    exchange.Deadline = deadline;
    return exchange;
}

}  // namespace

bool AskUpdateService(const std::string& checkUrl, ULONGLONG deadline, UPDATE_MANIFEST& manifest) {
    HTTP_TEXT_REPLY reply;
    if (!HttpExchangeText(Request(EscapeUrl(checkUrl), kCheckTimeoutMs, deadline), kMaxCheckReply, reply) ||
        reply.Status != HTTP_STATUS_OK || !ParseCheckReply(reply.Body, manifest))
        return false;
    // An update counts only when the service signed it.
    if (manifest.Newer && !IsSignedByTheService(manifest.SignedText, manifest.Signature)) {
        manifest = UPDATE_MANIFEST();
        return false;
    }
    return true;
}

bool FetchUpdateFile(const std::string& checkUrl, const std::string& version, const UPDATE_FILE& file,
                     const std::wstring& target) {
    std::string url = EscapeUrl(checkUrl) + "&update=" + PercentEncode(version) + "&file=" + PercentEncode(file.Path);
    CScopedHandle out(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out) return false;
    uint64_t received = 0;
    CSha256 digest;
    DWORD status = 0;
    bool fetched = HttpExchange(Request(url, kFileTimeoutMs), status, [&](const char* data, size_t size) {
        DWORD written = 0;
        if (size > file.Size - received) return false;
        if (!WriteFile(out.Get(), data, (DWORD)size, &written, nullptr) || written != size) return false;
        received += size;
        return digest.Add(data, size);
    });
    bool whole = fetched && status == HTTP_STATUS_OK && received == file.Size && digest.Digest() == file.Sha256;
    if (out.Close() && whole) return true;
    DeleteFileW(target.c_str());
    return false;
}
