#include <gtest/gtest.h>

#include "PlayerRestart.h"
#include "ProgramFolder.h"

namespace {

TEST(PlayerRestart, TheNewPlayerStartsOnlyAfterTheCrashedOneEnded) {
    ProgramFolder folder;
    folder.Install(L"stub_program.exe", L"player.exe");
    folder.Write(L"player.exe.linger", "1500");
    HANDLE crashed = folder.Start(L"player.exe");
    ASSERT_EQ("start\r\n", folder.WaitForMarker(L"player.exe", "start\r\n"));

    CPlayerRestart restart(folder.AnsiPath() + "player.exe");
    bool started = false;
    for (int i = 0; i < 200 && !started; ++i) {
        started = restart.Poll();
        if (started)
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(crashed, 0));  // ended before the start
        else
            Sleep(50);
    }
    EXPECT_TRUE(started);
    CloseHandle(crashed);
    EXPECT_EQ("start\r\nend\r\nstart\r\nend\r\n",
              folder.WaitForMarker(L"player.exe", "start\r\nend\r\nstart\r\nend\r\n"));
}

TEST(PlayerRestart, WithNoCrashedPlayerRunningItStartsAtOnce) {
    ProgramFolder folder;
    folder.Install(L"stub_program.exe", L"player.exe");
    CPlayerRestart restart(folder.AnsiPath() + "player.exe");
    EXPECT_TRUE(restart.Poll());
    EXPECT_TRUE(restart.Poll());  // once only
    EXPECT_EQ(ONE_RUN, folder.WaitForMarker(L"player.exe", ONE_RUN));
    Sleep(500);
    EXPECT_EQ(ONE_RUN, folder.Read(L"player.exe.marker"));
}

}  // namespace
