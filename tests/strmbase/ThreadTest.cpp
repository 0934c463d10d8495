#include "strmbase.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Doubles each command until it is told 0; counts the commands it saw pending.
class CDoubler : public CAMThread {
public:
    ~CDoubler() override {
        if (ThreadExists()) CallWorker(0);
        Close();
    }
    std::atomic<int> pendingSeen{0};

protected:
    DWORD ThreadProc() override {
        for (;;) {
            DWORD command = 0;
            while (!CheckRequest(&command)) Sleep(1);
            ++pendingSeen;
            command = GetRequest();
            Reply(command * 2);
            if (command == 0) return 0;
        }
    }
};

TEST(AMThread, CommandsGetTheWorkersReplies) {
    CDoubler worker;
    EXPECT_EQ(worker.CallWorker(5), static_cast<DWORD>(E_FAIL));  // no thread yet
    ASSERT_TRUE(worker.Create());
    EXPECT_FALSE(worker.Create());
    for (DWORD i = 1; i < 50; ++i) EXPECT_EQ(worker.CallWorker(i), i * 2);
    EXPECT_EQ(worker.CallWorker(0), 0u);
    worker.Close();
    EXPECT_FALSE(worker.ThreadExists());
    EXPECT_EQ(worker.pendingSeen, 50);
    // A worker that has ended answers no more commands.
    ASSERT_TRUE(worker.Create());
    EXPECT_EQ(worker.CallWorker(0), 0u);
    worker.Close();
}

class CQuitter : public CAMThread {
public:
    ~CQuitter() override { Close(); }

protected:
    DWORD ThreadProc() override { return 0; }
};

TEST(AMThread, ACallToAThreadThatEndedWithoutReplyingFails) {
    CQuitter quitter;
    ASSERT_TRUE(quitter.Create());
    EXPECT_EQ(quitter.CallWorker(1), static_cast<DWORD>(E_FAIL));
}

}  // namespace
