// Window messages and element events through the interface: which messages the
// engine claims, the records handlers receive, behaviours attached by name, and
// posted and sent events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWindow.h"

namespace {

using hltest::TestWindow;

constexpr const char kPage[] =
    "<html><head><style>"
    "#ok { behavior: button; height: 20px; width: 80px; }"
    "#grid { behavior: grid; height: 20px; }"
    "#plain { behavior: nosuch; height: 20px; }"
    "</style></head><body>"
    "<div id=\"ok\">OK</div><div id=\"grid\"><div id=\"cell\">x</div></div><div id=\"plain\"></div>"
    "</body></html>";

struct Seen {
    UINT group;
    UINT cmd;
    HELEMENT he;
    HELEMENT target;
    POINT pos;
    UINT buttons;
    UINT_PTR reason;
};

// An element procedure that records what it receives; its tag is the recorder.
struct Recorder {
    std::vector<Seen> seen;
    UINT takes = ~0u;  // the command it reports handled

    static BOOL CALLBACK Proc(LPVOID tag, HELEMENT he, UINT group, LPVOID prms) {
        auto* self = static_cast<Recorder*>(tag);
        Seen s{group, 0, he, nullptr, {}, 0, 0};
        switch (group) {
            case HANDLE_INITIALIZATION:
                s.cmd = static_cast<INITIALIZATION_PARAMS*>(prms)->cmd;
                break;
            case HANDLE_MOUSE: {
                auto* m = static_cast<MOUSE_PARAMS*>(prms);
                s.cmd = m->cmd;
                s.target = m->target;
                s.pos = m->pos;
                s.buttons = m->button_state;
                break;
            }
            case HANDLE_BEHAVIOR_EVENT: {
                auto* b = static_cast<BEHAVIOR_EVENT_PARAMS*>(prms);
                s.cmd = b->cmd;
                s.target = b->heTarget;
                s.reason = b->reason;
                break;
            }
            default:
                return FALSE;
        }
        self->seen.push_back(s);
        return s.cmd == self->takes;
    }

    std::vector<Seen> Of(UINT group) const {
        std::vector<Seen> out;
        for (const Seen& s : seen)
            if (s.group == group) out.push_back(s);
        return out;
    }
};

// The notification callback: attaches the grid recorder for "grid" only.
struct Behaviours {
    Recorder grid;
    std::vector<std::string> asked;

    static LRESULT CALLBACK Notify(UINT msg, WPARAM, LPARAM lParam, LPVOID param) {
        auto* self = static_cast<Behaviours*>(param);
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (msg != WM_NOTIFY || header->code != HLN_ATTACH_BEHAVIOR) return 0;
        auto* record = reinterpret_cast<NMHL_ATTACH_BEHAVIOR*>(lParam);
        self->asked.push_back(record->behaviorName);
        if (std::string(record->behaviorName) == "grid") {
            record->elementProc = Recorder::Proc;
            record->elementTag = &self->grid;
            record->elementEvents = HANDLE_MOUSE | HANDLE_BEHAVIOR_EVENT;
        }
        return 0;
    }
};

class WindowEvents : public testing::Test {
protected:
    void SetUp() override {
        HTMLayoutSetCallback(window.Hwnd(), Behaviours::Notify, &behaviours);
        HTMLayoutWindowAttachEventHandler(window.Hwnd(), Recorder::Proc, &windowHandler, HANDLE_ALL);
        ASSERT_TRUE(window.Load(kPage));
    }
    void Click(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
        SendMessageW(window.Hwnd(), down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(window.Hwnd(), up, 0, MAKELPARAM(x, y));
    }

    Behaviours behaviours;
    Recorder windowHandler;
    TestWindow window;
};

TEST_F(WindowEvents, TheEngineClaimsOnlyItsOwnMessages) {
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        BOOL claimed;
    } cases[] = {{WM_ERASEBKGND, 0, 0, TRUE},
                 {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), FALSE},
                 {WM_LBUTTONUP, 0, MAKELPARAM(5, 5), FALSE},
                 {WM_RBUTTONUP, 0, MAKELPARAM(5, 5), FALSE},
                 {WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5), FALSE},
                 {WM_NCHITTEST, 0, MAKELPARAM(5, 5), FALSE},
                 {WM_TIMER, 1, 0, FALSE},
                 {WM_TIMER, 7, 0, FALSE},
                 {WM_USER + 301, 0, 0, FALSE},
                 {WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), FALSE},
                 {WM_SIZE, 0, MAKELPARAM(400, 300), FALSE},
                 {WM_COMMAND, 32810, 0, FALSE},
                 {WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Hwnd()), MAKELPARAM(HTBOTTOMRIGHT, WM_MOUSEMOVE),
                  FALSE}};  // a border the window sizes by
    for (const Case& c : cases) {
        BOOL handled = !c.claimed;
        HTMLayoutProcND(window.Hwnd(), c.msg, c.wParam, c.lParam, &handled);
        EXPECT_EQ(handled, c.claimed) << std::hex << c.msg;
    }
    window.offered.clear();
    window.Destroy();
    bool sawCreateOrDestroy = false;
    for (auto& [msg, handled] : window.offered)
        if (msg == WM_DESTROY || msg == WM_NCDESTROY) {
            sawCreateOrDestroy = true;
            EXPECT_FALSE(handled);
        }
    EXPECT_TRUE(sawCreateOrDestroy);
    TestWindow fresh;
    for (auto& [msg, handled] : fresh.offered)
        if (msg == WM_CREATE || msg == WM_NCCREATE) {
            EXPECT_FALSE(handled);
        }
}

TEST_F(WindowEvents, PaintingIsClaimed) {
    InvalidateRect(window.Hwnd(), nullptr, FALSE);
    BOOL handled = FALSE;
    HTMLayoutProcND(window.Hwnd(), WM_PAINT, 0, 0, &handled);
    EXPECT_TRUE(handled);
}

TEST_F(WindowEvents, AClickSinksAndBubblesWithItsRecord) {
    Click(60, 30);  // beside the text of #cell
    std::vector<Seen> mouse = windowHandler.Of(HANDLE_MOUSE);
    std::vector<Seen> downs;
    for (const Seen& s : mouse)
        if ((s.cmd & 0xFF) == MOUSE_DOWN) downs.push_back(s);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].cmd, static_cast<UINT>(MOUSE_DOWN | SINKING));
    EXPECT_EQ(downs[1].cmd, static_cast<UINT>(MOUSE_DOWN));
    HELEMENT cell = window.Select("#cell");
    EXPECT_EQ(downs[1].target, cell);
    EXPECT_EQ(downs[1].buttons, static_cast<UINT>(MAIN_MOUSE_BUTTON));
    EXPECT_EQ(downs[1].he, window.Root());
    std::vector<Seen> grid = behaviours.grid.Of(HANDLE_MOUSE);
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(grid.front().he, window.Select("#grid"));
    EXPECT_EQ(grid.front().pos.x, 60);  // relative to the grid's box
    EXPECT_EQ(grid.front().pos.y, 10);
}

TEST_F(WindowEvents, HandledFlagFollowsOnceABehaviourTookTheEvent) {
    behaviours.grid.takes = MOUSE_DOWN | SINKING;
    Click(60, 30);
    UINT last = 0;
    for (const Seen& s : windowHandler.Of(HANDLE_MOUSE))
        if ((s.cmd & 0xFF) == MOUSE_DOWN) last = s.cmd;
    EXPECT_EQ(last, static_cast<UINT>(MOUSE_DOWN | HANDLED));
}

TEST_F(WindowEvents, ButtonClickReachesTheWindowHandler) {
    Click(60, 10);
    std::vector<Seen> events = windowHandler.Of(HANDLE_BEHAVIOR_EVENT);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].cmd, static_cast<UINT>(BUTTON_CLICK | SINKING));
    EXPECT_EQ(events[1].cmd, static_cast<UINT>(BUTTON_CLICK));
    EXPECT_EQ(events[1].target, window.Select("#ok"));
}

TEST_F(WindowEvents, RightClickSetsUpTheContextMenuFirst) {
    Click(60, 30, WM_RBUTTONDOWN, WM_RBUTTONUP);
    std::vector<UINT> order;
    for (const Seen& s : windowHandler.seen)
        if ((s.group == HANDLE_BEHAVIOR_EVENT && s.cmd == CONTEXT_MENU_SETUP) ||
            (s.group == HANDLE_MOUSE && s.cmd == MOUSE_UP))
            order.push_back(s.group);
    EXPECT_EQ(order, (std::vector<UINT>{HANDLE_BEHAVIOR_EVENT, HANDLE_MOUSE}));
}

TEST_F(WindowEvents, BehavioursAttachByNameAndUnknownNamesAttachNothing) {
    EXPECT_EQ(behaviours.asked, (std::vector<std::string>{"grid", "nosuch"}));
    std::vector<Seen> init = behaviours.grid.Of(HANDLE_INITIALIZATION);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].cmd, static_cast<UINT>(BEHAVIOR_ATTACH));
    EXPECT_EQ(init[0].he, window.Select("#grid"));
    Click(60, 50);  // on #plain: no behaviour sees it
    for (const Seen& s : behaviours.grid.seen) EXPECT_NE(s.target, window.Select("#plain"));
    HTMLayoutDeleteElement(window.Select("#grid"));
    HTMLayoutUpdateWindow(window.Hwnd());
    EXPECT_EQ(behaviours.grid.Of(HANDLE_INITIALIZATION).back().cmd, static_cast<UINT>(BEHAVIOR_DETACH));
}

TEST_F(WindowEvents, SendIsSynchronousAndPostWaitsForTheMessageLoop) {
    HELEMENT cell = window.Select("#cell");
    BOOL handled = TRUE;
    EXPECT_EQ(HTMLayoutSendEvent(cell, ACTIVATE_CHILD, nullptr, 3, &handled), HLDOM_OK);
    EXPECT_FALSE(handled);
    ASSERT_EQ(behaviours.grid.Of(HANDLE_BEHAVIOR_EVENT).size(), 2u);
    EXPECT_EQ(behaviours.grid.Of(HANDLE_BEHAVIOR_EVENT)[1].reason, 3u);
    behaviours.grid.seen.clear();
    windowHandler.takes = TABLE_ROW_CLICK;
    EXPECT_EQ(HTMLayoutPostEvent(cell, TABLE_ROW_CLICK, window.Select("#grid"), 7), HLDOM_OK);
    EXPECT_EQ(HTMLayoutPostEvent(cell, TABLE_ROW_DBL_CLICK, nullptr, 8), HLDOM_OK);
    EXPECT_TRUE(behaviours.grid.Of(HANDLE_BEHAVIOR_EVENT).empty());
    window.PumpMessages();
    std::vector<Seen> events = behaviours.grid.Of(HANDLE_BEHAVIOR_EVENT);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].cmd, static_cast<UINT>(TABLE_ROW_CLICK));
    EXPECT_EQ(events[1].target, window.Select("#grid"));
    EXPECT_EQ(events[3].cmd, static_cast<UINT>(TABLE_ROW_DBL_CLICK));
    EXPECT_EQ(events[3].target, cell);
    handled = FALSE;
    HTMLayoutSendEvent(cell, TABLE_ROW_CLICK, nullptr, 0, &handled);
    EXPECT_TRUE(handled);
}

BOOL CALLBACK DestroyOnClick(LPVOID tag, HELEMENT, UINT group, LPVOID prms) {
    if (group == HANDLE_BEHAVIOR_EVENT && static_cast<BEHAVIOR_EVENT_PARAMS*>(prms)->cmd == BUTTON_CLICK)
        DestroyWindow(static_cast<HWND>(tag));
    return FALSE;
}

TEST_F(WindowEvents, AHandlerMayDestroyTheWindowWhileTheEngineDeliversToIt) {
    HELEMENT ok = window.Select("#ok");
    HTMLayout_UseElement(ok);
    HTMLayoutWindowAttachEventHandler(window.Hwnd(), DestroyOnClick, window.Hwnd(), HANDLE_BEHAVIOR_EVENT);
    Click(60, 10);
    EXPECT_FALSE(IsWindow(window.Hwnd()));
    EXPECT_EQ(window.Attribute(ok, "id"), L"ok");  // the held element outlives its page
    EXPECT_EQ(HTMLayout_UnuseElement(ok), HLDOM_OK);
}

TEST_F(WindowEvents, AttachingTheSameHandlerAgainChangesOnlyItsSubscription) {
    HTMLayoutWindowAttachEventHandler(window.Hwnd(), Recorder::Proc, &windowHandler, HANDLE_BEHAVIOR_EVENT);
    windowHandler.seen.clear();
    Click(60, 10);
    EXPECT_TRUE(windowHandler.Of(HANDLE_MOUSE).empty());
    EXPECT_EQ(windowHandler.Of(HANDLE_BEHAVIOR_EVENT).size(), 2u);
}

}  // namespace
