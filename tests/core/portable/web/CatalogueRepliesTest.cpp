#include <gtest/gtest.h>

#include "web/portable/CatalogueReplies.h"

namespace {

std::vector<std::string> Names(const std::vector<CATALOGUE_ITEM>& items) {
    std::vector<std::string> names;
    for (const CATALOGUE_ITEM& item : items) names.push_back(item.Name);
    return names;
}

TEST(CatalogueRepliesTest, CategoriesKeepTheCompleteItemsInDocumentOrder) {
    std::u16string xml =
        u"<?xml version=\"1.0\" encoding=\"utf-8\"?><ReturnData><Datas>"
        u"<item><catename>动作</catename><url>http://a/1</url></item>"
        u"<item><catename></catename><url>http://a/2</url></item>"
        u"<item><url>http://a/3</url></item>"
        u"<item><catename><![CDATA[科幻 & 冒险]]></catename><url>http://a/4?x=1&amp;y=2</url></item>"
        u"<item><catename>无地址</catename><url/></item>"
        u"</Datas></ReturnData>";
    std::vector<CATALOGUE_ITEM> items;
    ASSERT_TRUE(ParseCategoryList(xml, items));
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("\xe5\x8a\xa8\xe4\xbd\x9c", items[0].Name);
    EXPECT_EQ("http://a/1", items[0].Url);
    EXPECT_EQ("\xe7\xa7\x91\xe5\xb9\xbb & \xe5\x86\x92\xe9\x99\xa9", items[1].Name);
    EXPECT_EQ("http://a/4?x=1&y=2", items[1].Url);
}

TEST(CatalogueRepliesTest, RecentUploadsNeedAllFiveTexts) {
    auto item = [](const char16_t* title, const char16_t* price) {
        std::u16string text = u"<item><title>";
        text += title;
        text += u"</title><url>u</url><imageurl>i</imageurl><brief>b</brief>";
        if (price) text += std::u16string(u"<price>") + price + u"</price>";
        return text + u"</item>";
    };
    std::u16string xml = u"<ReturnData><Datas>" + item(u"one", u"5") + item(u"no price", nullptr) +
                         item(u"empty price", u"") + item(u"two", u"免费") + u"</Datas></ReturnData>";
    std::vector<CATALOGUE_ITEM> items;
    ASSERT_TRUE(ParseRecentUploadList(xml, items));
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Names(items));
    EXPECT_EQ("u", items[0].Url);
    EXPECT_EQ("i", items[0].ImageUrl);
    EXPECT_EQ("b", items[0].Brief);
    EXPECT_EQ("5", items[0].Price);
    EXPECT_EQ("\xe5\x85\x8d\xe8\xb4\xb9", items[1].Price);
}

TEST(CatalogueRepliesTest, ItemsElsewhereGiveAnEmptyListAndBrokenXmlNone) {
    const char16_t* emptyLists[] = {
        u"<ReturnData><Datas/></ReturnData>",
        u"<Reply><Datas><item><catename>a</catename><url>b</url></item></Datas></Reply>",
        u"<ReturnData><item><catename>a</catename><url>b</url></item></ReturnData>",
    };
    for (const char16_t* xml : emptyLists) {
        std::vector<CATALOGUE_ITEM> items(1);
        EXPECT_TRUE(ParseCategoryList(xml, items));
        EXPECT_TRUE(items.empty());
    }
    const char16_t* broken[] = {u"", u"<ReturnData><Datas>", u"not xml", u"<a></b>"};
    for (const char16_t* xml : broken) {
        std::vector<CATALOGUE_ITEM> items;
        EXPECT_FALSE(ParseCategoryList(xml, items));
        EXPECT_FALSE(ParseRecentUploadList(xml, items));
    }
}

}  // namespace
