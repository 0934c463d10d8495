#include "download/portable/DownloadReply.h"

#include "HeaderValues.h"

namespace {

constexpr int64_t kSizeTolerance = 0xA00000;  // 10 MiB
constexpr int64_t kMaxValue = INT64_MAX;
constexpr int64_t kMebibyte = 1048576;

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

REPLY_PLAN Refuse() { return {ReplyAction::Refuse, 0, 0, -1}; }
REPLY_PLAN Discard() { return {ReplyAction::Discard, 0, 0, -1}; }

// The body's length from Content-Length; false when the reply has none that frames it.
bool ReadableLength(const REPLY_HEADERS& reply, int64_t& length) {
    return !reply.TransferEncoding && reply.ContentLength && ParseContentLength(reply.ContentLength, length);
}

bool IsAnotherFile(int64_t total, const PARTIAL_FILE& partial) {
    return total >= 0 && partial.KnownTotal >= 0 && total != partial.KnownTotal;
}

// A whole file sent for a range request empties the partial one: only a body that can
// be the file does (not an empty or shorter one, nor a web page).
REPLY_PLAN PlanWholeFile(const REPLY_HEADERS& reply, const PARTIAL_FILE& partial) {
    int64_t length = 0;
    if (!ReadableLength(reply, length)) return Refuse();
    if (partial.DownSize > 0 && (length == 0 || length < partial.DownSize || IsHtmlType(reply.ContentType)))
        return Refuse();
    return {ReplyAction::Write, 0, length, length};
}

// A 206 must be exactly the rest of the file from DownSize on.
REPLY_PLAN PlanPartial(const REPLY_HEADERS& reply, const PARTIAL_FILE& partial) {
    CONTENT_RANGE range;
    const int64_t downSize = partial.DownSize;
    if (downSize <= 0 || !reply.ContentRange || !ParseContentRange(reply.ContentRange, range)) return Refuse();
    if (range.First != downSize || (range.Total >= 0 && range.Last + 1 != range.Total)) return Refuse();
    if (IsAnotherFile(range.Total, partial)) return Discard();
    int64_t length = range.Last - range.First + 1;
    int64_t announced = 0;
    if (reply.ContentLength && !reply.TransferEncoding &&
        (!ParseContentLength(reply.ContentLength, announced) || announced != length))
        return Refuse();
    return {ReplyAction::Write, downSize, length, range.Total};
}

// A 416 to a range from the file's end means the file is whole; the server's total
// (Content-Range "bytes */N") decides, else the task's size.
REPLY_PLAN PlanUnsatisfiable(const REPLY_HEADERS& reply, const PARTIAL_FILE& partial) {
    const int64_t downSize = partial.DownSize;
    if (downSize <= 0) return Refuse();
    CONTENT_RANGE range;
    if (reply.ContentRange && ParseContentRange(reply.ContentRange, range) && range.Total >= 0) {
        if (IsAnotherFile(range.Total, partial) || range.Total < downSize) return Discard();
        if (range.Total == downSize) return {ReplyAction::Complete, downSize, 0, range.Total};
        return Refuse();
    }
    if (partial.FileSize == downSize) return {ReplyAction::Complete, downSize, 0, -1};
    return Refuse();
}

}  // namespace

bool IsHtmlType(const char16_t* text) {
    static const char16_t html[] = u"text/html";
    if (!text) return false;
    while (*text == u' ') ++text;
    for (const char16_t* h = html; *h; ++h, ++text)
        if (Lower(*text) != *h) return false;
    return *text == 0 || *text == u';' || *text == u' ';
}

REPLY_PLAN PlanReply(const REPLY_HEADERS& reply, const PARTIAL_FILE& partial) {
    switch (reply.Status) {
        case 200:
            return PlanWholeFile(reply, partial);
        case 206:
            return PlanPartial(reply, partial);
        case 416:
            return PlanUnsatisfiable(reply, partial);
    }
    return Refuse();
}

int64_t KnownTotalOf(int64_t fileSize) { return fileSize > 0 && fileSize % kMebibyte != 0 ? fileSize : -1; }

int64_t CorrectFileSize(int64_t fileSize, int64_t offset, int64_t remaining) {
    if (remaining < 0 || remaining > kMaxValue - offset) return fileSize;
    int64_t total = offset + remaining;
    int64_t difference = fileSize > total ? fileSize - total : total - fileSize;
    return difference < kSizeTolerance ? total : fileSize;
}
