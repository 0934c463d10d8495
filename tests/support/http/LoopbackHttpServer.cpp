#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kSlice{50};         // longest wait before looking at the stop flag
constexpr std::chrono::milliseconds kLingerTime{1000};  // for the client to close its side
constexpr size_t kMaxHeaderBytes = 64 * 1024;
constexpr uint64_t kMaxRequestBody = 256ull << 20;
constexpr size_t kMaxConnections = 64;
constexpr size_t kReceiveBytes = 16 * 1024;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// True when a comma-separated header value lists the token.
bool HasToken(const std::string& list, const std::string& token) {
    for (size_t start = 0; start <= list.size();) {
        size_t comma = std::min(list.find(',', start), list.size());
        if (EqualsNoCase(Trim(list.substr(start, comma - start)), token)) return true;
        start = comma + 1;
    }
    return false;
}

const char* ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 201:
            return "Created";
        case 204:
            return "No Content";
        case 206:
            return "Partial Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 413:
            return "Content Too Large";
        case 416:
            return "Range Not Satisfiable";
        case 431:
            return "Request Header Fields Too Large";
        case 500:
            return "Internal Server Error";
        case 501:
            return "Not Implemented";
        case 503:
            return "Service Unavailable";
        default:
            return "Unknown";
    }
}

HttpReply Refusal(int status) {
    HttpReply reply;
    reply.status = status;
    reply.body = ReasonPhrase(status);
    return reply;
}

uint64_t BodySize(const HttpReply& reply) { return reply.source.read ? reply.source.size : reply.body.size(); }

bool HasBody(const HttpReply& reply) { return reply.status >= 200 && reply.status != 204 && reply.status != 304; }

bool ClientWantsClose(const HttpRequest& request) {
    return request.version != "HTTP/1.1" || HasToken(request.Header("Connection"), "close");
}

// A reply whose end the client cannot find on a kept connection ends the connection.
bool ClosesConnection(const HttpRequest& request, const HttpReply& reply) {
    return reply.closeConnection || ClientWantsClose(request) || reply.framing == BodyFraming::UntilClose ||
           reply.dropAfter || (reply.contentLength && *reply.contentLength != BodySize(reply));
}

// Binds the socket to 127.0.0.1 at an ephemeral port and returns the port; 0 on failure.
unsigned short BindEphemeralLoopback(SOCKET socket) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (bind(socket, (sockaddr*)&address, sizeof(address)) != 0 ||
        getsockname(socket, (sockaddr*)&address, &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

std::runtime_error SocketError(const char* what) {
    return std::runtime_error(std::string(what) + " 127.0.0.1: error " + std::to_string(WSAGetLastError()));
}

void SetNonBlocking(SOCKET socket) {
    u_long on = 1;
    ioctlsocket(socket, FIONBIO, &on);
}

bool WouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK; }

}  // namespace

bool ParseDecimal(const std::string& text, uint64_t& value) {
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

std::string HttpRequest::Header(const std::string& name) const {
    for (const auto& header : headers)
        if (EqualsNoCase(header.first, name)) return header.second;
    return std::string();
}

bool HttpRequest::HasHeader(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& header) { return EqualsNoCase(header.first, name); });
}

std::string HttpRequest::Path() const { return target.substr(0, target.find('?')); }

std::string HttpRequest::Query() const {
    size_t question = target.find('?');
    return question == std::string::npos ? std::string() : target.substr(question + 1);
}

void HttpReply::AddHeader(std::string name, std::string value) {
    headers.emplace_back(std::move(name), std::move(value));
}

WinsockLibrary::WinsockLibrary() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
}

WinsockLibrary::~WinsockLibrary() { WSACleanup(); }

SocketHandle::~SocketHandle() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
}

LoopbackHttpServer::LoopbackHttpServer(HttpHandler handler, std::chrono::milliseconds idleTimeout)
    : m_idleTimeout(idleTimeout), m_listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)), m_handler(std::move(handler)) {
    if (!m_listener || !(m_port = BindEphemeralLoopback(m_listener.Get())) || listen(m_listener.Get(), SOMAXCONN) != 0)
        throw SocketError("cannot listen on");
    SetNonBlocking(m_listener.Get());
    m_acceptThread = std::thread(&LoopbackHttpServer::AcceptLoop, this);
}

LoopbackHttpServer::~LoopbackHttpServer() { Stop(); }

void LoopbackHttpServer::SetHandler(HttpHandler handler) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handler = std::move(handler);
}

void LoopbackHttpServer::SetReply(HttpReply reply) {
    SetHandler([reply](const HttpRequest&, HttpReply& out) { out = reply; });
}

std::string LoopbackHttpServer::Url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + pathAndQuery;
}

std::vector<HttpRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void LoopbackHttpServer::ClearRequests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}

int LoopbackHttpServer::ConnectionCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connections;
}

void LoopbackHttpServer::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stopping = true;
    }
    m_stopSignal.notify_all();
    if (m_acceptThread.joinable()) m_acceptThread.join();
    for (auto& worker : m_workers) worker->thread.join();
    m_workers.clear();
}

void LoopbackHttpServer::AcceptLoop() {
    for (;;) {
        Wait wait = WaitFor(m_listener.Get(), false, Clock::now() + kSlice);
        if (wait == Wait::Stopped) return;
        ReapFinishedWorkers();
        if (wait == Wait::TimedOut) continue;
        SOCKET client = accept(m_listener.Get(), nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        if (m_workers.size() >= kMaxConnections) {
            SocketHandle refused(client);
            continue;
        }
        StartWorker(client);
    }
}

void LoopbackHttpServer::StartWorker(SOCKET client) {
    SetNonBlocking(client);
    BOOL noDelay = TRUE;  // small pieces of a slow body go out at once
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, (const char*)&noDelay, sizeof(noDelay));
    int connection;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        connection = ++m_connections;
    }
    m_workers.push_back(std::make_unique<Worker>());
    Worker* worker = m_workers.back().get();
    worker->thread = std::thread([this, worker, client, connection] {
        SocketHandle owned(client);
        try {
            Serve(client, connection);
        } catch (...) {
            // A byte source that throws ends its connection; the client sees the drop.
        }
        worker->done = true;
    });
}

void LoopbackHttpServer::ReapFinishedWorkers() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void LoopbackHttpServer::Serve(SOCKET client, int connection) {
    std::string pending;  // bytes received beyond the request being handled
    for (;;) {
        HttpRequest request;
        HttpReply refusal;
        Incoming incoming = ReadRequest(client, pending, request, refusal);
        if (incoming == Incoming::Gone) break;
        if (incoming == Incoming::Refused) {
            SendReply(client, request, refusal, true);
            break;
        }
        request.connection = connection;
        HttpReply reply;
        Answer(request, reply);
        bool close = ClosesConnection(request, reply);
        if (!SendReply(client, request, reply, close) || close) break;
    }
    FinishConnection(client);
}

void LoopbackHttpServer::Answer(const HttpRequest& request, HttpReply& reply) {
    HttpHandler handler;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(request);
        handler = m_handler;
    }
    if (!handler) {
        reply = Refusal(404);
        return;
    }
    try {
        handler(request, reply);
    } catch (const std::exception& e) {
        reply = Refusal(500);
        reply.body = e.what();
    }
}

LoopbackHttpServer::Incoming LoopbackHttpServer::ReadRequest(SOCKET client, std::string& pending, HttpRequest& request,
                                                             HttpReply& refusal) {
    size_t end;
    while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
        if (pending.size() > kMaxHeaderBytes) break;
        if (!Receive(client, pending)) return Incoming::Gone;
    }
    if (end == std::string::npos || end > kMaxHeaderBytes) {
        refusal = Refusal(431);
        return Incoming::Refused;
    }
    std::string head = pending.substr(0, end + 2);
    pending.erase(0, end + 4);

    refusal = Refusal(400);
    size_t lineEnd = head.find("\r\n");
    std::string line = head.substr(0, lineEnd);
    size_t space1 = line.find(' ');
    size_t space2 = space1 == std::string::npos ? std::string::npos : line.find(' ', space1 + 1);
    if (space1 == 0 || space2 == std::string::npos || space2 == space1 + 1) return Incoming::Refused;
    request.method = line.substr(0, space1);
    request.target = line.substr(space1 + 1, space2 - space1 - 1);
    request.version = line.substr(space2 + 1);
    if (request.version.compare(0, 7, "HTTP/1.") != 0 || request.version.size() != 8) return Incoming::Refused;
    for (size_t start = lineEnd + 2; start < head.size();) {
        size_t stop = head.find("\r\n", start);
        std::string field = head.substr(start, stop - start);
        size_t colon = field.find(':');
        if (colon == 0 || colon == std::string::npos) return Incoming::Refused;
        request.headers.emplace_back(field.substr(0, colon), Trim(field.substr(colon + 1)));
        start = stop + 2;
    }

    if (request.HasHeader("Transfer-Encoding")) {
        refusal = Refusal(501);
        return Incoming::Refused;
    }
    uint64_t length = 0;
    if (request.HasHeader("Content-Length") && !ParseDecimal(request.Header("Content-Length"), length))
        return Incoming::Refused;
    if (length > kMaxRequestBody) {
        refusal = Refusal(413);
        return Incoming::Refused;
    }
    while (pending.size() < length)
        if (!Receive(client, pending)) return Incoming::Gone;
    request.body = pending.substr(0, (size_t)length);
    pending.erase(0, (size_t)length);
    return Incoming::Request;
}

bool LoopbackHttpServer::Receive(SOCKET client, std::string& pending) {
    char buffer[kReceiveBytes];
    auto deadline = Clock::now() + m_idleTimeout;
    for (;;) {
        int n = recv(client, buffer, sizeof(buffer), 0);
        if (n > 0) {
            pending.append(buffer, (size_t)n);
            return true;
        }
        if (n == 0 || !WouldBlock() || WaitFor(client, false, deadline) != Wait::Ready) return false;
    }
}

bool LoopbackHttpServer::SendReply(SOCKET client, const HttpRequest& request, const HttpReply& reply, bool close) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                       (reply.reason.empty() ? ReasonPhrase(reply.status) : reply.reason) + "\r\n";
    for (const auto& header : reply.headers) head += header.first + ": " + header.second + "\r\n";
    uint64_t size = BodySize(reply);
    if (HasBody(reply)) {
        if (reply.framing == BodyFraming::ContentLength)
            head += "Content-Length: " + std::to_string(reply.contentLength.value_or(size)) + "\r\n";
        else if (reply.framing == BodyFraming::Chunked)
            head += "Transfer-Encoding: chunked\r\n";
    }
    if (close) head += "Connection: close\r\n";
    head += "\r\n";
    if (!SendAll(client, head)) return false;
    if (!HasBody(reply) || request.method == "HEAD") return true;
    return SendBody(client, reply, reply.dropAfter ? std::min(*reply.dropAfter, size) : size);
}

bool LoopbackHttpServer::SendBody(SOCKET client, const HttpReply& reply, uint64_t limit) {
    bool chunked = reply.framing == BodyFraming::Chunked;
    size_t pieceSize = std::max<size_t>(reply.pieceSize, 1);
    std::string piece;
    for (uint64_t offset = 0; offset < limit;) {
        bool inBurst = offset < reply.burst;
        if (offset > 0 && !inBurst && reply.pieceDelay.count() > 0 && !Pause(reply.pieceDelay)) return false;
        size_t count = (size_t)std::min<uint64_t>(inBurst ? reply.burst - offset : pieceSize, limit - offset);
        if (reply.source.read) {
            piece.resize(count);
            reply.source.read(offset, &piece[0], count);
        } else {
            piece.assign(reply.body, (size_t)offset, count);
        }
        if (chunked) {
            char size[20];
            snprintf(size, sizeof(size), "%lx\r\n", (unsigned long)count);
            piece.insert(0, size);
            piece += "\r\n";
        }
        if (!SendAll(client, piece)) return false;
        offset += count;
    }
    // A dropped body stops short of the last chunk.
    return !chunked || limit < BodySize(reply) || SendAll(client, "0\r\n\r\n");
}

bool LoopbackHttpServer::SendAll(SOCKET client, const std::string& data) {
    const char* next = data.data();
    size_t left = data.size();
    auto deadline = Clock::now() + m_idleTimeout;
    while (left > 0) {
        int n = send(client, next, (int)std::min<size_t>(left, 1 << 20), 0);
        if (n > 0) {
            next += n;
            left -= (size_t)n;
            deadline = Clock::now() + m_idleTimeout;
        } else if (!WouldBlock() || WaitFor(client, true, deadline) != Wait::Ready) {
            return false;
        }
    }
    return true;
}

void LoopbackHttpServer::FinishConnection(SOCKET client) {
    // Closing with unread bytes would reset the connection and could cost the client
    // the end of the reply, so send the end of stream and wait a little for the client's.
    shutdown(client, SD_SEND);
    char buffer[kReceiveBytes];
    auto deadline = Clock::now() + kLingerTime;
    while (WaitFor(client, false, deadline) == Wait::Ready) {
        int n = recv(client, buffer, sizeof(buffer), 0);
        if (n == 0 || (n < 0 && !WouldBlock())) return;
    }
}

LoopbackHttpServer::Wait LoopbackHttpServer::WaitFor(SOCKET socket, bool write, Clock::time_point deadline) {
    while (!m_stopping) {
        auto now = Clock::now();
        if (now >= deadline) return Wait::TimedOut;
        auto slice =
            std::chrono::duration_cast<std::chrono::microseconds>(std::min<Clock::duration>(kSlice, deadline - now));
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval timeout = {0, (long)slice.count()};
        int n = select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &timeout);
        if (n > 0) return Wait::Ready;
        if (n < 0) return Pause(kSlice) ? Wait::TimedOut : Wait::Stopped;
    }
    return Wait::Stopped;
}

bool LoopbackHttpServer::Pause(std::chrono::milliseconds delay) {
    std::unique_lock<std::mutex> lock(m_stopMutex);
    return !m_stopSignal.wait_for(lock, delay, [this] { return m_stopping.load(); });
}

unsigned short UnusedLoopbackPort() {
    WinsockLibrary winsock;
    SocketHandle probe(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    unsigned short port = probe ? BindEphemeralLoopback(probe.Get()) : 0;
    if (!port) throw SocketError("cannot bind");
    return port;
}
