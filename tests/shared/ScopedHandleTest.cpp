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

    SetTimeouts(session.Get(), 1000, 2000, 3000);
    ASSERT_TRUE(InternetQueryOptionW(session.Get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, &size));
    EXPECT_EQ(2000u, timeout);
}

}  // namespace
