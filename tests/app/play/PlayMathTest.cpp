// The play dialog's arithmetic: time texts, audio levels and the fit of the video.
#include <gtest/gtest.h>

#include <string>

#include "PlayTimes.h"
#include "VideoFit.h"

TEST(PlayTimes, TimeTextToSeconds) {
    const struct {
        const wchar_t* text;
        int seconds;
    } table[] = {{L"01:02:03", 3723}, {L"00:00:00", 0}, {L"00:59:59", 3599}, {L"100:00:01", 360001},
                 {L"02:03", -1},      {L"", -1},        {L"1:2:3:4", -1},    {L"00::05", 5}};
    for (const auto& row : table) EXPECT_EQ(TimeTextToSeconds(row.text), row.seconds) << std::wstring(row.text).size();
}

TEST(PlayTimes, MediaTimeTextsCountHoursMinutesAndSeconds) {
    const LONGLONG second = 10000000;
    EXPECT_EQ(std::wstring(FormatMediaTime(0)), L"00:00:00");
    EXPECT_EQ(std::wstring(FormatMediaTime(second - 1)), L"00:00:00");
    EXPECT_EQ(std::wstring(FormatMediaTime(3723 * second)), L"01:02:03");
    EXPECT_EQ(std::wstring(FormatMediaTime(3599 * second + second / 2)), L"00:59:59");
}

TEST(PlayTimes, VolumeLevels) {
    const struct {
        int volume;
        long level;
    } table[] = {{100, 0}, {50, -1505}, {10, -5000}, {2, -8494}, {1, -10000}, {0, -10000}, {-3, -10000}, {150, 0}};
    for (const auto& row : table) EXPECT_EQ(VolumeToLevel(row.volume), row.level) << row.volume;
}

TEST(VideoFit, FitsTheVideoAcrossOrAlongTheClientArea) {
    const struct {
        CRect client;
        long width, height;
        CRect window, surface;
        bool covers;
    } table[] = {
        // Wider than the client area: full width, centred vertically.
        {CRect(0, 0, 640, 480), 640, 360, CRect(0, 0, 640, 360), CRect(0, 60, 640, 420), false},
        // Taller: full height, centred horizontally.
        {CRect(0, 0, 640, 480), 320, 480, CRect(0, 0, 320, 480), CRect(160, 0, 480, 480), false},
        // The same aspect covers the client area.
        {CRect(0, 0, 640, 480), 320, 240, CRect(), CRect(0, 0, 640, 480), true},
        // An offset client area keeps its offset.
        {CRect(10, 20, 330, 260), 640, 240, CRect(0, 0, 320, 120), CRect(10, 80, 330, 200), false},
        // Nothing to keep an aspect of: no video size, or no client height or width.
        {CRect(0, 0, 640, 480), 0, 0, CRect(), CRect(0, 0, 640, 480), true},
        {CRect(0, 0, 640, 480), 320, 0, CRect(), CRect(0, 0, 640, 480), true},
        {CRect(0, 0, 640, 0), 320, 240, CRect(), CRect(0, 0, 640, 0), true},
        {CRect(0, 0, 0, 480), 320, 240, CRect(), CRect(0, 0, 0, 480), true},
    };
    for (const auto& row : table) {
        VIDEO_FIT fit = FitVideo(row.client, row.width, row.height);
        EXPECT_EQ(fit.coversClient, row.covers) << row.width << "x" << row.height;
        EXPECT_TRUE(EqualRect(&fit.surface, &row.surface))
            << fit.surface.left << "," << fit.surface.top << " " << fit.surface.Width() << "x" << fit.surface.Height();
        if (!row.covers) EXPECT_TRUE(EqualRect(&fit.window, &row.window));
    }
}

TEST(VideoFit, ClientHoldsTheVideoAtAScale) {
    CRect client(0, 0, 640, 480);
    EXPECT_TRUE(ClientHolds(client, 320, 240, 2));
    EXPECT_FALSE(ClientHolds(client, 321, 240, 2));
    EXPECT_FALSE(ClientHolds(client, 320, 241, 2));
    EXPECT_TRUE(ClientHolds(client, 640, 480, 1));
}
