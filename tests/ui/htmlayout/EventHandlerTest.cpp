#include <gtest/gtest.h>

#include <string>

#include "htmlayout/behavior.h"

namespace {

HELEMENT const kElement = reinterpret_cast<HELEMENT>(0x100);
HELEMENT const kTarget = reinterpret_cast<HELEMENT>(0x200);

// Logs the operation that the element procedure reached, with its arguments.
class CRecordingHandler : public htmlayout::event_handler {
public:
    std::string last;
    BOOL answer = TRUE;

    void detached(HELEMENT) override { last = "detached"; }
    void attached(HELEMENT) override { last = "attached"; }
    BOOL on_mouse(HELEMENT, HELEMENT target, UINT cmd, POINT pt, UINT buttons, UINT keys) override {
        return Log("mouse", target, cmd, pt.x * 100 + pt.y, buttons * 10 + keys);
    }
    BOOL on_key(HELEMENT, HELEMENT target, UINT cmd, UINT code, UINT keys) override {
        return Log("key", target, cmd, code, keys);
    }
    BOOL on_focus(HELEMENT, HELEMENT target, UINT cmd) override { return Log("focus", target, cmd, 0, 0); }
    BOOL on_timer(HELEMENT, UINT_PTR id) override { return Log("timer id", nullptr, 0, (int)id, 0); }
    BOOL on_timer(HELEMENT) override { return Log("timer", nullptr, 0, 0, 0); }
    void on_size(HELEMENT) override { last = "size"; }
    BOOL on_scroll(HELEMENT, HELEMENT target, UINT cmd, INT pos, BOOL vertical) override {
        return Log("scroll", target, cmd, pos, vertical);
    }
    BOOL on_draw(HELEMENT, UINT cmd, HDC, const RECT& rc) override { return Log("draw", nullptr, cmd, rc.right, 0); }
    BOOL on_method_call(HELEMENT, UINT id, METHOD_PARAMS*) override { return Log("method", nullptr, 0, id, 0); }
    BOOL on_script_call(HELEMENT, LPCSTR name, UINT argc, const HLVALUE*, HLVALUE&) override {
        return Log(std::string("script ") + name, nullptr, 0, argc, 0);
    }
    BOOL on_event(HELEMENT, HELEMENT target, UINT code, UINT_PTR reason) override {
        return Log("event", target, code, (int)reason, 0);
    }
    BOOL on_data_arrived(HELEMENT, HELEMENT initiator, const BYTE*, UINT size, UINT type) override {
        return Log("data", initiator, 0, size, type);
    }

private:
    BOOL Log(const std::string& name, HELEMENT target, UINT cmd, int a, int b) {
        last = name + (target == kTarget ? " target" : "") + " " + std::to_string(cmd) + " " + std::to_string(a) + " " +
               std::to_string(b);
        return answer;
    }
};

TEST(EventHandlerTest, ElementProcedureUnpacksEachGroupsRecord) {
    INITIALIZATION_PARAMS detach = {BEHAVIOR_DETACH}, attach = {BEHAVIOR_ATTACH};
    MOUSE_PARAMS mouse = {MOUSE_UP | HANDLED, kTarget, {3, 4}, {30, 40}, MAIN_MOUSE_BUTTON, SHIFT_KEY_PRESSED};
    KEY_PARAMS key = {KEY_DOWN, kTarget, VK_DOWN, CONTROL_KEY_PRESSED};
    FOCUS_PARAMS focus = {FOCUS_GOT, kTarget, TRUE};
    SCROLL_PARAMS scroll = {SCROLL_POS, kTarget, 120, TRUE};
    TIMER_PARAMS timerWithId = {5}, timerWithoutId = {0};
    DRAW_PARAMS draw = {DRAW_CONTENT, nullptr, {0, 0, 77, 9}};
    BYTE bytes[3] = {};
    DATA_ARRIVED_PARAMS data = {kTarget, bytes, 3, 2};
    BEHAVIOR_EVENT_PARAMS event = {BUTTON_CLICK, kTarget, 6};
    METHOD_PARAMS method = {7};
    XCALL_PARAMS script = {XCALL, "go", 2, nullptr, {}};

    struct Case {
        UINT group;
        void* params;
        const char* reached;
        BOOL result;  // with every operation answering TRUE
    };
    const Case cases[] = {
        {HANDLE_INITIALIZATION, &detach, "detached", TRUE},
        {HANDLE_INITIALIZATION, &attach, "attached", TRUE},
        {HANDLE_MOUSE, &mouse, "mouse target 65539 304 12", TRUE},
        {HANDLE_KEY, &key, "key target 0 40 1", TRUE},
        {HANDLE_FOCUS, &focus, "focus target 1 0 0", TRUE},
        {HANDLE_SCROLL, &scroll, "scroll target 0 120 1", TRUE},
        {HANDLE_TIMER, &timerWithId, "timer id 0 5 0", TRUE},
        {HANDLE_TIMER, &timerWithoutId, "timer 0 0 0", TRUE},
        {HANDLE_SIZE, nullptr, "size", FALSE},
        {HANDLE_DRAW, &draw, "draw 1 77 0", TRUE},
        {HANDLE_DATA_ARRIVED, &data, "data target 0 3 2", TRUE},
        {HANDLE_BEHAVIOR_EVENT, &event, "event target 0 6 0", TRUE},
        {HANDLE_METHOD_CALL, &method, "method 0 7 0", TRUE},
        {HANDLE_METHOD_CALL, &script, "script go 0 2 0", TRUE},
        {HANDLE_EXCHANGE, &method, "", FALSE},
        {HANDLE_GESTURE, &method, "", FALSE},
        {0x4000, &method, "", FALSE},
    };
    for (const Case& c : cases) {
        CRecordingHandler handler;
        EXPECT_EQ(c.result, htmlayout::event_handler::element_proc(&handler, kElement, c.group, c.params)) << c.reached;
        EXPECT_EQ(c.reached, handler.last);
    }
}

TEST(EventHandlerTest, OperationsAnswerForTheProcedure) {
    CRecordingHandler handler;
    handler.answer = FALSE;
    BEHAVIOR_EVENT_PARAMS event = {BUTTON_CLICK, kTarget, 0};
    EXPECT_FALSE(htmlayout::event_handler::element_proc(&handler, kElement, HANDLE_BEHAVIOR_EVENT, &event));
    EXPECT_FALSE(htmlayout::event_handler::element_proc(nullptr, kElement, HANDLE_BEHAVIOR_EVENT, &event))
        << "a null tag is not handled";

    htmlayout::event_handler plain;  // defaults handle nothing
    MOUSE_PARAMS mouse = {MOUSE_DOWN, kTarget, {}, {}, MAIN_MOUSE_BUTTON, 0};
    EXPECT_FALSE(htmlayout::event_handler::element_proc(&plain, kElement, HANDLE_MOUSE, &mouse));
    EXPECT_EQ(&plain, plain.attach(kElement));
    EXPECT_EQ((UINT)HANDLE_ALL, plain.subscribed_to);
}

// Behaviours attach by exact name; the latest constructed comes first in the list.
class CNamedBehavior : public htmlayout::behavior {
public:
    CNamedBehavior(UINT subscription, LPCSTR name) : htmlayout::behavior(subscription, name) {}
};

TEST(BehaviorTest, FindsTheBehaviourByItsExactName) {
    CNamedBehavior grid(7, "test-grid");
    CNamedBehavior tabs(0x107, "test-tabs");
    struct Case {
        LPCSTR name;
        htmlayout::event_handler* found;
    };
    const Case cases[] = {
        {"test-grid", &grid},    {"test-tabs", &tabs}, {"Test-Grid", nullptr},
        {"test-grid ", nullptr}, {"", nullptr},        {nullptr, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, htmlayout::behavior::find(c.name, kElement)) << (c.name ? c.name : "(null)");
    EXPECT_EQ(0x107u, tabs.subscribed_to);
}

TEST(BehaviorTest, DestroyedBehaviourLeavesTheList) {
    {
        CNamedBehavior shortLived(7, "test-short");
        CNamedBehavior other(7, "test-other");
        EXPECT_EQ(&shortLived, htmlayout::behavior::find("test-short", kElement));
    }
    EXPECT_EQ(nullptr, htmlayout::behavior::find("test-short", kElement));
    EXPECT_EQ(nullptr, htmlayout::behavior::find("test-other", kElement));
}

}  // namespace
