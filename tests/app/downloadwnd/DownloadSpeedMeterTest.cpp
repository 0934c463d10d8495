// The speed column's accounting with the clock given by the test.
#include <gtest/gtest.h>

#include "downloadwnd/DownloadSpeedMeter.h"

namespace {

TEST(DownloadSpeedMeter, RatesCountTheBytesAfterEachEntrysFirstReport) {
    struct Report {
        int fileId;
        DWORD bytes, at;
    };
    struct Case {
        const char* name;
        std::vector<Report> reports;
        DWORD readAt;
        std::vector<std::pair<int, double>> rates;
    };
    const Case cases[] = {
        {"first report only", {{1, 500000, 1000}}, 3000, {{1, 0.0}}},
        {"bytes after the first", {{1, 500000, 1000}, {1, 10240, 2000}, {1, 10240, 3000}}, 3000, {{1, 10.0}}},
        {"two tasks in FileID order", {{7, 1, 0}, {2, 1, 1000}, {7, 20480, 2000}, {2, 3072, 2000}}, 3000,
         {{2, 1.5}, {7, 6.666666666666667}}},
        {"no time passed yet", {{1, 1, 3000}}, 3000, {}},
        {"across the tick count's wrap", {{1, 1, 0xFFFFFC18}, {1, 4096, 0}}, 1000, {{1, 2.0}}},
    };
    for (const Case& c : cases) {
        CDownloadSpeedMeter meter;
        for (const Report& r : c.reports) meter.AddBytes(r.fileId, r.bytes, r.at);
        std::vector<std::pair<int, double>> rates = meter.Read(c.readAt);
        ASSERT_EQ(rates.size(), c.rates.size()) << c.name;
        for (size_t i = 0; i < rates.size(); ++i) {
            EXPECT_EQ(rates[i].first, c.rates[i].first) << c.name;
            EXPECT_NEAR(rates[i].second, c.rates[i].second, 1e-9) << c.name;
        }
    }
}

TEST(DownloadSpeedMeter, AReadingStartsEveryEntryAgain) {
    CDownloadSpeedMeter meter;
    meter.AddBytes(1, 0, 0);
    meter.AddBytes(1, 3072, 500);
    ASSERT_EQ(meter.Read(1000).size(), 1u);
    meter.AddBytes(1, 1024, 1500);
    std::vector<std::pair<int, double>> rates = meter.Read(3000);
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_NEAR(rates[0].second, 0.5, 1e-9);  // 1 KB in the 2 seconds since the last reading
    // An entry left unread because no time had passed keeps its bytes for the next reading.
    meter.AddBytes(2, 0, 3000);
    meter.AddBytes(2, 2048, 3000);
    EXPECT_EQ(meter.Read(3000).size(), 0u);
    rates = meter.Read(4000);
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_NEAR(rates[1].second, 2.0, 1e-9);
    meter.Remove(1);
    meter.Remove(2);
    EXPECT_TRUE(meter.IsEmpty());
}

}  // namespace
