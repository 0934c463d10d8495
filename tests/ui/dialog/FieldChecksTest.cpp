#include <gtest/gtest.h>

#include "dialog/FieldChecks.h"

namespace {

struct FieldCase {
    const wchar_t* text;
    WHOLE_NUMBER_CHECK result;
    int value;  // when it passes
};

TEST(FieldChecksTest, WholeNumbersWithinOneToTen) {
    const FieldCase cases[] = {
        {L"1", WHOLE_NUMBER_OK, 1},
        {L"10", WHOLE_NUMBER_OK, 10},
        {L"0005", WHOLE_NUMBER_OK, 5},
        {L"0", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        {L"11", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        {L"", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        // Past int's range: refused as out of range, never wrapped into it.
        {L"99999999999", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        {L"4294967301", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        {L"18446744073709551621", WHOLE_NUMBER_OUT_OF_RANGE, 0},
        {L"12a", WHOLE_NUMBER_NOT_DIGITS, 0},
        {L"-1", WHOLE_NUMBER_NOT_DIGITS, 0},
        {L"+5", WHOLE_NUMBER_NOT_DIGITS, 0},
        {L" 5", WHOLE_NUMBER_NOT_DIGITS, 0},
        {L"5.0", WHOLE_NUMBER_NOT_DIGITS, 0},
        {L"\xff15", WHOLE_NUMBER_NOT_DIGITS, 0},  // a full-width digit
    };
    for (const FieldCase& c : cases) {
        int value = -7;
        EXPECT_EQ(c.result, CheckWholeNumber(c.text, 1, 10, value)) << c.text;
        EXPECT_EQ(c.result == WHOLE_NUMBER_OK ? c.value : -7, value) << c.text;
    }
}

TEST(FieldChecksTest, TheDigitsCheckPassesAnEmptyField) {
    EXPECT_TRUE(HasOnlyDigits(L""));
    EXPECT_TRUE(HasOnlyDigits(L"0123456789"));
    EXPECT_FALSE(HasOnlyDigits(L"1 "));
}

TEST(FieldChecksTest, TheRangeMessageNamesTheBounds) {
    EXPECT_STREQ(L"请输入[1,10]之间的值。", RangeCheckMessage(1, 10));
    EXPECT_STREQ(L"请输入[0,250]之间的值。", RangeCheckMessage(0, 250));
}

}  // namespace
