#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapturedLog.h"
#include "portable/JsonHelper.h"
#include "portable/StorageResults.h"

namespace {

enum class Parser { Result, Login, Upload, Emoticons, LargeFiles, Depot };

// Runs one parser with throw-away outputs for the parts every parser shares.
int RunParser(Parser parser, const std::string& reply, int& result, std::string& errorinfo) {
    CJsonHelper json;
    std::string uid, sid, fkey;
    int fsize;
    std::vector<EmoticonInfo> emoticons;
    std::vector<LargeFileInfo> files;
    double space, size, freeSpace;
    switch (parser) {
        case Parser::Result:
            return json.ParseResult(reply, result, errorinfo);
        case Parser::Login:
            return json.ParseLoginReply(reply, result, uid, sid, errorinfo);
        case Parser::Upload:
            return json.ParseUploadReply(reply, result, fkey, fsize, errorinfo);
        case Parser::Emoticons:
            return json.ParseEmoticonList(reply, result, emoticons, errorinfo);
        case Parser::LargeFiles:
            return json.ParseLargeFileList(reply, result, files, errorinfo);
        case Parser::Depot:
            return json.ParseDepotInfo(reply, result, space, size, freeSpace, errorinfo);
    }
    return -1;
}

struct ReplyCase {
    const char* name;
    Parser parser;
    std::string reply;
    int parsed;  // FS_OK or FS_ERR_JSON_REPLY
    int result;
    const char* errorinfo;
};

void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }

class ReplyParseTest : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyParseTest, GivesResultAndErrorinfo) {
    const ReplyCase& c = GetParam();
    int result = -1;
    std::string errorinfo = "stale";
    EXPECT_EQ(c.parsed, RunParser(c.parser, c.reply, result, errorinfo));
    EXPECT_EQ(c.result, result);
    EXPECT_EQ(c.errorinfo, errorinfo);
}

const std::string FILE_ENTRY =
    R"({"fkey":"k1","fname":"a.log","fsize":10,"fmd5":"m","fsha1":"s","createtime":"t","finish":1,"leftminute":5})";

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyParseTest,
    testing::Values(
        ReplyCase{"Success", Parser::Result, R"({"result":200,"errorinfo":""})", FS_OK, 200, ""},
        ReplyCase{"ServiceFailureStillParses", Parser::Result, R"({"result":404,"errorinfo":"no such file"})", FS_OK,
                  404, "no such file"},
        ReplyCase{"CommentsAllowed", Parser::Result, "{\"result\":200, /* note */ \"errorinfo\":\"ok\"}", FS_OK, 200,
                  "ok"},
        ReplyCase{"WholeNumberAsReal", Parser::Result, R"({"result":200.0,"errorinfo":""})", FS_OK, 200, ""},
        ReplyCase{"NoErrorinfoDespite200", Parser::Result, R"({"result":200})", FS_ERR_JSON_REPLY, 200,
                  "get errorinfo error"},
        ReplyCase{"ErrorinfoOfWrongType", Parser::Result, R"({"result":200,"errorinfo":5})", FS_ERR_JSON_REPLY, 200,
                  "get errorinfo error"},
        ReplyCase{"NotJson", Parser::Result, "<html>busy</html>", FS_ERR_JSON_REPLY, FS_RESULT_UNSET,
                  "parse json error"},
        ReplyCase{"EmptyText", Parser::Result, "", FS_ERR_JSON_REPLY, FS_RESULT_UNSET, "parse json error"},
        ReplyCase{"CutShort", Parser::Result, R"({"result":200,"errorinfo":"x)", FS_ERR_JSON_REPLY, FS_RESULT_UNSET,
                  "parse json error"},
        ReplyCase{"NestedTooDeep", Parser::Result, std::string(100000, '['), FS_ERR_JSON_REPLY, FS_RESULT_UNSET,
                  "parse json error"},
        ReplyCase{"ArrayRoot", Parser::Result, R"([{"result":200,"errorinfo":""}])", FS_ERR_JSON_REPLY, FS_RESULT_UNSET,
                  "get result error"},
        ReplyCase{"NumberRoot", Parser::Login, "200", FS_ERR_JSON_REPLY, FS_RESULT_UNSET, "get result error"},
        ReplyCase{"NullResult", Parser::Result, R"({"result":null,"errorinfo":""})", FS_ERR_JSON_REPLY, FS_RESULT_UNSET,
                  "get result error"},
        ReplyCase{"ResultAsText", Parser::Upload, R"({"result":"200","fkey":"k","errorinfo":""})", FS_ERR_JSON_REPLY,
                  FS_RESULT_UNSET, "get result error"},
        ReplyCase{"FractionalResult", Parser::Result, R"({"result":200.5,"errorinfo":""})", FS_ERR_JSON_REPLY,
                  FS_RESULT_UNSET, "get result error"},
        ReplyCase{"ResultBeyondInt", Parser::Result, R"({"result":4294967496,"errorinfo":""})", FS_ERR_JSON_REPLY,
                  FS_RESULT_UNSET, "get result error"},
        ReplyCase{"LoginWithoutUid", Parser::Login, R"({"result":200,"sid":"s","errorinfo":""})", FS_ERR_JSON_REPLY,
                  200, "get uid error"},
        ReplyCase{"LoginWithoutSid", Parser::Login, R"({"result":200,"uid":"u","errorinfo":""})", FS_ERR_JSON_REPLY,
                  200, "get sid error"},
        ReplyCase{"LoginExpired", Parser::Login, R"({"result":403,"uid":"","sid":"","errorinfo":"expired"})", FS_OK,
                  403, "expired"},
        ReplyCase{"UploadWithoutFkey", Parser::Upload, R"({"result":200,"fsize":3,"errorinfo":""})", FS_ERR_JSON_REPLY,
                  200, "get fkey error"},
        ReplyCase{"UploadWithoutFsize", Parser::Upload, R"({"result":409,"fkey":"k","errorinfo":"exists"})", FS_OK, 409,
                  "exists"},
        ReplyCase{"ListFilesAnObject", Parser::Emoticons, R"({"result":200,"errorinfo":"","files":{}})",
                  FS_ERR_JSON_REPLY, 200, "get files error, it is not an array."},
        ReplyCase{"ListWithoutFiles", Parser::LargeFiles, R"({"result":200,"errorinfo":""})", FS_ERR_JSON_REPLY, 200,
                  "get files error, it is not an array."},
        ReplyCase{"ListReadsErrorinfoFirst", Parser::Emoticons, R"({"result":200,"files":{}})", FS_ERR_JSON_REPLY, 200,
                  "get errorinfo error"},
        ReplyCase{"ListEmpty", Parser::LargeFiles, R"({"result":200,"errorinfo":"none","files":[]})", FS_OK, 200,
                  "none"},
        ReplyCase{"EmoticonWithoutFname", Parser::Emoticons,
                  R"({"result":200,"errorinfo":"","files":[{"fkey":"k","fsize":1}]})", FS_ERR_JSON_REPLY, 200,
                  R"(get emotion_file["fname"] error)"},
        ReplyCase{"EmoticonEntryNotAnObject", Parser::Emoticons, R"({"result":200,"errorinfo":"","files":[7]})",
                  FS_ERR_JSON_REPLY, 200, R"(get emotion_file["fkey"] error)"},
        ReplyCase{
            "LargeFileWithoutLeftminute", Parser::LargeFiles,
            R"({"result":200,"errorinfo":"","files":[{"fkey":"k","fname":"n","fsize":1,"fmd5":"m","fsha1":"s","createtime":"t","finish":0}]})",
            FS_ERR_JSON_REPLY, 200, R"(get file["leftminute"] error)"},
        // Sizes beyond the record's 32 bits cannot be carried: the entry is refused.
        ReplyCase{"LargeFileSizeBeyondRecord", Parser::LargeFiles,
                  R"({"result":200,"errorinfo":"","files":[{"fkey":"k","fname":"n","fsize":3000000000}]})",
                  FS_ERR_JSON_REPLY, 200, R"(get file["fsize"] error)"},
        ReplyCase{"LargeFileList", Parser::LargeFiles,
                  R"({"result":200,"errorinfo":"ok","files":[)" + FILE_ENTRY + "," + FILE_ENTRY + "]}", FS_OK, 200,
                  "ok"},
        ReplyCase{"DepotWithoutUid", Parser::Depot,
                  R"({"result":200,"totalspace":1,"totalsize":1,"freespace":0,"errorinfo":""})", FS_ERR_JSON_REPLY, 200,
                  "get uid error"},
        ReplyCase{"DepotWithoutFreespace", Parser::Depot,
                  R"({"result":200,"uid":"u","totalspace":1,"totalsize":1,"errorinfo":""})", FS_ERR_JSON_REPLY, 200,
                  "get freespace error"},
        ReplyCase{"DepotFigureAsText", Parser::Depot,
                  R"({"result":200,"uid":"u","totalspace":"1","totalsize":1,"freespace":0,"errorinfo":""})",
                  FS_ERR_JSON_REPLY, 200, "get totalspace error"}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

TEST(JsonHelperTest, FailureMessageIsLoggedAsTrace) {
    CapturedLog log;
    int result;
    std::string errorinfo;
    CJsonHelper json;
    json.ParseResult(R"({"result":200})", result, errorinfo);
    EXPECT_EQ(0u, log.Text().find("[TRACE] get errorinfo error ["));
}

TEST(JsonHelperTest, LoginReplyGivesUidAndSid) {
    CJsonHelper json;
    int result;
    std::string uid = "old", sid = "old", errorinfo;
    ASSERT_EQ(FS_OK, json.ParseLoginReply(R"({"result":200,"uid":"1001","sid":"abc","errorinfo":""})", result, uid, sid,
                                          errorinfo));
    EXPECT_EQ("1001", uid);
    EXPECT_EQ("abc", sid);

    CJsonHelper missing;
    EXPECT_EQ(FS_ERR_JSON_REPLY, missing.ParseLoginReply(R"({"result":200})", result, uid, sid, errorinfo));
    EXPECT_EQ("", uid);
    EXPECT_EQ("", sid);
}

TEST(JsonHelperTest, UploadReplyGivesWholeKeyAndSize) {
    const std::string longKey(40, 'k');
    CJsonHelper json;
    int result, fsize = -1;
    std::string fkey, errorinfo;
    ASSERT_EQ(FS_OK, json.ParseUploadReply(R"({"result":200,"fkey":")" + longKey + R"(","fsize":2500,"errorinfo":""})",
                                           result, fkey, fsize, errorinfo));
    EXPECT_EQ(longKey, fkey);
    EXPECT_EQ(2500, fsize);

    CJsonHelper withoutSize;
    ASSERT_EQ(FS_OK, withoutSize.ParseUploadReply(R"({"result":200,"fkey":"k","errorinfo":""})", result, fkey, fsize,
                                                  errorinfo));
    EXPECT_EQ(0, fsize);
}

TEST(JsonHelperTest, EmoticonListSkipsNullsAndCutsLongTexts) {
    const std::string longName(80, 'n');
    const std::string longKey(40, 'k');
    std::string reply = R"({"result":200,"errorinfo":"","files":[null,{"fkey":"first","fname":"a.gif","fsize":1},)"
                        R"({"fkey":")" +
                        longKey + R"(","fname":")" + longName + R"(","fsize":2},null]})";
    CJsonHelper json;
    int result;
    std::string errorinfo;
    std::vector<EmoticonInfo> list(1);  // entries are appended after what the list holds
    ASSERT_EQ(FS_OK, json.ParseEmoticonList(reply, result, list, errorinfo));
    ASSERT_EQ(3u, list.size());
    EXPECT_STREQ("first", list[1].fkey);
    EXPECT_STREQ("a.gif", list[1].fname);
    EXPECT_EQ(1, list[1].fsize);
    EXPECT_EQ(longKey.substr(0, 32), list[2].fkey);
    EXPECT_EQ(longName.substr(0, 65), list[2].fname);
}

TEST(JsonHelperTest, LargeFileListFillsEveryFieldAndKeepsEntriesBeforeAFailure) {
    const std::string longName(80, 'x');
    std::string reply =
        R"({"result":200,"errorinfo":"","files":[{"fkey":"0123456789abcdef0123456789abcdef","fname":")" + longName +
        R"(","fsize":2500,"fmd5":"d41d8cd98f00b204e9800998ecf8427e",)"
        R"("fsha1":"da39a3ee5e6b4b0d3255bfef95601890afd80709","createtime":"2024-01-02 03:04:05.678",)"
        R"("finish":1,"leftminute":1440},{"fkey":"second"}]})";
    CJsonHelper json;
    int result;
    std::string errorinfo;
    std::vector<LargeFileInfo> list;
    EXPECT_EQ(FS_ERR_JSON_REPLY, json.ParseLargeFileList(reply, result, list, errorinfo));
    EXPECT_EQ(R"(get file["fname"] error)", errorinfo);
    ASSERT_EQ(1u, list.size());
    const LargeFileInfo& info = list[0];
    EXPECT_STREQ("0123456789abcdef0123456789abcdef", info.fkey);
    EXPECT_EQ(longName.substr(0, 65), info.fname);
    EXPECT_EQ(2500, info.fsize);
    EXPECT_STREQ("d41d8cd98f00b204e9800998ecf8427e", info.fmd5);
    EXPECT_STREQ("da39a3ee5e6b4b0d3255bfef95601890afd80709", info.fsha1);
    EXPECT_STREQ("2024-01-02 03:04:05.", info.createtime);  // 20 characters
    EXPECT_EQ(1, info.finish);
    EXPECT_EQ(1440, info.leftminute);
}

TEST(JsonHelperTest, DepotInfoWritesEachFigureAsItIsRead) {
    CJsonHelper json;
    int result;
    std::string errorinfo;
    double space = -1, size = -1, freeSpace = -1;
    EXPECT_EQ(FS_ERR_JSON_REPLY, json.ParseDepotInfo(R"({"result":200,"uid":"u","totalspace":1073741824.5,)"
                                                     R"("totalsize":2048,"errorinfo":""})",
                                                     result, space, size, freeSpace, errorinfo));
    EXPECT_DOUBLE_EQ(1073741824.5, space);
    EXPECT_DOUBLE_EQ(2048, size);
    EXPECT_DOUBLE_EQ(-1, freeSpace);
}

}  // namespace
