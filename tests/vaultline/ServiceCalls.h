// Every service call of CFileStorage as a row: what it needs on the service, how to
// run it, and the rules it follows (retry on 404, relogin after a session-expired
// HTTP status or JSON result). The retry and session-expiry tests run over it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "StorageFixture.h"

class CallTest;

struct SERVICE_CALL {
    const char* name;
    const char* endpoint;
    bool retriesNotFound;  // sends again after HTTP 404
    bool needsSession;
    bool bytesReply;                         // the service answers with bytes, so an expired session is HTTP 403
    bool reloginOnHttp;                      // relogin and repeat after HTTP 403
    bool reloginOnJson;                      // relogin and repeat after a JSON result 403
    std::function<void(CallTest&)> prepare;  // runs signed in
    std::function<int(CallTest&)> run;       // FS_OK when all goes well
};

void PrintTo(const SERVICE_CALL& call, std::ostream* out);
std::string CallName(const testing::TestParamInfo<SERVICE_CALL>& info);

class CallTest : public StorageTest, public testing::WithParamInterface<SERVICE_CALL> {
public:
    std::string key;  // of a large file that prepare stored
};

// The rows for which keep is true.
std::vector<SERVICE_CALL> ServiceCalls(const std::function<bool(const SERVICE_CALL&)>& keep);
