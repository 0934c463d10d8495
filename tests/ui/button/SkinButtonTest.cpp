#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ControlHost.h"
#include "TestPage.h"
#include "WindowCapture.h"
#include "button/ButtonHelpers.h"
#include "common/CommonHelpers.h"
#include "files/ScratchFolder.h"

namespace {

// Away from the screen's corner, where the windows of other test programs appear.
const RECT kFrame = {760, 200, 1160, 280};
const CRect kButtonRect(20, 20, 100, 44);
const UINT kButtonId = 1012;
const COLORREF kNormal = RGB(220, 30, 30), kHover = RGB(30, 200, 30), kPressed = RGB(30, 30, 220),
               kDisabled = RGB(128, 128, 128);

// Plain-colour state images of a scratch folder, given to the buttons by full path.
class StateImages {
public:
    StateImages()
        : normal(WritePlainPng(m_folder.File(L"normal.png"), 80, 24, kNormal)),
          hover(WritePlainPng(m_folder.File(L"hover.png"), 80, 24, kHover)),
          pressed(WritePlainPng(m_folder.File(L"pressed.png"), 80, 24, kPressed)),
          disabled(WritePlainPng(m_folder.File(L"disabled.png"), 80, 24, kDisabled)),
          white(WritePlainPng(m_folder.File(L"white.png"), 80, 24, RGB(255, 255, 255))),
          large(WritePlainPng(m_folder.File(L"large.png"), 50, 30, kNormal)),
          missing(CString(m_folder.File(L"missing.png").c_str())) {}
    void GiveTo(CSkinButton& button) const { button.SetStateImages(normal, hover, pressed, disabled); }

private:
    ScratchFolder m_folder;

public:
    const CString normal, hover, pressed, disabled, white, large, missing;
};

// Hover and focus states follow the screen's one pointer: the cases hold the pointer lock
// ("RealPointer"), so that no other test program moves it while a state is drawn.
class SkinButtonRealPointerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(kFrame));
        PumpMessages();
    }
    void Make(CEngComButton& button, LPCWSTR text, DWORD style = 0) {
        ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | style, kButtonRect, &host, kButtonId));
    }
    // The host as drawn, after the pending paints.
    std::unique_ptr<WindowCapture> Capture() {
        PumpMessages();
        return std::make_unique<WindowCapture>(host.m_hWnd);
    }
    // The host as drawn after the action. The test programs share one screen: another
    // one's window may take the activation, and with it the focus or the mouse capture
    // the action gave, before the picture is taken; then the host is activated and the
    // action done again.
    std::unique_ptr<WindowCapture> CaptureAfter(const std::function<void()>& act) {
        std::unique_ptr<WindowCapture> shot;
        for (int attempt = 0; attempt < 5; ++attempt) {
            SetForegroundWindow(host.m_hWnd);
            if (act) act();
            HWND focus = ::GetFocus(), capture = ::GetCapture();
            shot = Capture();
            if (::GetFocus() == focus && ::GetCapture() == capture) break;
        }
        return shot;
    }
    // A corner of the button that the text does not reach.
    COLORREF Corner(const WindowCapture& shot) { return shot.Pixel(kButtonRect.right - 4, kButtonRect.bottom - 4); }

    GdiplusScope gdiplus;
    CControlHost host;
    StateImages images;
};

struct StateCase {
    const char* name;
    DWORD style;
    std::function<void(CEngComButton&, const StateImages&)> act;
    COLORREF expected;
};
void PrintTo(const StateCase& c, std::ostream* out) { *out << c.name; }

class SkinButtonStateRealPointerTest : public SkinButtonRealPointerTest, public testing::WithParamInterface<StateCase> {};

TEST_P(SkinButtonStateRealPointerTest, DrawsTheImageOfItsState) {
    const StateCase& c = GetParam();
    CEngComButton button;
    Make(button, L"", c.style);
    images.GiveTo(button);
    auto shot = CaptureAfter([&] {
        if (c.act) c.act(button, images);
    });
    if (c.expected == CLR_INVALID)
        EXPECT_FALSE(IsNear(kNormal, Corner(*shot), 40)) << std::hex << Corner(*shot);
    else
        EXPECT_TRUE(IsNear(c.expected, Corner(*shot), 6)) << std::hex << Corner(*shot);
    if (GetCapture() == button.m_hWnd) button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Press(CEngComButton& button, const StateImages&) {
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
}

INSTANTIATE_TEST_SUITE_P(
    States, SkinButtonStateRealPointerTest,
    testing::Values(
        StateCase{"Normal", 0, nullptr, kNormal},
        StateCase{"FocusShowsHover", 0, [](CEngComButton& b, const StateImages&) { b.SetFocus(); }, kHover},
        StateCase{"Pressed", 0, Press, kPressed},
        StateCase{"Disabled", 0, [](CEngComButton& b, const StateImages&) { b.EnableWindow(FALSE); }, kDisabled},
        // Created disabled, the button never hears WM_ENABLE.
        StateCase{"CreatedDisabled", WS_DISABLED, nullptr, kDisabled},
        StateCase{"PressedWhileDisabled", 0,
                  [](CEngComButton& b, const StateImages& i) {
                      b.EnableWindow(FALSE);
                      Press(b, i);
                  },
                  kDisabled},
        StateCase{"Latched", 0, [](CEngComButton& b, const StateImages&) { b.SetLatched(true); }, kPressed},
        StateCase{"EmptyNamesKeepTheImages", 0,
                  [](CEngComButton& b, const StateImages&) { b.SetStateImages(L"", L"", L"", L""); }, kNormal},
        StateCase{"ReplacedNormalImage", 0,
                  [](CEngComButton& b, const StateImages& i) { b.SetStateImages(i.disabled, L"", L"", L""); },
                  kDisabled},
        // No normal image (CLR_INVALID: any colour but the old image's): only the background.
        StateCase{"FailedNormalImage", 0,
                  [](CEngComButton& b, const StateImages& i) { b.SetStateImages(i.missing, L"", L"", L""); },
                  CLR_INVALID}));

struct TextCase {
    const char* name;
    Gdiplus::ARGB hoverColor;
    std::function<void(CEngComButton&)> act;
    COLORREF expected;
    COLORREF absent;
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class SkinButtonTextRealPointerTest : public SkinButtonRealPointerTest, public testing::WithParamInterface<TextCase> {};

// Text on white images: red normally, blue pressed, green while hovering when the
// hover colour has an alpha part.
TEST_P(SkinButtonTextRealPointerTest, DrawsTheTextInTheColourOfItsState) {
    const TextCase& c = GetParam();
    CEngComButton button;
    Make(button, L"WWWW");
    button.SetStateImages(images.white, images.white, images.white, images.white);
    SetButtonTextStyle(button, 18, 0xFFFF0000, c.hoverColor, 0xFF0000FF, 4, 2);
    auto shot = CaptureAfter([&] {
        if (c.act) c.act(button);
    });
    EXPECT_TRUE(HasColorNear(*shot, kButtonRect, c.expected, 40)) << "text colour missing";
    EXPECT_FALSE(HasColorNear(*shot, kButtonRect, c.absent, 40)) << "another look's colour";
    if (GetCapture() == button.m_hWnd) button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, SkinButtonTextRealPointerTest,
    testing::Values(TextCase{"Normal", 0xFF00FF00, nullptr, RGB(255, 0, 0), RGB(0, 0, 255)},
                    TextCase{"HoverWithAlpha", 0xFF00FF00, [](CEngComButton& b) { b.SetFocus(); }, RGB(0, 255, 0),
                             RGB(255, 0, 0)},
                    TextCase{"HoverWithoutAlpha", 0x0000FF00, [](CEngComButton& b) { b.SetFocus(); }, RGB(255, 0, 0),
                             RGB(0, 255, 0)},
                    TextCase{"Pressed", 0xFF00FF00,
                             [](CEngComButton& b) { b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); },
                             RGB(0, 0, 255), RGB(255, 0, 0)}));

TEST_F(SkinButtonRealPointerTest, SizesItselfToItsNormalImage) {
    struct Case {
        const char* name;
        std::function<void(CEngComButton&)> images;
        SIZE expected;
    };
    const Case cases[] = {
        {"DefaultSkinImage", nullptr, {80, 24}},
        {"OwnImage", [this](CEngComButton& b) { b.SetStateImages(images.large, L"", L"", L""); }, {50, 30}},
        // A failed load leaves no image, and the button keeps its size.
        {"FailedImage", [this](CEngComButton& b) { b.SetStateImages(images.missing, L"", L"", L""); }, {60, 20}},
    };
    for (const Case& c : cases) {
        CEngComButton button;
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, CRect(20, 20, 80, 40), &host, kButtonId));
        if (c.images) c.images(button);
        button.SizeToImage();
        CRect r;
        button.GetWindowRect(&r);
        host.ScreenToClient(&r);
        EXPECT_EQ(c.expected.cx, r.Width()) << c.name;
        EXPECT_EQ(c.expected.cy, r.Height()) << c.name;
        EXPECT_EQ(CPoint(20, 20), r.TopLeft()) << c.name << ": not moved";
    }
}

TEST_F(SkinButtonRealPointerTest, SpaceDoesNotClick) {
    struct Case {
        const char* name;
        std::function<void(CEngComButton&)> input;
        size_t clicks;
    };
    const Case cases[] = {
        {"Space",
         [](CEngComButton& b) {
             b.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
             b.SendMessage(WM_CHAR, L' ', 0x00390001);
             b.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
         },
         0},
        {"Mouse",
         [](CEngComButton& b) {
             b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         1},
    };
    for (const Case& c : cases) {
        CEngComButton button;
        Make(button, L"确定");
        button.SetFocus();
        host.notes.clear();
        c.input(button);
        PumpMessages();
        size_t clicks = 0;
        for (const auto& note : host.Notes(WM_COMMAND))
            if (LOWORD(note.wParam) == kButtonId && HIWORD(note.wParam) == BN_CLICKED) ++clicks;
        EXPECT_EQ(c.clicks, clicks) << c.name;
    }
}

TEST_F(SkinButtonRealPointerTest, OwnerDrawStylesAreAdded) {
    CEngComButton created;
    Make(created, L"a");
    HWND plain = CreateWindowW(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 120, 20, 80, 24, host.m_hWnd,
                               (HMENU)1013, nullptr, nullptr);
    CEngComButton subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(plain));
    for (CEngComButton* button : {&created, &subclassed}) {
        LONG style = GetWindowLongW(button->m_hWnd, GWL_STYLE);
        EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK);
        EXPECT_NE(0, style & BS_NOTIFY);
    }
}

// The parent's pixels under a button: copied when the parent clips its children, left
// alone when it does not.
TEST(SkinButtonParentBackground, ErasesWithTheParentsPixelsOnlyUnderAClippingParent) {
    GdiplusScope gdiplus;
    struct Case {
        const char* name;
        bool clipChildren;
        COLORREF expected;
    };
    const Case cases[] = {{"ClippingParent", true, CControlHost::BACKGROUND}, {"PlainParent", false, RGB(255, 0, 255)}};
    for (const Case& c : cases) {
        CControlHost host;
        ASSERT_TRUE(host.Open(kFrame, c.clipChildren));
        CEngComButton button;
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, kButtonRect, &host, kButtonId));
        button.SetParentBackground();
        PumpMessages();
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kButtonRect.Width(), kButtonRect.Height());
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, kButtonRect.Width(), kButtonRect.Height()};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(memory, &all, magenta);
        DeleteObject(magenta);
        EXPECT_EQ(TRUE, button.SendMessage(WM_ERASEBKGND, (WPARAM)memory)) << c.name;
        EXPECT_TRUE(IsNear(c.expected, GetPixel(memory, 5, 5), 6)) << c.name << std::hex << GetPixel(memory, 5, 5);
        EXPECT_EQ(c.clipChildren, (GetWindowLongW(host.m_hWnd, GWL_STYLE) & WS_CLIPCHILDREN) != 0)
            << c.name << ": the parent's style is given back";
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
}

// The program's default button in its four looks, side by side. Kept as
// build/.../tests/ui/artifacts/skin-button-states.png.
TEST_F(SkinButtonRealPointerTest, ScreenshotShowsTheFourStates) {
    LPCWSTR texts[] = {L"正常", L"悬停", L"按下", L"禁用"};
    LPCWSTR files[] = {L"skin_button_up.png", L"skin_button_in.png", L"skin_button_down.png", L"skin_button_grey.png"};
    CEngComButton buttons[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(buttons[i].Create(texts[i], WS_CHILD | WS_VISIBLE, CRect(10 + 95 * i, 28, 90 + 95 * i, 52), &host,
                                      kButtonId + i));
        SetButtonTextStyle(buttons[i], 12, 0xFF333333, 0xFF1060C0, 0xFFFFFFFF, 28, 5);
    }
    auto shot = CaptureAfter([&] {
        buttons[1].SetFocus();
        buttons[2].SendMessage(BM_SETSTATE, TRUE);
        buttons[3].EnableWindow(FALSE);
    });
    ASSERT_TRUE(shot->SavePng(ArtifactsFolder() + L"skin-button-states.png"));
    CString folder = GetProgramFolder() + L"controls\\SkinButton\\";
    for (int i = 0; i < 4; ++i) {
        COLORREF expected = ImagePixel(folder + files[i], 76, 20);
        COLORREF seen = shot->Pixel(10 + 95 * i + 76, 28 + 20);
        EXPECT_TRUE(IsNear(expected, seen, 6)) << CStringA(files[i]).GetString() << std::hex << " " << seen;
    }
}

}  // namespace
