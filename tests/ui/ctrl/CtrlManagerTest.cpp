#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "element/Element.h"

namespace {

std::vector<std::string> g_refreshed;

class CLoggingElement : public CElement {
public:
    using CElement::CElement;
    void Refresh() override { g_refreshed.push_back(CStringA(GetId()).GetString()); }
};

// A manager without a window, with element objects of its own kind.
class CTestManager : public CBaseSkinWndCtrlManager {
public:
    CTestManager() : CBaseSkinWndCtrlManager(nullptr) {}
    void InitElements() override {
        for (LPCWSTR id : {L"pre", L"next", L"btn-speaker", L"play-pause"})
            AdoptElementObject(id, std::make_unique<CLoggingElement>(this, id, std::vector<CString>{id}));
    }
};

TEST(CtrlManagerTest, RefreshesTheElementObjectsInIdOrder) {
    CTestManager manager;
    manager.InitElements();
    g_refreshed.clear();
    manager.RefreshElements();
    EXPECT_EQ((std::vector<std::string>{"btn-speaker", "next", "play-pause", "pre"}), g_refreshed);
    manager.DeleteElementObjects();
    EXPECT_EQ(nullptr, manager.GetElementObject(L"pre"));
    g_refreshed.clear();
    manager.RefreshElements();
    EXPECT_TRUE(g_refreshed.empty());
}

TEST(CtrlManagerTest, AnIdKeepsItsFirstObject) {
    CTestManager manager;
    manager.AddElementObject(L"all_start", {L"all_start"});
    CElement* first = manager.GetElementObject(L"all_start");
    ASSERT_NE(nullptr, first);
    manager.AddElementObject(L"all_start", {});
    EXPECT_EQ(first, manager.GetElementObject(L"all_start"));
    EXPECT_STREQ(L"all_start", first->GetId());
    EXPECT_STREQ(L"normal", first->GetState());
    EXPECT_EQ(nullptr, manager.GetElementObject(L"ALL_START")) << "ids are compared exactly";
}

TEST(CtrlManagerTest, ManagerWithoutWindowFindsNothing) {
    CTestManager manager;
    EXPECT_FALSE(manager.GetRootElement().is_valid());
    EXPECT_FALSE(manager.GetElementById(L"play-pause").is_valid());
    EXPECT_EQ(0, manager.GetElementIntAttribute(L"play-pause", "value"));
    EXPECT_FALSE(manager.SetElementAttribute(L"play-pause", "mode", L"play"));
    manager.AddElementObject(L"play-pause", {});
    manager.GetElementObject(L"play-pause")->SetMode(L"pause");  // nothing to change, nothing breaks
    manager.GetElementObject(L"play-pause")->SetEnabled(false);
}

TEST(CtrlManagerTest, CreatedElementCarriesItsTextAndAttributes) {
    htmlayout::dom::element item =
        CreateHtmlElement("li", L"第一集", {{"url", L"http://127.0.0.1/a"}, {"class", L"video-list"}});
    ASSERT_TRUE(item.is_valid());
    EXPECT_STREQ(L"第一集", item.inner_text().c_str());
    EXPECT_STREQ(L"video-list", item.get_attribute("class"));
    EXPECT_STREQ(L"http://127.0.0.1/a", item.get_attribute("url"));
    EXPECT_EQ(nullptr, item.get_attribute("id"));

    htmlayout::dom::element separator = CreateHtmlElement("li", L"", {{"class", L"right-separator"}});
    ASSERT_TRUE(separator.is_valid());
    EXPECT_TRUE(separator.inner_text().empty());
}

}  // namespace
