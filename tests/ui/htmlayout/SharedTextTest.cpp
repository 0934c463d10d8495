#include <gtest/gtest.h>

#include "htmlayout/shared_text.h"

namespace {

TEST(SharedTextTest, WriterCopiesTheTextWithATerminatingZero) {
    htmlayout::shared_text text;
    EXPECT_TRUE(text.empty());
    EXPECT_STREQ(L"", text.c_str());
    const wchar_t source[] = L"下载中ignored";
    htmlayout::shared_text::writer(source, 3, &text);
    EXPECT_EQ(3, text.length());
    EXPECT_STREQ(L"下载中", text.c_str());

    htmlayout::shared_utf8 html;
    const BYTE bytes[] = {'<', 'p', '>', 0xE4, 0xB8, 0xAD};
    htmlayout::shared_utf8::writer(bytes, sizeof(bytes), &html);
    ASSERT_EQ(6, html.length());
    EXPECT_EQ(0, memcmp(bytes, html.c_str(), 6));
    EXPECT_EQ(0, html.c_str()[6]);
}

TEST(SharedTextTest, CopiesShareTheBlockUntilTheLastReleases) {
    htmlayout::shared_text first;
    htmlayout::shared_text::writer(L"abc", 3, &first);
    htmlayout::shared_text second = first;
    EXPECT_EQ(first.c_str(), second.c_str()) << "one block, two references";
    first.release();
    EXPECT_TRUE(first.empty());
    EXPECT_STREQ(L"abc", second.c_str()) << "the other reference keeps the block";

    // Writing again replaces the destination's block and leaves other holders alone.
    htmlayout::shared_text third = second;
    htmlayout::shared_text::writer(L"xy", 2, &second);
    EXPECT_STREQ(L"xy", second.c_str());
    EXPECT_STREQ(L"abc", third.c_str());
    third = second;
    EXPECT_STREQ(L"xy", third.c_str());
    third = third;
    EXPECT_STREQ(L"xy", third.c_str());
}

TEST(SharedTextTest, EmptyWriteGivesAnEmptyTerminatedText) {
    htmlayout::shared_text text;
    htmlayout::shared_text::writer(L"old", 3, &text);
    htmlayout::shared_text::writer(nullptr, 0, &text);
    EXPECT_EQ(0, text.length());
    EXPECT_STREQ(L"", text.c_str());
}

}  // namespace
