#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CapturedLog.h"
#include "portable/CommonUtil.h"

namespace {

TEST(LogLineTest, TagMessageAndPlace) {
    CapturedLog log;
    WriteLogLine(LogLevel::Trace, "entry", "src/a.cpp", 12);
    WriteLogLine(LogLevel::Debug, "reply", "src/a.cpp", 13);
    WriteLogLine(LogLevel::Info, "session expired", "src/b.cpp", 7);
    WriteLogLine(LogLevel::Error, "failed", "src/c.cpp", 99);
    EXPECT_EQ(
        "[TRACE] entry [src/a.cpp:12]\n"
        "[DEBUG] reply [src/a.cpp:13]\n"
        "[INFO]  session expired [src/b.cpp:7]\n"
        "[ERROR] failed [src/c.cpp:99]\n",
        log.Text());
}

TEST(LogLineTest, MacroNamesTheLoggingStatement) {
    CapturedLog log;
    int line = __LINE__ + 1;
    LOG_DEBUG("size=" << 42);
    EXPECT_EQ("[DEBUG] size=42 [" + std::string(__FILE__) + ":" + std::to_string(line) + "]\n", log.Text());
}

TEST(LastErrorTest, SettersWriteTextAndErrorLine) {
    CapturedLog log;
    SetLastErrMsg("Not connect to server.");
    EXPECT_STREQ("Not connect to server.", GetLastErrText());
    SetErrMsgWithCode("relogin error, return ", -101);
    EXPECT_STREQ("relogin error, return -101", GetLastErrText());
    SetResponseErrMsg(404, "no such file");
    EXPECT_STREQ("Response code=404, errorinfo=no such file", GetLastErrText());
    std::string text = log.Text();
    EXPECT_EQ(0u, text.find("[ERROR] Not connect to server. [" + std::string(__FILE__) + ":"));
    EXPECT_NE(std::string::npos, text.find("[ERROR] relogin error, return -101 ["));
    EXPECT_NE(std::string::npos, text.find("[ERROR] Response code=404, errorinfo=no such file ["));
}

TEST(LastErrorTest, LongTextsAreCutTo1023Characters) {
    CapturedLog log;
    SetResponseErrMsg(500, std::string(2000, 'e'));
    EXPECT_EQ(1023u, strlen(GetLastErrText()));
    EXPECT_EQ(0, strncmp(GetLastErrText(), "Response code=500, errorinfo=eee", 32));
    SetLastErrMsg(std::string(5000, 'x'));
    EXPECT_EQ(std::string(1023, 'x'), GetLastErrText());
    SetErrMsgWithCode(std::string(1030, 'y'), 7);
    EXPECT_EQ(std::string(1023, 'y'), GetLastErrText());
}

TEST(LastErrorTest, TextWithPercentSignsIsNoFormat) {
    CapturedLog log;
    SetResponseErrMsg(1, "%s%n%d");
    EXPECT_STREQ("Response code=1, errorinfo=%s%n%d", GetLastErrText());
    SetErrMsgWithCode("%s%s", 3);
    EXPECT_STREQ("%s%s3", GetLastErrText());
}

struct CopyCase {
    const char* name;
    size_t bufferSize;
    size_t maxChars;
    const char* expected;
};

void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.name; }

class CopyTextTest : public testing::TestWithParam<CopyCase> {};

// The buffer sits in a larger block filled with a marker: nothing past it is touched.
TEST_P(CopyTextTest, StaysInsideTheBufferAndTerminates) {
    const CopyCase& c = GetParam();
    char block[16];
    memset(block, '#', sizeof(block));
    CopyText(block, c.bufferSize, "abcdef", c.maxChars);
    if (c.bufferSize > 0) {
        EXPECT_STREQ(c.expected, block);
    }
    for (size_t i = c.bufferSize; i < sizeof(block); ++i) EXPECT_EQ('#', block[i]) << "at " << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, CopyTextTest,
                         testing::Values(CopyCase{"Roomy", 10, std::string::npos, "abcdef"},
                                         CopyCase{"ExactFit", 7, std::string::npos, "abcdef"},
                                         CopyCase{"OneShort", 6, std::string::npos, "abcde"},
                                         CopyCase{"OneByte", 1, std::string::npos, ""},
                                         CopyCase{"NoBytes", 0, std::string::npos, ""},
                                         CopyCase{"CharacterLimit", 10, 3, "abc"}),
                         [](const testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

}  // namespace
