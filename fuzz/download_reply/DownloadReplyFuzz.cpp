// Plans replies from any input: the first 2 bytes choose the status, the next 16 the
// bytes on disk and the task's size; the rest, split at the first newline, are the
// Content-Length and Content-Range texts (each widened byte by byte; 0xFF for none).
// A plan that points outside the file or promises a negative length stops the run.
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
    if (size < 18) return 0;
    static const int statuses[] = {200, 206, 416, 404, 500, 302};
    int status = statuses[data[0] % 6] + (data[1] % 2 ? 0 : data[1]);
    int64_t downSize = ReadSize(data + 2), fileSize = ReadSize(data + 10);
    std::u16string rest(data + 18, data + size);
    size_t split = rest.find(u'\n');
    std::u16string length = rest.substr(0, split);
    std::u16string range = split == std::u16string::npos ? std::u16string() : rest.substr(split + 1);
    bool hasLength = !(length.size() == 1 && length[0] == 0xFF), hasRange = !(range.size() == 1 && range[0] == 0xFF);

    REPLY_PLAN plan = PlanReply({status, hasLength ? length.c_str() : nullptr, hasRange ? range.c_str() : nullptr},
                                downSize, fileSize);
    switch (plan.Action) {
        case ReplyAction::Write:
            if ((plan.Offset != 0 && plan.Offset != downSize) || plan.Remaining < -1) __builtin_trap();
            if (plan.Offset == downSize && downSize > 0 && status != 206) __builtin_trap();
            break;
        case ReplyAction::Complete:
            if (plan.Offset != downSize || plan.Remaining != 0 || status != 416) __builtin_trap();
            break;
        case ReplyAction::Discard:
            if (status != 416) __builtin_trap();
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
