#include <gtest/gtest.h>

#include <utility>

#include "InternetHandle.h"
#include "ScopedHandle.h"

namespace {

bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(ScopedHandleTest, ClosesOnceWhenDestroyedOrMoved) {
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CScopedHandle first(raw);
        CScopedHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(raw, second.Get());
        CScopedHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));
}

TEST(ScopedHandleTest, MoveAssignmentClosesTheHandleHeldBefore) {
    HANDLE before = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CScopedHandle held(before);
    held = CScopedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_FALSE(IsOpen(before));
    EXPECT_TRUE(held);
}

TEST(ScopedHandleTest, FailedOpenIsNoHandleAndClosesAsSuccess) {
    CScopedHandle missing(CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_EQ(nullptr, missing.Get());
    EXPECT_TRUE(missing.Close());
}

TEST(ScopedHandleTest, CloseReportsSuccessAndLeavesNoHandle) {
    CScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE raw = event.Get();
    EXPECT_TRUE(event.Close());
    EXPECT_FALSE(event);
    EXPECT_FALSE(IsOpen(raw));
    EXPECT_TRUE(event.Close());
}

TEST(InternetHandleTest, ResetClosesTheHandleHeldBefore) {
    CInternetHandle session(InternetOpenW(L"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    ASSERT_TRUE(session);
    CInternetHandle held(InternetOpenW(L"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    HINTERNET before = held.Get();
    held.Reset(nullptr);
    EXPECT_FALSE(held);
    DWORD timeout = 0;
    DWORD size = sizeof(timeout);
    EXPECT_FALSE(InternetQueryOptionW(before, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, &size));

    // A connection handle answers for all three time-outs on every platform the tests
    // run on; it needs no server until a request is sent.
    CInternetHandle connection(
        InternetConnectW(session.Get(), L"127.0.0.1", 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    ASSERT_TRUE(connection);
    SetTimeouts(connection.Get(), 1000, 2000, 3000);
    const struct {
        DWORD option;
        DWORD expected;
    } kept[] = {{INTERNET_OPTION_CONNECT_TIMEOUT, 1000},
                {INTERNET_OPTION_SEND_TIMEOUT, 2000},
                {INTERNET_OPTION_RECEIVE_TIMEOUT, 3000}};
    for (const auto& k : kept) {
        timeout = 0;
        size = sizeof(timeout);
        ASSERT_TRUE(InternetQueryOptionW(connection.Get(), k.option, &timeout, &size)) << k.option;
        EXPECT_EQ(k.expected, timeout) << k.option;
    }
}

}  // namespace
