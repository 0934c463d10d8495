#include <gtest/gtest.h>

#include "dialog/PathEllipsis.h"

namespace {

int Characters(const CString& text) { return text.GetLength(); }

// Chinese characters twice as wide as the others, as the pop-up's font draws them.
int HalfAndFullWidths(const CString& text) {
    int width = 0;
    for (int i = 0; i < text.GetLength(); ++i) width += text[i] >= 0x2E80 && text[i] < 0xD800 ? 2 : 1;
    return width;
}

struct EllipsisCase {
    const wchar_t* text;
    int maxWidth;
    const wchar_t* shown;
};

TEST(PathEllipsisTest, HeadAndTailStayAroundTheEllipsis) {
    const EllipsisCase cases[] = {
        {L"C:\\v\\a.xof", 10, L"C:\\v\\a.xof"},  // fits as it is
        {L"C:\\Users\\tom\\Videos\\episode.xof", 20, L"C:\\User\x2026\\episode.xof"},
        // No room for the whole last segment and some head: head and tail share the room.
        {L"C:\\Users\\tom\\Videos\\episode.xof", 13,
         L"C:\\Use\x2026"
         L"de.xof"},
        {L"C:\\v\\a-very-long-file-name.xof", 11,
         L"C:\\v\\\x2026"
         L"e.xof"},
        {L"D:/media/clip.xof", 12, L"D:\x2026/clip.xof"},
        {L"abcdefghij", 5, L"ab\x2026ij"},
        {L"abcdefghij", 6, L"abc\x2026ij"},
        {L"abcdefghij", 1, L"\x2026"},
        {L"abcdefghij", 0, L"\x2026"},
        {L"", 0, L""},
    };
    for (const EllipsisCase& c : cases)
        EXPECT_STREQ(c.shown, EllipsizePath(c.text, c.maxWidth, Characters)) << c.text << " in " << c.maxWidth;
}

TEST(PathEllipsisTest, EveryWidthGivesAFittingHeadAndTail) {
    const CString texts[] = {L"C:\\下载\\动画片\\第十二集 大结局.xof", L"正在播放：第一集 开始",
                             L"\\\\server\\share\\x.xof"};
    for (const CString& text : texts) {
        for (int width = 1; width <= HalfAndFullWidths(text); ++width) {
            CString shown = EllipsizePath(text, width, HalfAndFullWidths);
            if (shown == text) {
                EXPECT_EQ(width, HalfAndFullWidths(text));
                continue;
            }
            EXPECT_LE(HalfAndFullWidths(shown), std::max(width, 1)) << width;
            int mark = shown.Find(L'\x2026');
            ASSERT_GE(mark, 0) << width;
            EXPECT_EQ(shown.Left(mark), text.Left(mark));
            CString tail = shown.Mid(mark + 1);
            EXPECT_EQ(tail, text.Right(tail.GetLength()));
        }
    }
}

TEST(PathEllipsisTest, ACharacterPairIsNeverSplit) {
    // U+1F3AC twice; every cut through one of them takes the whole pair or none of it.
    const CString text =
        L"ab\xD83C\xDFAC"
        L"cdefgh\xD83C\xDFAC"
        L"ij";
    for (int width = 1; width < text.GetLength(); ++width) {
        CString shown = EllipsizePath(text, width, Characters);
        for (int i = 0; i < shown.GetLength(); ++i) {
            bool high = shown[i] >= 0xD800 && shown[i] <= 0xDBFF;
            bool low = shown[i] >= 0xDC00 && shown[i] <= 0xDFFF;
            if (high) {
                EXPECT_TRUE(i + 1 < shown.GetLength() && shown[i + 1] >= 0xDC00 && shown[i + 1] <= 0xDFFF);
            }
            if (low) {
                EXPECT_TRUE(i > 0 && shown[i - 1] >= 0xD800 && shown[i - 1] <= 0xDBFF);
            }
        }
    }
}

}  // namespace
