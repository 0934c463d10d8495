#include <vector>

#include "common/CommonHelpers.h"
#include "element/ElementVideoTab.h"
#include "element/MainPageTest.h"
#include "web/WebInfo.h"

namespace {

using Texts = std::vector<std::string>;

// Five records as the catalogue sends them; the first brief is longer than a line.
class NewestVideoItemsTest : public MainPageTest {
protected:
    void SetUp() override {
        MainPageTest::SetUp();
        ASSERT_TRUE(
            htmlayout::dom::element(Find(L"video-tab").select_first("[panel=\"tab-newest-video\"]")).is_valid());
    }
    CElementVideoTab& Tab() { return Object<CElementVideoTab>(L"video-tab"); }
    void AddVideos(int count) {
        const LPCWSTR briefs[] = {L"一只小猫和它的朋友们在森林里的冒险故事，共二十六集", L"<p>第一段</p><p>第二段</p>",
                                  L"短", L"d", L"e"};
        for (int i = 0; i < count; ++i) {
            CString n = IntToCString(i + 1);
            Tab().AddNewestItem(WEB_INFO_NEWESE_VIDEO(L"视频" + n, L"http://127.0.0.1/v" + n,
                                                      L"http://127.0.0.1/p" + n + L".png", briefs[i], n + L"元"));
        }
    }
    std::vector<htmlayout::dom::element> Items() { return ListItems(L"tab-newest-video"); }
    // Each child of the list: "-" for a separator, "class serial name price" for an item.
    Texts Shown() {
        Texts shown;
        for (const htmlayout::dom::element& item : Items()) {
            std::string cls = Utf8(item.get_attribute("class"));
            if (cls == "right-separator") {
                shown.push_back(item.inner_text().empty() ? "-" : "- with text");
                continue;
            }
            bool expanded = cls == "right-current-item";
            htmlayout::dom::element serial = item.select_first("div.serial-number");
            htmlayout::dom::element name =
                item.select_first(expanded ? "li.right-current-item-text" : ":root > div.right-normal-item-text");
            htmlayout::dom::element price = item.select_first(expanded ? "li.right-current-item-payment > span"
                                                                       : "div.right-normal-item-payment > div");
            std::string look =
                expanded ? Utf8(htmlayout::dom::element(item.select_first("ul > li")).get_attribute("class")) : cls;
            shown.push_back(look + " " + Utf8(serial.inner_text().c_str()) + " " + Utf8(name.inner_text().c_str()) +
                            " " + Utf8(price.inner_text().c_str()));
        }
        return shown;
    }
    CString Tooltip() {
        htmlayout::shared_utf8 html;
        HTMLayoutGetElementHtmlCB(Find(L"brief-tooltip"), FALSE, &htmlayout::shared_utf8::writer, &html);
        return Utf8ToWide(reinterpret_cast<const char*>(html.c_str()));
    }
    CString BriefLine() {
        return htmlayout::dom::element(Find(L"tab-newest-video").select_first("li.right-current-item-brief"))
            .inner_text()
            .c_str();
    }
    // What a click on the name of an item targets.
    HELEMENT NameOf(size_t child) {
        return page.TargetAtText(Items().at(child).select_first("div.right-normal-item-text"));
    }
};

TEST_F(NewestVideoItemsTest, ItemsComeNumberedBetweenSeparatorsTheFirstExpanded) {
    AddVideos(5);
    EXPECT_EQ((Texts{"right-current-item-cover-red 1 视频1 1元", "-", "right-normal-item-red 2 视频2 2元", "-",
                     "right-normal-item-red 3 视频3 3元", "-", "right-normal-item-blue 4 视频4 4元", "-",
                     "right-normal-item-blue 5 视频5 5元"}),
              Shown());
    htmlayout::dom::element first = Items()[0];
    EXPECT_STREQ(L"http://127.0.0.1/v1", first.get_attribute("url"));
    EXPECT_STREQ(L"http://127.0.0.1/p1.png", first.get_attribute("image-url"));
    EXPECT_STREQ(L"background-image: url(\"http://127.0.0.1/p1.png\");",
                 htmlayout::dom::element(first.select_first("ul > li")).get_attribute("style"));
    EXPECT_STREQ(L"<p>第一段</p><p>第二段</p>", Items()[2].get_attribute("brief"));
    EXPECT_STREQ(L"一只小猫和它的朋友们在森林里的冒险故事，共二十六集", Tooltip());
    EXPECT_STREQ(L"一只小猫和它的朋友们在森林里的冒险故...", BriefLine()) << "18 characters and an ellipsis";
}

TEST_F(NewestVideoItemsTest, ClickedNameExpandsItsItemAndTheOtherCollapsesWithItsBrief) {
    AddVideos(5);
    HELEMENT name = NameOf(2);
    ASSERT_STREQ(L"right-normal-item-text",
                 htmlayout::dom::element(htmlayout::dom::element(name).parent()).get_attribute("class"))
        << "the main window's manager finds the item by the class of the target's parent";
    Tab().ShowNewestItemDetails(L"tab-newest-video", name);
    EXPECT_EQ((Texts{"right-normal-item-red 1 视频1 1元", "-", "right-current-item-cover-red 2 视频2 2元", "-",
                     "right-normal-item-red 3 视频3 3元", "-", "right-normal-item-blue 4 视频4 4元", "-",
                     "right-normal-item-blue 5 视频5 5元"}),
              Shown());
    EXPECT_STREQ(L"<p>第一段</p><p>第二段</p>", Tooltip()) << "every paragraph";
    EXPECT_STREQ(L"第一段第二段", BriefLine());
    EXPECT_STREQ(L"一只小猫和它的朋友们在森林里的冒险故事，共二十六集", Items()[0].get_attribute("brief"))
        << "a brief of plain text survives the collapse";

    Tab().ShowNewestItemDetails(L"tab-newest-video", NameOf(4));
    EXPECT_STREQ(L"<p>第一段</p><p>第二段</p>", Items()[2].get_attribute("brief"));
    EXPECT_STREQ(L"短", BriefLine()) << "a short brief takes no ellipsis";
}

TEST_F(NewestVideoItemsTest, ExpandedItemAndStrangersChangeNothing) {
    AddVideos(3);
    Texts before = Shown();
    Tab().ShowNewestItemDetails(L"tab-newest-video", Items()[0]);
    Tab().ShowNewestItemDetails(L"tab-newest-video", Items()[1]);  // a separator
    Tab().ShowNewestItemDetails(L"tab-newest-video", Find(L"play-pause"));
    Tab().ShowNewestItemDetails(L"no-such-list", NameOf(2));
    EXPECT_EQ(before, Shown());
}

TEST_F(NewestVideoItemsTest, ExpandedItemOpensInTheMainWindowOnly) {
    AddVideos(3);
    Tab().ShowNewestItemDetails(L"tab-newest-video", NameOf(4));
    Tab().OpenCurrentNewestItem();
    EXPECT_EQ(Texts{"ShowWebView(navigate) http://127.0.0.1/v3"}, windows.calls);

    windows.calls.clear();
    windows.mainWnd.m_hWnd = nullptr;
    Tab().OpenCurrentNewestItem();
    EXPECT_TRUE(windows.calls.empty());
}

// The service's texts reach the page as values, never as style or markup of their own.
TEST_F(NewestVideoItemsTest, ImageUrlsThatWouldAddStyleAreLeftOut) {
    struct Case {
        LPCWSTR imageUrl;
        LPCWSTR style;
    };
    const Case cases[] = {
        {L"http://127.0.0.1/p.png?a=1&b=(x)", L""},
        {L"http://127.0.0.1/p.png);color:red;x:url(y", L""},
        {L"http://127.0.0.1/p\".png", L""},
        {L"http://127.0.0.1/p\\.png", L""},
        {L"http://127.0.0.1/p.png\nx", L""},
        {L"http://127.0.0.1/视频 1.png", L"background-image: url(\"http://127.0.0.1/视频 1.png\");"},
    };
    for (const Case& c : cases) {
        Tab().AddNewestItem(WEB_INFO_NEWESE_VIDEO(L"视频", L"http://127.0.0.1/v", c.imageUrl, L"简介", L"1元"));
        htmlayout::dom::element cover = Items().back().select_first("ul > li");
        ASSERT_TRUE(cover.is_valid()) << Utf8(c.imageUrl);
        EXPECT_STREQ(c.style, cover.get_attribute("style") ? cover.get_attribute("style") : L"") << Utf8(c.imageUrl);
        EXPECT_STREQ(c.imageUrl, Items().back().get_attribute("image-url")) << "kept as the item's value";
        Find(L"tab-newest-video").replace_html(nullptr, 0);
    }
}

TEST_F(NewestVideoItemsTest, ABriefKeepsOnlyItsTextAndParagraphs) {
    struct Case {
        LPCWSTR brief;
        LPCWSTR tooltip;
        LPCWSTR line;
    };
    const Case cases[] = {
        {L"<P>一</p><p>二</P>", L"<p>一</p><p>二</p>", L"一二"},
        {L"<b onclick=\"x()\">粗</b><img src=x><script>y()</script>体", L"粗y()体", L"粗y()体"},
        {L"<p style=\"color:red\">红</p><!-- 注 -->字", L"红字", L"红字"},
        {L"1 < 2 & 3 > 2 &amp; &#20013;", L"1 &lt; 2 &amp; 3 &gt; 2 &amp; 中", L"1 < 2 & 3 > 2 & 中"},
    };
    for (const Case& c : cases) {
        Tab().AddNewestItem(
            WEB_INFO_NEWESE_VIDEO(L"视频", L"http://127.0.0.1/v", L"http://127.0.0.1/p.png", c.brief, L"1元"));
        EXPECT_STREQ(c.tooltip, Tooltip()) << Utf8(c.brief);
        EXPECT_STREQ(c.line, BriefLine()) << Utf8(c.brief);
        Find(L"tab-newest-video").replace_html(nullptr, 0);
    }
}

}  // namespace
