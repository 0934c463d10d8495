#include "element/ElementTimeSlider.h"
#include "element/MainPageTest.h"
#include "facade/AppFacade.h"

namespace {

// The page's slider is 600 pixels wide.
class ElementTimeSliderTest : public MainPageTest {
protected:
    void SetUp() override {
        MainPageTest::SetUp();
        Slider().Refresh();
    }
    CElementTimeSlider& Slider() { return Object<CElementTimeSlider>(L"slider-time"); }
    void SetAttribute(LPCSTR name, LPCWSTR value) { HTMLayoutSetAttributeByName(Find(L"slider-time"), name, value); }
    CString UnfilledWidth() { return page.Manager().GetElementStyle(L"slider-time", "foreground-offset-right"); }
};

TEST_F(ElementTimeSliderTest, RefreshGivesTheProgressScale) {
    EXPECT_STREQ(L"1000", Find(L"slider-time").get_attribute("max"));
    EXPECT_EQ(1000, page.Manager().GetElementMax(L"slider-time"));
}

TEST_F(ElementTimeSliderTest, FilledPartFollowsTheValueAndPlaybackSeeks) {
    struct Case {
        LPCWSTR value;
        LPCWSTR min;  // null: absent, read as -1
        LPCWSTR unfilled;
    };
    const Case cases[] = {
        {L"0", L"0", L"600px"},   {L"1", L"0", L"599px"},   {L"2", L"0", L"597px"},
        {L"50", L"0", L"573px"},  {L"100", L"0", L"549px"}, {L"101", L"0", L"540px"},   // no correction above 100
        {L"500", L"0", L"300px"}, {L"999", L"0", L"1px"},   {L"1", nullptr, L"598px"},  // from -1: 2 x 600 / 1001
    };
    for (const Case& c : cases) {
        SetAttribute("value", c.value);
        SetAttribute("min", c.min);
        windows.calls.clear();
        Slider().UpdateProgress();
        EXPECT_STREQ(c.unfilled, UnfilledWidth()) << Utf8(c.value) << (c.min ? "" : " without min");
        EXPECT_EQ(std::vector<std::string>{"SeekToProgress " + Utf8(c.value)}, windows.calls);
    }
    EXPECT_TRUE(Broadcasts().empty());
}

TEST_F(ElementTimeSliderTest, EndOfTheScaleAsksForTheNextFileOnce) {
    SetAttribute("value", L"1000");
    Slider().UpdateProgress();
    EXPECT_STREQ(L"0px", UnfilledWidth());
    EXPECT_EQ(std::vector<std::string>{"SeekToProgress 1000"}, windows.calls);
    EXPECT_EQ(std::vector<std::string>{"play next true"}, Broadcasts()) << "the play dialog's, and no second one";
}

TEST_F(ElementTimeSliderTest, EmptyRangeSeeksWithoutFilling) {
    SetAttribute("value", L"300");
    Slider().UpdateProgress();
    SetAttribute("min", L"1000");
    Slider().UpdateProgress();
    EXPECT_STREQ(L"420px", UnfilledWidth()) << "kept from the last value that had a range";
    EXPECT_EQ((std::vector<std::string>{"SeekToProgress 300", "SeekToProgress 300"}), windows.calls);
}

TEST_F(ElementTimeSliderTest, WithoutTheMainDialogNothingHappens) {
    CAppFacade::GetInstance().SetMainDialog(nullptr);
    SetAttribute("value", L"500");
    Slider().UpdateProgress();
    EXPECT_STREQ(L"0px", UnfilledWidth()) << "the style's initial value";
    EXPECT_TRUE(windows.calls.empty());
    EXPECT_TRUE(Broadcasts().empty());
}

}  // namespace
