// How a download job treats the HTTP reply to its request: which replies may be
// written into the partial file, from where, and how many bytes are still to come.
// Portable (no platform headers): header texts arrive as UTF-16 at the seam.
#pragma once

#include <cstdint>

// A Content-Type of "text/html", with or without parameters, in any letter case.
bool IsHtmlType(const char16_t* text);

enum class ReplyAction {
    Write,     // write the body from Offset on (the file is first cut to Offset)
    Complete,  // the file on disk is already whole; nothing to read
    Discard,   // the file on disk is not part of the server's file: empty it and fail the attempt
    Refuse,    // an error page or a reply that does not fit the request: nothing is written
};

// Each text is null when the reply has no such header.
struct REPLY_HEADERS {
    int Status;
    const char16_t* ContentLength;
    const char16_t* ContentRange;
    const char16_t* ContentType;
    const char16_t* TransferEncoding;  // when present, it frames the body and Content-Length does not
};

struct REPLY_PLAN {
    ReplyAction Action;
    int64_t Offset;     // where the body's first byte goes
    int64_t Remaining;  // bytes of body still to come
    int64_t Total;      // the size of the server's file as the reply tells it; -1 when it does not
};

// What the job knows before the reply.
struct PARTIAL_FILE {
    int64_t DownSize;    // bytes on disk, asked for with "Range: bytes=DownSize-" when above 0
    int64_t FileSize;    // the task's best figure of the whole size
    int64_t KnownTotal;  // the size a server announced for the file earlier; -1 when none did
};

// A body is only taken with a length that tells where it ends, so that a cut one is
// never mistaken for a whole one; a whole file sent for a range replaces the partial
// one only when it can be the file; a server file of another size than announced
// before is another file.
REPLY_PLAN PlanReply(const REPLY_HEADERS& reply, const PARTIAL_FILE& partial);

// The server's size known from a task's size: a size that is not a whole number of
// mebibytes came from a server's reply (album sizes are whole mebibytes); -1 otherwise.
int64_t KnownTotalOf(int64_t fileSize);

// The task's size after the reply: the server's figure when it lies within 10 MiB of
// the task's (album sizes are whole megabytes), else the task's own.
int64_t CorrectFileSize(int64_t fileSize, int64_t offset, int64_t remaining);
