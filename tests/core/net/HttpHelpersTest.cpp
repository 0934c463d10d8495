// The player's HTTP helpers over real WinINet against the loopback server.
#include <gtest/gtest.h>

#include "net/HttpHelpers.h"

#include <psapi.h>

#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "http/HttpReplies.h"
#include "http/LoopbackHttpServer.h"

namespace {

using namespace std::chrono_literals;

const char kFormType[] = "Content-Type: application/x-www-form-urlencoded";

// Where a case sends its request.
using UrlOf = std::string (*)(const LoopbackHttpServer& server);

std::string Served(const LoopbackHttpServer& server) { return server.Url("/Avatar/Big.PNG?User=AbC"); }
std::string ServedUpperCase(const LoopbackHttpServer& server) {
    return "HTTP://LocalHost:" + std::to_string(server.Port()) + "/Avatar/Big.PNG?User=AbC";
}
std::string ServedOverHttps(const LoopbackHttpServer& server) {
    return "https://127.0.0.1:" + std::to_string(server.Port()) + "/Avatar/Big.PNG?User=AbC";
}
std::string WithoutHost(const LoopbackHttpServer& server) {
    return "/127.0.0.1:" + std::to_string(server.Port()) + "/Avatar/Big.PNG?User=AbC";
}
std::string Refused(const LoopbackHttpServer&) {
    return "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/x";
}
std::string RefusedHttps(const LoopbackHttpServer&) {
    return "https://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/x";
}

HttpReply Reply(int status, std::string body) {
    HttpReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

HttpReply Ok(std::string body) { return Reply(200, std::move(body)); }

HttpReply Chunked(std::string body) {
    HttpReply reply = Ok(std::move(body));
    reply.framing = BodyFraming::Chunked;
    reply.pieceSize = 7;
    return reply;
}

// Pieces of pieceSize bytes with a pause between them.
HttpReply Slow(std::string body, size_t pieceSize, std::chrono::milliseconds pause) {
    HttpReply reply = Ok(std::move(body));
    reply.pieceSize = pieceSize;
    reply.pieceDelay = pause;
    return reply;
}

HttpReply Announcing(uint64_t length, std::string body) {
    HttpReply reply = Ok(std::move(body));
    reply.contentLength = length;
    return reply;
}

HttpReply DroppedAfter(uint64_t bytes, std::string body) {
    HttpReply reply = Ok(std::move(body));
    reply.dropAfter = bytes;
    return reply;
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    PatternSource(size).read(0, &bytes[0], size);
    return bytes;
}

CString Wide(const std::string& text) { return CString(text.c_str()); }

SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

// A block from HttpGetToMemory, released as its contract says.
struct VirtualBlock {
    void* address;
    ~VirtualBlock() {
        if (address) VirtualFree(address, 0, MEM_RELEASE);
    }
};

struct ExchangeCase {
    const char* name;
    UrlOf url;
    HttpReply reply;
};

void PrintTo(const ExchangeCase& c, std::ostream* out) { *out << c.name; }

// A server that answers every request with the case's reply.
class ServedTest : public testing::TestWithParam<ExchangeCase> {
protected:
    void SetUp() override { server.SetReply(GetParam().reply); }
    CString Url() const { return Wide(GetParam().url(server)); }

    LoopbackHttpServer server{nullptr, 1s};
};

std::string CaseName(const testing::TestParamInfo<ExchangeCase>& info) { return info.param.name; }

using GetToMemoryDelivers = ServedTest;

TEST_P(GetToMemoryDelivers, ExactlyTheBody) {
    int size = -1;
    VirtualBlock block{HttpGetToMemory(Url(), size)};
    ASSERT_NE(nullptr, block.address);
    const std::string& body = GetParam().reply.body;
    ASSERT_EQ((int)body.size(), size);
    EXPECT_EQ(body, std::string((const char*)block.address, (size_t)size));
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ("/Avatar/Big.PNG?User=AbC", server.Requests()[0].target);
}

INSTANTIATE_TEST_SUITE_P(Http, GetToMemoryDelivers,
                         testing::Values(ExchangeCase{"Picture", Served, Ok(Pattern(70000))},
                                         ExchangeCase{"SlowServer", Served, Slow(Pattern(5000), 1000, 200ms)},
                                         ExchangeCase{"UpperCaseSchemeAndHost", ServedUpperCase, Ok("png bytes")}),
                         CaseName);

using GetToMemoryFails = ServedTest;

TEST_P(GetToMemoryFails, WithNoBlockAndNoMemoryTakenOnTrust) {
    SIZE_T peakBefore = PeakWorkingSet();
    int size = -1;
    VirtualBlock block{HttpGetToMemory(Url(), size)};
    EXPECT_EQ(nullptr, block.address);
    EXPECT_EQ(-1, size);
    // Memory follows what arrives: no block is made and filled for an announced length.
    EXPECT_LT(PeakWorkingSet() - peakBefore, SIZE_T(64) << 20);
}

INSTANTIATE_TEST_SUITE_P(
    Http, GetToMemoryFails,
    testing::Values(ExchangeCase{"NotFound", Served, Reply(404, "no such picture")},
                    ExchangeCase{"ServerError", Served, Reply(500, "broken")},
                    ExchangeCase{"EmptyBody", Served, Ok("")},
                    ExchangeCase{"NoContentLength", Served, Chunked("png bytes")},
                    ExchangeCase{"DroppedMidBody", Served, DroppedAfter(100, Pattern(1000))},
                    ExchangeCase{"Announces300MegabytesSends10", Served, Announcing(300u << 20, "0123456789")},
                    ExchangeCase{"Announces2GigabytesSends10", Served, Announcing(0x7FFFFFFF, "0123456789")},
                    ExchangeCase{"Refused", Refused, Ok("unused")}),
    CaseName);

struct TextCase {
    const char* name;
    UrlOf url;
    HttpReply reply;
    CString expected;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class GetTextDecodes : public testing::TestWithParam<TextCase> {
protected:
    LoopbackHttpServer server{nullptr, 1s};
};

TEST_P(GetTextDecodes, TheWholeBodyFromUtf8) {
    server.SetReply(GetParam().reply);
    CString text = HttpGetText(Wide(GetParam().url(server)));
    ASSERT_EQ(GetParam().expected.GetLength(), text.GetLength());
    EXPECT_TRUE(GetParam().expected == text);
}

std::string LargeUtf8() { return std::string(1500000, 'a') + "尾"; }
CString LargeWide() { return CString(std::wstring(1500000, L'a').c_str()) + L"尾"; }

INSTANTIATE_TEST_SUITE_P(
    Http, GetTextDecodes,
    testing::Values(TextCase{"Chinese", Served, Ok("积分：120，金币：7"), L"积分：120，金币：7"},
                    TextCase{"EndsAtZero", Served, Ok(std::string("前\0后", 7)), L"前"},
                    TextCase{"Empty", Served, Ok(""), L""},
                    TextCase{"Chunked", Served, Chunked("<result>成功</result>"), L"<result>成功</result>"},
                    TextCase{"SlowServer", Served, Slow("慢慢来的回复", 3, 150ms), L"慢慢来的回复"},
                    TextCase{"OverOneMegabyte", Served, Ok(LargeUtf8()), LargeWide()},
                    TextCase{"UpperCaseSchemeAndHost", ServedUpperCase, Ok("ok"), L"ok"},
                    // Failures give the empty text; a cut reply is a failure, not a shorter text.
                    TextCase{"NotFound", Served, Reply(404, "missing"), L""},
                    TextCase{"DroppedMidBody", Served, DroppedAfter(100, std::string(1000, 'x')), L""},
                    TextCase{"ShorterThanAnnounced", Served, Announcing(5000, "partial"), L""},
                    TextCase{"Refused", Refused, Ok("unused"), L""}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

CString RepeatedText(const CString& text, int times) {
    CString all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// The catalogue lists' fetch: the whole body, read in pieces, in the ANSI code page (936 here).
using GetTextAsGbkDecodes = GetTextDecodes;

TEST_P(GetTextAsGbkDecodes, TheWholeBodyFromUtf8) {
    server.SetReply(GetParam().reply);
    CString text = HttpGetTextAsGbk(Wide(GetParam().url(server)));
    ASSERT_EQ(GetParam().expected.GetLength(), text.GetLength());
    EXPECT_TRUE(GetParam().expected == text);
}

INSTANTIATE_TEST_SUITE_P(
    Http, GetTextAsGbkDecodes,
    testing::Values(TextCase{"Chinese", Served, Ok("<name>动画</name>"), L"<name>动画</name>"},
                    TextCase{"ManyPieces", Served, Ok(Repeated("第一集,", 3000)), RepeatedText(L"第一集,", 3000)},
                    TextCase{"Chunked", Served, Chunked("<list>分类</list>"), L"<list>分类</list>"},
                    TextCase{"SlowServer", Served, Slow("慢慢来的回复", 3, 150ms), L"慢慢来的回复"},
                    TextCase{"Refused", Refused, Ok("unused"), L""}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// A window of no size or place that collects posted messages.
class MessageWindow {
public:
    MessageWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() { DestroyWindow(m_window); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Handle() const { return m_window; }

    std::vector<WPARAM> Take(UINT message) {
        std::vector<WPARAM> values;
        MSG msg;
        while (values.size() < 1000 && PeekMessageW(&msg, m_window, message, message, PM_REMOVE))
            values.push_back(msg.wParam);
        return values;
    }

private:
    HWND m_window;
};

class HttpPostTest : public testing::Test {
protected:
    CString Post(const std::string& url, const std::string& body, HWND window = nullptr) {
        return HttpPost(error, window, Wide(url), body.data(), (int)body.size(), CString(kFormType));
    }

    LoopbackHttpServer server{nullptr, 1s};
    CString error = L"untouched";
};

TEST_F(HttpPostTest, PostsTheFormAndDecodesTheReply) {
    server.SetReply(Ok("<plist><album>第一集</album></plist>"));
    CString reply = Post(server.Url("/Form/Multi?Album=AbC&Id=7"), "ids=1%2C2&name=\xe4\xb8\xad");
    EXPECT_STREQ(L"<plist><album>第一集</album></plist>", reply);
    EXPECT_STREQ(L"untouched", error);

    std::vector<HttpRequest> log = server.Requests();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("POST", log[0].method);
    EXPECT_EQ("/Form/Multi?Album=AbC&Id=7", log[0].target);
    EXPECT_EQ("127.0.0.1:" + std::to_string(server.Port()), log[0].Header("Host"));
    EXPECT_EQ("application/x-www-form-urlencoded", log[0].Header("Content-Type"));
    EXPECT_EQ("ids=1%2C2&name=\xe4\xb8\xad", log[0].body);
}

TEST_F(HttpPostTest, WaitsForASlowReply) {
    server.SetReply(Slow("<plist>慢</plist>", 4, 150ms));
    EXPECT_STREQ(L"<plist>慢</plist>", Post(server.Url("/form"), "a=1"));
    EXPECT_STREQ(L"untouched", error);
}

TEST_F(HttpPostTest, LowerCasesTheHostButKeepsPathAndQuery) {
    server.SetReply(Ok("ok"));
    EXPECT_STREQ(L"ok", Post(ServedUpperCase(server), "a=1"));
    EXPECT_STREQ(L"untouched", error);
    std::vector<HttpRequest> log = server.Requests();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("/Avatar/Big.PNG?User=AbC", log[0].target);
    EXPECT_EQ("localhost:" + std::to_string(server.Port()), log[0].Header("Host"));
}

TEST_F(HttpPostTest, ReportsProgressAfterEachPiece) {
    server.SetReply(Ok("done"));
    MessageWindow window;
    ASSERT_NE(nullptr, window.Handle());
    std::string body = Pattern(10000);
    EXPECT_STREQ(L"done", Post(server.Url("/upload"), body, window.Handle()));
    EXPECT_EQ((std::vector<WPARAM>{40, 81, 100}), window.Take(WM_HTTP_POST_PROGRESS));
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ(body, server.Requests()[0].body);
}

struct PostFailureCase {
    const char* name;
    UrlOf url;
    HttpReply reply;
    const wchar_t* errorStart;  // the error text begins with it
    size_t logged;              // requests the server saw
};

void PrintTo(const PostFailureCase& c, std::ostream* out) { *out << c.name; }

class PostFails : public HttpPostTest, public testing::WithParamInterface<PostFailureCase> {};

TEST_P(PostFails, WithAnErrorTextAndNoReply) {
    const PostFailureCase& c = GetParam();
    server.SetReply(c.reply);
    error.Empty();
    EXPECT_STREQ(L"", Post(c.url(server), "a=1"));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(0, error.Find(c.errorStart)) << CStringA(error).GetString();
    EXPECT_EQ(c.logged, server.Requests().size());
}

INSTANTIATE_TEST_SUITE_P(
    Http, PostFails,
    testing::Values(PostFailureCase{"NotFound", Served, Reply(404, "missing"), L"服务器响应不正确: 404", 1},
                    PostFailureCase{"NoContentLength", Served, Chunked("reply"), L"QueryInfo出错，错误代码: ", 1},
                    PostFailureCase{"DroppedMidBody", Served, DroppedAfter(100, Pattern(1000)), L"Read出错，错误代码: ",
                                    1},
                    PostFailureCase{"Announces2GigabytesSends10", Served, Announcing(0x7FFFFFFF, "0123456789"),
                                    L"Read出错，错误代码: ", 1},
                    // Nothing is sent for an address without a host.
                    PostFailureCase{"LeadingSlash", WithoutHost, Ok("unused"), L"URL解析失败。", 0},
                    PostFailureCase{"Refused", Refused, Ok("unused"), L"", 0},
                    PostFailureCase{"HttpsRefused", RefusedHttps, Ok("unused"), L"", 0},
                    // A plain server cannot answer the secure handshake, so nothing gets through.
                    PostFailureCase{"HttpsToPlainServer", ServedOverHttps, Ok("plain"), L"", 0}),
    [](const testing::TestParamInfo<PostFailureCase>& info) { return std::string(info.param.name); });

}  // namespace
