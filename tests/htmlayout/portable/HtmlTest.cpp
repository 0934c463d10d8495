// Parsing and writing markup: round trips, the parser's rules and malformed input.
#include <gtest/gtest.h>

#include "FakeHost.h"
#include "Html.h"
#include "Text.h"

namespace {

using hl::Node;
using hl::NodeRef;

std::string Reparse(const std::string& html) {
    NodeRef box = Node::CreateElement("div");
    hl::ParseHtml(html, box.get());
    return hl::WriteHtml(box.get(), false);
}

struct RoundTrip {
    const char* name;
    const char* input;
    const char* written;
};
void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.name; }

class HtmlRoundTrip : public testing::TestWithParam<RoundTrip> {};

// The writing of parsed markup, and that parsing what was written changes nothing.
TEST_P(HtmlRoundTrip, WritesAndReadsBackUnchanged) {
    std::string once = Reparse(GetParam().input);
    EXPECT_EQ(once, GetParam().written);
    EXPECT_EQ(Reparse(once), once);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlRoundTrip,
    testing::Values(
        RoundTrip{"attributes_quoted", "<div id=\"a\" class='b c'>text</div>",
                  "<div id=\"a\" class=\"b c\">text</div>"},
        // "/>" closes any element, void elements close themselves.
        RoundTrip{"self_closing", "<div/><span/>x<img src=a.png>y", "<div/><span/>x<img src=\"a.png\"/>y"},
        // No implied tbody: a row stays a direct child of its table.
        RoundTrip{"no_implied_tbody", "<table><tr><td>1</td></tr></table>", "<table><tr><td>1</td></tr></table>"},
        // Attribute names in any case are the same attribute.
        RoundTrip{"attribute_case", "<li ID=x Class=y path=\"C:\\a b\">t</li>",
                  "<li id=\"x\" class=\"y\" path=\"C:\\a b\">t</li>"},
        RoundTrip{"entities", "<p a=\"&lt;&amp;&quot;\">&lt;b&gt; &amp; &#65;&#x4e2d;&nbsp;</p>",
                  "<p a=\"&lt;&amp;&quot;\">&lt;b&gt; &amp; A\xe4\xb8\xad\xc2\xa0</p>"},
        RoundTrip{"bom_skipped", "\xEF\xBB\xBF<html><body>\xe6\x92\xad\xe6\x94\xbe</body></html>",
                  "<html><body>\xe6\x92\xad\xe6\x94\xbe</body></html>"},
        RoundTrip{"comments_and_doctype", "<!DOCTYPE html><!-- note --><div>a<!-- x -->b</div>", "<div>ab</div>"},
        RoundTrip{"style_raw_text", "<style>a > b { color: red }</style>", "<style>a > b { color: red }</style>"},
        // No end tag is implied: an unclosed item holds the next one, and a list or
        // row written by the program reads back the same.
        RoundTrip{"no_implied_end_tags", "<ul><li>a<li>b</ul><tr><td>1<td>2",
                  "<ul><li>a<li>b</li></li></ul><tr><td>1<td>2</td></td></tr>"},
        // Layout white space between tags is dropped; text keeps its own.
        RoundTrip{"layout_white_space", "<ul>\n  <li> a  b </li>\n</ul>", "<ul><li> a  b </li></ul>"},
        // Malformed markup degrades to text and never loses what follows.
        RoundTrip{"stray_brackets", "a < b <3 <> </> <div", "a &lt; b &lt;3 &lt;&gt; &lt;/&gt; &lt;div"},
        RoundTrip{"unclosed_quote", "<div title=\"unclosed>x</div>", "&lt;div title=\"unclosed&gt;x"},
        RoundTrip{"stray_end_tags", "<b>x</i></b>y</div>", "<b>x</b>y"},
        RoundTrip{"unclosed_elements", "<a><b>deep", "<a><b>deep</b></a>"},
        RoundTrip{"bad_references", "&bogus; &amp &#xZZ; &#0; &#1114112;",
                  "&amp;bogus; &amp;amp &amp;#xZZ; \xef\xbf\xbd \xef\xbf\xbd"},
        RoundTrip{"unclosed_comment", "<!-- never closed <div>", "&lt;!-- never closed <div/>"}));

TEST(HtmlParse, KeepsWhiteSpaceTextThatTheProgramSet) {
    NodeRef div = Node::CreateElement("div");
    div->SetInnerText(u"  ");
    std::string written = hl::WriteHtml(div.get(), true);
    EXPECT_EQ(Reparse(written), written);
    NodeRef back = Node::CreateElement("div");
    hl::ParseHtml(written, back.get());
    EXPECT_EQ(back->ElementAt(0)->InnerText(), u"  ");
}

TEST(HtmlParse, StyleAndScriptHoldTextOnly) {
    NodeRef style = Node::CreateElement("style");
    hl::ParseHtml("<b>x</b>", style.get());
    ASSERT_EQ(style->Kids().size(), 1u);
    EXPECT_TRUE(style->Kids()[0]->IsText());
    NodeRef b = Node::CreateElement("b");
    EXPECT_FALSE(style->InsertElement(b.get(), 0));
    style->SetInnerText(u"a { } </style> b");
    std::string written = hl::WriteHtml(style.get(), true);
    EXPECT_EQ(written, "<style>a { } <\\/style> b</style>");
    EXPECT_EQ(Reparse(written), written);
}

TEST(HtmlParse, MalformedUtf8BecomesReplacementCharacters) {
    NodeRef div = Node::CreateElement("div");
    hl::ParseHtml("a\xff\xc3(b\xe4\xb8", div.get());
    EXPECT_EQ(div->InnerText(), u"a\xfffd\xfffd(b\xfffd\xfffd");
}

TEST(HtmlParse, DeepNestingIsCutAndTheRestStaysText) {
    std::string html;
    for (int i = 0; i < 500; ++i) html += "<div>";
    html += "core";
    NodeRef top = Node::CreateElement("div");
    hl::ParseHtml(html, top.get());
    int depth = 0;
    const Node* n = top.get();
    while (n->ElementCount()) {
        n = n->ElementAt(0);
        ++depth;
    }
    EXPECT_LT(depth, hl::kMaxDepth);
    EXPECT_NE(top->InnerText().find(u"core"), std::u16string::npos);
    EXPECT_NE(top->InnerText().find(u"<div>"), std::u16string::npos);
}

TEST(HtmlParse, LargePagesParseInLinearTime) {
    std::string html = "<table id=\"list\">";
    for (int i = 0; i < 20000; ++i) html += "<tr id=\"" + std::to_string(i) + "\"><td>name</td><td>1MB</td></tr>";
    html += "</table>";
    NodeRef box = Node::CreateElement("div");
    hl::ParseHtml(html, box.get());
    ASSERT_EQ(box->ElementAt(0)->ElementCount(), 20000u);
    EXPECT_EQ(hl::WriteHtml(box.get(), false), html);
}

TEST(HtmlParse, OuterAndInnerHtmlOfAnElement) {
    hltest::Page page("<div id=\"row\"><progress id=\"p\" maxvalue=\"100\" value=\"5\"> 5%</progress></div>");
    Node* p = page.ById("p");
    EXPECT_EQ(hl::WriteHtml(p, true), "<progress id=\"p\" maxvalue=\"100\" value=\"5\"> 5%</progress>");
    EXPECT_EQ(hl::WriteHtml(p, false), " 5%");
}

}  // namespace
