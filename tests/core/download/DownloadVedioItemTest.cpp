// The HTTP download job over real WinINet against the loopback server.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

#include "download/DownloadQueue.h"
#include "download/DownloadTestFiles.h"
#include "download/DownloadVedioItem.h"
#include "download/JobMessageWindow.h"
#include "fixtures/ProgramFolder.h"
#include "common/WindowMessages.h"
#include "fixtures/UserConfigScope.h"
#include "http/HttpReplies.h"

namespace {

using namespace std::chrono_literals;

constexpr uint64_t kSize = 3 * 1000 * 1000 + 17;

class DownloadJobTest : public testing::Test {
protected:
    DownloadJobTest() : source(PatternSource(kSize)) {
        settings.SignIn(L"carol");
        server.SetHandler(
            [this](const HttpRequest& request, HttpReply& reply) { reply = RangeReply(request, source); });
    }

    DOWNLOAD_TASK_INFO Task(LONGLONG fileSize = 3 * 1048576) const {
        DOWNLOAD_TASK_INFO task;
        task.FileID = 31;
        task.FileSize = fileSize;
        task.FilePath = folder.File(L"clip.xof");
        task.DownloadUrl = Wide(server.Url("/files/clip.xof?id=31"));
        task.UserName = L"someone else";
        return task;
    }
    CString Temp() const { return folder.File(L"clip.xof.temp"); }
    void PutOnDisk(uint64_t bytes) { folder.WriteFile(L"clip.xof.temp", SourceBytes(source, bytes)); }

    // One attempt; its detail goes to detail.
    int Attempt(CDownloadVedioItem& job) {
        DOWNLOAD_JOB_CONTEXT context{&pauseRequests, &detail};
        return job.DoWork(context);
    }
    int Attempt(const DOWNLOAD_TASK_INFO& task) {
        CDownloadVedioItem job(task, window.Wnd());
        return Attempt(job);
    }
    // Attempts until the job needs no more, as a worker does, then collects the messages.
    void Run(const DOWNLOAD_TASK_INFO& task, int retries = 5) {
        CDownloadVedioItem job(task, window.Wnd());
        queue.RunJob(job, retries);
        window.PumpFor(50);
    }
    std::string Range(size_t request) const { return server.Requests().at(request).Header("range"); }
    bool WholeFileOnDisk() const { return Sha1OfFile(Temp()) == Sha1OfSource(source, kSize); }

    UserConfigScope settings;
    CTempProgramFolder folder;
    JobMessageWindow window;
    CDownloadQueue queue;
    CPauseRequestList pauseRequests;
    int detail = 0;
    ByteSource source;
    LoopbackHttpServer server;
};

TEST_F(DownloadJobTest, FreshDownloadIsByteIdentical) {
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task()));
    window.PumpFor(50);
    EXPECT_TRUE(WholeFileOnDisk());
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_FALSE(server.Requests()[0].HasHeader("range"));
    EXPECT_EQ("HTTP Downloader", server.Requests()[0].Header("user-agent"));
    EXPECT_EQ("/files/clip.xof?id=31", server.Requests()[0].target);
    // The album's size (whole megabytes) is corrected to the server's.
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_STARTED));
    EXPECT_EQ(31u, window.Of(WM_DOWNLOAD_STARTED)[0].WParam);
    EXPECT_EQ((LPARAM)kSize, window.Of(WM_DOWNLOAD_STARTED)[0].LParam);
    for (const ReceivedMessage& progress : window.Of(WM_DOWNLOAD_PROGRESS))
        EXPECT_EQ(CString(L"carol"), progress.Key->UserName);  // the job runs under the current user
}

TEST_F(DownloadJobTest, PartialFileIsContinuedWithARangeRequest) {
    PutOnDisk(1000);
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task()));
    EXPECT_EQ("bytes=1000-", Range(0));
    EXPECT_TRUE(WholeFileOnDisk());
}

class DroppedConnectionTest : public DownloadJobTest, public testing::WithParamInterface<uint64_t> {};

// The connection breaks after some body bytes; the next attempts continue where the
// file ends until it is whole.
TEST_P(DroppedConnectionTest, ResumesToAByteIdenticalFile) {
    const uint64_t dropAfter = GetParam();
    std::atomic<int> served{0};
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        if (served++ == 0) reply.dropAfter = dropAfter;
    });
    Run(Task());
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(1, window.EndCount());
    EXPECT_TRUE(WholeFileOnDisk());
    ASSERT_EQ(2u, server.Requests().size());
    EXPECT_EQ("bytes=" + std::to_string(dropAfter) + "-", Range(1));
}

INSTANTIATE_TEST_SUITE_P(Points, DroppedConnectionTest, testing::Values(1, 8192, 1000003, kSize - 1));

TEST_F(DownloadJobTest, EndlessEarlyEndsFailAfterTheRetries) {
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.dropAfter = 0;
    });
    Run(Task(), 3);
    EXPECT_EQ(3u, server.Requests().size());
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_CONNECT_FAILED));
    EXPECT_EQ(DOWNLOAD_ERR_CONNECT, window.Of(WM_DOWNLOAD_CONNECT_FAILED)[0].Error->Kind);
    EXPECT_EQ(0, FileSizeOf(Temp()));
}

struct ErrorPageCase {
    const char* name;
    int status;
    uint64_t onDisk;
};

void PrintTo(const ErrorPageCase& c, std::ostream* out) { *out << c.name; }

class ErrorPageTest : public DownloadJobTest, public testing::WithParamInterface<ErrorPageCase> {};

// An error page is never written into the file nor taken for the download.
TEST_P(ErrorPageTest, LeavesThePartialFileAlone) {
    const ErrorPageCase& c = GetParam();
    PutOnDisk(c.onDisk);
    HttpReply page;
    page.status = c.status;
    page.body = "<html><body>error</body></html>";
    server.SetReply(page);
    EXPECT_EQ(DOWNLOAD_ERR_CONNECT, Attempt(Task()));
    EXPECT_EQ(c.status, detail);
    EXPECT_EQ(SourceBytes(source, c.onDisk), folder.ReadFile(L"clip.xof.temp"));
    window.PumpFor(50);
    EXPECT_EQ(0, window.Count(WM_DOWNLOAD_STARTED));
}

INSTANTIATE_TEST_SUITE_P(Pages, ErrorPageTest,
                         testing::Values(ErrorPageCase{"NotFoundFresh", 404, 0},
                                         ErrorPageCase{"NotFoundPartial", 404, 5000},
                                         ErrorPageCase{"ServerErrorPartial", 500, 5000},
                                         ErrorPageCase{"Forbidden", 403, 0}));

// A server that ignores the range sends the whole file: it replaces the partial one.
TEST_F(DownloadJobTest, WholeReplyToARangeRestartsTheFile) {
    folder.WriteFile(L"clip.xof.temp", std::string(7000, 'x'));
    server.SetHandler([&](const HttpRequest&, HttpReply& reply) {
        HttpRequest plain;
        reply = RangeReply(plain, source);
    });
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task()));
    EXPECT_EQ("bytes=7000-", Range(0));
    EXPECT_TRUE(WholeFileOnDisk());
}

TEST_F(DownloadJobTest, UnsatisfiableRangeOnAWholeFileCompletesIt) {
    PutOnDisk(kSize);
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task()));
    EXPECT_EQ("bytes=" + std::to_string(kSize) + "-", Range(0));
    EXPECT_TRUE(WholeFileOnDisk());
    window.PumpFor(50);
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_STARTED));
    EXPECT_EQ((LPARAM)kSize, window.Of(WM_DOWNLOAD_STARTED)[0].LParam);
}

// A partial file longer than the server's file cannot be part of it: it is emptied and
// the next attempt downloads the file afresh.
TEST_F(DownloadJobTest, PartialFileLongerThanTheServersStartsAgain) {
    folder.WriteFile(L"clip.xof.temp", SourceBytes(source, kSize) + "trailing bytes");
    Run(Task());
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_TRUE(WholeFileOnDisk());
    ASSERT_EQ(2u, server.Requests().size());
    EXPECT_FALSE(server.Requests()[1].HasHeader("range"));
}

struct UnframedCase {
    const char* name;
    BodyFraming framing;
    std::optional<uint64_t> dropAfter;  // the server fails after this many body bytes
    const char* extraLength;            // a further Content-Length header; null for none
    uint64_t onDisk;                    // bytes of the file on disk before the job
    bool ignoresRange;                  // the server sends the whole file for a range
};

void PrintTo(const UnframedCase& c, std::ostream* out) { *out << c.name; }

class UnframedBodyTest : public DownloadJobTest, public testing::WithParamInterface<UnframedCase> {};

// A body whose end only the connection's end or its own framing tells cannot be told
// from a cut one: it is refused as a connection error and the file on disk stays.
TEST_P(UnframedBodyTest, IsRefusedAndLeavesTheFileAlone) {
    const UnframedCase& c = GetParam();
    source = PatternSource(2500000);
    PutOnDisk(c.onDisk);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = c.ignoresRange ? RangeReply(HttpRequest(), source) : RangeReply(request, source);
        reply.framing = c.framing;
        reply.dropAfter = c.dropAfter;
        if (c.extraLength) reply.AddHeader("Content-Length", c.extraLength);
    });
    Run(Task(2500000), 2);
    EXPECT_EQ(0, window.Count(WM_DOWNLOAD_COMPLETE));
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_CONNECT_FAILED));
    EXPECT_EQ(200, window.Of(WM_DOWNLOAD_CONNECT_FAILED)[0].Error->Detail);
    EXPECT_EQ(2u, server.Requests().size());
    EXPECT_EQ(SourceBytes(source, c.onDisk), folder.ReadFile(L"clip.xof.temp"));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, UnframedBodyTest,
    testing::Values(UnframedCase{"WholeCloseDelimited", BodyFraming::UntilClose, std::nullopt, nullptr, 0, false},
                    UnframedCase{"WholeChunked", BodyFraming::Chunked, std::nullopt, nullptr, 0, false},
                    UnframedCase{"CutCloseDelimited", BodyFraming::UntilClose, 1000000, nullptr, 0, false},
                    UnframedCase{"CutCloseDelimitedOverAPartial", BodyFraming::UntilClose, 1000000, nullptr, 700000,
                                 true},
                    UnframedCase{"CutChunked", BodyFraming::Chunked, 1000000, nullptr, 0, false},
                    UnframedCase{"ChunkedWithASmallerLength", BodyFraming::Chunked, std::nullopt, "750000", 0, false},
                    UnframedCase{"ConflictingLengths", BodyFraming::ContentLength, std::nullopt, "750000", 0, false}));

// The same Content-Length twice still frames the body.
TEST_F(DownloadJobTest, RepeatedEqualLengthsStillFrameTheBody) {
    source = PatternSource(2500000);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.AddHeader("Content-Length", "2500000");
    });
    Run(Task(2500000));
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(Sha1OfSource(source, 2500000), Sha1OfFile(Temp()));
}

struct WrongWholeCase {
    const char* name;
    std::string body;
    const char* type;  // Content-Type; null for none
};

void PrintTo(const WrongWholeCase& c, std::ostream* out) { *out << c.name; }

class WrongWholeReplyTest : public DownloadJobTest, public testing::WithParamInterface<WrongWholeCase> {};

// A 200 to a range request that cannot be the file (a web page, an empty or shorter
// body) is refused before the partial file is touched.
TEST_P(WrongWholeReplyTest, KeepsThePartialFile) {
    const uint64_t onDisk = 700000;
    PutOnDisk(onDisk);
    HttpReply reply;
    reply.body = GetParam().body;
    if (GetParam().type) reply.AddHeader("Content-Type", GetParam().type);
    server.SetReply(reply);
    Run(Task(1048576), 2);
    EXPECT_EQ(0, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(0, window.Count(WM_DOWNLOAD_STARTED));
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_CONNECT_FAILED));
    EXPECT_EQ(200, window.Of(WM_DOWNLOAD_CONNECT_FAILED)[0].Error->Detail);
    EXPECT_EQ("bytes=700000-", Range(1));
    EXPECT_EQ(SourceBytes(source, onDisk), folder.ReadFile(L"clip.xof.temp"));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, WrongWholeReplyTest,
    testing::Values(WrongWholeCase{"SoftErrorPage", std::string(3000, 'e'), "text/html; charset=utf-8"},
                    WrongWholeCase{"Empty", "", nullptr},
                    WrongWholeCase{"ShorterThanThePartial", SourceBytes(PatternSource(kSize), 500000),
                                   "application/octet-stream"}));

struct ChangedFileCase {
    const char* name;
    LONGLONG taskSize;   // the size the task carries
    uint64_t oldOnDisk;  // bytes of the old file on disk when the job starts
    bool cutOldFirst;    // the first reply is still the old file, cut after 1,000,000 bytes
    bool changed;        // the server has a file of another size from then on
    size_t requests;
};

void PrintTo(const ChangedFileCase& c, std::ostream* out) { *out << c.name; }

class ChangedFileTest : public DownloadJobTest, public testing::WithParamInterface<ChangedFileCase> {};

// A range reply whose total is not the size the server announced before belongs to
// another file: the download starts again from byte 0 instead of mixing the two.
TEST_P(ChangedFileTest, IsDownloadedAfresh) {
    const ChangedFileCase& c = GetParam();
    ByteSource before = PatternSource(4000000);
    ByteSource after;
    after.size = 4777777;
    after.read = [](uint64_t offset, char* out, size_t count) {
        for (size_t i = 0; i < count; ++i) out[i] = PatternByte(offset + i + 12345);
    };
    folder.WriteFile(L"clip.xof.temp", SourceBytes(before, c.oldOnDisk));
    std::atomic<int> served{0};
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        bool first = served++ == 0;
        if (first && c.cutOldFirst) {
            reply = RangeReply(request, before);
            reply.dropAfter = 1000000;
            return;
        }
        reply = RangeReply(request, c.changed ? after : before);
    });
    Run(Task(c.taskSize));
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(1, window.EndCount());
    const ByteSource& expected = c.changed ? after : before;
    EXPECT_EQ(Sha1OfSource(expected, expected.size), Sha1OfFile(Temp()));
    ASSERT_EQ(c.requests, server.Requests().size());
    EXPECT_EQ(c.changed, !server.Requests().back().HasHeader("range"));
}

INSTANTIATE_TEST_SUITE_P(Files, ChangedFileTest,
                         testing::Values(ChangedFileCase{"ChangedDuringTheJob", 4 * 1048576, 0, true, true, 3},
                                         ChangedFileCase{"ChangedSinceTheLastJob", 4000000, 1000000, false, true, 2},
                                         ChangedFileCase{"UnchangedSinceTheLastJob", 4000000, 1000000, false, false, 1},
                                         // An album's size in whole megabytes tells nothing of the server's file.
                                         ChangedFileCase{"AlbumSizeOnly", 4 * 1048576, 1000000, false, false, 1}));

// A burst, then 1000 bytes a second: a pause request ends the transfer at its next
// read, not when a large read has filled up.
TEST_F(DownloadJobTest, PauseOnATrickleAfterABurstStopsAtOnce) {
    source = PatternSource(1000000);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.burst = 100000;
        reply.pieceSize = 100;
        reply.pieceDelay = 100ms;
    });
    CDownloadVedioItem job(Task(1000000), window.Wnd());
    CPauseRequestList& requests = queue.GetPauseRequests();
    requests.JobQueued(job.GetKey());
    std::atomic<DWORD> askedAt{0};
    std::thread asker([&] {
        for (int i = 0; i < 2000 && FileSizeOf(Temp()) < 65536; ++i) Sleep(5);
        Sleep(1000);
        askedAt = GetTickCount();
        requests.Add(job.GetKey());
    });
    queue.RunJob(job, 5);
    DWORD stoppedAt = GetTickCount();
    asker.join();
    window.PumpFor(50);
    EXPECT_LT(stoppedAt - askedAt, 5000u);  // a read that waited for a large piece took half a minute
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_PAUSED));
    EXPECT_EQ(1, window.EndCount());
    LONGLONG onDisk = FileSizeOf(Temp());
    EXPECT_GE(onDisk, 100000);
    EXPECT_EQ(SourceBytes(source, onDisk), folder.ReadFile(L"clip.xof.temp"));
}

TEST_F(DownloadJobTest, SlowBodyReportsProgressAtMostOnceASecond) {
    const uint64_t size = 40 * 8192;
    source = PatternSource(size);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.pieceSize = 8192;
        reply.pieceDelay = 80ms;
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task(size)));
    DWORD elapsed = GetTickCount() - start;
    window.PumpFor(50);

    std::vector<ReceivedMessage> progress = window.Of(WM_DOWNLOAD_PROGRESS);
    ASSERT_GE(elapsed, 3000u);
    EXPECT_LE(progress.size(), elapsed / 1000);
    ASSERT_GE(progress.size(), 2u);
    LONGLONG reported = 0;
    for (const ReceivedMessage& m : progress) {
        reported += m.Key->Bytes;
        EXPECT_EQ(reported, m.Key->DownSize);
        EXPECT_EQ(reported, (LONGLONG)m.LParam);
        EXPECT_EQ((LONGLONG)size, m.Key->FileSize);
        EXPECT_EQ(31, m.Key->FileID);
    }
}

// On a slow link a read asks only for what has arrived, so a pause request stops the
// transfer after the piece in flight, not after a whole large read.
TEST_F(DownloadJobTest, SlowTransferStopsAfterThePieceInFlight) {
    source = PatternSource(1000000);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.pieceSize = 4096;
        reply.pieceDelay = 200ms;
    });
    CDownloadVedioItem job(Task(1000000), window.Wnd());
    pauseRequests.JobQueued(job.GetKey());
    std::atomic<LONGLONG> sizeAtRequest{-1};
    std::thread asker([&] {
        for (int i = 0; i < 2000 && FileSizeOf(Temp()) < 8192; ++i) Sleep(5);
        sizeAtRequest = FileSizeOf(Temp());
        pauseRequests.Add(job.GetKey());
    });
    EXPECT_EQ(DOWNLOAD_ERR_PAUSED, Attempt(job));
    asker.join();
    ASSERT_GE(sizeAtRequest, 8192);
    EXPECT_LE(FileSizeOf(Temp()) - sizeAtRequest, 16384);
}

struct SizeCase {
    LONGLONG recorded;
    uint64_t contentLength;
    LONGLONG corrected;
};

class SizeCorrectionTest : public DownloadJobTest, public testing::WithParamInterface<SizeCase> {};

// A pause request that is there before the attempt: the job connects, reports its
// start with the corrected size and stops before its first read.
TEST_P(SizeCorrectionTest, StartReportCarriesTheCorrectedSize) {
    source = PatternSource(GetParam().contentLength);
    server.SetHandler([&](const HttpRequest& request, HttpReply& reply) {
        reply = RangeReply(request, source);
        reply.pieceDelay = 100ms;  // the unread body is not drained at full speed
    });
    DOWNLOAD_TASK_INFO task = Task(GetParam().recorded);
    CDownloadVedioItem job(task, window.Wnd());
    pauseRequests.JobQueued(job.GetKey());
    pauseRequests.Add(job.GetKey());
    EXPECT_EQ(DOWNLOAD_ERR_PAUSED, Attempt(job));
    window.PumpFor(50);
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_STARTED));
    EXPECT_EQ((LPARAM)GetParam().corrected, window.Of(WM_DOWNLOAD_STARTED)[0].LParam);
    EXPECT_EQ(0, FileSizeOf(Temp()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeCorrectionTest,
                         testing::Values(SizeCase{50000000, 45000000, 45000000}, SizeCase{50000000, 30000000, 50000000},
                                         SizeCase{0, 2000, 2000}));

TEST_F(DownloadJobTest, EmptyBodyCompletesAtOnce) {
    source = PatternSource(0);
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task(0)));
    EXPECT_EQ(0, FileSizeOf(Temp()));
    window.PumpFor(50);
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_STARTED));
}

// Files of 2 GiB and more: the range is written in 64 bits and the data lands after it.
TEST_F(DownloadJobTest, PartialFileBeyondFourGibibytesIsContinued) {
    const LONGLONG onDisk = 5LL << 30;
    source = PatternSource(onDisk + 1000);
    {
        CScopedHandle file(CreateFileW(Temp(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER end;
        end.QuadPart = onDisk;
        ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get()));
    }
    EXPECT_EQ(DOWNLOAD_ERR_NONE, Attempt(Task(onDisk)));
    EXPECT_EQ("bytes=5368709120-", Range(0));
    EXPECT_EQ(onDisk + 1000, FileSizeOf(Temp()));

    CScopedHandle file(CreateFileW(Temp(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER tail;
    tail.QuadPart = onDisk;
    SetFilePointerEx(file.Get(), tail, nullptr, FILE_BEGIN);
    char bytes[1000];
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.Get(), bytes, sizeof(bytes), &read, nullptr));
    ASSERT_EQ(1000u, read);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(PatternByte(onDisk + i), bytes[i]) << i;
    window.PumpFor(50);
    EXPECT_EQ(0x7FFFFFFF, window.Of(WM_DOWNLOAD_STARTED).at(0).LParam);
}

TEST_F(DownloadJobTest, FailuresTellTheirKindAndCode) {
    DOWNLOAD_TASK_INFO missingFolder = Task();
    missingFolder.FilePath = folder.File(L"no such folder\\clip.xof");
    EXPECT_EQ(DOWNLOAD_ERR_CREATE_FILE, Attempt(missingFolder));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, detail);

    DOWNLOAD_TASK_INFO refused = Task();
    refused.DownloadUrl = Wide("http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/clip.xof");
    EXPECT_EQ(DOWNLOAD_ERR_CONNECT, Attempt(refused));
    EXPECT_EQ(ERROR_INTERNET_CANNOT_CONNECT, detail);

    DOWNLOAD_TASK_INFO noUrl = Task();
    noUrl.DownloadUrl = L"clip.xof";
    EXPECT_EQ(DOWNLOAD_ERR_CONNECT, Attempt(noUrl));
    EXPECT_EQ(ERROR_INTERNET_INVALID_URL, detail);
}

}  // namespace
