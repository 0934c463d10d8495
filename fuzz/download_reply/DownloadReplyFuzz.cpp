// Plans replies from any input: the first 2 bytes choose the status, the next 24 the
// bytes on disk, the task's size and the known total, the next one a Content-Type and
// Transfer-Encoding; the rest, split at the first newline, are the Content-Length and
// Content-Range texts (each widened byte by byte; 0xFF for none). A plan that points
// outside the file, promises a negative length or empties a partial file for a body
// shorter than it stops the run.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "HeaderValues.h"
#include "download/portable/DownloadReply.h"

namespace {

int64_t ReadSize(const uint8_t* data) {
    uint64_t value;
    memcpy(&value, data, sizeof(value));
    return (int64_t)(value >> 1);  // not negative, as sizes on disk are
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 27) return 0;
    static const int statuses[] = {200, 206, 416, 404, 500, 302};
    int status = statuses[data[0] % 6] + (data[1] % 2 ? 0 : data[1]);
    int64_t downSize = ReadSize(data + 2), fileSize = ReadSize(data + 10), known = ReadSize(data + 18);
    if (data[26] & 1) known = -1;
    const char16_t* type = data[26] & 2 ? u"text/html" : nullptr;
    const char16_t* encoding = data[26] & 4 ? u"chunked" : nullptr;
    std::u16string rest(data + 27, data + size);
    size_t split = rest.find(u'\n');
    std::u16string length = rest.substr(0, split);
    std::u16string range = split == std::u16string::npos ? std::u16string() : rest.substr(split + 1);
    bool hasLength = !(length.size() == 1 && length[0] == 0xFF), hasRange = !(range.size() == 1 && range[0] == 0xFF);

    REPLY_PLAN plan =
        PlanReply({status, hasLength ? length.c_str() : nullptr, hasRange ? range.c_str() : nullptr, type, encoding},
                  {downSize, fileSize, known});
    switch (plan.Action) {
        case ReplyAction::Write:
            if ((plan.Offset != 0 && plan.Offset != downSize) || plan.Remaining < 0) __builtin_trap();
            if (plan.Offset == downSize && downSize > 0 && status != 206) __builtin_trap();
            if (plan.Offset == 0 && downSize > 0 && (plan.Remaining < downSize || type)) __builtin_trap();
            if (status == 200 && encoding) __builtin_trap();
            break;
        case ReplyAction::Complete:
            if (plan.Offset != downSize || plan.Remaining != 0 || status != 416) __builtin_trap();
            break;
        case ReplyAction::Discard:
            if (status != 416 && status != 206) __builtin_trap();
            break;
        case ReplyAction::Refuse:
            break;
    }
    CorrectFileSize(fileSize, plan.Offset, plan.Remaining);
    CONTENT_RANGE parsed;
    if (ParseContentRange(range.c_str(), parsed) && parsed.First >= 0 &&
        (parsed.Last < parsed.First || (parsed.Total >= 0 && parsed.Last >= parsed.Total)))
        __builtin_trap();
    return 0;
}
