#include <gtest/gtest.h>

#include <string>

#include "fixtures/ProgramFolder.h"
#include "xml/XmlDoc.h"

namespace {

std::string Encoded(UINT codePage, LPCWSTR text) {
    int n = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes((size_t)n, '\0');
    WideCharToMultiByte(codePage, 0, text, -1, &bytes[0], n, nullptr, nullptr);
    bytes.resize((size_t)n - 1);
    return bytes;
}

// Documents saved into a folder of their own.
class XmlDocTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryW(m_folder.File(L"pages"), nullptr)); }
    CString File(LPCWSTR name) const { return m_folder.File(L"pages\\") + name; }
    std::string ReadFile(LPCWSTR name) const { return m_folder.ReadFile(CString(L"pages\\") + name); }
    // The folder holds nothing but the named files (no temporary leftovers).
    bool OnlyFiles(std::initializer_list<LPCWSTR> names) {
        int count = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(File(L"*"), &found);
        if (search == INVALID_HANDLE_VALUE) return names.size() == 0;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        for (LPCWSTR name : names)
            if (GetFileAttributesW(File(name)) == INVALID_FILE_ATTRIBUTES) return false;
        return count == (int)names.size();
    }

    CTempProgramFolder m_folder;
    CXmlDoc m_doc;
};

const wchar_t kGbPage[] =
    L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head>"
    L"<body><div><p>页面失效了</p></div></body></html>";

TEST_F(XmlDocTest, SavesInTheCodePageTheDocumentNames) {
    ASSERT_TRUE(m_doc.SetDocument(kGbPage));
    ASSERT_TRUE(m_doc.SaveFile(File(L"error.html")));
    EXPECT_EQ(Encoded(936, kGbPage), ReadFile(L"error.html"));

    const wchar_t plain[] = L"<r>视频 é</r>";
    ASSERT_TRUE(m_doc.SetDocument(plain));
    ASSERT_TRUE(m_doc.SaveFile(File(L"error.html")));  // replaces the file, no byte-order mark
    EXPECT_EQ(Encoded(CP_UTF8, plain), ReadFile(L"error.html"));

    const wchar_t unknown[] = L"<?xml version=\"1.0\" encoding=\"x-no-such\"?><r>视频</r>";
    ASSERT_TRUE(m_doc.SetDocument(unknown));
    ASSERT_TRUE(m_doc.SaveFile(File(L"error.html")));  // the system's code page
    EXPECT_EQ(Encoded(CP_ACP, unknown), ReadFile(L"error.html"));
    EXPECT_TRUE(OnlyFiles({L"error.html"}));
}

struct UnsavableCase {
    const char* name;
    std::wstring text;
};

class XmlDocUnsavableTest : public XmlDocTest, public ::testing::WithParamInterface<UnsavableCase> {};

void PrintTo(const UnsavableCase& c, std::ostream* out) { *out << c.name; }

TEST_P(XmlDocUnsavableTest, AFailedConversionIsReportedAndTheFileKept) {
    m_folder.WriteFile(L"pages\\page.html", "old content");
    ASSERT_TRUE(m_doc.SetDocument(GetParam().text.c_str()));
    EXPECT_FALSE(m_doc.SaveFile(File(L"page.html")));
    EXPECT_EQ("old content", ReadFile(L"page.html"));
    EXPECT_TRUE(OnlyFiles({L"page.html"}));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlDocUnsavableTest,
    ::testing::Values(UnsavableCase{"CharacterOutsideTheCodePage",
                                    L"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><r>中</r>"},
                      UnsavableCase{"LoneSurrogateInUtf8", std::wstring(L"<r>") + L'\xD800' + L"</r>"},
                      UnsavableCase{"EncodingWithoutConversion", L"<?xml version=\"1.0\" encoding=\"utf-16\"?><r/>"}),
    [](const ::testing::TestParamInfo<UnsavableCase>& info) { return std::string(info.param.name); });

TEST_F(XmlDocTest, AFileThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(m_doc.SetDocument(L"<r/>"));
    EXPECT_FALSE(m_doc.SaveFile(File(L"missing\\page.html")));
    EXPECT_FALSE(m_doc.SaveFile(L""));
    ASSERT_TRUE(CreateDirectoryW(File(L"taken"), nullptr));
    EXPECT_FALSE(m_doc.SaveFile(File(L"taken")));
    EXPECT_TRUE(OnlyFiles({}));
}

// What the web view does to its local error page.
TEST_F(XmlDocTest, RewritesTheParagraphsOfAPageAndSavesIt) {
    const wchar_t page[] = L"<html><body><div>\r\n<p>旧的</p>\r\n<p>old &amp; gone</p>\r\n</div></body></html>";
    auto enterDiv = [this] {
        return m_doc.FindElement(L"html") && m_doc.EnterElement() && m_doc.FindElement(L"body") &&
               m_doc.EnterElement() && m_doc.FindElement(L"div") && m_doc.EnterElement();
    };
    ASSERT_TRUE(m_doc.SetDocument(page));
    ASSERT_TRUE(enterDiv());
    ASSERT_TRUE(m_doc.FindElement(L"p"));
    EXPECT_STREQ(L"旧的", m_doc.GetData());
    ASSERT_TRUE(m_doc.FindElement(L"p"));
    EXPECT_STREQ(L"old & gone", m_doc.GetData());

    ASSERT_TRUE(m_doc.SetDocument(page));
    ASSERT_TRUE(enterDiv());
    while (m_doc.FindElement(L"p")) ASSERT_TRUE(m_doc.RemoveElement());
    ASSERT_TRUE(m_doc.AddElement(L"p", L"对不起，该页面失效了！<>"));
    ASSERT_TRUE(m_doc.SaveFile(File(L"error.html")));
    EXPECT_EQ(Encoded(CP_UTF8, L"<html><body><div>\r\n<p>对不起，该页面失效了！&lt;&gt;</p>\r\n</div></body></html>"),
              ReadFile(L"error.html"));
}

TEST_F(XmlDocTest, ANullDocumentIsEmpty) {
    ASSERT_TRUE(m_doc.SetDocument(L"<r>x</r>"));
    EXPECT_TRUE(m_doc.SetDocument(nullptr));
    EXPECT_FALSE(m_doc.FindElement(nullptr));
    EXPECT_STREQ(L"", m_doc.GetData());
    ASSERT_TRUE(m_doc.SaveFile(File(L"empty.xml")));
    EXPECT_EQ("", ReadFile(L"empty.xml"));
}

}  // namespace
