#include <cstring>

#include "ServiceCalls.h"

namespace {

// The upload road of pictures, user photos and emoticons: a file the service already
// holds (409) counts as uploaded.
bool IsUploadRoad(const SERVICE_CALL& call) {
    return strcmp(call.endpoint, "ops/upload_rest.php") == 0 || strcmp(call.endpoint, "ods/upload_rest.php") == 0;
}

using ServiceResultTest = CallTest;

// Elsewhere a result other than 200 is handed back as it came, with its text, and
// the request is not sent again.
TEST_P(ServiceResultTest, ConflictIsSuccessOnlyOnTheUploadRoad) {
    SignIn();
    GetParam().prepare(*this);
    int before = Count(GetParam().endpoint);
    service.ScriptFault(GetParam().endpoint, StorageFault::JsonResult(409));
    if (IsUploadRoad(GetParam())) {
        EXPECT_EQ(FS_OK, GetParam().run(*this)) << storage->GetLastErrMsg();
    } else {
        EXPECT_EQ(409, GetParam().run(*this));
        EXPECT_STREQ("Response code=409, errorinfo=scripted result", storage->GetLastErrMsg());
    }
    EXPECT_EQ(before + 1, Count(GetParam().endpoint));
}

INSTANTIATE_TEST_SUITE_P(Calls, ServiceResultTest,
                         testing::ValuesIn(ServiceCalls([](const SERVICE_CALL& call) { return !call.bytesReply; })),
                         CallName);

}  // namespace
