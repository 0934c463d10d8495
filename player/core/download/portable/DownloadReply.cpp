#include "download/portable/DownloadReply.h"

#include "HeaderValues.h"

namespace {

constexpr int64_t kSizeTolerance = 0xA00000;  // 10 MiB
constexpr int64_t kMaxValue = INT64_MAX;

REPLY_PLAN Refuse() { return {ReplyAction::Refuse, 0, 0}; }

REPLY_PLAN PlanWholeFile(const REPLY_HEADERS& reply) {
    int64_t length = -1;
    if (reply.ContentLength && !ParseContentLength(reply.ContentLength, length)) return Refuse();
    return {ReplyAction::Write, 0, length};
}

// A 206 must be exactly the rest of the file from downSize on.
REPLY_PLAN PlanPartial(const REPLY_HEADERS& reply, int64_t downSize) {
    CONTENT_RANGE range;
    if (downSize <= 0 || !reply.ContentRange || !ParseContentRange(reply.ContentRange, range)) return Refuse();
    if (range.First != downSize || (range.Total >= 0 && range.Last + 1 != range.Total)) return Refuse();
    int64_t length = range.Last - range.First + 1;
    int64_t announced = 0;
    if (reply.ContentLength && (!ParseContentLength(reply.ContentLength, announced) || announced != length))
        return Refuse();
    return {ReplyAction::Write, downSize, length};
}

// A 416 to a range from the file's end means the file is whole; the server's total
// (Content-Range "bytes */N") decides, else the task's size.
REPLY_PLAN PlanUnsatisfiable(const REPLY_HEADERS& reply, int64_t downSize, int64_t fileSize) {
    if (downSize <= 0) return Refuse();
    CONTENT_RANGE range;
    if (reply.ContentRange && ParseContentRange(reply.ContentRange, range) && range.Total >= 0) {
        if (range.Total == downSize) return {ReplyAction::Complete, downSize, 0};
        if (range.Total < downSize) return {ReplyAction::Discard, 0, 0};
        return Refuse();
    }
    if (fileSize == downSize) return {ReplyAction::Complete, downSize, 0};
    return Refuse();
}

}  // namespace

REPLY_PLAN PlanReply(const REPLY_HEADERS& reply, int64_t downSize, int64_t fileSize) {
    switch (reply.Status) {
        case 200: return PlanWholeFile(reply);
        case 206: return PlanPartial(reply, downSize);
        case 416: return PlanUnsatisfiable(reply, downSize, fileSize);
    }
    return Refuse();
}

int64_t CorrectFileSize(int64_t fileSize, int64_t offset, int64_t remaining) {
    if (remaining < 0 || remaining > kMaxValue - offset) return fileSize;
    int64_t total = offset + remaining;
    int64_t difference = fileSize > total ? fileSize - total : total - fileSize;
    return difference < kSizeTolerance ? total : fileSize;
}
