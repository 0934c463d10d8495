// The main window's title bar under the real pointer: its buttons fire on a press and
// release, the rest of the strip drags the dialog and a double click there maximises.
// After the press the pointer is driven from a second thread, so the gesture ends even
// when a move loop holds this thread until the button goes up.
#include "MainWndFixture.h"

#include <functional>
#include <thread>

#include "PointerInput.h"
#include "config/UserConfig.h"

namespace {

class MainWndCaptionRealPointerTest : public MainWndTest {
protected:
    POINT ScreenPoint(POINT client) {
        ::ClientToScreen(Wnd().m_hWnd, &client);
        return client;
    }
    POINT ElementCentre(LPCWSTR id) {
        RECT box = ElementRect(id);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    // Presses at the point, then takes the steps 50 ms apart.
    void PressThen(POINT pressAt, const std::vector<std::function<void()>>& steps) {
        MovePointer(pressAt);
        PumpFor(40);
        PressLeft(true);
        std::thread rest([steps] {
            for (const auto& step : steps) {
                Sleep(50);
                step();
            }
        });
        PumpFor(100 + 50 * (DWORD)steps.size());
        rest.join();
        PumpFor(100);
    }
    static std::function<void()> Button(bool down) {
        return [down] { PressLeft(down); };
    }
    static std::function<void()> MoveTo(POINT screen) {
        return [screen] { MovePointer(screen); };
    }
    static std::string WorkArea() {
        RECT area = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return Show(area);
    }
    bool DialogGot(const std::string& message) const {
        const std::vector<std::string>& seen = DialogMessages();
        return std::find(seen.begin(), seen.end(), message) != seen.end();
    }
    const std::string kCaptionDrag = "WM_NCLBUTTONDOWN " + std::to_string(HTCAPTION);
};

TEST_F(MainWndCaptionRealPointerTest, ButtonsAndMenusOfTheTitleBarAreNoDragArea) {
    Open();
    const struct {
        LPCWSTR id;
        bool drag;
    } cases[] = {
        {L"logo", true},         {L"caption-space", true}, {L"file", false}, {L"option", false}, {L"help", false},
        {L"change-skin", false}, {L"min", false},          {L"max", false},  {L"close", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.drag, Manager().IsDragArea(ElementCentre(c.id))) << CStringA(c.id).GetString();
    // Below the strip nothing drags, a button or not.
    RECT top2 = ElementRect(L"top2");
    EXPECT_FALSE(Manager().IsDragArea({top2.left + 300, top2.top + 5}));
}

TEST_F(MainWndCaptionRealPointerTest, PressAndReleaseOnTheTitleBarButtonsHaveTheirEffect) {
    Open();
    RecordDialogMessages(true);
    windows.calls.clear();
    PressThen(ScreenPoint(ElementCentre(L"min")), {Button(false)});
    EXPECT_TRUE(Called("MinimizeToTray"));

    PressThen(ScreenPoint(ElementCentre(L"close")), {Button(false)});
    EXPECT_TRUE(DialogGot("WM_CLOSE 0"));

    PressThen(ScreenPoint(ElementCentre(L"max")), {Button(false)});
    EXPECT_TRUE(CUserConfig::GetInstance().GetAllConfig().MaximizeWindow);
    EXPECT_EQ(WorkArea(), Show(DialogRect()));
    EXPECT_FALSE(DialogGot(kCaptionDrag));
}

TEST_F(MainWndCaptionRealPointerTest, PressDragOnAnEmptyPartOfTheCaptionMovesTheDialog) {
    Open();
    RecordDialogMessages(true);
    RECT before = DialogRect();
    POINT from = ScreenPoint(ElementCentre(L"caption-space"));
    PressThen(from, {MoveTo({from.x + 30, from.y + 20}), MoveTo({from.x + 60, from.y + 40}), Button(false)});
    EXPECT_TRUE(DialogGot(kCaptionDrag));
    RECT after = DialogRect();
    EXPECT_EQ(Show({before.left + 60, before.top + 40, before.right + 60, before.bottom + 40}), Show(after));
}

TEST_F(MainWndCaptionRealPointerTest, DoubleClickOnAnEmptyPartOfTheCaptionMaximises) {
    Open();
    RecordDialogMessages(true);
    PressThen(ScreenPoint(ElementCentre(L"caption-space")), {Button(false), Button(true), Button(false)});
    EXPECT_TRUE(CUserConfig::GetInstance().GetAllConfig().MaximizeWindow);
    EXPECT_EQ(WorkArea(), Show(DialogRect()));
}

}  // namespace
