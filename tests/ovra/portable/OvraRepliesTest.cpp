#include <gtest/gtest.h>

#include "portable/OvraReplies.h"

namespace {

TEST(OvraRepliesTest, ReadsTheResultAndTheIds) {
    OVRA_ACCOUNT_REPLY reply;
    ASSERT_TRUE(ParseAccountReply(R"({"result":0,"uid":"1001","sid":"S1","ticket":"T\u00e9"})", reply));
    EXPECT_EQ(0u, reply.Result);
    EXPECT_EQ("1001", reply.Uid);
    EXPECT_EQ("S1", reply.Sid);
    EXPECT_EQ("T\xc3\xa9", reply.Ticket);
    EXPECT_TRUE(IsSignedIn(reply));

    ASSERT_TRUE(ParseAccountReply(R"({"result":600000022})", reply));
    EXPECT_EQ(600000022u, reply.Result);
    EXPECT_EQ("", reply.Uid);
    EXPECT_FALSE(IsSignedIn(reply));
}

TEST(OvraRepliesTest, RefusesRepliesWithoutAWholeNumberResult) {
    const char* bad[] = {
        "",      "[]", "{}", R"({"result":"0"})", R"({"result":-1})", R"({"result":1.5})", R"({"result":0,"uid":"1")",
        "<html>"};
    for (const char* text : bad) {
        OVRA_ACCOUNT_REPLY reply;
        EXPECT_FALSE(ParseAccountReply(text, reply)) << text;
    }
    OVRA_ACCOUNT_REPLY reply;
    EXPECT_FALSE(ParseAccountReply("{\"result\":0,\"uid\":" + std::string(5000, '[') + "}", reply));
}

TEST(OvraRepliesTest, ASignInNeedsBothIds) {
    const char* incomplete[] = {R"({"result":0,"sid":"S1"})", R"({"result":0,"uid":"1"})",
                                R"({"result":0,"uid":1,"sid":"S1"})"};
    for (const char* text : incomplete) {
        OVRA_ACCOUNT_REPLY reply;
        ASSERT_TRUE(ParseAccountReply(text, reply)) << text;
        EXPECT_FALSE(IsSignedIn(reply)) << text;
    }
}

}  // namespace
