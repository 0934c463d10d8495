#include <gtest/gtest.h>

#include <afx.h>

namespace {

TEST(CStringTest, FormatUsesRuntimeRulesForWideAndNarrowTexts) {
    CStringW wide;
    wide.Format(L"%s|%d|%I64d|%S", L"宽", -5, (LONGLONG)1 << 40, "ansi");
    EXPECT_STREQ(L"宽|-5|1099511627776|ansi", wide);

    CStringA narrow;
    narrow.Format("%s=%05.1f%%", "ratio", 12.5);
    EXPECT_STREQ("ratio=012.5%", narrow);

    CStringW appended(L"a");
    appended.AppendFormat(L"%c%d", L'b', 7);
    EXPECT_STREQ(L"ab7", appended);
}

TEST(CStringTest, FormatGrowsForLongTexts) {
    std::wstring longText(5000, L'x');
    CStringW s;
    s.Format(L"[%s]", longText.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L']', s[5001]);
}

TEST(CStringTest, ConvertsThroughTheAnsiCodePage) {
    // The tests run with code page 936.
    const char gbk[] = "\xd6\xd0\xce\xc4";  // 中文
    CStringW wide(gbk);
    EXPECT_STREQ(L"中文", wide);
    CStringA back(wide);
    EXPECT_STREQ(gbk, back);
    CStringW fromNull((const char*)nullptr);
    EXPECT_TRUE(fromNull.IsEmpty());
}

TEST(CStringTest, SearchAndExtraction) {
    CStringW s(L"C:\\videos\\clip.one.xof");
    EXPECT_EQ(2, s.Find(L'\\'));
    EXPECT_EQ(9, s.ReverseFind(L'\\'));
    EXPECT_EQ(10, s.Find(L"clip"));
    EXPECT_EQ(-1, s.Find(L"clip", 11));
    EXPECT_EQ(-1, s.Find(L"x", 100));
    EXPECT_STREQ(L"C:", s.Left(2));
    EXPECT_STREQ(L"xof", s.Right(3));
    EXPECT_STREQ(L"clip", s.Mid(10, 4));
    EXPECT_STREQ(L"", s.Mid(100));
    EXPECT_STREQ(s, s.Right(1000));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_EQ(1, s.FindOneOf(L":\\"));
}

TEST(CStringTest, ChangesInPlace) {
    CStringW s(L"  Mixed Case  ");
    s.Trim();
    EXPECT_STREQ(L"Mixed Case", s);
    s.MakeUpper();
    EXPECT_STREQ(L"MIXED CASE", s);
    s.MakeLower();
    EXPECT_STREQ(L"mixed case", s);
    EXPECT_EQ(2, s.Replace(L"e", L"ee"));
    EXPECT_STREQ(L"mixeed casee", s);
    EXPECT_EQ(4, s.Remove(L'e'));
    EXPECT_STREQ(L"mixd cas", s);
    s.Insert(0, L">>");
    s.Delete(2, 5);
    EXPECT_STREQ(L">>cas", s);
    CStringW trimmed(L"xxabcxx");
    EXPECT_STREQ(L"abc", trimmed.Trim(L'x'));
}

TEST(CStringTest, TokenizeSkipsRunsOfDelimiters) {
    CStringW s(L"a||b|");
    int start = 0;
    std::vector<CStringW> tokens;
    for (CStringW t = s.Tokenize(L"|", start); start >= 0; t = s.Tokenize(L"|", start)) tokens.push_back(t);
    ASSERT_EQ(2u, tokens.size());
    EXPECT_STREQ(L"a", tokens[0]);
    EXPECT_STREQ(L"b", tokens[1]);
}

TEST(CStringTest, BufferAccess) {
    CStringW s;
    DWORD n = GetWindowsDirectoryW(s.GetBuffer(MAX_PATH), MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_EQ((int)n, s.GetLength());

    CStringA a("abcdef");
    char* p = a.GetBuffer(10);
    p[3] = 0;
    a.ReleaseBuffer();
    EXPECT_STREQ("abc", a);
    a.GetBufferSetLength(2);
    a.ReleaseBuffer(2);
    EXPECT_STREQ("ab", a);
}

TEST(CStringTest, ComparisonsAndConcatenation) {
    CStringW a(L"Abc");
    EXPECT_TRUE(a == L"Abc");
    EXPECT_TRUE(L"Abc" == a);
    EXPECT_TRUE(a != L"abc");
    EXPECT_EQ(0, a.CompareNoCase(L"aBC"));
    EXPECT_LT(a.Compare(L"b"), 0);
    EXPECT_STREQ(L"xAbcy", L"x" + a + L'y');
    EXPECT_TRUE(CStringW(L"a") < CStringW(L"b"));
}

}  // namespace
