#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/portable/XmlCharsets.h"
#include "xml/portable/XmlDocCore.h"
#include "xml/portable/XmlEntities.h"

using xml::CXmlDocCore;

namespace {

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? (char)c : '?';
    return out;
}

// A document parsed from a text, with the steps of a walk through it.
class XmlDocCoreTest : public ::testing::Test {
protected:
    bool Load(const std::u16string& text) { return m_doc.SetDocument(text.data(), text.size()); }
    // Finds each name in turn, entering every one but the last.
    bool Walk(std::vector<const char16_t*> names) {
        for (size_t i = 0; i < names.size(); ++i) {
            if (!m_doc.FindElement(names[i])) return false;
            if (i + 1 < names.size() && !m_doc.EnterElement()) return false;
        }
        return true;
    }
    std::string Data() const { return Narrow(m_doc.GetData()); }
    std::string Text() const { return Narrow(m_doc.GetDocument()); }

    CXmlDocCore m_doc;
};

TEST_F(XmlDocCoreTest, AnElementNeverEndedHoldsOnlyItsStartTagAndItsTextGoesToTheParent) {
    ASSERT_TRUE(Load(u"<a><b>x</a>"));
    ASSERT_TRUE(Walk({u"a", u"b"}));
    EXPECT_EQ("", Data());
    EXPECT_TRUE(m_doc.LeaveElement());
    EXPECT_EQ("", Data());               // a holds the element b
    ASSERT_TRUE(m_doc.EnterElement());   // back to b
    ASSERT_TRUE(m_doc.RemoveElement());  // removes "<b>" alone
    EXPECT_EQ("<a>x</a>", Text());
    ASSERT_TRUE(m_doc.LeaveElement());
    EXPECT_EQ("x", Data());
}

TEST_F(XmlDocCoreTest, ElementsOpenedInsideOneThatEndsBecomeItsChildren) {
    ASSERT_TRUE(Load(u"<a><b><c>t</a><d/>"));
    ASSERT_TRUE(Walk({u"a", u""}));
    EXPECT_TRUE(m_doc.FindElement(u"c"));  // c follows b as its sibling
    EXPECT_FALSE(m_doc.FindElement(nullptr));
    EXPECT_TRUE(m_doc.LeaveElement());
    EXPECT_TRUE(m_doc.FindElement(u"d"));
    EXPECT_FALSE(m_doc.LeaveElement());
}

TEST_F(XmlDocCoreTest, ElementsStillOpenAtTheEndNeverEnd) {
    ASSERT_TRUE(Load(u"<a><b>text"));
    ASSERT_TRUE(Walk({u"a"}));
    EXPECT_EQ("", Data());
    EXPECT_TRUE(m_doc.FindElement(u"b"));  // a's sibling now
    EXPECT_EQ("", Data());
}

TEST_F(XmlDocCoreTest, AnEndTagThatClosesNothingIsIgnored) {
    ASSERT_TRUE(Load(u"</c><a/>"));
    EXPECT_TRUE(m_doc.FindElement(u"a"));
    ASSERT_TRUE(Load(u"<a>x</b>y</a>"));
    ASSERT_TRUE(Walk({u"a"}));
    EXPECT_EQ("xy", Data());
}

TEST_F(XmlDocCoreTest, ATagCutOffByTheEndEndsTheWalk) {
    ASSERT_TRUE(Load(u"<a>x</a><b title='never closed>y</b>"));
    EXPECT_TRUE(m_doc.FindElement(u"a"));
    EXPECT_FALSE(m_doc.FindElement(u"b"));
}

TEST_F(XmlDocCoreTest, QuotesInsideATagProtectTheEndAndEachOther) {
    ASSERT_TRUE(Load(u"<a title=\"x>y\" alt='\"'>z</a>"));
    ASSERT_TRUE(Walk({u"a"}));
    EXPECT_EQ("z", Data());
}

struct EmptyTagCase {
    const char16_t* text;
    const char* data;  // of the element e inside r
};

TEST_F(XmlDocCoreTest, SlashBeforeTheEndMakesAnEmptyElementAfterTheNameSpaceOrAQuote) {
    const EmptyTagCase cases[] = {
        {u"<r><e/>t</r>", ""},
        {u"<r><e />t</r>", ""},
        {u"<r><e k=\"v\"/>t</r>", ""},
        {u"<r><e k='v'/>t</r>", ""},
        {u"<r><e href=x/>t</e></r>", "t"},  // the slash belongs to the value
    };
    for (const EmptyTagCase& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        ASSERT_TRUE(Load(c.text));
        ASSERT_TRUE(Walk({u"r", u"e"}));
        EXPECT_EQ(c.data, Data());
    }
}

TEST_F(XmlDocCoreTest, DeclarationsCommentsAndLoneAngleBracketsHoldNoElements) {
    ASSERT_TRUE(Load(u"<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e '>'>]><!-- <b> --><r>1 < 2 <= 3</r>"));
    EXPECT_FALSE(m_doc.FindElement(u"b"));
    ASSERT_TRUE(m_doc.FindElement(u"r"));
    EXPECT_EQ("1 < 2 <= 3", Data());
    EXPECT_FALSE(m_doc.FindElement(nullptr));
}

TEST_F(XmlDocCoreTest, DataDecodesTextAndKeepsCDataAsItIs) {
    ASSERT_TRUE(Load(u"<r><s>a &amp; b<![CDATA[<c>&amp;]]><!-- no --><?pi no?>!</s><t><u/></t></r>"));
    ASSERT_TRUE(Walk({u"r", u"s"}));
    EXPECT_EQ("a & b<c>&amp;!", Data());
    ASSERT_TRUE(m_doc.FindElement(u"t"));
    EXPECT_EQ("", Data());
    EXPECT_FALSE(m_doc.LeaveElement() && m_doc.LeaveElement());
}

TEST_F(XmlDocCoreTest, NamesMatchWithCaseAndMayGoOnAfterASeparator) {
    ASSERT_TRUE(Load(u"<r><key>k</key><Key>K</Key><plist>p</plist></r>"));
    ASSERT_TRUE(Walk({u"r", u"Key"}));
    EXPECT_EQ("K", Data());
    struct {
        const char16_t* name;
        bool found;
    } names[] = {{u"plist version=\"1.0\"", true},
                 {u"plist=x", true},
                 {u"plist/", true},
                 {u"plist[1]", true},
                 {u"plist]", true},
                 {u"plists", false},
                 {u"plis", false},
                 {u"PLIST", false}};
    for (const auto& n : names) {
        SCOPED_TRACE(Narrow(n.name));
        ASSERT_TRUE(Load(u"<plist>p</plist>"));
        EXPECT_EQ(n.found, m_doc.FindElement(n.name));
    }
}

TEST_F(XmlDocCoreTest, FindingGoesOnAfterTheCurrentElementAndFailsWithoutMoving) {
    ASSERT_TRUE(Load(u"<r><k>1</k><v>a</v><k>2</k><v>b</v></r>"));
    ASSERT_TRUE(Walk({u"r", u"k"}));
    ASSERT_TRUE(m_doc.FindElement(u"v"));
    EXPECT_EQ("a", Data());
    ASSERT_TRUE(m_doc.FindElement(u"v"));
    EXPECT_EQ("b", Data());
    EXPECT_FALSE(m_doc.FindElement(u"k"));
    EXPECT_EQ("b", Data());
    EXPECT_FALSE(m_doc.EnterElement() && m_doc.EnterElement());
}

TEST_F(XmlDocCoreTest, RemovingEveryParagraphAndAddingOneLeavesItBeforeTheEndTag) {
    ASSERT_TRUE(Load(u"<html><body><div>\r\n<p>one</p>\r\n<p>two</p>\r\n</div></body></html>"));
    ASSERT_TRUE(Walk({u"html", u"body", u"div", u"p"}));
    ASSERT_TRUE(m_doc.RemoveElement());
    while (m_doc.FindElement(u"p")) ASSERT_TRUE(m_doc.RemoveElement());
    EXPECT_EQ("<html><body><div>\r\n</div></body></html>", Text());
    ASSERT_TRUE(m_doc.AddElement(u"p", u"x < y"));
    EXPECT_EQ("<html><body><div>\r\n<p>x &lt; y</p>\r\n</div></body></html>", Text());
    EXPECT_EQ("x < y", Data());

    // The index follows the edits: the outer elements still span the text.
    ASSERT_TRUE(m_doc.LeaveElement());
    EXPECT_TRUE(m_doc.AddElement(u"footer", nullptr));
    EXPECT_EQ("<html><body><div>\r\n<p>x &lt; y</p>\r\n</div><footer/>\r\n</body></html>", Text());
}

TEST_F(XmlDocCoreTest, AddingAfterAnElementSkipsTheWhiteSpaceBeforeTheNextTag) {
    ASSERT_TRUE(Load(u"<r>\n  <a/>\n  <b/>\n</r>"));
    ASSERT_TRUE(Walk({u"r", u"a"}));
    ASSERT_TRUE(m_doc.AddElement(u"n", u"a<&>b"));
    EXPECT_EQ("<r>\n  <a/>\n  <n>a&lt;&amp;&gt;b</n>\r\n<b/>\n</r>", Text());
    EXPECT_EQ("a<&>b", Data());
    ASSERT_TRUE(m_doc.FindElement(nullptr));
    ASSERT_TRUE(m_doc.AddElement(u"m", u""));  // b is last: nothing but white space and the end tag follow
    EXPECT_EQ("<r>\n  <a/>\n  <n>a&lt;&amp;&gt;b</n>\r\n<b/>\n<m/>\r\n</r>", Text());
    EXPECT_FALSE(m_doc.FindElement(nullptr));
}

TEST_F(XmlDocCoreTest, RemovingMakesThePreviousSiblingCurrent) {
    ASSERT_TRUE(Load(u"<r><a>1</a> <b>2</b> <c>3</c></r>"));
    ASSERT_TRUE(Walk({u"r", u"b"}));
    ASSERT_TRUE(m_doc.RemoveElement());
    EXPECT_EQ("<r><a>1</a> <c>3</c></r>", Text());
    EXPECT_EQ("1", Data());
    ASSERT_TRUE(m_doc.RemoveElement());  // the first child: no current element afterwards
    EXPECT_EQ("<r><c>3</c></r>", Text());
    EXPECT_FALSE(m_doc.RemoveElement());
    ASSERT_TRUE(m_doc.FindElement(nullptr));
    EXPECT_EQ("3", Data());
    ASSERT_TRUE(m_doc.LeaveElement());
    ASSERT_TRUE(m_doc.RemoveElement());
    EXPECT_EQ("", Text());
    EXPECT_FALSE(m_doc.FindElement(nullptr));
    ASSERT_TRUE(m_doc.AddElement(u"new", nullptr));
    EXPECT_EQ("<new/>\r\n", Text());
}

TEST_F(XmlDocCoreTest, AddingRefusesNamesThatAreNoTagNamesAndParentsWithoutEndTag) {
    for (const char16_t* name : {(const char16_t*)nullptr, u"", u"a b", u"a>", u"<a", u"/a", u"-a", u"a=b"}) {
        SCOPED_TRACE(name ? Narrow(name) : "null");
        ASSERT_TRUE(Load(u"<r/>"));
        EXPECT_FALSE(m_doc.AddElement(name, u"x"));
        EXPECT_EQ("<r/>", Text());
    }
    for (const char16_t* parent : {u"r", u"o"}) {
        ASSERT_TRUE(Load(u"<r/><o>"));
        ASSERT_TRUE(m_doc.FindElement(parent) && m_doc.EnterElement());
        EXPECT_FALSE(m_doc.AddElement(u"x", u"1"));
    }
    ASSERT_TRUE(Load(u"<r/>"));
    EXPECT_TRUE(m_doc.AddElement(u"\u540d:x_1", u"\u503c"));
}

TEST_F(XmlDocCoreTest, IndexFieldsThatWouldOverflowAreRefused) {
    std::u16string longEnd = u"<a>x</a" + std::u16string(1100, u' ') + u">";
    EXPECT_FALSE(Load(longEnd));
    EXPECT_EQ("", Text());
    EXPECT_FALSE(m_doc.FindElement(nullptr));
    // An end tag that closes nothing is ignored, however long.
    EXPECT_TRUE(Load(u"<a/></" + std::u16string(2000, u'z') + u">"));

    std::u16string deep;
    for (int i = 0; i < 65535; ++i) deep += u"<a>";
    EXPECT_TRUE(Load(deep));
    EXPECT_FALSE(Load(deep + u"<a>"));

    EXPECT_FALSE(Load(u"<a " + std::u16string(0x400000, u' ') + u">"));
    EXPECT_TRUE(Load(u"<a " + std::u16string(0x3FFFFF - 4, u' ') + u">"));
}

struct EntityCase {
    const char16_t* text;
    const char16_t* decoded;
};

TEST(XmlEntitiesTest, ReferencesDecodeToTheirOwnCharacters) {
    const EntityCase cases[] = {
        {u"&eacute;&Eacute;&EACUTE;", u"\u00E9\u00C9\u00C9"},
        {u"&dagger;&Dagger;&DAGGER;", u"\u2020\u2021\u2021"},
        {u"&larr;&lArr;&LARR;", u"\u2190\u21D0\u21D0"},
        {u"&AMP;&amp;lt;&Lt;", u"&&lt;<"},
        {u"&apos;&quot;&nbsp;&thetasym;&euro;", u"'\"\u00A0\u03D1\u20AC"},
        {u"&#65;&#x42;&#X43;&#x1F3AC;", u"ABC\U0001F3AC"},
        {u"&#0;&#x0;&#x110000;&#xD800;&#99999999999;", u"&#0;&#x0;&#x110000;&#xD800;&#99999999999;"},
        {u"&nosuch;&thetasyms;&;&#;&#x;&#12a;&amp &lt", u"&nosuch;&thetasyms;&;&#;&#x;&#12a;&amp &lt"},
        {u"a & b &&amp;", u"a & b &&"},
    };
    for (const EntityCase& c : cases) {
        std::u16string text(c.text);
        EXPECT_EQ(std::u16string(c.decoded), xml::DecodeText(text.data(), text.size())) << Narrow(text);
    }
}

struct EncodingCase {
    const char* name;
    const char16_t* text;
    const char16_t* encoding;
};

class XmlEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.name; }

TEST_P(XmlEncodingTest, IsTheOneTheDocumentNamesItself) {
    std::u16string text(GetParam().text);
    CXmlDocCore doc;
    ASSERT_TRUE(doc.SetDocument(text.data(), text.size()));
    EXPECT_EQ(std::u16string(GetParam().encoding), doc.GetDeclaredEncoding());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, XmlEncodingTest,
    ::testing::Values(
        EncodingCase{"XmlDeclaration", u"<?xml version=\"1.0\" encoding=\"GB2312\"?><r/>", u"GB2312"},
        EncodingCase{"SingleQuotes", u"\uFEFF<?XML version='1.0' Encoding='big5' ?><r/>", u"big5"},
        EncodingCase{"DeclarationWithoutEncoding", u"<?xml version=\"1.0\"?><r/>", u"UTF-8"},
        EncodingCase{"DeclarationNotAtTheStart", u" <?xml version=\"1.0\" encoding=\"gbk\"?><r/>", u"UTF-8"},
        EncodingCase{"HtmlMeta",
                     u"<html><head><title>t</title><meta http-equiv=\"Content-Type\" "
                     u"content=\"text/html; charset=gb2312\"></head><body></body></html>",
                     u"gb2312"},
        EncodingCase{"HtmlCapitals",
                     u"<!DOCTYPE html><HTML><HEAD><META HTTP-EQUIV=content-type CONTENT='text/html;CHARSET = big5'>"
                     u"</HEAD></HTML>",
                     u"big5"},
        EncodingCase{"MetaAfterTheHead",
                     u"<html><head></head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
                     u"</html>",
                     u"UTF-8"},
        EncodingCase{"MetaInTheBody",
                     u"<html><body><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\"></body>"
                     u"</html>",
                     u"UTF-8"},
        EncodingCase{"HeadNeverEnded",
                     u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\"><body>"
                     u"</body></html>",
                     u"gbk"},
        EncodingCase{"OtherMeta", u"<html><head><meta name=\"charset\" content=\"charset=gbk\"></head></html>",
                     u"UTF-8"},
        EncodingCase{"NotHtml", u"<page><meta http-equiv=\"Content-Type\" content=\"charset=gbk\"/></page>", u"UTF-8"},
        EncodingCase{"Empty", u"", u"UTF-8"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST(XmlCharsetsTest, NamesGiveTheirCodePages) {
    struct {
        const char16_t* name;
        unsigned codePage;
    } cases[] = {{u"GB2312", 936},
                 {u"gbk", 936},
                 {u"UTF-8", 65001},
                 {u"Big5", 950},
                 {u"Shift_JIS", 932},
                 {u"ISO-8859-1", 28591},
                 {u"windows-1252", 1252},
                 {u"gb18030", 54936},
                 {u"x-unknown", 0},
                 {u"utf-8 ", 0},
                 {u"", 0}};
    for (const auto& c : cases) {
        std::u16string name(c.name);
        EXPECT_EQ(c.codePage, xml::CodePageOfCharset(name.data(), name.size())) << Narrow(name);
    }
}

}  // namespace

namespace {

TEST_F(XmlDocCoreTest, TheNameIsTheCurrentElementsTagName) {
    ASSERT_TRUE(Load(u"<dict><key>a</key><integer>3</integer><string attr=\"x\">s</string><br/></dict>"));
    EXPECT_EQ("", Narrow(m_doc.GetName())) << "no element yet";
    ASSERT_TRUE(Walk({u"dict", u"key"}));
    const char* names[] = {"key", "integer", "string", "br"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(names[i], Narrow(m_doc.GetName()));
        EXPECT_EQ(i < 3, m_doc.FindElement(u""));
    }
}

}  // namespace
