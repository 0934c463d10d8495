// How a download job treats the HTTP reply to its request: which replies may be
// written into the partial file, from where, and how many bytes are still to come.
// Portable (no platform headers): header texts arrive as UTF-16 at the seam.
#pragma once

#include <cstdint>

enum class ReplyAction {
    Write,     // write the body from Offset on (the file is first cut to Offset)
    Complete,  // the file on disk is already whole; nothing to read
    Discard,   // the file on disk is longer than the server's: empty it and fail the attempt
    Refuse,    // an error page or a reply that does not fit the request: nothing is written
};

struct REPLY_HEADERS {
    int Status;
    const char16_t* ContentLength;  // null when the reply has none
    const char16_t* ContentRange;   // null when the reply has none
};

struct REPLY_PLAN {
    ReplyAction Action;
    int64_t Offset;     // where the body's first byte goes
    int64_t Remaining;  // bytes of body still to come; -1 = up to the end of the body
};

// downSize: bytes on disk, asked for with "Range: bytes=downSize-" when above 0;
// fileSize: the task's best figure of the whole size.
REPLY_PLAN PlanReply(const REPLY_HEADERS& reply, int64_t downSize, int64_t fileSize);

// The task's size after the reply: the server's figure when it lies within 10 MiB of
// the task's (album sizes are whole megabytes), else the task's own.
int64_t CorrectFileSize(int64_t fileSize, int64_t offset, int64_t remaining);
