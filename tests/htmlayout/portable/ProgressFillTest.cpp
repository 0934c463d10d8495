// The progress bar's fill: its share of the content box, also for sizes past 32 bits.
#include <gtest/gtest.h>

#include "Builtins.h"
#include "FakeHost.h"

namespace {

TEST(ProgressFill, FillsTheShareOfValueInMaxvalue) {
    struct Case {
        const char* maxvalue;
        const char* value;
        int width;
    };
    const Case cases[] = {
        {"200", "50", 50},
        {"3221225472", "1610612736", 100},  // 3 GiB, half done
        {"3221225472", "3221225472", 200},
        {"6442450944", "2147483648", 67},   // 6 GiB: past what 32 bits hold in both
        {"100", "250", 200},                // never beyond the box
        {"0", "10", 0},
        {"1000", "-5", 0},
    };
    for (const Case& c : cases) {
        std::string html = std::string("<html><body style=\"margin:0\"><progress id=\"bar\" style=\"display:block;"
                                       "width:200px;height:10px\" maxvalue=\"") +
                           c.maxvalue + "\" value=\"" + c.value + "\"></progress></body></html>";
        hltest::Page page(html);
        page.Border("bar");
        EXPECT_EQ(hl::ProgressFill(page.ById("bar")).w, c.width) << c.maxvalue << " " << c.value;
    }
}

}  // namespace
