#include <gtest/gtest.h>

#include "services/AccountWebService.h"
#include "support/ServiceConfigFile.h"
#include "web/CatalogueLists.h"

namespace {

const char kCategories[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><ReturnData><Datas>"
    "<item><catename>\xe5\x8a\xa8\xe4\xbd\x9c</catename><url>http://c/1</url></item>"
    "<item><catename></catename><url>http://c/2</url></item>"
    "<item><catename>B</catename><url>http://c/3</url></item>"
    "</Datas></ReturnData>";

const char kRecent[] =
    "<ReturnData><Datas>"
    "<item><title>V1</title><url>u1</url><imageurl>i1</imageurl><brief>b1</brief><price>5</price></item>"
    "<item><title>V2</title><url>u2</url><imageurl>i2</imageurl><brief>b2</brief></item>"
    "<item><title>V3</title><url>u3</url><imageurl>i3</imageurl><brief>b3</brief><price>0</price></item>"
    "</Datas></ReturnData>";

class CatalogueListsTest : public testing::Test {
protected:
    CatalogueListsTest() : m_config(m_service.ConfigText()) {
        m_service.SetCategoryList(kCategories);
        m_service.SetRecentUploadList(kRecent);
    }

    AccountWebService m_service;
    ServiceConfigFile m_config;
};

TEST_F(CatalogueListsTest, CategoriesComeItemByItem) {
    std::unique_ptr<WebInfoList> list = CVideoListManager().Fetch();
    ASSERT_TRUE(list);
    ASSERT_EQ(2u, list->size());
    EXPECT_STREQ(L"\x52a8\x4f5c", (*list)[0]->name);
    EXPECT_STREQ(L"http://c/1", (*list)[0]->url);
    EXPECT_STREQ(L"B", (*list)[1]->name);
    EXPECT_EQ("/controller_ashx?action=getcate", m_service.Requests().at(0).target);
}

TEST_F(CatalogueListsTest, RecentUploadsAreVideosWithAllTheirTexts) {
    std::unique_ptr<WebInfoList> list = CRecentUploadListManager().Fetch();
    ASSERT_TRUE(list);
    ASSERT_EQ(2u, list->size());
    auto* first = dynamic_cast<WEB_INFO_NEWESE_VIDEO*>((*list)[0].get());
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ(L"V1", first->name);
    EXPECT_STREQ(L"u1", first->url);
    EXPECT_STREQ(L"i1", first->imageurl);
    EXPECT_STREQ(L"b1", first->brief);
    EXPECT_STREQ(L"5", first->price);
    EXPECT_STREQ(L"V3", (*list)[1]->name);
    EXPECT_EQ("/controller_ashx?action=newlist&count=10", m_service.Requests().at(0).target);
}

TEST_F(CatalogueListsTest, NoListWithoutAnXmlReply) {
    for (const char* reply : {"", "<ReturnData><Datas>", "{\"json\":1}"}) {
        m_service.SetCategoryList(reply);
        EXPECT_FALSE(CVideoListManager().Fetch()) << reply;
    }
    m_service.SetCategoryList("<ReturnData/>");
    std::unique_ptr<WebInfoList> empty = CVideoListManager().Fetch();
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    m_config.Write(ServiceConfigFile::Section("point_get", "127.0.0.1", std::to_string(UnusedLoopbackPort())));
    EXPECT_FALSE(CRecentUploadListManager().Fetch());
}

}  // namespace
