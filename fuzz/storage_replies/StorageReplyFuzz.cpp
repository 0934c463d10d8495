// libFuzzer target: the storage service's replies as the library reads them. The first
// byte chooses the reader, the rest is the reply text or header value.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "HeaderValues.h"
#include "portable/Inflater.h"
#include "portable/JsonHelper.h"
#include "portable/ReplyHeaders.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cout.setstate(std::ios::badbit);  // the parsers' log lines would only slow the run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    CJsonHelper json;
    int result, fsize;
    std::string uid, sid, fkey, errorinfo;
    std::vector<EmoticonInfo> emoticons;
    std::vector<LargeFileInfo> files;
    double space, used, free;
    switch (data[0] % 8) {
        case 0:
            json.ParseResult(text, result, errorinfo);
            break;
        case 1:
            json.ParseLoginReply(text, result, uid, sid, errorinfo);
            break;
        case 2:
            json.ParseUploadReply(text, result, fkey, fsize, errorinfo);
            break;
        case 3:
            json.ParseEmoticonList(text, result, emoticons, errorinfo);
            break;
        case 4:
            json.ParseLargeFileList(text, result, files, errorinfo);
            break;
        case 5:
            json.ParseDepotInfo(text, result, space, used, free, errorinfo);
            break;
        case 6: {
            uint32_t total;
            int64_t length;
            FILE_INFO_FIELDS fields;
            ParseContentLength(text, length);
            ParseContentRangeTotal(text, total);
            SplitContentDisposition(text, fields);
            break;
        }
        default: {
            CInflater inflater(data[0] & 8 ? ReplyCoding::Gzip : ReplyCoding::Deflate);
            std::string out;
            if (inflater.Inflate(text.data(), text.size(), Z_SYNC_FLUSH, out) == Z_OK) inflater.EndResult();
            break;
        }
    }
    return 0;
}
