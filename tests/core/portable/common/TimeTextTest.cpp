#include <gtest/gtest.h>

#include "common/portable/TimeText.h"

namespace {

TEST(TimeTextTest, ReadsHoursMinutesAndSeconds) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"01:02:03", 3723}, {u"00:00:00", 0}, {u"00:20:00", 1200}, {u"100:00:01", 360001}, {u"00:02", -1},
        {u"", -1},           {u"1:2:3:4", -1}, {u"::", 0},          {u"aa:bb:cc", 0},       {u"99999999999:00:00", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, TimeTextToSeconds(c.first));
}

}  // namespace
