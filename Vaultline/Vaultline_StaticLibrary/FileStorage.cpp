#include "FileStorage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

#include "ChecksumHelper.h"
#include "HttpHelper.h"
#include "UrlEncoding.h"
#include "portable/CommonUtil.h"
#include "portable/JsonHelper.h"
#include "portable/RequestLayout.h"

namespace {

// Which session-expired result (403) leads to one relogin and a repeat of the request.
enum class Expiry {
    None,
    Http,          // the HTTP status; the request is sent once more
    Json,          // the reply's result; sent once more
    HttpThenJson,  // each of them once, each followed by one more send
    Either,        // either of them, once; the repeat keeps its retry
};

struct CALL_RULE {
    std::vector<int> retryOn;  // results after which the request is sent a second time
    Expiry expiry = Expiry::None;
    const char* infoLine = nullptr;  // logged before the relogin
    bool conflictIsSuccess = false;  // 409 counts as success
};

const std::vector<int> RETRY_500 = {500};
const std::vector<int> RETRY_500_404 = {500, 404};
const char* const UPLOAD_EXPIRED = "session expired when do file upload, try relogin to server";
const char* const DOWNLOAD_EXPIRED = "session expired when do file download, try relogin to server";

using Send = std::function<int(std::string& reply)>;
using Parse = std::function<int(const std::string& reply, int& result, std::string& errorinfo)>;

// Runs a call's body; no exception leaves the library.
template <typename Body>
int Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        SetLastErrMsg("out of memory");
    } catch (...) {
        SetLastErrMsg("unexpected failure inside the storage library");
    }
    return FS_ERR_INTERNAL;
}

std::optional<std::string> Copy(const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; }

const char* CStr(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

std::string Param(const char* text) { return PercentEncode(Text(text)); }

Parse ResultParser() {
    return [](const std::string& reply, int& result, std::string& errorinfo) {
        CJsonHelper json;
        return json.ParseResult(reply, result, errorinfo);
    };
}

}  // namespace

struct CFileStorage::CallFrame {
    // A GET of path.
    static Send Get(const CFileStorage& storage, const std::string& path) {
        return [&storage, path](std::string& reply) { return storage.m_http->RequestGet(path, reply); };
    }

    // Entry of a service call: not connected gives FS_ERR_NOT_CONNECTED; a pending
    // sign-in is tried first, its result ignored.
    static bool Begin(const CFileStorage& storage, bool signIn) {
        if (!storage.IsConnected()) {
            SetLastErrMsg("Not connect to server.");
            return false;
        }
        if (signIn && storage.m_needLogin)
            storage.UserRelogin(CStr(storage.m_userName), CStr(storage.m_passwordOrSession));
        return true;
    }

    // Sends, then sends a second time after a retry result.
    static int SendWithRetry(const CALL_RULE& rule, const Send& send, std::string& reply) {
        int result = send(reply);
        if (std::find(rule.retryOn.begin(), rule.retryOn.end(), result) != rule.retryOn.end()) result = send(reply);
        return result;
    }

    static int Relogin(const CFileStorage& storage, const CALL_RULE& rule) {
        if (rule.infoLine) LOG_INFO(rule.infoLine);
        int result = storage.UserRelogin(CStr(storage.m_userName), CStr(storage.m_passwordOrSession));
        if (result != FS_OK) SetErrMsgWithCode("relogin error, return ", result);
        return result;
    }

    static int Repeat(const CALL_RULE& rule, const Send& send, std::string& reply) {
        return rule.expiry == Expiry::Either ? SendWithRetry(rule, send, reply) : send(reply);
    }

    static int ParserFailed(const std::string& message) {
        SetResponseErrMsg(FS_ERR_JSON_REPLY, message);
        return FS_ERR_JSON_REPLY;
    }

    // The request with its retry and session-expired rules, then the reply's parse
    // (none for calls without a JSON reply) and its result.
    static int Exchange(const CFileStorage& storage, const CALL_RULE& rule, const Send& send, const Parse& parse) {
        std::string reply;
        int status = SendWithRetry(rule, send, reply);
        bool repeated = false;
        if (status == FS_RESULT_SESSION_EXPIRED && rule.expiry != Expiry::None && rule.expiry != Expiry::Json) {
            if (int failed = Relogin(storage, rule)) return failed;
            status = Repeat(rule, send, reply);
            repeated = true;
        }
        if (status != FS_OK || !parse) return status;
        int result;
        std::string errorinfo;
        if (parse(reply, result, errorinfo)) return ParserFailed(errorinfo);
        bool jsonExpiry = rule.expiry == Expiry::Json || rule.expiry == Expiry::HttpThenJson ||
                          (rule.expiry == Expiry::Either && !repeated);
        if (result == FS_RESULT_SESSION_EXPIRED && jsonExpiry) {
            if (int failed = Relogin(storage, rule)) return failed;
            if (int failed = Repeat(rule, send, reply)) return failed;
            if (parse(reply, result, errorinfo)) return ParserFailed(errorinfo);
        }
        if (result == FS_RESULT_SUCCESS || (rule.conflictIsSuccess && result == FS_RESULT_CONFLICT)) return FS_OK;
        SetResponseErrMsg(result, errorinfo);
        return result;
    }

    // Both sign-ins: the login reply's uid and sid are kept and the sign-in is done.
    static int SignIn(const CFileStorage& storage, const std::string& path) {
        if (!storage.m_http) {
            SetLastErrMsg("Not connect to server.");
            return FS_ERR_NOT_CONNECTED;
        }
        std::string uid, sid;
        Send send = Get(storage, path);
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            return json.ParseLoginReply(reply, result, uid, sid, errorinfo);
        };
        int result = Exchange(storage, CALL_RULE{RETRY_500}, send, parse);
        if (result == FS_OK) {
            storage.m_uid = uid;
            storage.m_sid = sid;
            storage.m_needLogin = false;
        }
        return result;
    }

    static int SignInWithPassword(const CFileStorage& storage, const char* userName, const char* password) {
        LOG_TRACE("CFileStorage::UserLoginWithPassword(lpszUserName=" << Text(userName) << ")");
        if (!userName || !password) {
            SetLastErrMsg("CFileStorage::UserLoginWithPassword() username or password is not correct");
            return FS_ERR_BAD_USER_OR_PASSWORD;
        }
        return SignIn(storage, "login_rest.php?u=" + Param(userName) + "&p=" + Param(password));
    }

    static int SignInWithSession(const CFileStorage& storage, const char* session) {
        LOG_TRACE("CFileStorage::UserLoginWithSession(lpszOvraSession=" << Text(session) << ")");
        if (!session) {
            SetLastErrMsg("CFileStorage::UserLoginWithSession() session is not correct");
            return FS_ERR_BAD_SESSION;
        }
        return SignIn(storage, "check.php?s=" + Param(session));
    }

    // The upload road; key is the service's whole key.
    static int UploadFile(const CFileStorage& storage, const char* restPath, const char* localFolder,
                          const char* localFileName, const char* serverFileName, std::string& key) {
        LOG_TRACE("CFileStorage::FileUpload(lpszLocalFileName=" << Text(localFileName) << ")");
        std::string path = Text(restPath);
        Send send = [&](std::string& reply) {
            return storage.m_http->FileUpload(path, localFolder, localFileName, serverFileName, reply);
        };
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            int fsize;
            return json.ParseUploadReply(reply, result, key, fsize, errorinfo);
        };
        CALL_RULE rule{RETRY_500, Expiry::Either, UPLOAD_EXPIRED, true};
        return Call(storage, rule, send, parse);
    }

    // A whole service call: entry, then the exchange.
    static int Call(const CFileStorage& storage, const CALL_RULE& rule, const Send& send, const Parse& parse) {
        if (!Begin(storage, true)) return FS_ERR_NOT_CONNECTED;
        return Exchange(storage, rule, send, parse);
    }

    // A service call that GETs path and reads a result reply.
    static int GetResult(const CFileStorage& storage, const std::string& path, const std::vector<int>& retryOn) {
        if (!Begin(storage, true)) return FS_ERR_NOT_CONNECTED;
        return Exchange(storage, CALL_RULE{retryOn}, Get(storage, path), ResultParser());
    }
};

CFileStorage::CFileStorage(const char* serverUrl, const char* session) {
    try {
        m_http = std::make_unique<CHttpHelper>(Text(serverUrl));
        m_passwordOrSession = Copy(session);
    } catch (...) {
        m_http.reset();  // without memory the object stays unconnected
        SetLastErrMsg("out of memory");
    }
}

CFileStorage::~CFileStorage() = default;

bool CFileStorage::IsConnected() const { return m_http && m_http->IsConnected(); }

const char* CFileStorage::GetLastErrMsg() const { return GetLastErrText(); }

int CFileStorage::UserLogin(const char* userName, const char* password) {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::UserLogin(lpszUserName=" << Text(userName) << ")");
        if (!CallFrame::Begin(*this, false)) return FS_ERR_NOT_CONNECTED;
        if (!userName || !password) {
            SetLastErrMsg("CFileStorage::UserLoginWithPassword() username or password is not correct");
            return FS_ERR_BAD_USER_OR_PASSWORD;
        }
        m_userName = userName;
        m_passwordOrSession = password;
        return CallFrame::SignInWithPassword(*this, m_userName->c_str(), m_passwordOrSession->c_str());
    });
}

int CFileStorage::UserLogin(const char* session) {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::UserLogin(lpszOvraSession=" << Text(session) << ")");
        if (!CallFrame::Begin(*this, false)) return FS_ERR_NOT_CONNECTED;
        if (!session) {
            SetLastErrMsg("CFileStorage::UserLoginWithSession() session is not correct");
            return FS_ERR_BAD_SESSION;
        }
        m_userName.reset();
        m_passwordOrSession = session;
        return CallFrame::SignInWithSession(*this, m_passwordOrSession->c_str());
    });
}

int CFileStorage::UserLoginWithPassword(const char* userName, const char* password) {
    return Guarded([&] { return CallFrame::SignInWithPassword(*this, userName, password); });
}

int CFileStorage::UserLoginWithSession(const char* session) {
    return Guarded([&] { return CallFrame::SignInWithSession(*this, session); });
}

int CFileStorage::UserRelogin(const char* userName, const char* passwordOrSession) const {
    return Guarded([&] {
        return userName ? CallFrame::SignInWithPassword(*this, userName, passwordOrSession)
                        : CallFrame::SignInWithSession(*this, passwordOrSession);
    });
}

int CFileStorage::UserLogout() {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::UserLogout()");
        if (!CallFrame::Begin(*this, false)) return FS_ERR_NOT_CONNECTED;
        Send send = CallFrame::Get(*this, "logout_rest.php");
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            std::string uid, sid;
            int failed = json.ParseLoginReply(reply, result, uid, sid, errorinfo);
            if (!failed && (!m_uid || uid != *m_uid)) SetLastErrMsg("uid not match");
            if (!failed && (!m_sid || sid != *m_sid)) SetLastErrMsg("sid not match");
            return failed;
        };
        int result = CallFrame::Exchange(*this, CALL_RULE{RETRY_500}, send, parse);
        if (result == FS_OK) m_needLogin = true;
        return result;
    });
}

int CFileStorage::FileGetChecksum(const char* folder, const char* fileName, unsigned long& size, char* md5,
                                  char* sha1) const {
    return Guarded([&] {
        char md5Text[MD5_CHARS + 1] = {};
        char sha1Text[SHA1_CHARS + 1] = {};
        CalcFileChecksum(folder, fileName, md5Text, sha1Text, size);
        if (md5) memcpy(md5, md5Text, sizeof(md5Text));
        if (sha1) memcpy(sha1, sha1Text, sizeof(sha1Text));
        return FS_OK;
    });
}

int CFileStorage::FileUploadWithRetry(const char* restPath, const char* localFolder, const char* localFileName,
                                      const char* serverFileName, char* keyOut, unsigned long keyOutSize) const {
    return Guarded([&] {
        std::string key;
        int result = CallFrame::UploadFile(*this, restPath, localFolder, localFileName, serverFileName, key);
        if (result == FS_OK) CopyText(keyOut, keyOutSize, key);
        return result;
    });
}

int CFileStorage::FileDownloadWithRetry(const char* pathFormat, const char* key, const char* localFolder,
                                        const char* localFileName) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::FileDownload(lpszKey=" << Text(key) << ")");
        // The key is put in as text: no outside text is ever used as a format.
        std::string path = Text(pathFormat);
        size_t slot = path.find("%s");
        if (slot != std::string::npos) path.replace(slot, 2, Param(key));
        Send send = [&](std::string&) { return m_http->FileDownload(path, localFolder, localFileName); };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500_404, Expiry::Http, DOWNLOAD_EXPIRED}, send, nullptr);
    });
}

int CFileStorage::PictureUpload(const char* localFolder, const char* fileName) const {
    return Guarded([&] {
        std::string key;
        int result = CallFrame::UploadFile(*this, "ops/upload_rest.php", localFolder, fileName, fileName, key);
        if (result == FS_OK && !key.empty() && key != Text(fileName)) {
            SetLastErrMsg("PictureUpload() server file name not the same as local file!!!");
            return FS_ERR_PICTURE_NAME_MISMATCH;
        }
        return result;
    });
}

int CFileStorage::PictureDownload(const char* localFolder, const char* key) const {
    return FileDownloadWithRetry("ops/down.php?k=%s", key, localFolder, key);
}

int CFileStorage::UserPhotoUpload(const char* localFolder, const char* fileName, const char* serverFileName) const {
    return Guarded([&] {
        std::string key;
        return CallFrame::UploadFile(*this, "ops/upload_rest.php", localFolder, fileName, serverFileName, key);
    });
}

int CFileStorage::UserPhotoDownload(const char* localFolder, const char* key, const char* localFileName) const {
    return FileDownloadWithRetry("ops/down.php?k=%s", key, localFolder, localFileName);
}

int CFileStorage::EmoticonUpload(const char* localFolder, const char* fileName, const char* serverFileName) const {
    return Guarded([&] {
        std::string key;
        return CallFrame::UploadFile(*this, "ods/upload_rest.php", localFolder, fileName, serverFileName, key);
    });
}

int CFileStorage::EmoticonDownload(const char* uid, const char* localFolder, const char* key,
                                   const char* localFileName) const {
    return Guarded([&] {
        // The encoded uid holds no "%s" of its own: only the key's slot is left.
        std::string pathFormat = "ods/down.php?uid=" + Param(uid) + "&k=%s";
        return FileDownloadWithRetry(pathFormat.c_str(), key, localFolder, localFileName);
    });
}

int CFileStorage::EmoticonRemove(const char* key) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::EmoticonRemove()");
        return CallFrame::GetResult(*this, "ods/remove_rest.php?k=" + Param(key), RETRY_500);
    });
}

int CFileStorage::EmoticonGetList(EmoticonInfo* list, const unsigned int& capacity, unsigned int& count) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::EmoticonGetList()");
        std::vector<EmoticonInfo> entries;
        Send send = CallFrame::Get(*this, "ods/files_rest.php");
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            return json.ParseEmoticonList(reply, result, entries, errorinfo);
        };
        int result = CallFrame::Call(*this, CALL_RULE{RETRY_500, Expiry::Json}, send, parse);
        if (result != FS_OK) return result;
        size_t filled = list ? std::min<size_t>(entries.size(), capacity) : 0;
        std::copy_n(entries.begin(), filled, list);
        count = unsigned(filled);
        LOG_TRACE("EmoticonGetList success, vecEmoticonList.size()=" << entries.size());
        return FS_OK;
    });
}

int CFileStorage::LargeFileCreate(const char* localFolder, const char* fileName, char* key,
                                  unsigned long keySize) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileCreate()");
        if (!CallFrame::Begin(*this, true)) return FS_ERR_NOT_CONNECTED;
        char md5[MD5_CHARS + 1] = {};
        char sha1[SHA1_CHARS + 1] = {};
        unsigned long size = 0;
        // A file announced without its size and digests could never be finished.
        if (CalcFileChecksum(localFolder, fileName, md5, sha1, size) != 0) {
            SetLastErrMsg(std::string("LargeFileCreate() cannot read the local file ") + Text(fileName));
            return FS_ERR_LOCAL_FILE;
        }
        std::string body = LargeFileCreateBody(Text(fileName), md5, sha1, size);
        std::string fkey;
        Send send = [&](std::string& reply) { return m_http->RequestPost("ofs/upload_c_rest.php", body, reply); };
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            int fsize;
            return json.ParseUploadReply(reply, result, fkey, fsize, errorinfo);
        };
        int result =
            CallFrame::Exchange(*this, CALL_RULE{RETRY_500, Expiry::HttpThenJson, UPLOAD_EXPIRED}, send, parse);
        if (result == FS_OK) CopyText(key, keySize, fkey);
        return result;
    });
}

int CFileStorage::LargeFileUpload(const char* key, void* data, unsigned long length, unsigned long offset) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileUpload()");
        Send send = [&](std::string& reply) {
            return m_http->BufferUpload("ofs/upload_u_rest.php", key, data, length, offset, reply);
        };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500}, send, ResultParser());
    });
}

int CFileStorage::LargeFileUploadFinish(const char* key) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileUploadFinish()");
        std::string body = UploadFinishBody(Text(key));
        Send send = [&](std::string& reply) { return m_http->RequestPost("ofs/upload_e_rest.php", body, reply); };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500_404}, send, ResultParser());
    });
}

namespace {

std::string LargeFilePath(const char* uid, const char* key) {
    return "ofs/down.php?uid=" + Param(uid) + "&k=" + Param(key);
}

}  // namespace

int CFileStorage::LargeFileGetInfo(const char* uid, const char* key, char* name, unsigned long nameSize,
                                   unsigned long& size, char* second, char* third) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileGetInfo()");
        std::string path = LargeFilePath(uid, key);
        Send send = [&](std::string&) { return m_http->GetFileInfo(path, name, nameSize, size, second, third); };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500_404}, send, nullptr);
    });
}

int CFileStorage::LargeFileDownload(const char* uid, const char* key, unsigned long offset, void* buffer,
                                    unsigned long& length) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileDownload(" << offset << ", " << length << ")");
        std::string path = LargeFilePath(uid, key);
        Send send = [&](std::string&) { return m_http->BufferDownload(path, offset, buffer, length); };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500_404}, send, nullptr);
    });
}

int CFileStorage::LargeFileRenewTime(const char* key) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileRenewTime()");
        return CallFrame::GetResult(*this, "ofs/time_rest.php?k=" + Param(key), RETRY_500_404);
    });
}

int CFileStorage::LargeFileRemove(const char* key) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileRemove()");
        return CallFrame::GetResult(*this, "ofs/remove_rest.php?k=" + Param(key), RETRY_500);
    });
}

int CFileStorage::LargeFileGetList(std::vector<LargeFileInfo>& list) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileGetList()");
        Send send = CallFrame::Get(*this, "ofs/files_rest.php");
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            list.clear();
            CJsonHelper json;
            return json.ParseLargeFileList(reply, result, list, errorinfo);
        };
        int result = CallFrame::Call(*this, CALL_RULE{RETRY_500_404}, send, parse);
        if (result == FS_OK) LOG_TRACE("LargeFileGetList success, vecLargeFileList.size()=" << list.size());
        return result;
    });
}

int CFileStorage::LargeFileDepotInfo(double& totalSpace, double& totalSize, double& freeSpace) const {
    return Guarded([&] {
        LOG_TRACE("CFileStorage::LargeFileDepotInfo()");
        Send send = CallFrame::Get(*this, "ofs/info.php");
        Parse parse = [&](const std::string& reply, int& result, std::string& errorinfo) {
            CJsonHelper json;
            return json.ParseDepotInfo(reply, result, totalSpace, totalSize, freeSpace, errorinfo);
        };
        return CallFrame::Call(*this, CALL_RULE{RETRY_500_404}, send, parse);
    });
}
