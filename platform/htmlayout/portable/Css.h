// Style sheets and declarations: the properties the engine knows, shorthand
// expansion, and the parsing of sheets and "style" attributes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Selector.h"

namespace hl {

enum class PropertyId : uint8_t {
    Display,
    Flow,
    Position,
    Left,
    Top,
    Right,
    Bottom,
    Width,
    Height,
    MarginLeft,
    MarginTop,
    MarginRight,
    MarginBottom,
    PaddingLeft,
    PaddingTop,
    PaddingRight,
    PaddingBottom,
    BorderLeftWidth,
    BorderTopWidth,
    BorderRightWidth,
    BorderBottomWidth,
    BorderLeftStyle,
    BorderTopStyle,
    BorderRightStyle,
    BorderBottomStyle,
    BorderLeftColor,
    BorderTopColor,
    BorderRightColor,
    BorderBottomColor,
    BackgroundColor,
    BackgroundImage,
    BackgroundRepeat,
    BackgroundPosition,
    ForegroundImage,
    ForegroundRepeat,
    ForegroundPosition,
    ForegroundOffsetLeft,
    ForegroundOffsetTop,
    ForegroundOffsetRight,
    ForegroundOffsetBottom,
    Color,
    FontFamily,
    FontSize,
    FontWeight,
    FontStyle,
    TextAlign,
    VerticalAlign,
    LineHeight,
    Overflow,
    Visibility,
    Cursor,
    Behavior,
    ThumbImage,
    Count
};

// Longhand name, or null for Count.
const char* PropertyName(PropertyId id);
// Longhand by name (case-insensitive); Count when unknown.
PropertyId FindProperty(std::string_view name);

struct Declaration {
    PropertyId id;
    std::string value;  // as written, trimmed, UTF-8
};
using Declarations = std::vector<Declaration>;

// "name: value; ..." with shorthands expanded into longhands; unknown properties
// and values a shorthand cannot read are dropped, "!important" is ignored.
Declarations ParseDeclarations(std::string_view text);
// One property, a longhand or a shorthand; a trailing ';' is allowed.
Declarations ParseProperty(std::string_view name, std::string_view value);

struct StyleRule {
    Selector selector;
    Declarations declarations;
    uint32_t order;  // position in the page's sheets, for the cascade
};

// Appends the rules of a sheet; syntax errors skip the rule, never the sheet.
void ParseStyleSheet(std::string_view css, std::vector<StyleRule>& rules);

// Splits a value at the spaces that are not inside parentheses or quotes.
std::vector<std::string_view> SplitValue(std::string_view value);

}  // namespace hl
