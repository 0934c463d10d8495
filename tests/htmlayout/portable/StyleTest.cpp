// Style: the cascade of sheet, "style" attribute and run-time properties, computed
// values as the interface reports them, states and URLs.
#include <gtest/gtest.h>

#include "Css.h"
#include "FakeHost.h"
#include "Text.h"

namespace {

using hl::Node;

constexpr const char kPage[] = R"(<html><head><style>
  body { color: #336699; font-family: "SimSun"; font-size: 12px; }
  div { display: block; width: 600px; }
  #slider { width: 50%; margin: 2px 4px; background: #fff url(Images\default\bar.png) no-repeat right center; }
  .btn { background-image: url("Images\default\play.png"); cursor: pointer; }
  .btn:hover { background-image: url(Images\default\play-hover.png); }
  .btn[mode=pause] { background-image: url(Images\default\pause.png); }
  .btn:disabled { background-image: url('Images\default\play-unable.png'); }
  li { color: red; }
  ul li.item { color: green; }
  li.item { color: blue; }
  #avatar { border: 1px solid #c0c0c0; }
  /* comment with { braces } */
  @media print { li { color: black; } }
  broken { color: ; } li[ { color: black } .after { font-weight: bold }
</style></head><body>
  <div id="box"><div id="slider"></div></div>
  <span id="btn" class="btn">play</span>
  <ul><li id="plain">a</li><li id="item" class="item">b</li><li id="inline" class="item" style="color: #010203; padding-left: 7px">c</li></ul>
  <p id="avatar" style="background-image: url(C:\Users\me\AppData\Local\Temp\av.tmp);"></p>
  <p id="after" class="after">x</p>
</body></html>)";

class StyleTest : public testing::Test {
protected:
    std::string Computed(const char* id, const char* name) {
        page.document.Update();
        Node* n = page.ById(id);
        return hl::Utf16ToUtf8(hl::FormatProperty(n->style, hl::FindProperty(name), n->box));
    }
    void SetStyle(const char* id, const char* name, const char* value) {
        for (const hl::Declaration& d : hl::ParseProperty(name, value)) page.ById(id)->SetRuntimeStyle(d.id, &d.value);
    }

    hltest::Page page{kPage};
};

struct ComputedCase {
    const char* id;
    const char* property;
    const char* value;
};

void PrintTo(const ComputedCase& c, std::ostream* out) { *out << hltest::Label(std::string(c.id) + " " + c.property); }

class ComputedValues : public StyleTest, public testing::WithParamInterface<ComputedCase> {};

TEST_P(ComputedValues, AreWhatTheInterfaceReports) {
    EXPECT_EQ(Computed(GetParam().id, GetParam().property), GetParam().value)
        << GetParam().id << " " << GetParam().property;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputedValues,
    testing::Values(ComputedCase{"box", "display", "block"}, ComputedCase{"box", "width", "600px"},
                    ComputedCase{"slider", "width", "300px"},  // 50% of the 600 of its container
                    ComputedCase{"slider", "margin-left", "4px"}, ComputedCase{"slider", "margin-top", "2px"},
                    ComputedCase{"slider", "background-color", "#ffffff"},
                    ComputedCase{"slider", "background-image", "C:\\skin\\Images\\default\\bar.png"},
                    ComputedCase{"slider", "background-repeat", "no-repeat"},
                    ComputedCase{"slider", "background-position", "100% 50%"}, ComputedCase{"btn", "display", "inline"},
                    ComputedCase{"btn", "color", "#336699"},  // inherited
                    ComputedCase{"btn", "font-family", "SimSun"}, ComputedCase{"btn", "cursor", "pointer"},
                    ComputedCase{"btn", "background-image", "C:\\skin\\Images\\default\\play.png"},
                    ComputedCase{"plain", "color", "#ff0000"}, ComputedCase{"plain", "display", "list-item"},
                    ComputedCase{"item", "color", "#008000"},    // more specific wins over later
                    ComputedCase{"inline", "color", "#010203"},  // the style attribute over the sheet
                    ComputedCase{"inline", "padding-left", "7px"},
                    ComputedCase{"avatar", "background-image", "C:\\Users\\me\\AppData\\Local\\Temp\\av.tmp"},
                    ComputedCase{"avatar", "border-top-width", "1px"},
                    ComputedCase{"avatar", "border-left-color", "#c0c0c0"},
                    ComputedCase{"avatar", "border-right-style", "solid"},
                    ComputedCase{"after", "font-weight", "bold"},  // broken rules before it are skipped
                    ComputedCase{"after", "color", "#336699"}, ComputedCase{"plain", "behavior", "none"}));

TEST_F(StyleTest, UnknownPropertiesHaveNoValue) {
    EXPECT_EQ(hl::FindProperty("no-such-thing"), hl::PropertyId::Count);
    EXPECT_EQ(hl::FindProperty("BACKGROUND-COLOR"), hl::PropertyId::BackgroundColor);
}

TEST_F(StyleTest, ImagesFollowStatesAndAttributes) {
    Node* btn = page.ById("btn");
    btn->SetState(hl::kStateHover, 0);
    EXPECT_EQ(Computed("btn", "background-image"), "C:\\skin\\Images\\default\\play-hover.png");
    std::u16string pause = u"pause";
    btn->SetAttribute("mode", &pause);
    EXPECT_EQ(Computed("btn", "background-image"), "C:\\skin\\Images\\default\\pause.png");
    btn->SetState(hl::kStateDisabled, hl::kStateHover);
    EXPECT_EQ(Computed("btn", "background-image"), "C:\\skin\\Images\\default\\play-unable.png");
    btn->SetState(0, hl::kStateDisabled);
    btn->SetAttribute("mode", nullptr);
    EXPECT_EQ(Computed("btn", "background-image"), "C:\\skin\\Images\\default\\play.png");
}

TEST(StyleChanges, ReachWhatInheritsAndWhatTestsAnAncestor) {
    hltest::Page page(R"(<html><head><style>
      .menu:hover .entry { color: #ff0000; }
      .entry:hover { font-weight: bold; }
      [mode=on] > .entry { font-size: 20px; }
    </style></head><body><ul id="menu" class="menu"><li id="entry" class="entry"><span id="label">x</span></li></ul>
    <p id="other" class="entry">y</p></body></html>)");
    auto computed = [&](const char* id, hl::PropertyId property) {
        page.document.Update();
        Node* n = page.ById(id);
        return hl::Utf16ToUtf8(hl::FormatProperty(n->style, property, n->box));
    };
    page.ById("menu")->SetState(hl::kStateHover, 0);
    EXPECT_EQ(computed("label", hl::PropertyId::Color), "#ff0000");
    EXPECT_EQ(computed("other", hl::PropertyId::Color), "#000000");
    page.ById("entry")->SetState(hl::kStateHover, 0);
    EXPECT_EQ(computed("label", hl::PropertyId::FontWeight), "bold");
    std::u16string on = u"on";
    page.ById("menu")->SetAttribute("mode", &on);
    EXPECT_EQ(computed("label", hl::PropertyId::FontSize), "20px");
    page.ById("menu")->SetState(0, hl::kStateHover);
    page.ById("entry")->SetState(0, hl::kStateHover);
    EXPECT_EQ(computed("label", hl::PropertyId::Color), "#000000");
    EXPECT_EQ(computed("label", hl::PropertyId::FontWeight), "normal");
}

TEST_F(StyleTest, RunTimeStyleOverridesAndRemoves) {
    SetStyle("inline", "color", "#0000ff");
    EXPECT_EQ(Computed("inline", "color"), "#0000ff");
    SetStyle("slider", "foreground-offset-right", "123px;");
    EXPECT_EQ(Computed("slider", "foreground-offset-right"), "123px");
    SetStyle("box", "display", "none");
    EXPECT_EQ(Computed("box", "display"), "none");
    EXPECT_EQ(Computed("box", "width"), "600px");  // not laid out: the declared width
    page.ById("inline")->SetRuntimeStyle(hl::PropertyId::Color, nullptr);
    EXPECT_EQ(Computed("inline", "color"), "#010203");
    SetStyle("box", "margin", "1px 2px 3px");
    EXPECT_EQ(Computed("box", "margin-bottom"), "3px");
    EXPECT_EQ(Computed("box", "margin-left"), "2px");
}

TEST_F(StyleTest, ChangingTheStyleAttributeRestyles) {
    std::u16string style = u"color: rgb(1, 2, 3)";
    page.ById("plain")->SetAttribute("style", &style);
    EXPECT_EQ(Computed("plain", "color"), "#010203");
    page.ById("plain")->SetAttribute("style", nullptr);
    EXPECT_EQ(Computed("plain", "color"), "#ff0000");
}

struct ValueCase {
    const char* text;
    bool ok;
    hl::Argb color;
};

TEST(CssValues, Colors) {
    const ValueCase cases[] = {{"#fff", true, 0xFFFFFFFF},
                               {"#102030", true, 0xFF102030},
                               {"#80102030", true, 0x80102030},
                               {"rgba(255,0,0,0.5)", true, 0x80FF0000},
                               {"Transparent", true, 0},
                               {"#ggg", false, 0},
                               {"#12345", false, 0},
                               {"rgb(1)", false, 0},
                               {"chartreuse-ish", false, 0}};
    for (const ValueCase& c : cases) {
        hl::Argb color = 0;
        EXPECT_EQ(hl::ParseColor(c.text, color), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(color, c.color) << c.text;
        }
    }
}

TEST(CssValues, UrlsKeepBackslashesAndJoinTheFolder) {
    const struct {
        const char* text;
        const char16_t* resolved;
    } cases[] = {{"url(Images\\default\\a.png)", u"C:\\p\\Images\\default\\a.png"},
                 {"url( \"Images\\x y.png\" )", u"C:\\p\\Images\\x y.png"},
                 {"url(D:\\abs\\b.png)", u"D:\\abs\\b.png"},
                 {"url(\\\\server\\share\\c.png)", u"\\\\server\\share\\c.png"}};
    for (const auto& c : cases) {
        std::u16string path;
        ASSERT_TRUE(hl::ParseUrl(c.text, path)) << c.text;
        EXPECT_EQ(hl::ResolvePath(u"C:\\p\\", path), c.resolved) << c.text;
    }
    std::u16string path;
    EXPECT_FALSE(hl::ParseUrl("Images\\a.png", path));
}

}  // namespace
