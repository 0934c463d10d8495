// Back, forward and refresh, and the command states they raise.
#include "BrowserFixture.h"

namespace browsertest {
namespace {

class History : public BrowserFixture {
protected:
    // The command lines raised since the last call.
    std::vector<std::wstring> Commands() {
        std::vector<std::wstring> commands;
        for (const auto& line : host.events.log)
            if (line.rfind(L"command", 0) == 0) commands.push_back(line);
        host.events.log.clear();
        return commands;
    }
    bool Step(bool (CBrowserWindow::*move)()) {
        int documents = host.events.documents;
        return (host.browser.*move)() && host.WaitForDocuments(documents + 1);
    }
};

TEST_F(History, BackAndForwardWalkTheHistoryAndRaiseBothStates) {
    ASSERT_TRUE(Open("/a"));
    EXPECT_EQ((std::vector<std::wstring>{L"command 1 0", L"command 2 0"}), Commands());
    EXPECT_FALSE(host.browser.GoBack());
    ASSERT_TRUE(Open("/b"));
    ASSERT_TRUE(Open("/c"));
    Commands();
    struct Case {
        bool (CBrowserWindow::*move)();
        const char* path;
        std::vector<std::wstring> commands;
    } cases[] = {
        {&CBrowserWindow::GoBack, "/b", {L"command 1 1", L"command 2 1"}},
        {&CBrowserWindow::GoBack, "/a", {L"command 1 1", L"command 2 0"}},
        {&CBrowserWindow::GoForward, "/b", {L"command 1 1", L"command 2 1"}},
        {&CBrowserWindow::GoForward, "/c", {L"command 1 0", L"command 2 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        int befores = (int)host.events.befores.size();
        ASSERT_TRUE(Step(c.move));
        EXPECT_EQ(Url(c.path), host.browser.GetLocationURL());
        EXPECT_EQ(Wide(c.path), host.Text("#path"));
        ASSERT_EQ(befores + 1, (int)host.events.befores.size());
        EXPECT_EQ(Url(c.path), host.events.befores.back().Url);
        EXPECT_EQ(c.commands, Commands());
        EXPECT_EQ(c.path, Requests().back().target);
    }
    EXPECT_FALSE(host.browser.GoForward());
}

TEST_F(History, ANewPageAfterGoingBackDropsTheForwardEntries) {
    ASSERT_TRUE(Open("/a"));
    ASSERT_TRUE(Open("/b"));
    ASSERT_TRUE(Step(&CBrowserWindow::GoBack));
    Commands();
    ASSERT_TRUE(Open("/d"));
    EXPECT_EQ((std::vector<std::wstring>{L"command 1 0", L"command 2 1"}), Commands());
    EXPECT_FALSE(host.browser.CanGoForward());
    ASSERT_TRUE(Step(&CBrowserWindow::GoBack));
    EXPECT_EQ(Url("/a"), host.browser.GetLocationURL());
}

TEST_F(History, ACancelledStepBackLeavesThePageAndTheStates) {
    ASSERT_TRUE(Open("/a"));
    ASSERT_TRUE(Open("/b"));
    Commands();
    host.events.onBefore = [](const std::wstring&, bool& cancel) { cancel = true; };
    ASSERT_TRUE(host.browser.GoBack());
    host.Settle();
    EXPECT_EQ(Url("/b"), host.browser.GetLocationURL());
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(host.browser.CanGoBack());
}

TEST_F(History, RefreshFetchesThePageAgainWithoutTheBeforeEvent) {
    ASSERT_TRUE(Open("/a?x=1"));
    host.events.log.clear();
    server.ClearRequests();
    ASSERT_TRUE(host.browser.Refresh());
    EXPECT_EQ((std::vector<std::wstring>{L"document " + Url("/a?x=1")}), host.events.log);
    ASSERT_EQ(1u, Requests().size());
    EXPECT_EQ("/a?x=1", Requests()[0].target);
}

}  // namespace
}  // namespace browsertest
