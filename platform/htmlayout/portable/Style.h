// Computed style of an element: typed values, the reading of declared values, and
// the computed values as text for the interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hl {

enum class PropertyId : uint8_t;
struct Declaration;
struct Box;

struct Length {
    enum class Unit : uint8_t { Auto, Px, Percent, Flex };  // Flex: "*", a share of what is left
    Unit unit = Unit::Auto;
    float value = 0;

    static Length Px(float v) { return {Unit::Px, v}; }
    bool IsAuto() const { return unit == Unit::Auto; }
    // Pixels against a base (for percentages); fallback for auto and flex.
    int Resolve(int base, int fallback) const;
};

enum class Display : uint8_t { None, Block, Inline, InlineBlock, ListItem, Table, TableRowGroup, TableRow, TableCell };
enum class Flow : uint8_t { Vertical, Horizontal };
enum class Position : uint8_t { Static, Relative, Absolute };
enum class Overflow : uint8_t { Visible, Hidden, Auto, Scroll };
enum class Repeat : uint8_t { Repeat, RepeatX, RepeatY, NoRepeat, Stretch };
enum class TextAlign : uint8_t { Left, Center, Right };
enum class VerticalAlign : uint8_t { Top, Middle, Bottom };
enum class BorderStyle : uint8_t { None, Solid, Dashed, Dotted };

struct ImageLayer {
    std::u16string url;  // resolved file path; empty for none
    Repeat repeat = Repeat::Repeat;
    Length x = Length::Px(0), y = Length::Px(0);
};

using Argb = uint32_t;  // 0 is transparent

struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Horizontal() const { return left + right; }
    int Vertical() const { return top + bottom; }
};

struct ComputedStyle {
    Display display = Display::Inline;
    Flow flow = Flow::Vertical;
    Position position = Position::Static;
    Length left, top, right, bottom, width, height;
    Length margin[4] = {Length::Px(0), Length::Px(0), Length::Px(0), Length::Px(0)};  // left, top, right, bottom
    Length padding[4] = {Length::Px(0), Length::Px(0), Length::Px(0), Length::Px(0)};
    int borderWidth[4] = {3, 3, 3, 3};  // used only where the style is not none
    BorderStyle borderStyle[4] = {};
    Argb borderColor[4] = {};
    bool borderColorIsText[4] = {true, true, true, true};  // "currentcolor"
    Argb background = 0;
    ImageLayer backgroundImage;
    ImageLayer foregroundImage;
    Length foregroundOffset[4] = {Length::Px(0), Length::Px(0), Length::Px(0), Length::Px(0)};
    // Inherited:
    Argb color = 0xFF000000;
    std::u16string fontFamily = u"SimSun";
    int fontSize = 12;
    bool bold = false;
    bool italic = false;
    TextAlign textAlign = TextAlign::Left;
    Length lineHeight;    // auto: from the font
    bool hidden = false;  // visibility: hidden
    std::string cursor;   // empty: auto
    // Not inherited:
    VerticalAlign verticalAlign = VerticalAlign::Top;
    Overflow overflow = Overflow::Visible;
    std::string behavior;
    std::u16string thumbImage;

    int BorderWidth(int side) const { return borderStyle[side] == BorderStyle::None ? 0 : borderWidth[side]; }
    Argb BorderColor(int side) const { return borderColorIsText[side] ? color : borderColor[side]; }
    bool IsBlockLevel() const { return display != Display::Inline && display != Display::InlineBlock; }
};

// The initial style of an element below parent: inherited properties from the
// parent, the others initial.
ComputedStyle InitialStyle(const ComputedStyle& parent);
// Applies one declared value; a value it cannot read leaves the style unchanged.
// Relative URLs are joined to baseFolder (with its trailing separator).
void ApplyDeclaration(ComputedStyle& style, const Declaration& declaration, const ComputedStyle& parent,
                      const std::u16string& baseFolder);
// The computed value as the interface reports it; width and height are the laid-out
// sizes when the box was laid out.
std::u16string FormatProperty(const ComputedStyle& style, PropertyId id, const Box& box);
// Whether a change from a to b needs a new layout (else a repaint is enough).
bool AffectsLayout(const ComputedStyle& a, const ComputedStyle& b);
// Whether a and b differ in what children inherit.
bool InheritedDiffer(const ComputedStyle& a, const ComputedStyle& b);

// CSS colour text (#rgb, #rrggbb, rgb(), rgba(), names); false when unreadable.
bool ParseColor(std::string_view text, Argb& color);
// A url(...) value: the path inside, quotes removed, backslashes kept as they are.
bool ParseUrl(std::string_view text, std::u16string& path);
// Joins a relative path to a folder; absolute paths and drive paths stay.
std::u16string ResolvePath(const std::u16string& baseFolder, const std::u16string& path);

}  // namespace hl
