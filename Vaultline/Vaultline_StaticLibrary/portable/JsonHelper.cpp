#include "portable/JsonHelper.h"

#include <cstring>

#include "portable/CommonUtil.h"
#include "portable/StorageResults.h"

namespace {

// The value of key, or null when it is missing or the holder is no object.
const Json::Value& Member(const Json::Value& holder, const char* key) {
    static const Json::Value none;
    if (!holder.isObject()) return none;
    const Json::Value* value = holder.find(key, key + strlen(key));
    return value ? *value : none;
}

bool ReadInt(const Json::Value& holder, const char* key, int& out) {
    const Json::Value& value = Member(holder, key);
    if (!value.isInt()) return false;
    out = value.asInt();
    return true;
}

bool ReadDouble(const Json::Value& holder, const char* key, double& out) {
    const Json::Value& value = Member(holder, key);
    if (!value.isNumeric()) return false;
    out = value.asDouble();
    return true;
}

bool ReadText(const Json::Value& holder, const char* key, std::string& out) {
    const Json::Value& value = Member(holder, key);
    if (!value.isString()) return false;
    out = value.asString();
    return true;
}

// Reads a text into a record's fixed field.
template <size_t N>
bool ReadField(const Json::Value& holder, const char* key, char (&field)[N], size_t maxChars) {
    std::string text;
    if (!ReadText(holder, key, text)) return false;
    CopyText(field, N, text, maxChars);
    return true;
}

int Fail(std::string& errorinfo, const std::string& message) {
    errorinfo = message;
    LOG_TRACE(message);
    return FS_ERR_JSON_REPLY;
}

// The first key that an entry lacks, or null when it has them all.
const char* ReadEntry(const Json::Value& entry, EmoticonInfo& info) {
    if (!ReadField(entry, "fkey", info.fkey, KEY_CHARS)) return "fkey";
    if (!ReadField(entry, "fname", info.fname, FILE_NAME_CHARS)) return "fname";
    if (!ReadInt(entry, "fsize", info.fsize)) return "fsize";
    LOG_DEBUG("json result: fkey=" << info.fkey << ", pszFileName=" << info.fname << ", fsize=" << info.fsize);
    return nullptr;
}

const char* ReadEntry(const Json::Value& entry, LargeFileInfo& info) {
    if (!ReadField(entry, "fkey", info.fkey, KEY_CHARS)) return "fkey";
    if (!ReadField(entry, "fname", info.fname, FILE_NAME_CHARS)) return "fname";
    if (!ReadInt(entry, "fsize", info.fsize)) return "fsize";
    if (!ReadField(entry, "fmd5", info.fmd5, MD5_CHARS)) return "fmd5";
    if (!ReadField(entry, "fsha1", info.fsha1, SHA1_CHARS)) return "fsha1";
    if (!ReadField(entry, "createtime", info.createtime, CREATE_TIME_CHARS)) return "createtime";
    if (!ReadInt(entry, "finish", info.finish)) return "finish";
    if (!ReadInt(entry, "leftminute", info.leftminute)) return "leftminute";
    LOG_DEBUG("json result: fkey=" << info.fkey << ", fname=" << info.fname << ", fsize=" << info.fsize << ", fmd5="
                                   << info.fmd5 << ", fsha1=" << info.fsha1 << ", createtime=" << info.createtime
                                   << ", finish=" << info.finish << ", leftminute=" << info.leftminute);
    return nullptr;
}

// Appends the entries of files to list; entryName names an entry in the messages.
template <typename Record>
int ReadEntries(const Json::Value& files, std::vector<Record>& list, const char* entryName, std::string& errorinfo) {
    for (const Json::Value& entry : files) {
        if (entry.isNull()) continue;
        Record record;
        if (const char* missing = ReadEntry(entry, record))
            return Fail(errorinfo, std::string("get ") + entryName + "[\"" + missing + "\"] error");
        list.push_back(record);
    }
    return FS_OK;
}

}  // namespace

int CJsonHelper::ParseHead(const std::string& reply, int& result, std::string& errorinfo) {
    result = FS_RESULT_UNSET;
    bool parsed;
    try {
        parsed = m_reader.parse(reply, m_root, true);
    } catch (const std::exception&) {
        parsed = false;  // nested deeper than the reader allows
    }
    if (!parsed) return Fail(errorinfo, "parse json error");
    if (!ReadInt(m_root, "result", result)) {
        result = FS_RESULT_UNSET;
        return Fail(errorinfo, "get result error");
    }
    return FS_OK;
}

template <typename Record>
int CJsonHelper::ParseList(const std::string& reply, int& result, std::vector<Record>& list, const char* entryName,
                           const char* listName, std::string& errorinfo) {
    if (int failed = ParseHead(reply, result, errorinfo)) return failed;
    if (!ReadText(m_root, "errorinfo", errorinfo)) return Fail(errorinfo, "get errorinfo error");
    const Json::Value& files = Member(m_root, "files");
    if (!files.isArray()) return Fail(errorinfo, "get files error, it is not an array.");
    if (int failed = ReadEntries(files, list, entryName, errorinfo)) return failed;
    LOG_DEBUG("json result: result=" << result << ", errorinfo=\"" << errorinfo << "\", " << listName
                                     << ".size()=" << list.size());
    return FS_OK;
}

int CJsonHelper::ParseResult(const std::string& reply, int& result, std::string& errorinfo) {
    if (int failed = ParseHead(reply, result, errorinfo)) return failed;
    if (!ReadText(m_root, "errorinfo", errorinfo)) return Fail(errorinfo, "get errorinfo error");
    LOG_DEBUG("json result: result=" << result << ", errorinfo=\"" << errorinfo << "\"");
    return FS_OK;
}

int CJsonHelper::ParseLoginReply(const std::string& reply, int& result, std::string& uid, std::string& sid,
                                 std::string& errorinfo) {
    uid.clear();
    sid.clear();
    if (int failed = ParseHead(reply, result, errorinfo)) return failed;
    if (!ReadText(m_root, "uid", uid)) return Fail(errorinfo, "get uid error");
    if (!ReadText(m_root, "sid", sid)) return Fail(errorinfo, "get sid error");
    if (!ReadText(m_root, "errorinfo", errorinfo)) return Fail(errorinfo, "get errorinfo error");
    LOG_DEBUG("json result: result=" << result << ", uid=" << uid << ", sid=" << sid << ", errorinfo=\"" << errorinfo
                                     << "\"");
    return FS_OK;
}

int CJsonHelper::ParseUploadReply(const std::string& reply, int& result, std::string& fkey, int& fsize,
                                  std::string& errorinfo) {
    fkey.clear();
    if (int failed = ParseHead(reply, result, errorinfo)) return failed;
    if (!ReadText(m_root, "fkey", fkey)) return Fail(errorinfo, "get fkey error");
    if (!ReadInt(m_root, "fsize", fsize)) {
        LOG_TRACE("get fsize error");
        fsize = 0;
    }
    if (!ReadText(m_root, "errorinfo", errorinfo)) return Fail(errorinfo, "get errorinfo error");
    LOG_DEBUG("json result: result=" << result << ", fkey=" << fkey << ", fsize=" << fsize << ", errorinfo=\""
                                     << errorinfo << "\"");
    return FS_OK;
}

int CJsonHelper::ParseEmoticonList(const std::string& reply, int& result, std::vector<EmoticonInfo>& list,
                                   std::string& errorinfo) {
    return ParseList(reply, result, list, "emotion_file", "vecEmoticonList", errorinfo);
}

int CJsonHelper::ParseLargeFileList(const std::string& reply, int& result, std::vector<LargeFileInfo>& list,
                                    std::string& errorinfo) {
    return ParseList(reply, result, list, "file", "vecLargeFileList", errorinfo);
}

int CJsonHelper::ParseDepotInfo(const std::string& reply, int& result, double& totalSpace, double& totalSize,
                                double& freeSpace, std::string& errorinfo) {
    if (int failed = ParseHead(reply, result, errorinfo)) return failed;
    std::string uid;
    if (!ReadText(m_root, "uid", uid)) return Fail(errorinfo, "get uid error");
    if (!ReadDouble(m_root, "totalspace", totalSpace)) return Fail(errorinfo, "get totalspace error");
    if (!ReadDouble(m_root, "totalsize", totalSize)) return Fail(errorinfo, "get totalsize error");
    if (!ReadDouble(m_root, "freespace", freeSpace)) return Fail(errorinfo, "get freespace error");
    if (!ReadText(m_root, "errorinfo", errorinfo)) return Fail(errorinfo, "get errorinfo error");
    LOG_DEBUG("json result: result=" << result << ", uid=" << uid << ", totalspace=" << totalSpace
                                     << ", totalsize=" << totalSize << ", freespace=" << freeSpace << ", errorinfo=\""
                                     << errorinfo << "\"");
    return FS_OK;
}
