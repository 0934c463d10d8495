#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "ControlHost.h"
#include "TestPage.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "slider/BitmapSlider.h"

namespace {

// Away from the screen's corner, where the windows of other test programs appear.
const RECT kFrame = {760, 120, 1060, 180};
const CRect kSliderRect(10, 20, 248, 38);  // the seek bar's 238 x 18
const UINT kSliderId = 1000;

// The thumb's centre runs from 9 (margin 2 + half of the 14-pixel thumb) to 231;
// pixel 9 + 222 * position / 1000.
int PixelOf(int position) { return 9 + 222 * position / 1000; }

CString SkinImage(LPCWSTR name) { return GetProgramFolder() + GetDefaultSkinFolder() + name; }

// The play dialog's seek bar.
void MakeSeekBar(CBitmapSlider& slider) {
    slider.SetFitMode(true);
    slider.SetBackground(L"", 0xFF096DAF);
    slider.SetMarginLeft(2);
    slider.SetChannelImages(SkinImage(L"seeker-after.png"), SkinImage(L"seeker-before.png"));
    slider.SetThumbImages(SkinImage(L"btn-seeker.png"), SkinImage(L"btn-seeker-hover.png"),
                          SkinImage(L"btn-seeker-down.png"));
    slider.SetDrawFocusRect(false);
    slider.SetRange(0, 1000);
}

class BitmapSliderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(kFrame));
        ASSERT_TRUE(slider.Create(L"", WS_CHILD | WS_VISIBLE, kSliderRect, &host, kSliderId));
        MakeSeekBar(slider);
        PumpMessages();
        host.notes.clear();
    }
    void Mouse(UINT message, int x) {
        slider.SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, 9));
    }

    GdiplusScope gdiplus;
    CControlHost host;
    CBitmapSlider slider;
};

enum class Do { Press, Move, Release, Key, SetPos, Disable };
struct STEP {
    Do what;
    int value;  // x for the mouse, key code, position
};
struct SEEN {
    UINT message;
    int position;
    bool operator==(const SEEN& other) const { return message == other.message && position == other.position; }
};
void PrintTo(const SEEN& seen, std::ostream* out) {
    *out << std::hex << "0x" << seen.message << std::dec << "(" << seen.position << ")";
}

struct DragCase {
    const char* name;
    int start;
    std::vector<STEP> steps;
    std::vector<SEEN> notes;
    int end;
};
void PrintTo(const DragCase& c, std::ostream* out) { *out << c.name; }

class SliderInputTest : public BitmapSliderTest, public testing::WithParamInterface<DragCase> {};

TEST_P(SliderInputTest, PostsWhatTheUserDid) {
    const DragCase& c = GetParam();
    slider.SetPos(c.start);
    for (const STEP& step : c.steps) {
        switch (step.what) {
            case Do::Press:
                Mouse(WM_LBUTTONDOWN, step.value);
                break;
            case Do::Move:
                Mouse(WM_MOUSEMOVE, step.value);
                break;
            case Do::Release:
                Mouse(WM_LBUTTONUP, step.value);
                break;
            case Do::Key:
                slider.SendMessage(WM_KEYDOWN, (WPARAM)step.value, 1);
                slider.SendMessage(WM_KEYUP, (WPARAM)step.value, 0xC0000001);
                break;
            case Do::SetPos:
                slider.SetPos(step.value);
                break;
            case Do::Disable:
                slider.EnableSlider(false);
                break;
        }
    }
    host.DeliverNotes();
    std::vector<SEEN> seen;
    for (const auto& note : host.notes) {
        if (note.message == WM_COMMAND) continue;  // the static's own click notices
        EXPECT_EQ(kSliderId, note.wParam);
        seen.push_back(SEEN{note.message, (int)note.lParam});
    }
    EXPECT_EQ(c.notes, seen);
    EXPECT_EQ(c.end, slider.GetPos());
    EXPECT_NE(slider.m_hWnd, GetCapture()) << "no drag is left running";
}

const UINT JUMPED = WM_SLIDER_JUMPED, CLICK = WM_SLIDER_THUMB_CLICK, MOVING = WM_SLIDER_MOVING,
           DRAGGED = WM_SLIDER_DRAGGED, MOVED = WM_SLIDER_MOVED, LEAVE = WM_SLIDER_THUMB_LEAVE;

INSTANTIATE_TEST_SUITE_P(
    Gestures, SliderInputTest,
    testing::Values(
        // Far from the thumb: the thumb jumps there and its centre follows the pointer.
        DragCase{"PressOnTheTrackJumps",
                 0,
                 {{Do::Press, 120}, {Do::Move, 231}, {Do::Release, 231}},
                 {{JUMPED, 500}, {MOVING, 500}, {DRAGGED, 1000}, {MOVED, 1000}},
                 1000},
        DragCase{
            "PressOnTheThumbClicks", 500, {{Do::Press, 120}, {Do::Release, 120}}, {{CLICK, 500}, {MOVED, 500}}, 500},
        // Pressed 4 pixels right of the centre: the centre stays 4 pixels left of the pointer.
        DragCase{"OffCentrePressKeepsItsOffset",
                 500,
                 {{Do::Press, 124}, {Do::Move, 135}, {Do::Release, 135}},
                 {{CLICK, 500}, {MOVING, 500}, {DRAGGED, 549}, {MOVED, 549}},
                 549},
        DragCase{"PressPastTheFarEndClamps",
                 500,
                 {{Do::Press, 300}, {Do::Release, 300}},
                 {{JUMPED, 1000}, {MOVED, 1000}},
                 1000},
        DragCase{
            "PressBeforeTheNearEndClamps", 500, {{Do::Press, -20}, {Do::Release, -20}}, {{JUMPED, 0}, {MOVED, 0}}, 0},
        // A step from above 950 to 0 is carried out; the rest of that drag is ignored.
        DragCase{"StepToZeroFreezesTheRestOfTheDrag",
                 980,
                 {{Do::Press, PixelOf(980)}, {Do::Move, 0}, {Do::Move, 120}, {Do::Release, 120}},
                 {{CLICK, 980}, {MOVING, 980}, {DRAGGED, 0}, {MOVED, 0}},
                 0},
        DragCase{"NextDragAfterTheFreezeMoves",
                 980,
                 {{Do::Press, PixelOf(980)},
                  {Do::Move, 0},
                  {Do::Release, 0},
                  {Do::Press, 9},
                  {Do::Move, 120},
                  {Do::Release, 120}},
                 {{CLICK, 980},
                  {MOVING, 980},
                  {DRAGGED, 0},
                  {MOVED, 0},
                  {CLICK, 0},
                  {MOVING, 0},
                  {DRAGGED, 500},
                  {MOVED, 500}},
                 500},
        DragCase{"OwnerSetsZeroDuringADrag",
                 980,
                 {{Do::Press, PixelOf(980)}, {Do::Move, 230}, {Do::SetPos, 0}, {Do::Move, 120}, {Do::Release, 120}},
                 {{CLICK, 980}, {MOVING, 980}, {DRAGGED, 995}, {MOVED, 0}},
                 0},
        DragCase{"DisabledPostsNothing",
                 500,
                 {{Do::Disable, 0}, {Do::Press, 30}, {Do::Move, 200}, {Do::Release, 200}},
                 {},
                 500},
        DragCase{"DisablingEndsTheDrag",
                 500,
                 {{Do::Press, 120}, {Do::Disable, 0}, {Do::Move, 200}, {Do::Release, 200}},
                 {{CLICK, 500}},
                 500},
        // Without a press: every move outside the thumb, none inside it.
        DragCase{"MovesOutsideTheThumbLeaveIt",
                 500,
                 {{Do::Move, 30}, {Do::Move, 60}, {Do::Move, 122}, {Do::Move, 200}},
                 {{LEAVE, 500}, {LEAVE, 500}, {LEAVE, 500}},
                 500},
        DragCase{"KeysDoNotMoveTheThumb", 500, {{Do::Key, VK_RIGHT}, {Do::Key, VK_END}, {Do::Key, VK_HOME}}, {}, 500}));

TEST_F(BitmapSliderTest, AsksForAllKeysButTab) { EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE)); }

TEST_F(BitmapSliderTest, PositionsAreKeptInTheRange) {
    struct Case {
        int min, max, set, expected;
    };
    const Case cases[] = {
        {0, 1000, 2000, 1000}, {0, 1000, -5, 0}, {0, 1000, 640, 640}, {-50, 50, -51, -50}, {7, 7, 9, 7}};
    for (const Case& c : cases) {
        slider.SetRange(c.min, c.max);
        slider.SetPos(c.set);
        EXPECT_EQ(c.expected, slider.GetPos()) << c.min << ".." << c.max << " set " << c.set;
    }
    slider.SetRange(0, 1000);
    slider.SetPos(900);
    slider.SetRange(0, 100);
    EXPECT_EQ(100, slider.GetPos()) << "a narrower range takes the position in";
}

// A static of a dialog template is made without SS_NOTIFY, so it would let the
// pointer through to the dialog.
TEST(BitmapSliderOnAStatic, TakesThePointer) {
    GdiplusScope gdiplus;
    CControlHost host;
    ASSERT_TRUE(host.Open(kFrame));
    HWND plain = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 238, 18, host.m_hWnd, (HMENU)kSliderId,
                               nullptr, nullptr);
    ASSERT_NE(nullptr, plain);
    POINT inside = {20, 25};
    ClientToScreen(host.m_hWnd, &inside);
    ASSERT_EQ(HTTRANSPARENT, SendMessageW(plain, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)));
    CBitmapSlider slider;
    ASSERT_TRUE(slider.SubclassWindow(plain));
    EXPECT_EQ(HTCLIENT, slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)));
}

// The seek bar at 40 %: played part, thumb, the rest of the channel and the
// background colour where the channel and the thumb leave room. Kept as
// build/.../tests/ui/artifacts/seek-bar-slider.png.
TEST_F(BitmapSliderTest, ScreenshotShowsTheSeekBar) {
    slider.SetPos(400);
    PumpMessages();
    WindowCapture shot(host.m_hWnd);
    ASSERT_TRUE(shot.SavePng(ArtifactsFolder() + L"seek-bar-slider.png"));
    int thumb = kSliderRect.left + PixelOf(400);
    int channel = kSliderRect.top + 7;
    struct Probe {
        const char* what;
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {"played part", kSliderRect.left + 40, channel, ImagePixel(SkinImage(L"seeker-before.png"), 4, 2)},
        {"thumb", thumb, kSliderRect.top + 7, ImagePixel(SkinImage(L"btn-seeker.png"), 7, 7)},
        {"rest of the channel", kSliderRect.left + 200, channel, ImagePixel(SkinImage(L"seeker-after.png"), 0, 2)},
        {"background", kSliderRect.left + 200, kSliderRect.top + 15, RGB(0x09, 0x6D, 0xAF)},
        {"host around it", 4, 4, CControlHost::BACKGROUND},
    };
    for (const Probe& p : probes)
        EXPECT_TRUE(IsNear(p.expected, shot.Pixel(p.x, p.y), 8))
            << p.what << " at " << p.x << "," << p.y << ": " << std::hex << shot.Pixel(p.x, p.y);
}

}  // namespace
