#include <gtest/gtest.h>

#include <climits>

#include "web/portable/ServiceReplies.h"

namespace {

TEST(ServiceRepliesTest, NickNameIsTheMemberTextWhereverItStands) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"nickname":"Tom","uid":"7"})", "Tom"},
        {R"({"uid":"7","nickname":"Tom"})", "Tom"},  // last member, no comma after it
        {R"({"nickname" : "To\"m, \u5c0f"})", "To\"m, \xe5\xb0\x8f"},
        {R"({"uid":"7"})", ""},
        {R"({"nickname":7})", ""},
        {R"({"data":{"nickname":"Tom"}})", ""},
        {R"(["nickname","Tom"])", ""},
        {R"({"nickname":"Tom")", ""},  // cut off
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, NickNameFromReply(c.first)) << c.first;
}

TEST(ServiceRepliesTest, GoldIsTheNumberInData) {
    const std::pair<const char*, int> cases[] = {
        {R"({"data":120})", 120},
        {R"({"result":{},"data":35})", 35},  // a brace before the member does not hide it
        {R"({"data":12.9,"x":1})", 12},
        {R"({"data":-4})", -4},
        {R"({"data":1e30})", INT_MAX},
        {R"({"data":"120"})", 0},
        {R"({"data":null})", 0},
        {R"({"gold":5})", 0},
        {"not json", 0},
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, GoldFromReply(c.first)) << c.first;
}

TEST(ServiceRepliesTest, AgeChoiceIsNeededOnlyForTrue) {
    const std::pair<const char*, bool> cases[] = {
        {R"({"data":true})", true},
        {R"({"data":true,"msg":"ok"})", true},
        {R"({"data":false})", false},
        {R"({"data":"true"})", false},
        {R"({"data":1})", false},
        {R"({"msg":true})", false},
        {"true", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, NeedChooseAgeFromReply(c.first)) << c.first;
}

TEST(ServiceRepliesTest, DeeplyNestedRepliesAreNoObjects) {
    std::string deep = std::string(5000, '[') + std::string(5000, ']');
    std::string deepMember = "{\"data\":" + deep + ",\"nickname\":\"Tom\"}";
    for (const std::string& reply : {deep, deepMember}) {
        EXPECT_EQ("", NickNameFromReply(reply));
        EXPECT_EQ(0, GoldFromReply(reply));
        EXPECT_FALSE(NeedChooseAgeFromReply(reply));
    }
}

TEST(ServiceRepliesTest, PointsNeedTheErrorCodeElement) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"<ReturnData><Result><ErrorCode>200</ErrorCode></Result><Datas><item>12.9</item></Datas></ReturnData>", 12},
        {u"<ReturnData><Result><ErrorCode/></Result><Datas><item>-7.5</item></Datas></ReturnData>", -7},
        {u"<ReturnData><Result><ErrorCode>1</ErrorCode></Result><Datas><item>abc</item></Datas></ReturnData>", 0},
        {u"<ReturnData><Result><ErrorCode>1</ErrorCode></Result></ReturnData>", 0},
        {u"<ReturnData><Result/><Datas><item>12</item></Datas></ReturnData>", 0},
        {u"<Other><Result><ErrorCode>1</ErrorCode></Result><Datas><item>12</item></Datas></Other>", 0},
        {u"<ReturnData><Result><ErrorCode>1</ErrorCode></Result><Datas><item>12</item>", 0},
        {u"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, PointsFromReply(c.first));
}

}  // namespace
