// The cloud file-storage service on a loopback HTTP server, as the storage library's
// peer in tests. It speaks the service's REST protocol under "/vaultbox-service/":
// sign-in with a user name and password or an account-platform session (a session
// cookie is set; other requests without it but sign-out are refused with 403), pictures and
// user photos, emoticons, large files sent in pieces and read by ranges, and the
// storage space. Each request is checked against the protocol (method, parameters in
// order, standard headers, body layouts, announced lengths); a request that differs
// gets 400 and its difference is kept in Violations().
//
//   LoopbackStorageService service;
//   service.AddUser("alice", "secret", "1001");
//   service.ScriptFault("ofs/files_rest.php", StorageFault::Status(500));  // the next one
//   CFileStorage storage(service.Url().c_str(), nullptr);
//   ...
//   EXPECT_EQ(2, service.RequestCount("ofs/files_rest.php"));
//   EXPECT_TRUE(service.Violations().empty());
#pragma once

#include <json/value.h>

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "http/LoopbackHttpServer.h"
#include "storage/StorageRequests.h"

// A scripted fault of the next request to an endpoint.
struct StorageFault {
    enum class Kind {
        Pass,                // the normal reply: lets earlier requests through
        Status,              // the HTTP status, with a plain text body
        JsonResult,          // a reply with that result and empty values, nothing done
        SetField,            // the normal reply with one member set to a text
        DropField,           // the normal reply without one member
        NonObjectRoot,       // the normal reply inside a JSON array
        WrongContentLength,  // Content-Length announces more bytes than are sent (length, or 10 more)
        Gzip,                // the body gzip-coded
        Deflate,             // the body deflate-coded
        TruncatedGzip,       // gzip-coded, cut before the stream's end, with a true length
        UnknownEncoding,     // "Content-Encoding: br"
        IgnoreRange,         // a range read answered with 200 and the whole file
    };
    Kind kind;
    int status = 0;
    std::string field;
    std::string value;
    uint64_t length = 0;

    static StorageFault Status(int status) { return {Kind::Status, status}; }
    static StorageFault JsonResult(int result) { return {Kind::JsonResult, result}; }
    static StorageFault SetField(std::string field, std::string value) {
        return {Kind::SetField, 0, std::move(field), std::move(value)};
    }
    static StorageFault DropField(std::string field) { return {Kind::DropField, 0, std::move(field)}; }
    static StorageFault Pass() { return {Kind::Pass}; }
    static StorageFault Of(Kind kind) { return {kind}; }
    static StorageFault ContentLength(uint64_t length) { return {Kind::WrongContentLength, 0, {}, {}, length}; }
};

// A large file as the service holds it.
struct STORED_LARGE_FILE {
    std::string owner;  // uid
    std::string name;
    std::string md5;
    std::string sha1;
    uint64_t size = 0;
    std::string data;       // size bytes; pieces are written in
    uint64_t received = 0;  // bytes received in pieces
    bool finished = false;
    int leftMinutes = 0;
};

class LoopbackStorageService {
public:
    static constexpr const char* PREFIX = "/vaultbox-service/";
    static constexpr const char* CREATE_TIME = "2024-05-06 07:08:09";
    static constexpr int KEEP_MINUTES = 4320;
    static constexpr int RENEWED_MINUTES = 10080;
    static constexpr double TOTAL_SPACE = 1073741824.0;

    LoopbackStorageService();
    LoopbackStorageService(const LoopbackStorageService&) = delete;
    LoopbackStorageService& operator=(const LoopbackStorageService&) = delete;

    // "http://127.0.0.1:<port>/vaultbox-service", as the crash-report sender forms it.
    std::string Url() const;

    void AddUser(const std::string& name, const std::string& password, const std::string& uid);
    // An account-platform session that signs the user in.
    void AddPlatformSession(const std::string& session, const std::string& userName);
    // Forgets every signed-in session: the next request meets "session expired".
    void ExpireSessions();
    // Session-expired replies to JSON requests: a JSON result 403 (default) or HTTP 403.
    void AnswerExpiredWithHttpStatus(bool httpStatus);
    // The next times requests to endpoint (a path such as "ofs/info.php") meet fault.
    void ScriptFault(const std::string& endpoint, StorageFault fault, int times = 1);

    // A file of a user, as another user's emoticon or a picture to download.
    void PutEmoticon(const std::string& uid, const std::string& key, const std::string& name, const std::string& data);
    void PutPicture(const std::string& uid, const std::string& key, const std::string& data);
    std::optional<std::string> Picture(const std::string& uid, const std::string& key) const;
    std::vector<std::string> EmoticonKeys(const std::string& uid) const;
    std::optional<STORED_LARGE_FILE> LargeFile(const std::string& key) const;

    // Requests received for an endpoint, and all of them.
    int RequestCount(const std::string& endpoint) const;
    std::vector<HttpRequest> Requests() const { return m_server.Requests(); }
    std::vector<std::string> Violations() const;

private:
    struct USER {
        std::string password;
        std::string uid;
    };
    struct EMOTICON {
        std::string name;
        std::string data;
    };
    // Per uid.
    struct STORE {
        std::map<std::string, std::string> pictures;  // key = the file name
        std::map<std::string, EMOTICON> emoticons;    // key = MD5 of the bytes
    };
    enum class ReplyKind { Result, Login, Upload, EmoticonList, LargeFileList, Depot, Bytes };
    struct ENDPOINT;
    struct CALL {
        const HttpRequest& request;
        HttpReply& reply;      // for bytes
        Json::Value json;      // for JSON replies
        StorageParams params;  // of the query or the form body
        std::string uid;       // of the session, empty before sign-in
        std::string fileName;  // of an "upfile" upload
        std::string data;
        STORAGE_PIECE piece;  // of a large-file piece
        bool ignoreRange = false;
    };

    void Handle(const HttpRequest& request, HttpReply& reply);
    bool Violation(HttpReply& reply, const std::string& what);
    // The session token of the request's cookie, or "" when it names none of ours.
    std::string SessionToken(const HttpRequest& request) const;
    std::string SessionUid(const HttpRequest& request) const;
    std::optional<StorageFault> TakeFault(const std::string& endpoint);
    static Json::Value Template(ReplyKind kind, int result, const std::string& errorinfo);

    // Endpoints; false when the request broke the protocol (why says how).
    bool SignIn(CALL& call, const std::string& userName, std::string& why);
    bool Login(CALL& call, std::string& why);
    bool Check(CALL& call, std::string& why);
    bool Logout(CALL& call, std::string& why);
    bool UploadPicture(CALL& call, std::string& why);
    bool DownloadPicture(CALL& call, std::string& why);
    bool UploadEmoticon(CALL& call, std::string& why);
    bool DownloadEmoticon(CALL& call, std::string& why);
    bool RemoveEmoticon(CALL& call, std::string& why);
    bool ListEmoticons(CALL& call, std::string& why);
    bool CreateLargeFile(CALL& call, std::string& why);
    bool UploadPiece(CALL& call, std::string& why);
    bool FinishLargeFile(CALL& call, std::string& why);
    bool ReadLargeFile(CALL& call, std::string& why);
    bool RenewLargeFile(CALL& call, std::string& why);
    bool RemoveLargeFile(CALL& call, std::string& why);
    bool ListLargeFiles(CALL& call, std::string& why);
    bool Depot(CALL& call, std::string& why);
    // The large file of key owned by the session's user, or null with the reply set.
    STORED_LARGE_FILE* OwnLargeFile(CALL& call, const std::string& key);

    static const ENDPOINT ENDPOINTS[];

    mutable std::mutex m_mutex;
    std::map<std::string, USER> m_users;                    // by name
    std::map<std::string, std::string> m_platform;          // account-platform session -> user name
    std::map<std::string, std::string> m_sessions;          // cookie value -> uid
    std::map<std::string, STORE> m_stores;                  // by uid
    std::map<std::string, STORED_LARGE_FILE> m_largeFiles;  // by key
    std::map<std::string, std::deque<StorageFault>> m_faults;
    std::map<std::string, int> m_counts;
    std::vector<std::string> m_violations;
    bool m_expiredAsHttpStatus = false;
    int m_nextId = 1;
    LoopbackHttpServer m_server;  // last: it stops before the state above goes
};
