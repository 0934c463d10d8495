// HTTP/1.1 server for tests, inside the test process: it listens on 127.0.0.1 at an
// ephemeral port and answers each request with the reply that the test's handler fills.
//
//   LoopbackHttpServer server([](const HttpRequest& request, HttpReply& reply) {
//       if (request.Path() != "/video") { reply.status = 404; return; }
//       reply = RangeReply(request, PatternSource(100 << 20));  // 200, 206 or 416
//       reply.pieceDelay = std::chrono::milliseconds(20);        // a slow body
//   });
//   RunTheClient(server.Url("/video?id=7"));
//   EXPECT_EQ("bytes=1000-", server.Requests().at(0).Header("range"));
//
// Or one fixed reply for every request: server.SetReply(reply).
//
// Each client connection (at most 64 at once) has a thread of its own, so the handler
// may run on several threads at once; it must return (a slow body is the reply's
// business, not the handler's). Without a handler every request gets 404. A request is
// logged before its handler runs; requests that cannot be parsed get 400 (or 413, 431,
// 501) and are not logged. A client that sends nothing for the idle time-out is
// dropped. Stop(), also run by the destructor, ends every thread within a fraction of
// a second, whatever the clients do.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;   // "GET", "POST", "HEAD", ...
    std::string target;   // path and query as sent
    std::string version;  // "HTTP/1.1"
    HttpHeaders headers;  // in the order received
    std::string body;     // read by its Content-Length
    int connection = 0;   // number of the connection that carried it, from 1

    // The first value of a header, names compared case-insensitively; "" when missing.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
    // The target up to "?".
    std::string Path() const;
    // The target after "?"; "" when there is none.
    std::string Query() const;
};

// A decimal number of digits only, without overflow (as the server reads Content-Length).
bool ParseDecimal(const std::string& text, uint64_t& value);

// A body produced on demand: read fills out with the bytes [offset, offset + count).
// It runs on the connection's thread; when it throws, the connection is dropped.
struct ByteSource {
    uint64_t size = 0;
    std::function<void(uint64_t offset, char* out, size_t count)> read;
};

enum class BodyFraming {
    ContentLength,  // "Content-Length: <size>"
    Chunked,        // "Transfer-Encoding: chunked", one chunk per piece
    UntilClose,     // no length: the body ends when the server closes the connection
};

struct HttpReply {
    int status = 200;
    std::string reason;  // "" gives the usual phrase of the status
    // Sent as given, in order (Content-Type, Set-Cookie, ...); the server adds the framing
    // headers (Content-Length or Transfer-Encoding) and "Connection: close" itself.
    HttpHeaders headers;
    std::string body;   // the body, unless source is set
    ByteSource source;  // a body streamed from a source (large bodies); wins when its read is set
    BodyFraming framing = BodyFraming::ContentLength;
    // A Content-Length other than the body's true size (the body is sent as it is and the
    // connection closed after it, since the stream is out of step).
    std::optional<uint64_t> contentLength;
    // Close the connection after this many body bytes, as a server that fails mid-body.
    std::optional<uint64_t> dropAfter;
    size_t pieceSize = 64 * 1024;             // bytes per send, and per chunk
    std::chrono::milliseconds pieceDelay{0};  // pause between pieces: a slow body
    uint64_t burst = 0;                       // body bytes sent at once, as one piece, before the slow pieces
    bool closeConnection = false;             // "Connection: close", then close

    void AddHeader(std::string name, std::string value);
};

using HttpHandler = std::function<void(const HttpRequest& request, HttpReply& reply)>;

// Winsock started for as long as this object lives.
class WinsockLibrary {
public:
    WinsockLibrary();
    ~WinsockLibrary();
    WinsockLibrary(const WinsockLibrary&) = delete;
    WinsockLibrary& operator=(const WinsockLibrary&) = delete;
};

// A socket that closes itself.
class SocketHandle {
public:
    explicit SocketHandle(SOCKET socket = INVALID_SOCKET) : m_socket(socket) {}
    ~SocketHandle();
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    SOCKET Get() const { return m_socket; }
    explicit operator bool() const { return m_socket != INVALID_SOCKET; }

private:
    SOCKET m_socket;
};

class LoopbackHttpServer {
public:
    static constexpr std::chrono::milliseconds kDefaultIdleTimeout{5000};

    // Listens at once; throws std::runtime_error when it cannot.
    explicit LoopbackHttpServer(HttpHandler handler = nullptr,
                                std::chrono::milliseconds idleTimeout = kDefaultIdleTimeout);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    void SetHandler(HttpHandler handler);
    // Answers every request with a copy of this reply.
    void SetReply(HttpReply reply);

    unsigned short Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the path and query.
    std::string Url(const std::string& pathAndQuery = "/") const;

    // Every request received so far, in order of arrival.
    std::vector<HttpRequest> Requests() const;
    void ClearRequests();
    // Connections accepted so far.
    int ConnectionCount() const;

    // Stops listening and serving and joins every thread; safe to call twice.
    void Stop();

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    enum class Wait { Ready, TimedOut, Stopped };
    enum class Incoming { Request, Refused, Gone };

    void AcceptLoop();
    void StartWorker(SOCKET client);
    void ReapFinishedWorkers();
    void Serve(SOCKET client, int connection);
    void Answer(const HttpRequest& request, HttpReply& reply);
    Incoming ReadRequest(SOCKET client, std::string& pending, HttpRequest& request, HttpReply& refusal);
    bool Receive(SOCKET client, std::string& pending);
    bool SendReply(SOCKET client, const HttpRequest& request, const HttpReply& reply, bool close);
    bool SendBody(SOCKET client, const HttpReply& reply, uint64_t limit);
    bool SendAll(SOCKET client, const std::string& data);
    void FinishConnection(SOCKET client);
    Wait WaitFor(SOCKET socket, bool write, std::chrono::steady_clock::time_point deadline);
    bool Pause(std::chrono::milliseconds delay);  // false when stopped meanwhile

    WinsockLibrary m_winsock;
    const std::chrono::milliseconds m_idleTimeout;
    SocketHandle m_listener;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::mutex m_stopMutex;
    std::condition_variable m_stopSignal;

    mutable std::mutex m_mutex;  // guards the handler, the log and the connection count
    HttpHandler m_handler;
    std::vector<HttpRequest> m_requests;
    int m_connections = 0;

    std::list<std::unique_ptr<Worker>> m_workers;  // used by the accept thread, then by Stop
    std::thread m_acceptThread;
};

// A loopback port that nothing listens on (it was free a moment ago), for refused connections.
unsigned short UnusedLoopbackPort();
