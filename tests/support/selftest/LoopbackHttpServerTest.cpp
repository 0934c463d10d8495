// The loopback server seen from a raw socket: the exact bytes it sends and how it
// treats clients that misbehave.
#include <gtest/gtest.h>

#include "http/HttpReplies.h"
#include "http/LoopbackHttpServer.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A blocking client socket with bounded reads.
class RawClient {
public:
    explicit RawClient(unsigned short port) : m_socket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        DWORD slice = 100;
        setsockopt(m_socket.Get(), SOL_SOCKET, SO_RCVTIMEO, (const char*)&slice, sizeof(slice));
        m_connected = connect(m_socket.Get(), (sockaddr*)&address, sizeof(address)) == 0;
    }

    bool Connected() const { return m_connected; }

    bool Send(const std::string& bytes) {
        return send(m_socket.Get(), bytes.data(), (int)bytes.size(), 0) == (int)bytes.size();
    }

    // Everything until the server closes; closed tells whether it did within the limit.
    std::string ReadToClose(bool& closed, std::chrono::milliseconds limit = 5s) {
        std::string received;
        char buffer[65536];
        closed = false;
        for (auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
            int n = recv(m_socket.Get(), buffer, sizeof(buffer), 0);
            if (n > 0) {
                received.append(buffer, (size_t)n);
            } else if (n == 0 || WSAGetLastError() != WSAETIMEDOUT) {
                closed = true;
                break;
            }
        }
        return received;
    }

    std::string ReadToClose() {
        bool closed;
        std::string received = ReadToClose(closed);
        EXPECT_TRUE(closed) << "the server kept the connection open";
        return received;
    }

private:
    WinsockLibrary m_winsock;
    SocketHandle m_socket;
    bool m_connected = false;
};

std::string Exchange(const LoopbackHttpServer& server, const std::string& request) {
    RawClient client(server.Port());
    EXPECT_TRUE(client.Connected());
    client.Send(request);
    return client.ReadToClose();
}

std::string Head(const std::string& response) { return response.substr(0, response.find("\r\n\r\n") + 4); }
std::string Body(const std::string& response) { return response.substr(response.find("\r\n\r\n") + 4); }

HttpReply Reply(std::string body) {
    HttpReply reply;
    reply.body = std::move(body);
    return reply;
}

struct FramingCase {
    const char* name;
    const char* method;
    bool clientAsksClose;  // when false, the reply alone must make the server close
    HttpReply reply;
    const char* statusLine;
    std::vector<const char*> headLines;    // must be in the head
    std::vector<const char*> absentNames;  // header names that must not be
    const char* rawBody;
};

void PrintTo(const FramingCase& c, std::ostream* out) { *out << c.name; }

HttpReply Framed(std::string body, BodyFraming framing, size_t pieceSize = 64 * 1024) {
    HttpReply reply = Reply(std::move(body));
    reply.framing = framing;
    reply.pieceSize = pieceSize;
    return reply;
}

HttpReply WithLength(std::string body, uint64_t announced) {
    HttpReply reply = Reply(std::move(body));
    reply.contentLength = announced;
    return reply;
}

HttpReply Dropped(HttpReply reply, uint64_t after) {
    reply.dropAfter = after;
    return reply;
}

HttpReply WithStatus(int status, const char* reason, std::string body) {
    HttpReply reply = Reply(std::move(body));
    reply.status = status;
    reply.reason = reason;
    return reply;
}

class FramingTest : public testing::TestWithParam<FramingCase> {};

TEST_P(FramingTest, SendsExactBytes) {
    const FramingCase& c = GetParam();
    LoopbackHttpServer server(nullptr, 30s);
    server.SetReply(c.reply);
    std::string request = std::string(c.method) + " /x HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                          (c.clientAsksClose ? "Connection: close\r\n" : "") + "\r\n";
    std::string response = Exchange(server, request);

    std::string head = Head(response);
    EXPECT_EQ(0u, head.find(std::string(c.statusLine) + "\r\n")) << head;
    for (const char* line : c.headLines)
        EXPECT_NE(std::string::npos, head.find(std::string("\r\n") + line + "\r\n")) << line;
    for (const char* name : c.absentNames)
        EXPECT_EQ(std::string::npos, head.find(std::string("\r\n") + name + ":")) << name;
    EXPECT_EQ(c.rawBody, Body(response));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FramingTest,
    testing::Values(
        FramingCase{"ContentLength",
                    "GET",
                    true,
                    Reply("hello"),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 5", "Connection: close"},
                    {},
                    "hello"},
        FramingCase{"Chunked",
                    "GET",
                    true,
                    Framed("hello world", BodyFraming::Chunked, 4),
                    "HTTP/1.1 200 OK",
                    {"Transfer-Encoding: chunked"},
                    {"Content-Length"},
                    "4\r\nhell\r\n4\r\no wo\r\n3\r\nrld\r\n0\r\n\r\n"},
        FramingCase{"EmptyChunked",
                    "GET",
                    true,
                    Framed("", BodyFraming::Chunked),
                    "HTTP/1.1 200 OK",
                    {"Transfer-Encoding: chunked"},
                    {},
                    "0\r\n\r\n"},
        FramingCase{"UntilClose",
                    "GET",
                    false,
                    Framed("to the end", BodyFraming::UntilClose),
                    "HTTP/1.1 200 OK",
                    {"Connection: close"},
                    {"Content-Length", "Transfer-Encoding"},
                    "to the end"},
        FramingCase{"AnnouncesMore",
                    "GET",
                    false,
                    WithLength("abc", 100),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 100"},
                    {},
                    "abc"},
        FramingCase{"AnnouncesFewer",
                    "GET",
                    false,
                    WithLength("abcdef", 2),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 2"},
                    {},
                    "abcdef"},
        FramingCase{"DroppedMidBody",
                    "GET",
                    false,
                    Dropped(Reply("abcdefgh"), 4),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 8"},
                    {},
                    "abcd"},
        FramingCase{"DroppedMidChunks",
                    "GET",
                    false,
                    Dropped(Framed("abcdefgh", BodyFraming::Chunked, 4), 6),
                    "HTTP/1.1 200 OK",
                    {},
                    {},
                    "4\r\nabcd\r\n2\r\nef\r\n"},
        FramingCase{"DropBeyondBodySendsAll",
                    "GET",
                    false,
                    Dropped(Reply("abc"), 10),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 3"},
                    {},
                    "abc"},
        FramingCase{
            "HeadHasLengthButNoBody", "HEAD", true, Reply("hello"), "HTTP/1.1 200 OK", {"Content-Length: 5"}, {}, ""},
        FramingCase{"NoContentHasNoBody",
                    "GET",
                    true,
                    WithStatus(204, "", "ignored"),
                    "HTTP/1.1 204 No Content",
                    {},
                    {"Content-Length"},
                    ""},
        FramingCase{"OwnReason",
                    "GET",
                    true,
                    WithStatus(503, "Busy Now", "later"),
                    "HTTP/1.1 503 Busy Now",
                    {"Content-Length: 5"},
                    {},
                    "later"},
        FramingCase{"StreamedSource",
                    "GET",
                    true,
                    [] {
                        HttpReply r;
                        r.source = StringSource("from a source");
                        r.body = "not this";
                        return r;
                    }(),
                    "HTTP/1.1 200 OK",
                    {"Content-Length: 13"},
                    {},
                    "from a source"}),
    [](const testing::TestParamInfo<FramingCase>& info) { return std::string(info.param.name); });

TEST(LoopbackHttpServerTest, ServesSeveralRequestsOnOneConnectionInOrder) {
    LoopbackHttpServer server([](const HttpRequest& request, HttpReply& reply) {
        reply.AddHeader("Set-Cookie", "seen=" + request.Path());
        reply.body = request.method + " " + request.target + " [" + request.body + "]";
    });
    RawClient client(server.Port());
    ASSERT_TRUE(client.Connected());
    // Two requests in one send, the second with a body, then one that ends the connection.
    client.Send(
        "GET /a?q=1 HTTP/1.1\r\nHost: h\r\nCOOKIE:   sid=42  \r\n\r\n"
        "POST /b HTTP/1.1\r\nHost: h\r\ncontent-length: 7\r\n\r\nx=1&y=2");
    client.Send("GET /c HTTP/1.1\r\nHost: h\r\nConnection: keep-alive, Close\r\n\r\n");
    std::string all = client.ReadToClose();

    size_t a = all.find("GET /a?q=1 []"), b = all.find("POST /b [x=1&y=2]"), c = all.find("GET /c []");
    ASSERT_NE(std::string::npos, a) << all;
    ASSERT_NE(std::string::npos, b) << all;
    ASSERT_NE(std::string::npos, c) << all;
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_NE(std::string::npos, all.find("\r\nSet-Cookie: seen=/a\r\n"));
    // A handler that sets only the body answers 200.
    size_t okCount = 0;
    for (size_t at = all.find("HTTP/1.1 200 OK\r\n"); at != std::string::npos;
         at = all.find("HTTP/1.1 200 OK\r\n", at + 1))
        ++okCount;
    EXPECT_EQ(3u, okCount);

    std::vector<HttpRequest> log = server.Requests();
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ("sid=42", log[0].Header("Cookie"));
    EXPECT_EQ("sid=42", log[0].Header("cookie"));
    EXPECT_FALSE(log[0].HasHeader("Content-Length"));
    EXPECT_EQ("/a", log[0].Path());
    EXPECT_EQ("x=1&y=2", log[1].body);
    EXPECT_TRUE(log[1].HasHeader("CONTENT-LENGTH"));
    EXPECT_EQ("HTTP/1.1", log[2].version);
    for (const HttpRequest& request : log) EXPECT_EQ(1, request.connection);
    EXPECT_EQ(1, server.ConnectionCount());
}

struct RefusalCase {
    const char* name;
    std::string request;
    const char* statusLine;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, AnswersAndCloses) {
    LoopbackHttpServer server([](const HttpRequest&, HttpReply& reply) { reply.body = "handled"; }, 30s);
    std::string response = Exchange(server, GetParam().request);
    EXPECT_EQ(0u, response.find(std::string(GetParam().statusLine) + "\r\n")) << response;
    EXPECT_TRUE(server.Requests().empty());
}

INSTANTIATE_TEST_SUITE_P(
    BadRequests, RefusalTest,
    testing::Values(
        RefusalCase{"NoTarget", "GARBAGE\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        RefusalCase{"NotHttp", "GET / SPDY/3\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        RefusalCase{"HeaderWithoutColon", "GET / HTTP/1.1\r\nHost h\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        RefusalCase{"LetterLength", "POST / HTTP/1.1\r\nContent-Length: 1x\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        RefusalCase{"NegativeLength", "POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        RefusalCase{"OverflowLength", "POST / HTTP/1.1\r\nContent-Length: 99999999999999999999999\r\n\r\n",
                    "HTTP/1.1 400 Bad Request"},
        RefusalCase{"HugeBody", "POST / HTTP/1.1\r\nContent-Length: 1000000000000\r\n\r\n",
                    "HTTP/1.1 413 Content Too Large"},
        RefusalCase{"ChunkedRequest", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
                    "HTTP/1.1 501 Not Implemented"},
        RefusalCase{"EndlessHead", "GET / HTTP/1.1\r\nX: " + std::string(70000, 'a'),
                    "HTTP/1.1 431 Request Header Fields Too Large"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(LoopbackHttpServerTest, AnswersWithoutAHandlerOrWhenItThrows) {
    LoopbackHttpServer server;
    EXPECT_EQ(0u, Exchange(server, "GET / HTTP/1.1\r\nConnection: close\r\n\r\n").find("HTTP/1.1 404 Not Found\r\n"));
    server.SetHandler([](const HttpRequest&, HttpReply&) { throw std::runtime_error("handler broke"); });
    std::string response = Exchange(server, "GET / HTTP/1.1\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(0u, response.find("HTTP/1.1 500 Internal Server Error\r\n"));
    EXPECT_EQ("handler broke", Body(response));
    EXPECT_EQ(2u, server.Requests().size());
}

TEST(LoopbackHttpServerTest, DropsClientsThatStopSending) {
    LoopbackHttpServer server(nullptr, 200ms);
    RawClient silent(server.Port());
    RawClient halfway(server.Port());
    ASSERT_TRUE(silent.Connected() && halfway.Connected());
    halfway.Send("POST / HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc");
    for (RawClient* client : {&silent, &halfway}) {
        bool closed;
        EXPECT_EQ("", client->ReadToClose(closed, 5s));
        EXPECT_TRUE(closed);
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST(LoopbackHttpServerTest, StopEndsIdleAndSlowConnectionsAtOnce) {
    auto server = std::make_unique<LoopbackHttpServer>(nullptr, 60s);
    HttpReply slow = Reply("ab");
    slow.pieceSize = 1;
    slow.pieceDelay = 60s;
    server->SetReply(slow);
    RawClient idle(server->Port());
    RawClient reading(server->Port());
    ASSERT_TRUE(idle.Connected() && reading.Connected());
    reading.Send("GET / HTTP/1.1\r\n\r\n");
    bool closed;
    reading.ReadToClose(closed, 500ms);  // the head and the first byte, then the long pause
    ASSERT_FALSE(closed);

    auto start = Clock::now();
    server->Stop();
    EXPECT_LT(Clock::now() - start, 5s);
    server->Stop();
    server.reset();
    EXPECT_EQ("", idle.ReadToClose(closed, 5s));
    EXPECT_TRUE(closed);
}

TEST(LoopbackHttpServerTest, SlowBodyPausesBetweenPieces) {
    LoopbackHttpServer server;
    HttpReply slow = Reply("abc");
    slow.pieceSize = 1;
    slow.pieceDelay = 150ms;
    server.SetReply(slow);
    auto start = Clock::now();
    std::string response = Exchange(server, "GET / HTTP/1.1\r\nConnection: close\r\n\r\n");
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_EQ("abc", Body(response));
}

}  // namespace
