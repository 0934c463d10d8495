#include "storage/LoopbackStorageService.h"

#include <json/writer.h>

#include <cstdio>

#include "http/HttpReplies.h"

namespace {

const char* const SESSION_COOKIE = "VAULTSESSION";
const char* const FORM_TYPE = "application/x-www-form-urlencoded";
const char* const UPLOAD_TYPE = "multipart/form-data;boundary=---------------------------7d91d42a3051e";
const char* const PIECE_TYPE = "multipart/form-data; boundary=---------------------------7d91d42a3051e";
constexpr uint64_t LARGEST_FILE = 64u << 20;  // what the service keeps in memory
constexpr size_t NAME_CHARS = 128;

bool IsLowerHex(const std::string& text, size_t length) {
    return text.size() == length && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// A decimal number of at most 32 bits.
bool ParseNumber(const std::string& text, uint64_t& number) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    number = std::stoull(text);
    return number <= UINT32_MAX;
}

std::string Param(const StorageParams& params, const char* name) {
    for (const auto& param : params)
        if (param.first == name) return param.second;
    return "";
}

// The whole body of a reply, also when it comes from a source.
void MaterializeBody(HttpReply& reply) {
    if (!reply.source.read) return;
    reply.body.assign(size_t(reply.source.size), '\0');
    if (!reply.body.empty()) reply.source.read(0, &reply.body[0], reply.body.size());
    reply.source = ByteSource();
}

void ApplyBodyFault(const StorageFault& fault, HttpReply& reply) {
    switch (fault.kind) {
        case StorageFault::Kind::WrongContentLength:
            MaterializeBody(reply);
            reply.contentLength = fault.length ? fault.length : reply.body.size() + 10;
            break;
        case StorageFault::Kind::Gzip:
        case StorageFault::Kind::Deflate:
            MaterializeBody(reply);
            reply = CompressedReply(
                reply.body, fault.kind == StorageFault::Kind::Gzip ? ContentCoding::Gzip : ContentCoding::Deflate);
            break;
        case StorageFault::Kind::TruncatedGzip:
            MaterializeBody(reply);
            reply = CompressedReply(reply.body, ContentCoding::Gzip);
            reply.body.resize(reply.body.size() / 2);
            break;
        case StorageFault::Kind::UnknownEncoding:
            reply.AddHeader("Content-Encoding", "br");
            break;
        default:
            break;
    }
}

void ApplyJsonFault(const StorageFault& fault, Json::Value& json) {
    switch (fault.kind) {
        case StorageFault::Kind::SetField:
            json[fault.field] = fault.value;
            break;
        case StorageFault::Kind::DropField:
            json.removeMember(fault.field);
            break;
        case StorageFault::Kind::NonObjectRoot: {
            Json::Value array(Json::arrayValue);
            array.append(json);
            json = array;
            break;
        }
        default:
            break;
    }
}

}  // namespace

enum class BodyKind { None, Form, Upfile, Piece };

struct LoopbackStorageService::ENDPOINT {
    const char* path;
    const char* method;
    ReplyKind reply;
    bool needsSession;
    BodyKind body;
    std::vector<std::string> params;  // of the query, or of the form body
    bool (LoopbackStorageService::*handler)(CALL&, std::string&);
};

const LoopbackStorageService::ENDPOINT LoopbackStorageService::ENDPOINTS[] = {
    {"login_rest.php", "GET", ReplyKind::Login, false, BodyKind::None, {"u", "p"}, &LoopbackStorageService::Login},
    {"check.php", "GET", ReplyKind::Login, false, BodyKind::None, {"s"}, &LoopbackStorageService::Check},
    {"logout_rest.php", "GET", ReplyKind::Login, false, BodyKind::None, {}, &LoopbackStorageService::Logout},
    {"ops/upload_rest.php",
     "POST",
     ReplyKind::Upload,
     true,
     BodyKind::Upfile,
     {},
     &LoopbackStorageService::UploadPicture},
    {"ops/down.php", "GET", ReplyKind::Bytes, true, BodyKind::None, {"k"}, &LoopbackStorageService::DownloadPicture},
    {"ods/upload_rest.php",
     "POST",
     ReplyKind::Upload,
     true,
     BodyKind::Upfile,
     {},
     &LoopbackStorageService::UploadEmoticon},
    {"ods/down.php",
     "GET",
     ReplyKind::Bytes,
     true,
     BodyKind::None,
     {"uid", "k"},
     &LoopbackStorageService::DownloadEmoticon},
    {"ods/remove_rest.php",
     "GET",
     ReplyKind::Result,
     true,
     BodyKind::None,
     {"k"},
     &LoopbackStorageService::RemoveEmoticon},
    {"ods/files_rest.php",
     "GET",
     ReplyKind::EmoticonList,
     true,
     BodyKind::None,
     {},
     &LoopbackStorageService::ListEmoticons},
    {"ofs/upload_c_rest.php",
     "POST",
     ReplyKind::Upload,
     true,
     BodyKind::Form,
     {"n", "s", "m", "sh", "sz"},
     &LoopbackStorageService::CreateLargeFile},
    {"ofs/upload_u_rest.php",
     "POST",
     ReplyKind::Result,
     true,
     BodyKind::Piece,
     {},
     &LoopbackStorageService::UploadPiece},
    {"ofs/upload_e_rest.php",
     "POST",
     ReplyKind::Result,
     true,
     BodyKind::Form,
     {"k"},
     &LoopbackStorageService::FinishLargeFile},
    {"ofs/down.php",
     "GET",
     ReplyKind::Bytes,
     true,
     BodyKind::None,
     {"uid", "k"},
     &LoopbackStorageService::ReadLargeFile},
    {"ofs/time_rest.php",
     "GET",
     ReplyKind::Result,
     true,
     BodyKind::None,
     {"k"},
     &LoopbackStorageService::RenewLargeFile},
    {"ofs/remove_rest.php",
     "GET",
     ReplyKind::Result,
     true,
     BodyKind::None,
     {"k"},
     &LoopbackStorageService::RemoveLargeFile},
    {"ofs/files_rest.php",
     "GET",
     ReplyKind::LargeFileList,
     true,
     BodyKind::None,
     {},
     &LoopbackStorageService::ListLargeFiles},
    {"ofs/info.php", "GET", ReplyKind::Depot, true, BodyKind::None, {}, &LoopbackStorageService::Depot},
};

LoopbackStorageService::LoopbackStorageService()
    : m_server([this](const HttpRequest& request, HttpReply& reply) { Handle(request, reply); }) {}

std::string LoopbackStorageService::Url() const {
    std::string prefix = PREFIX;
    return m_server.Url(prefix.substr(0, prefix.size() - 1));
}

void LoopbackStorageService::AddUser(const std::string& name, const std::string& password, const std::string& uid) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_users[name] = USER{password, uid};
}

void LoopbackStorageService::AddPlatformSession(const std::string& session, const std::string& userName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_platform[session] = userName;
}

void LoopbackStorageService::ExpireSessions() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sessions.clear();
}

void LoopbackStorageService::AnswerExpiredWithHttpStatus(bool httpStatus) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_expiredAsHttpStatus = httpStatus;
}

void LoopbackStorageService::ScriptFault(const std::string& endpoint, StorageFault fault, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < times; ++i) m_faults[endpoint].push_back(fault);
}

void LoopbackStorageService::PutEmoticon(const std::string& uid, const std::string& key, const std::string& name,
                                         const std::string& data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stores[uid].emoticons[key] = EMOTICON{name, data};
}

void LoopbackStorageService::PutPicture(const std::string& uid, const std::string& key, const std::string& data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stores[uid].pictures[key] = data;
}

std::optional<std::string> LoopbackStorageService::Picture(const std::string& uid, const std::string& key) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto store = m_stores.find(uid);
    if (store == m_stores.end()) return std::nullopt;
    auto picture = store->second.pictures.find(key);
    if (picture == store->second.pictures.end()) return std::nullopt;
    return picture->second;
}

std::vector<std::string> LoopbackStorageService::EmoticonKeys(const std::string& uid) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> keys;
    auto store = m_stores.find(uid);
    if (store != m_stores.end())
        for (const auto& emoticon : store->second.emoticons) keys.push_back(emoticon.first);
    return keys;
}

std::optional<STORED_LARGE_FILE> LoopbackStorageService::LargeFile(const std::string& key) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto file = m_largeFiles.find(key);
    if (file == m_largeFiles.end()) return std::nullopt;
    return file->second;
}

int LoopbackStorageService::RequestCount(const std::string& endpoint) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto count = m_counts.find(endpoint);
    return count == m_counts.end() ? 0 : count->second;
}

std::vector<std::string> LoopbackStorageService::Violations() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_violations;
}

bool LoopbackStorageService::Violation(HttpReply& reply, const std::string& what) {
    m_violations.push_back(what);
    reply = HttpReply();
    reply.status = 400;
    reply.body = "protocol violation: " + what;
    return false;
}

std::string LoopbackStorageService::SessionUid(const HttpRequest& request) const {
    std::string token = SessionToken(request);
    return token.empty() ? "" : m_sessions.at(token);
}

std::optional<StorageFault> LoopbackStorageService::TakeFault(const std::string& endpoint) {
    auto faults = m_faults.find(endpoint);
    if (faults == m_faults.end() || faults->second.empty()) return std::nullopt;
    StorageFault fault = faults->second.front();
    faults->second.pop_front();
    return fault;
}

Json::Value LoopbackStorageService::Template(ReplyKind kind, int result, const std::string& errorinfo) {
    Json::Value json(Json::objectValue);
    json["result"] = result;
    switch (kind) {
        case ReplyKind::Login:
            json["uid"] = "";
            json["sid"] = "";
            break;
        case ReplyKind::Upload:
            json["fkey"] = "";
            break;
        case ReplyKind::EmoticonList:
        case ReplyKind::LargeFileList:
            json["files"] = Json::Value(Json::arrayValue);
            break;
        case ReplyKind::Depot:
            json["uid"] = "";
            json["totalspace"] = 0;
            json["totalsize"] = 0;
            json["freespace"] = 0;
            break;
        default:
            break;
    }
    json["errorinfo"] = errorinfo;
    return json;
}

void LoopbackStorageService::Handle(const HttpRequest& request, HttpReply& reply) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string prefix = PREFIX;
    if (request.target.compare(0, prefix.size(), prefix) != 0) {
        Violation(reply, "target outside the service: " + request.target);
        return;
    }
    std::string rest = request.target.substr(prefix.size());
    size_t mark = rest.find('?');
    std::string path = rest.substr(0, mark);
    std::string query = mark == std::string::npos ? "" : rest.substr(mark + 1);
    const ENDPOINT* endpoint = nullptr;
    for (const ENDPOINT& candidate : ENDPOINTS)
        if (path == candidate.path) endpoint = &candidate;
    if (!endpoint) {
        Violation(reply, "unknown path " + path);
        return;
    }
    ++m_counts[path];
    std::string why;
    if (request.method != endpoint->method) {
        Violation(reply, path + ": method " + request.method);
        return;
    }
    if (!CheckStandardHeaders(request, why)) {
        Violation(reply, path + ": header " + why);
        return;
    }
    // The body is read by its Content-Length: a layout that ends where it should also
    // shows that the announced length was right.
    CALL call{request, reply};
    call.uid = SessionUid(request);
    const std::string contentType = request.Header("Content-Type");
    bool bodyOk = true;
    switch (endpoint->body) {
        case BodyKind::None:
            bodyOk = request.body.empty() && !request.HasHeader("Content-Type");
            bodyOk = bodyOk && ParseParams(query, call.params, why);
            break;
        case BodyKind::Form:
            bodyOk = query.empty() && contentType == FORM_TYPE && ParseParams(request.body, call.params, why);
            break;
        case BodyKind::Upfile:
            bodyOk = query.empty() && contentType == UPLOAD_TYPE &&
                     ParseFileUpload(request.body, call.fileName, call.data, why);
            break;
        case BodyKind::Piece:
            bodyOk = query.empty() && contentType == PIECE_TYPE && ParsePiece(request.body, call.piece, why);
            break;
    }
    if (!bodyOk || !HasParamNames(call.params, endpoint->params)) {
        Violation(reply, path + ": request " + (why.empty() ? "parameters or body type" : why));
        return;
    }

    std::optional<StorageFault> fault = TakeFault(path);
    if (fault && fault->kind == StorageFault::Kind::Status) {
        reply.status = fault->status;
        reply.body = "scripted status";
        return;
    }
    call.ignoreRange = fault && fault->kind == StorageFault::Kind::IgnoreRange;
    bool json = endpoint->reply != ReplyKind::Bytes;
    if (endpoint->needsSession && call.uid.empty()) {
        if (!json || m_expiredAsHttpStatus) {
            reply.status = 403;
            reply.body = "session expired";
            return;
        }
        call.json = Template(endpoint->reply, 403, "session expired");
    } else if (fault && fault->kind == StorageFault::Kind::JsonResult && json) {
        call.json = Template(endpoint->reply, fault->status, "scripted result");
    } else if (!(this->*endpoint->handler)(call, why)) {
        Violation(reply, path + ": " + why);
        return;
    }
    if (json) {
        if (fault) ApplyJsonFault(*fault, call.json);
        Json::StreamWriterBuilder writer;
        writer["indentation"] = "";
        reply.body = Json::writeString(writer, call.json);
        reply.AddHeader("Content-Type", "application/json");
    }
    if (fault) ApplyBodyFault(*fault, reply);
}

// Sessions.

std::string LoopbackStorageService::SessionToken(const HttpRequest& request) const {
    const std::string name = std::string(SESSION_COOKIE) + "=";
    for (const auto& header : request.headers) {
        if (_stricmp(header.first.c_str(), "Cookie") != 0) continue;
        for (size_t at = header.second.find(name); at != std::string::npos; at = header.second.find(name, at + 1)) {
            size_t start = at + name.size();
            std::string token = header.second.substr(start, header.second.find(';', start) - start);
            if (m_sessions.count(token)) return token;
        }
    }
    return "";
}

bool LoopbackStorageService::SignIn(CALL& call, const std::string& userName, std::string&) {
    const USER& user = m_users.at(userName);
    std::string token = "s" + std::to_string(m_server.Port()) + "x" + std::to_string(m_nextId++);
    m_sessions[token] = user.uid;
    call.reply.AddHeader("Set-Cookie", std::string(SESSION_COOKIE) + "=" + token + "; path=/");
    call.json = Template(ReplyKind::Login, 200, "");
    call.json["uid"] = user.uid;
    call.json["sid"] = token;
    return true;
}

bool LoopbackStorageService::Login(CALL& call, std::string& why) {
    auto user = m_users.find(Param(call.params, "u"));
    if (user == m_users.end() || user->second.password != Param(call.params, "p")) {
        call.json = Template(ReplyKind::Login, 401, "wrong user name or password");
        return true;
    }
    return SignIn(call, user->first, why);
}

bool LoopbackStorageService::Check(CALL& call, std::string& why) {
    auto session = m_platform.find(Param(call.params, "s"));
    if (session == m_platform.end()) {
        call.json = Template(ReplyKind::Login, 401, "unknown session");
        return true;
    }
    return SignIn(call, session->second, why);
}

bool LoopbackStorageService::Logout(CALL& call, std::string&) {
    std::string token = SessionToken(call.request);
    call.json = Template(ReplyKind::Login, 200, "");
    call.json["uid"] = call.uid;
    call.json["sid"] = token;
    m_sessions.erase(token);
    return true;
}

// Pictures and user photos: the key is the file name.

bool LoopbackStorageService::UploadPicture(CALL& call, std::string& why) {
    if (call.fileName.empty()) {
        why = "upload without a file name";
        return false;
    }
    auto& pictures = m_stores[call.uid].pictures;
    bool exists = pictures.count(call.fileName) != 0;
    if (!exists) pictures[call.fileName] = call.data;
    call.json = Template(ReplyKind::Upload, exists ? 409 : 200, exists ? "file exists" : "");
    call.json["fkey"] = call.fileName;
    call.json["fsize"] = Json::UInt64(call.data.size());
    return true;
}

bool LoopbackStorageService::DownloadPicture(CALL& call, std::string&) {
    auto& pictures = m_stores[call.uid].pictures;
    auto picture = pictures.find(Param(call.params, "k"));
    if (picture == pictures.end()) {
        call.reply.status = 404;
        call.reply.body = "no such picture";
    } else {
        call.reply.body = picture->second;
    }
    return true;
}

// Emoticons: the key is the MD5 of the bytes.

bool LoopbackStorageService::UploadEmoticon(CALL& call, std::string& why) {
    if (call.fileName.empty()) {
        why = "upload without a file name";
        return false;
    }
    std::string key = SystemMd5(call.data);
    auto& emoticons = m_stores[call.uid].emoticons;
    bool exists = emoticons.count(key) != 0;
    if (!exists) emoticons[key] = EMOTICON{call.fileName, call.data};
    call.json = Template(ReplyKind::Upload, exists ? 409 : 200, exists ? "emoticon exists" : "");
    call.json["fkey"] = key;
    call.json["fsize"] = Json::UInt64(call.data.size());
    return true;
}

bool LoopbackStorageService::DownloadEmoticon(CALL& call, std::string&) {
    auto& emoticons = m_stores[Param(call.params, "uid")].emoticons;
    auto emoticon = emoticons.find(Param(call.params, "k"));
    if (emoticon == emoticons.end()) {
        call.reply.status = 404;
        call.reply.body = "no such emoticon";
    } else {
        call.reply.body = emoticon->second.data;
    }
    return true;
}

bool LoopbackStorageService::RemoveEmoticon(CALL& call, std::string&) {
    bool removed = m_stores[call.uid].emoticons.erase(Param(call.params, "k")) != 0;
    call.json = Template(ReplyKind::Result, removed ? 200 : 404, removed ? "" : "no such emoticon");
    return true;
}

bool LoopbackStorageService::ListEmoticons(CALL& call, std::string&) {
    call.json = Template(ReplyKind::EmoticonList, 200, "");
    for (const auto& emoticon : m_stores[call.uid].emoticons) {
        Json::Value entry;
        entry["fkey"] = emoticon.first;
        entry["fname"] = emoticon.second.name;
        entry["fsize"] = Json::UInt64(emoticon.second.data.size());
        call.json["files"].append(entry);
    }
    return true;
}

// Large files.

STORED_LARGE_FILE* LoopbackStorageService::OwnLargeFile(CALL& call, const std::string& key) {
    auto file = m_largeFiles.find(key);
    if (file != m_largeFiles.end() && file->second.owner == call.uid) return &file->second;
    call.json = Template(ReplyKind::Result, 404, "no such large file");
    return nullptr;
}

bool LoopbackStorageService::CreateLargeFile(CALL& call, std::string& why) {
    STORED_LARGE_FILE file;
    file.owner = call.uid;
    file.name = Param(call.params, "n");
    file.md5 = Param(call.params, "m");
    file.sha1 = Param(call.params, "sh");
    if (file.name.empty() || file.name.size() > NAME_CHARS || Param(call.params, "s") != "application/octet-stream" ||
        !IsLowerHex(file.md5, 32) || !IsLowerHex(file.sha1, 40) || !ParseNumber(Param(call.params, "sz"), file.size) ||
        file.size > LARGEST_FILE) {
        why = "large file announced wrongly: " + call.request.body;
        return false;
    }
    for (const auto& existing : m_largeFiles) {
        if (existing.second.owner == call.uid && existing.second.md5 == file.md5 && existing.second.sha1 == file.sha1) {
            call.json = Template(ReplyKind::Upload, 409, "large file exists");
            call.json["fkey"] = existing.first;
            return true;
        }
    }
    char key[33];
    snprintf(key, sizeof(key), "5e1f%020x%08x", 0u, unsigned(m_nextId++));
    file.data.assign(size_t(file.size), '\0');
    file.leftMinutes = KEEP_MINUTES;
    m_largeFiles[key] = file;
    call.json = Template(ReplyKind::Upload, 200, "");
    call.json["fkey"] = key;
    return true;
}

bool LoopbackStorageService::UploadPiece(CALL& call, std::string& why) {
    const STORAGE_PIECE& piece = call.piece;
    uint64_t first, last;
    if (!ParseNumber(piece.rs, first) || !ParseNumber(piece.re, last) || last < first ||
        last - first + 1 != piece.data.size()) {
        why = "piece range " + piece.rs + "-" + piece.re + " for " + std::to_string(piece.data.size()) + " bytes";
        return false;
    }
    STORED_LARGE_FILE* file = OwnLargeFile(call, piece.key);
    if (!file) return true;
    if (file->finished || last >= file->size) {
        call.json = Template(ReplyKind::Result, 416, "piece outside the file");
        return true;
    }
    file->data.replace(size_t(first), piece.data.size(), piece.data);
    call.json = Template(ReplyKind::Result, 200, "");
    return true;
}

bool LoopbackStorageService::FinishLargeFile(CALL& call, std::string&) {
    STORED_LARGE_FILE* file = OwnLargeFile(call, Param(call.params, "k"));
    if (!file) return true;
    bool whole = SystemMd5(file->data) == file->md5 && SystemSha1(file->data) == file->sha1;
    file->finished = file->finished || whole;
    call.json = Template(ReplyKind::Result, whole ? 200 : 400, whole ? "" : "checksums do not match");
    return true;
}

bool LoopbackStorageService::ReadLargeFile(CALL& call, std::string& why) {
    // "bytes=<first>-<last>" in 32-bit decimals, as both the information request and the
    // range read send it.
    const std::string range = call.request.Header("Range");
    const size_t dash = range.find('-');
    uint64_t first, last;
    if (range.compare(0, 6, "bytes=") != 0 || dash == std::string::npos ||
        !ParseNumber(range.substr(6, dash - 6), first) || !ParseNumber(range.substr(dash + 1), last) || last < first) {
        why = "large file read with the range \"" + range + "\"";
        return false;
    }
    auto file = m_largeFiles.find(Param(call.params, "k"));
    if (file == m_largeFiles.end() || file->second.owner != Param(call.params, "uid")) {
        call.reply.status = 404;
        call.reply.body = "no such large file";
        return true;
    }
    if (call.ignoreRange) {
        call.reply.body = file->second.data;
    } else {
        call.reply = RangeReply(call.request, StringSource(file->second.data));
    }
    call.reply.AddHeader("Content-Disposition", "attachment; filename=" + file->second.name + "; ct=" + CREATE_TIME +
                                                    "; md5=" + file->second.md5);
    return true;
}

bool LoopbackStorageService::RenewLargeFile(CALL& call, std::string&) {
    STORED_LARGE_FILE* file = OwnLargeFile(call, Param(call.params, "k"));
    if (!file) return true;
    file->leftMinutes = RENEWED_MINUTES;
    call.json = Template(ReplyKind::Result, 200, "");
    return true;
}

bool LoopbackStorageService::RemoveLargeFile(CALL& call, std::string&) {
    if (!OwnLargeFile(call, Param(call.params, "k"))) return true;
    m_largeFiles.erase(Param(call.params, "k"));
    call.json = Template(ReplyKind::Result, 200, "");
    return true;
}

bool LoopbackStorageService::ListLargeFiles(CALL& call, std::string&) {
    call.json = Template(ReplyKind::LargeFileList, 200, "");
    for (const auto& stored : m_largeFiles) {
        const STORED_LARGE_FILE& file = stored.second;
        if (file.owner != call.uid) continue;
        Json::Value entry;
        entry["fkey"] = stored.first;
        entry["fname"] = file.name;
        entry["fsize"] = Json::UInt64(file.size);
        entry["fmd5"] = file.md5;
        entry["fsha1"] = file.sha1;
        entry["createtime"] = CREATE_TIME;
        entry["finish"] = file.finished ? 1 : 0;
        entry["leftminute"] = file.leftMinutes;
        call.json["files"].append(entry);
    }
    return true;
}

bool LoopbackStorageService::Depot(CALL& call, std::string&) {
    double used = 0;
    for (const auto& stored : m_largeFiles)
        if (stored.second.owner == call.uid) used += double(stored.second.size);
    call.json = Template(ReplyKind::Depot, 200, "");
    call.json["uid"] = call.uid;
    call.json["totalspace"] = TOTAL_SPACE;
    call.json["totalsize"] = used;
    call.json["freespace"] = TOTAL_SPACE - used;
    return true;
}
