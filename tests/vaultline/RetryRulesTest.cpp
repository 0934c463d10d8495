#include "ServiceCalls.h"

namespace {

using RetryTest = CallTest;

// The scripted fault meets the call's own request: preparing does not use its endpoint.
TEST_P(RetryTest, OneServerErrorIsSentAgain) {
    SignIn();
    GetParam().prepare(*this);
    int before = Count(GetParam().endpoint);
    service.ScriptFault(GetParam().endpoint, StorageFault::Status(500));
    EXPECT_EQ(FS_OK, GetParam().run(*this)) << storage->GetLastErrMsg();
    EXPECT_EQ(before + 2, Count(GetParam().endpoint));
}

TEST_P(RetryTest, SecondServerErrorIsReturned) {
    SignIn();
    GetParam().prepare(*this);
    int before = Count(GetParam().endpoint);
    service.ScriptFault(GetParam().endpoint, StorageFault::Status(500), 3);
    EXPECT_EQ(500, GetParam().run(*this));
    EXPECT_EQ(before + 2, Count(GetParam().endpoint));
    EXPECT_NE(nullptr, strstr(storage->GetLastErrMsg(), "HTTP response fail:dwStatusCode=500"))
        << storage->GetLastErrMsg();
}

TEST_P(RetryTest, NotFoundIsSentAgainOnlyWhereTheCallSaysSo) {
    SignIn();
    GetParam().prepare(*this);
    int before = Count(GetParam().endpoint);
    service.ScriptFault(GetParam().endpoint, StorageFault::Status(404));
    if (GetParam().retriesNotFound) {
        EXPECT_EQ(FS_OK, GetParam().run(*this)) << storage->GetLastErrMsg();
        EXPECT_EQ(before + 2, Count(GetParam().endpoint));
    } else {
        EXPECT_EQ(404, GetParam().run(*this));
        EXPECT_EQ(before + 1, Count(GetParam().endpoint));
    }
}

INSTANTIATE_TEST_SUITE_P(Calls, RetryTest, testing::ValuesIn(ServiceCalls([](const SERVICE_CALL&) { return true; })),
                         CallName);

}  // namespace
