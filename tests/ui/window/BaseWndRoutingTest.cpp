#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSkinWnd.h"
#include "htmlayout/behavior.h"

namespace {

// Detached elements stand for the targets of the engine's records.
class BaseWndRoutingTest : public testing::Test {
protected:
    void SetUp() override {
        window.MakeManager();
        withId = CreateHtmlElement("li", L"item", {{"id", L"play"}});
        withoutId = CreateHtmlElement("li", L"item", {});
        ASSERT_TRUE(withId.is_valid());
        ASSERT_TRUE(withoutId.is_valid());
    }
    std::vector<std::string>& Log() { return window.Manager()->log; }

    CTestSkinWnd window;
    htmlayout::dom::element withId, withoutId;
};

TEST_F(BaseWndRoutingTest, MouseEventsReachTheManagerWhenBubbling) {
    struct Case {
        UINT cmd;
        UINT buttons;
        bool idTarget;
        const char* logged;  // null: not routed (and not handled)
    };
    const Case cases[] = {
        {MOUSE_UP, MAIN_MOUSE_BUTTON, true, "up play"},
        {MOUSE_UP | HANDLED, MAIN_MOUSE_BUTTON, true, "up play"},
        {MOUSE_UP, PROP_MOUSE_BUTTON, true, "right up play"},
        {MOUSE_UP, MIDDLE_MOUSE_BUTTON, true, nullptr},
        {MOUSE_UP | SINKING, MAIN_MOUSE_BUTTON, true, nullptr},
        {MOUSE_DOWN, MAIN_MOUSE_BUTTON, false, "down (no id)"},
        {MOUSE_DOWN | HANDLED, MAIN_MOUSE_BUTTON, true, "down play"},
        {MOUSE_DOWN, PROP_MOUSE_BUTTON, true, nullptr},
        {MOUSE_DOWN | SINKING | HANDLED, MAIN_MOUSE_BUTTON, true, nullptr},
        {DROP, 0, true, "drop 0 play"},
        {MOUSE_DCLICK, MAIN_MOUSE_BUTTON, true, nullptr},
        {MOUSE_MOVE, 0, true, nullptr},
    };
    for (const Case& c : cases) {
        Log().clear();
        MOUSE_PARAMS params = {c.cmd, c.idTarget ? withId : withoutId, {}, {}, c.buttons, 0};
        EXPECT_EQ(c.logged != nullptr, window.Route(HANDLE_MOUSE, &params) != FALSE) << c.cmd << "/" << c.buttons;
        if (c.logged)
            EXPECT_EQ(std::vector<std::string>{c.logged}, Log());
        else
            EXPECT_TRUE(Log().empty()) << c.cmd << "/" << c.buttons;
    }
}

TEST_F(BaseWndRoutingTest, ManagersAnswerIsTheResult) {
    window.Manager()->answer = false;
    MOUSE_PARAMS params = {MOUSE_UP, withId, {}, {}, MAIN_MOUSE_BUTTON, 0};
    EXPECT_FALSE(window.Route(HANDLE_MOUSE, &params));
    BEHAVIOR_EVENT_PARAMS click = {BUTTON_CLICK, withId, 0};
    EXPECT_FALSE(window.Route(HANDLE_BEHAVIOR_EVENT, &click));
    BEHAVIOR_EVENT_PARAMS row = {TABLE_ROW_DBL_CLICK, withId, 0};
    EXPECT_TRUE(window.Route(HANDLE_BEHAVIOR_EVENT, &row)) << "a double click on a row is always handled";
}

TEST_F(BaseWndRoutingTest, BehaviourEventsReachTheManagerByTheTargetsId) {
    struct Case {
        UINT cmd;
        bool idTarget;
        const char* logged;
        BOOL result;
    };
    const Case cases[] = {
        {BUTTON_CLICK, true, "click play", TRUE},
        {BUTTON_CLICK, false, "click ", TRUE},  // no id: an empty one
        {BUTTON_STATE_CHANGED, true, "changed play", TRUE},
        {MENU_ITEM_CLICK, true, "menu play", TRUE},
        {TABLE_ROW_DBL_CLICK, true, "row play", TRUE},
        {BUTTON_CLICK | SINKING, true, nullptr, FALSE},
        {BUTTON_CLICK | HANDLED, true, nullptr, FALSE},
        {TABLE_ROW_CLICK, true, nullptr, FALSE},
        {ACTIVATE_CHILD, true, nullptr, FALSE},
    };
    for (const Case& c : cases) {
        Log().clear();
        BEHAVIOR_EVENT_PARAMS params = {c.cmd, c.idTarget ? withId : withoutId, 0};
        EXPECT_EQ(c.result, window.Route(HANDLE_BEHAVIOR_EVENT, &params)) << c.cmd;
        if (c.logged)
            EXPECT_EQ(std::vector<std::string>{c.logged}, Log());
        else
            EXPECT_TRUE(Log().empty()) << c.cmd;
    }
}

TEST_F(BaseWndRoutingTest, ContextMenuSetupMakesTheTargetCurrent) {
    BEHAVIOR_EVENT_PARAMS params = {CONTEXT_MENU_SETUP, withId, 0};
    EXPECT_TRUE(window.Route(HANDLE_BEHAVIOR_EVENT, &params));
    EXPECT_EQ((HELEMENT)withId, (HELEMENT)window.Manager()->GetCurrentElement());
    htmlayout::dom::element empty;
    EXPECT_EQ(nullptr, window.Manager()->SetCurrentElement(empty));
    EXPECT_FALSE(window.Manager()->GetCurrentElement().is_valid());
}

TEST_F(BaseWndRoutingTest, WindowWithoutManagerRoutesNothing) {
    CTestSkinWnd bare;
    MOUSE_PARAMS mouse = {MOUSE_UP, withId, {}, {}, MAIN_MOUSE_BUTTON, 0};
    BEHAVIOR_EVENT_PARAMS click = {BUTTON_CLICK, withId, 0};
    EXPECT_FALSE(bare.Route(HANDLE_MOUSE, &mouse));
    EXPECT_FALSE(bare.Route(HANDLE_BEHAVIOR_EVENT, &click));
}

class CTestBehavior : public htmlayout::behavior {
public:
    CTestBehavior() : htmlayout::behavior(0x107, "test-routing-tabs") {}
};

TEST(HtmlNotifyCallbackTest, AttachesTheNamedBehaviourOnly) {
    CTestBehavior tabs;
    struct Case {
        UINT code;
        LPCSTR name;
        bool attached;
    };
    const Case cases[] = {
        {HLN_ATTACH_BEHAVIOR, "test-routing-tabs", true},
        {HLN_ATTACH_BEHAVIOR, "no-such-behaviour", false},
        {HLN_ATTACH_BEHAVIOR + 1, "test-routing-tabs", false},
    };
    for (const Case& c : cases) {
        NMHL_ATTACH_BEHAVIOR record = {};
        record.hdr.code = c.code;
        record.behaviorName = c.name;
        EXPECT_EQ(0, CBaseWnd::HtmlNotifyCallback(WM_NOTIFY, 0, (LPARAM)&record, nullptr)) << c.name;
        if (c.attached) {
            EXPECT_EQ(&htmlayout::event_handler::element_proc, record.elementProc);
            EXPECT_EQ(static_cast<htmlayout::event_handler*>(&tabs), record.elementTag);
            EXPECT_EQ(0x107u, record.elementEvents);
        } else {
            EXPECT_EQ(nullptr, record.elementProc) << c.name;
            EXPECT_EQ(nullptr, record.elementTag) << c.name;
            EXPECT_EQ(0u, record.elementEvents) << c.name;
        }
    }
}

}  // namespace
