// Parsers of the storage service's JSON replies. One CJsonHelper reads one reply.
//
// Each parser returns FS_OK when every required key was read, else FS_ERR_JSON_REPLY.
// It always sets errorinfo: to the reply's "errorinfo" on success, else to the failure
// message. The result is written as soon as "result" is read (FS_RESULT_UNSET before),
// so after a failure on a later key it holds the service's result. A key counts as
// missing when it is absent, JSON null or of another type than the reply defines.
#pragma once

#include <json/reader.h>
#include <json/value.h>

#include <string>
#include <vector>

#include "portable/StorageRecords.h"

class CJsonHelper {
public:
    CJsonHelper() = default;
    CJsonHelper(const CJsonHelper&) = delete;
    CJsonHelper& operator=(const CJsonHelper&) = delete;

    int ParseResult(const std::string& reply, int& result, std::string& errorinfo);
    int ParseLoginReply(const std::string& reply, int& result, std::string& uid, std::string& sid,
                        std::string& errorinfo);
    // "fsize" is optional: without it fsize is 0.
    int ParseUploadReply(const std::string& reply, int& result, std::string& fkey, int& fsize, std::string& errorinfo);
    // The lists append one record per entry of "files" (null entries skipped); the
    // entries read before a failing one stay appended.
    int ParseEmoticonList(const std::string& reply, int& result, std::vector<EmoticonInfo>& list,
                          std::string& errorinfo);
    int ParseLargeFileList(const std::string& reply, int& result, std::vector<LargeFileInfo>& list,
                           std::string& errorinfo);
    // Each figure is written as soon as it is read.
    int ParseDepotInfo(const std::string& reply, int& result, double& totalSpace, double& totalSize, double& freeSpace,
                       std::string& errorinfo);

private:
    // Parses the text and reads "result"; FS_OK or the failure.
    int ParseHead(const std::string& reply, int& result, std::string& errorinfo);
    // The two lists: head, "errorinfo", then the entries of "files".
    template <typename Record>
    int ParseList(const std::string& reply, int& result, std::vector<Record>& list, const char* entryName,
                  const char* listName, std::string& errorinfo);

    Json::Reader m_reader;
    Json::Value m_root;
};
