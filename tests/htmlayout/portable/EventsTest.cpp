// Input and events: mouse targets, the two phases, the built-in behaviours, focus,
// hover, keys, posted and sent events and behaviours attached by name.
#include <gtest/gtest.h>

#include <cstdio>

#include "FakeHost.h"
#include "Text.h"

namespace {

using hl::Event;
using hl::Group;
using hl::Node;
using hl::Point;

constexpr const char kPage[] = R"(<html><body><style>
  div { height: 20px; }
  #btn { behavior: button; width: 50px; cursor: pointer; }
  #chk { behavior: checkbox; width: 20px; }
  #slider { behavior: slider; width: 108px; height: 10px; }
  li { height: 20px; }
  .horizontal > li { display: inline-block; width: 40px; height: 16px; }
  #grid { behavior: grid; }
  #unknown { behavior: nosuch; }
</style>
<div id="btn">OK</div>
<div id="chk"></div>
<div id="slider" min="0" max="100" value="10"></div>
<ul id="list"><li id="item" class="video-list">name</li></ul>
<table id="grid"><tr id="row"><td id="cell"><ul class="horizontal" id="actions"><li id="start" class="start"/><li id="action">del</li></ul></td></tr></table>
<div id="unknown"></div>
</body></html>)";

std::string Name(const Node* n) {
    if (!n) return "null";
    if (n->IsText()) return "text(" + hl::Utf16ToUtf8(n->Text()) + ")";
    const std::u16string* id = n->GetAttribute("id");
    return id ? hl::Utf16ToUtf8(*id) : n->Tag();
}

// Writes "who:group:cmd@element>target" lines; answers true for one command.
class Recorder : public hl::EventHandler {
public:
    Recorder(std::string who, std::vector<std::string>& log, const uint32_t& handles = kNone)
        : m_who(std::move(who)), m_log(log), m_handles(handles) {}
    bool Handle(Node* element, const Event& e) override {
        char cmd[16];
        std::snprintf(cmd, sizeof cmd, "%x", e.cmd);
        m_log.push_back(m_who + ":" + std::to_string(static_cast<uint32_t>(e.group)) + ":" + cmd + "@" + Name(element) +
                        ">" + Name(e.target));
        return e.cmd == m_handles;
    }

private:
    static constexpr uint32_t kNone = ~0u;
    std::string m_who;
    std::vector<std::string>& m_log;
    const uint32_t& m_handles;
};

std::shared_ptr<hl::HandlerEntry> Entry(std::unique_ptr<hl::EventHandler> handler, uint32_t subscription) {
    auto entry = std::make_shared<hl::HandlerEntry>();
    entry->handler = std::move(handler);
    entry->subscription = subscription;
    return entry;
}

class Events : public testing::Test {
protected:
    void SetUp() override {
        page.host.behaviors["grid"] = [this](Node*) {
            return Entry(std::make_unique<Recorder>("G", log, gridHandles), 0x107);
        };
        page.document.Load(kPage, u"C:\\skin");
        page.document.WindowHandlers().push_back(Entry(std::make_unique<Recorder>("W", log, windowHandles), 0xFFFF));
        page.document.Update();
        log.clear();
    }
    std::vector<std::string> Only(Group group) const {
        std::vector<std::string> out;
        std::string prefix = ":" + std::to_string(static_cast<uint32_t>(group)) + ":";
        for (const std::string& line : log)
            if (line.find(prefix) != std::string::npos) out.push_back(line);
        return out;
    }
    void Click(Point p, uint32_t keys = 0) {
        page.document.GetInput().MouseDown(p, 1, keys, false);
        page.document.GetInput().MouseUp(p, 1, keys);
    }

    std::vector<std::string> log;  // outlives the page, whose behaviours write to it when they go
    uint32_t gridHandles = ~0u;
    uint32_t windowHandles = ~0u;
    hltest::Page page{"<html></html>"};
};

struct TargetCase {
    Point at;
    const char* target;
};

void PrintTo(const TargetCase& c, std::ostream* out) {
    auto coordinate = [](int v) { return (v < 0 ? "minus " : "") + std::to_string(v < 0 ? -v : v); };
    *out << hltest::Label(std::string(c.target) + " at " + coordinate(c.at.x) + " " + coordinate(c.at.y));
}

class MouseTargets : public Events, public testing::WithParamInterface<TargetCase> {};

TEST_P(MouseTargets, FollowTheTextRule) {
    Node* target = page.document.HitTest(GetParam().at);
    EXPECT_EQ(Name(target), GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(Cases, MouseTargets,
                         testing::Values(TargetCase{{10, 5}, "text(OK)"},    // text in a block: its text run
                                         TargetCase{{40, 5}, "btn"},         // beside the text: the element
                                         TargetCase{{5, 55}, "text(name)"},  // the item's name
                                         TargetCase{{300, 55}, "item"},
                                         TargetCase{{45, 75}, "action"},  // text in an inline block: the block
                                         TargetCase{{5, 75}, "start"}, TargetCase{{100, 75}, "actions"},
                                         TargetCase{{300, 300}, "html"}, TargetCase{{-5, 5}, "null"}));

TEST_F(Events, TargetsServeBothWaysOfFindingTheItem) {
    Node* name = page.document.HitTest({5, 55});
    EXPECT_EQ(*name->Parent()->GetAttribute("class"), u"video-list");  // the target's parent's class
    Node* action = page.document.HitTest({45, 75});
    EXPECT_EQ(Name(action->Parent()->Parent()->Parent()), "row");  // three levels up from the item
}

TEST_F(Events, MouseEventsSinkFromTheWindowAndBubbleBack) {
    page.document.GetInput().MouseDown({45, 75}, 1, 0, false);
    std::vector<std::string> expected = {"W:1:8004@html>action", "G:1:8004@grid>action", "G:1:4@grid>action",
                                         "W:1:4@html>action"};
    std::vector<std::string> mouse;
    for (const std::string& l : Only(Group::Mouse))
        if (l.find(":4@") != std::string::npos || l.find(":8004@") != std::string::npos) mouse.push_back(l);
    EXPECT_EQ(mouse, expected);
}

TEST_F(Events, OnceHandledLaterHandlersSeeTheHandledFlag) {
    gridHandles = 0x8004;
    page.document.GetInput().MouseDown({45, 75}, 1, 0, false);
    std::vector<std::string> mouse;
    for (const std::string& l : Only(Group::Mouse))
        if (l.find("4@") != std::string::npos) mouse.push_back(l);
    std::vector<std::string> expected = {"W:1:8004@html>action", "G:1:8004@grid>action", "G:1:10004@grid>action",
                                         "W:1:10004@html>action"};
    EXPECT_EQ(mouse, expected);
}

TEST_F(Events, ButtonClicksWhenPressedAndReleasedOnIt) {
    Click({10, 5});
    std::vector<std::string> expected = {"W:256:8000@html>btn", "W:256:0@html>btn"};
    EXPECT_EQ(Only(Group::Behavior), expected);
    log.clear();
    page.document.GetInput().MouseDown({10, 5}, 1, 0, false);
    page.document.GetInput().MouseUp({10, 25}, 1, 0);
    EXPECT_TRUE(Only(Group::Behavior).empty());
    page.Root()->SetState(hl::kStateDisabled, 0);
    Click({10, 5});
    EXPECT_TRUE(Only(Group::Behavior).empty());
}

TEST_F(Events, ButtonIsActiveWhilePressed) {
    Node* btn = page.ById("btn");
    page.document.GetInput().MouseDown({10, 5}, 1, 0, false);
    EXPECT_TRUE(btn->State() & hl::kStateActive);
    EXPECT_TRUE(page.Root()->State() & hl::kStateActive);
    page.document.GetInput().MouseUp({10, 5}, 1, 0);
    EXPECT_FALSE(btn->State() & hl::kStateActive);
}

TEST_F(Events, CheckBoxTogglesCheckedAndReportsTheChange) {
    Node* chk = page.ById("chk");
    Click({5, 25});
    EXPECT_TRUE(chk->State() & hl::kStateChecked);
    std::vector<std::string> expected = {"W:256:8002@html>chk", "W:256:2@html>chk"};
    EXPECT_EQ(Only(Group::Behavior), expected);
    Click({5, 25});
    EXPECT_FALSE(chk->State() & hl::kStateChecked);
}

TEST_F(Events, SliderTakesItsValueFromThePointer) {
    Node* slider = page.ById("slider");
    page.document.GetInput().MouseDown({54, 45}, 1, 0, false);  // the middle of the travel
    EXPECT_EQ(*slider->GetAttribute("value"), u"50");
    EXPECT_TRUE(page.host.captured);
    page.document.GetInput().MouseMove({300, 200}, 1, 0);  // beyond the end, still dragging
    EXPECT_EQ(*slider->GetAttribute("value"), u"100");
    page.document.GetInput().MouseUp({300, 200}, 1, 0);
    EXPECT_FALSE(page.host.captured);
    page.document.GetInput().MouseMove({0, 45}, 0, 0);
    EXPECT_EQ(*slider->GetAttribute("value"), u"100");
    size_t changes = 0;
    for (const std::string& l : Only(Group::Behavior))
        if (l == "W:256:2@html>slider") ++changes;
    EXPECT_EQ(changes, 2u);
}

TEST_F(Events, ClickGivesTheFocusAndKeysGoToIt) {
    Node* item = page.ById("item");
    page.document.GetInput().Key(hl::key::kDown, 0x28, 0);
    EXPECT_EQ(Only(Group::Key).back(), "W:2:0@html>html");  // nothing focused: the root
    Click({5, 55});
    EXPECT_EQ(page.document.GetInput().Focus(), item);
    EXPECT_TRUE(item->State() & hl::kStateFocus);
    EXPECT_EQ(Only(Group::Focus).back(), "W:4:1@html>item");
    log.clear();
    page.document.GetInput().Key(hl::key::kDown, 0x28, 0);
    std::vector<std::string> expected = {"W:2:8000@html>item", "W:2:0@html>item"};
    EXPECT_EQ(Only(Group::Key), expected);
    Click({45, 75});
    EXPECT_FALSE(item->State() & hl::kStateFocus);
    EXPECT_EQ(Only(Group::Focus).front(), "W:4:8000@html>item");  // lost, then got
}

TEST_F(Events, HoverFollowsThePointerWithEnterAndLeave) {
    page.document.GetInput().MouseMove({5, 55}, 0, 0);
    EXPECT_TRUE(page.ById("item")->State() & hl::kStateHover);
    EXPECT_TRUE(page.ById("list")->State() & hl::kStateHover);
    log.clear();
    page.document.GetInput().MouseMove({45, 75}, 0, 0);
    EXPECT_FALSE(page.ById("item")->State() & hl::kStateHover);
    EXPECT_TRUE(page.ById("action")->State() & hl::kStateHover);
    std::vector<std::string> mouse = Only(Group::Mouse);
    EXPECT_EQ(mouse[0], "W:1:8001@html>item");
    EXPECT_EQ(mouse[2], "W:1:8000@html>action");
    page.document.GetInput().MouseLeave();
    EXPECT_FALSE(page.Root()->State() & hl::kStateHover);
}

TEST_F(Events, RightClickSetsUpTheContextMenuBeforeTheMouseUp) {
    page.document.GetInput().MouseUp({5, 55}, 2, 0);
    std::vector<std::string> lines;
    for (const std::string& l : log)
        if (l.rfind("W:", 0) == 0 && l.find("8000") == std::string::npos && l.find(":800") == std::string::npos)
            lines.push_back(l);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "W:256:f@html>text(name)");
    EXPECT_EQ(lines[1], "W:1:3@html>text(name)");
}

TEST_F(Events, TheCursorIsTheStyleUnderThePointer) {
    EXPECT_EQ(page.document.GetInput().CursorAt({40, 5}), "pointer");
    EXPECT_EQ(page.document.GetInput().CursorAt({10, 5}), "pointer");  // the text run inherits it
    EXPECT_EQ(page.document.GetInput().CursorAt({5, 55}), "");
}

TEST_F(Events, SizeEventsFollowALayoutThatResizedTheElement) {
    page.document.WindowHandlers().clear();
    Node* grid = page.ById("grid");
    grid->handlers.push_back(Entry(std::make_unique<Recorder>("S", log), 0x20));
    page.document.SetViewSize(900, 600);
    page.document.Update();
    EXPECT_EQ(log, (std::vector<std::string>{"S:32:0@grid>grid"}));
    log.clear();
    page.document.SetViewSize(900, 700);  // the grid keeps its size
    page.document.Update();
    EXPECT_TRUE(log.empty());
}

TEST_F(Events, DoubleClickIsItsOwnCommand) {
    page.document.GetInput().MouseDown({45, 75}, 1, 0, true);
    EXPECT_EQ(Only(Group::Mouse).back(), "W:1:5@html>action");
}

TEST_F(Events, SentEventsArriveAtOncePostedOnesLaterInOrder) {
    Node* cell = page.ById("cell");
    EXPECT_FALSE(page.document.SendEvent(cell, 146, page.ById("action"), 7));
    std::vector<std::string> expected = {"W:256:8092@html>action", "G:256:8092@grid>action", "G:256:92@grid>action",
                                         "W:256:92@html>action"};
    EXPECT_EQ(Only(Group::Behavior), expected);
    log.clear();
    page.document.PostEvent(cell, 130, nullptr, 1);
    page.document.PostEvent(page.ById("row"), 131, nullptr, 2);
    page.document.PostEvent(page.ById("btn"), 0, nullptr, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(page.host.postedSignals, 1);
    page.ById("btn")->Remove();  // an event for an element that left the page is dropped
    page.document.DeliverPostedEvents();
    std::vector<std::string> order = {"W:256:8082@html>cell", "G:256:8082@grid>cell", "G:256:82@grid>cell",
                                      "W:256:82@html>cell",   "W:256:8083@html>row",  "G:256:8083@grid>row",
                                      "G:256:83@grid>row",    "W:256:83@html>row"};
    EXPECT_EQ(Only(Group::Behavior), order);
}

TEST_F(Events, SendReportsWhetherAHandlerTookIt) {
    windowHandles = 146;
    EXPECT_TRUE(page.document.SendEvent(page.ById("cell"), 146, nullptr, 0));
}

TEST_F(Events, BehavioursAttachByNameAndUnknownNamesAttachNothing) {
    EXPECT_EQ(page.host.resolved, (std::vector<std::string>{"grid", "nosuch"}));  // never the built-in names
    EXPECT_EQ(page.ById("grid")->handlers.size(), 1u);
    EXPECT_TRUE(page.ById("unknown")->handlers.empty());
    EXPECT_TRUE(page.ById("btn")->handlers.empty());
    // The attachment was announced to the behaviour at load.
    std::vector<std::string> freshLog;
    hltest::Page fresh{"<html></html>"};
    fresh.host.behaviors["grid"] = [&](Node*) { return Entry(std::make_unique<Recorder>("G", freshLog), 7); };
    fresh.document.Load(kPage, u"");
    EXPECT_EQ(freshLog, (std::vector<std::string>{"G:0:1@grid>grid"}));
    fresh.ById("grid")->Remove();
    fresh.document.Update();
    EXPECT_EQ(freshLog.back(), "G:0:0@grid>grid");
}

TEST_F(Events, ChangingTheBehaviourNameReattaches) {
    std::u16string style = u"behavior: nosuch";
    page.ById("grid")->SetAttribute("style", &style);
    page.document.Update();
    EXPECT_TRUE(page.ById("grid")->handlers.empty());
    EXPECT_EQ(log.back(), "G:0:0@grid>grid");
    page.ById("grid")->SetAttribute("style", nullptr);
    page.document.Update();
    EXPECT_EQ(page.ById("grid")->handlers.size(), 1u);
}

TEST_F(Events, AHandlerMayDeleteTheTargetWhileTheEventTravels) {
    struct Deleter : hl::EventHandler {
        bool Handle(Node*, const Event& e) override {
            if (e.target && e.target->Parent() && e.cmd == (hl::mouse::kDown | hl::kSinking)) e.target->Remove();
            return false;
        }
    };
    page.document.WindowHandlers().insert(page.document.WindowHandlers().begin(),
                                          Entry(std::make_unique<Deleter>(), 0xFFFF));
    page.document.GetInput().MouseDown({45, 75}, 1, 0, false);
    page.document.GetInput().MouseUp({45, 75}, 1, 0);
    EXPECT_EQ(page.ById("action"), nullptr);
}

}  // namespace
