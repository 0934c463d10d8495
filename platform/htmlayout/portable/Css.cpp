#include "Css.h"

#include <array>

#include "Text.h"

namespace hl {
namespace {

constexpr std::array<const char*, static_cast<size_t>(PropertyId::Count)> kNames = {
    "display",
    "flow",
    "position",
    "left",
    "top",
    "right",
    "bottom",
    "width",
    "height",
    "margin-left",
    "margin-top",
    "margin-right",
    "margin-bottom",
    "padding-left",
    "padding-top",
    "padding-right",
    "padding-bottom",
    "border-left-width",
    "border-top-width",
    "border-right-width",
    "border-bottom-width",
    "border-left-style",
    "border-top-style",
    "border-right-style",
    "border-bottom-style",
    "border-left-color",
    "border-top-color",
    "border-right-color",
    "border-bottom-color",
    "background-color",
    "background-image",
    "background-repeat",
    "background-position",
    "foreground-image",
    "foreground-repeat",
    "foreground-position",
    "foreground-offset-left",
    "foreground-offset-top",
    "foreground-offset-right",
    "foreground-offset-bottom",
    "color",
    "font-family",
    "font-size",
    "font-weight",
    "font-style",
    "text-align",
    "vertical-align",
    "line-height",
    "overflow",
    "visibility",
    "cursor",
    "behavior",
    "thumb-image",
};

PropertyId Offset(PropertyId first, int side) { return static_cast<PropertyId>(static_cast<int>(first) + side); }

// Sides in the order of the property ids: left, top, right, bottom.
enum Side { kLeft, kTop, kRight, kBottom };

bool IsOneOf(std::string_view token, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (EqualsNoCase(token, w)) return true;
    return false;
}

bool IsLengthToken(std::string_view t) {
    if (t.empty()) return false;
    size_t i = 0;
    if (t[i] == '-' || t[i] == '+') ++i;
    size_t digits = i;
    while (i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) ++i;
    if (i == digits) return false;
    std::string_view unit = t.substr(i);
    return unit.empty() || EqualsNoCase(unit, "px") || unit == "%" || EqualsNoCase(unit, "pt");
}

bool IsBorderStyle(std::string_view t) {
    return IsOneOf(t, {"none", "hidden", "solid", "dashed", "dotted", "double", "groove", "ridge", "inset", "outset"});
}

bool IsRepeat(std::string_view t) { return IsOneOf(t, {"repeat", "repeat-x", "repeat-y", "no-repeat", "stretch"}); }

bool IsPosition(std::string_view t) {
    return IsLengthToken(t) || IsOneOf(t, {"left", "center", "right", "top", "bottom"});
}

bool IsImage(std::string_view t) {
    return EqualsNoCase(t, "none") || (t.size() > 4 && EqualsNoCase(t.substr(0, 4), "url("));
}

void Add(Declarations& out, PropertyId id, std::string_view value) { out.push_back({id, std::string(value)}); }

// margin: 1 to 4 values (top, right, bottom, left).
bool ExpandSides(Declarations& out, PropertyId first, const std::vector<std::string_view>& v) {
    if (v.empty() || v.size() > 4) return false;
    std::string_view top = v[0], right = v.size() > 1 ? v[1] : top, bottom = v.size() > 2 ? v[2] : top,
                     left = v.size() > 3 ? v[3] : right;
    Add(out, Offset(first, kLeft), left);
    Add(out, Offset(first, kTop), top);
    Add(out, Offset(first, kRight), right);
    Add(out, Offset(first, kBottom), bottom);
    return true;
}

// border, border-left, ...: width, style and colour in any order, for the sides given.
bool ExpandBorder(Declarations& out, const std::vector<std::string_view>& v, std::initializer_list<int> sides) {
    std::string_view width = "medium", style = "none", color = "currentcolor";
    if (v.empty() || v.size() > 3) return false;
    for (std::string_view t : v) {
        if (IsLengthToken(t) || IsOneOf(t, {"thin", "medium", "thick"}))
            width = t;
        else if (IsBorderStyle(t))
            style = t;
        else
            color = t;
    }
    for (int side : sides) {
        Add(out, Offset(PropertyId::BorderLeftWidth, side), width);
        Add(out, Offset(PropertyId::BorderLeftStyle, side), style);
        Add(out, Offset(PropertyId::BorderLeftColor, side), color);
    }
    return true;
}

bool ExpandBackground(Declarations& out, const std::vector<std::string_view>& v) {
    std::string_view color = "transparent", image = "none", repeat = "repeat";
    std::string position;
    for (std::string_view t : v) {
        if (IsImage(t))
            image = t;
        else if (IsRepeat(t))
            repeat = t;
        else if (IsPosition(t))
            position += position.empty() ? std::string(t) : " " + std::string(t);
        else
            color = t;
    }
    Add(out, PropertyId::BackgroundColor, color);
    Add(out, PropertyId::BackgroundImage, image);
    Add(out, PropertyId::BackgroundRepeat, repeat);
    Add(out, PropertyId::BackgroundPosition, position.empty() ? "0 0" : position);
    return true;
}

// Index of the character c at the top level of text (outside quotes and
// parentheses) from pos on, or npos.
size_t FindTopLevel(std::string_view text, size_t pos, char c) {
    int depth = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        char ch = text[i];
        if (ch == '"' || ch == '\'') {
            size_t close = text.find(ch, i + 1);
            if (close == std::string_view::npos) return std::string_view::npos;
            i = close;
        } else if (ch == '(') {
            ++depth;
        } else if (ch == ')' && depth > 0) {
            --depth;
        } else if (ch == c && depth == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string StripComments(std::string_view css) {
    std::string out;
    out.reserve(css.size());
    size_t i = 0;
    while (i < css.size()) {
        if (css.compare(i, 2, "/*") == 0) {
            size_t end = css.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 2;
            out.push_back(' ');
        } else {
            out.push_back(css[i++]);
        }
    }
    return out;
}

// The end of the block that opens at text[open] ('{'), just past its '}'.
size_t BlockEnd(std::string_view text, size_t open) {
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '"' || text[i] == '\'') {
            size_t close = text.find(text[i], i + 1);
            if (close == std::string_view::npos) return text.size();
            i = close;
        } else if (text[i] == '{') {
            ++depth;
        } else if (text[i] == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return text.size();
}

}  // namespace

const char* PropertyName(PropertyId id) {
    size_t i = static_cast<size_t>(id);
    return i < kNames.size() ? kNames[i] : nullptr;
}

PropertyId FindProperty(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i)
        if (EqualsNoCase(name, kNames[i])) return static_cast<PropertyId>(i);
    return PropertyId::Count;
}

std::vector<std::string_view> SplitValue(std::string_view value) {
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && IsSpace(static_cast<unsigned char>(value[i]))) ++i;
        if (i >= value.size()) break;
        size_t start = i;
        int depth = 0;
        while (i < value.size() && (depth > 0 || !IsSpace(static_cast<unsigned char>(value[i])))) {
            char c = value[i];
            if (c == '"' || c == '\'') {
                size_t close = value.find(c, i + 1);
                i = close == std::string_view::npos ? value.size() : close + 1;
                continue;
            }
            if (c == '(')
                ++depth;
            else if (c == ')' && depth > 0)
                --depth;
            ++i;
        }
        parts.push_back(value.substr(start, i - start));
    }
    return parts;
}

Declarations ParseProperty(std::string_view name, std::string_view value) {
    Declarations out;
    name = Trim(name);
    value = Trim(value);
    if (!value.empty() && value.back() == ';') value = Trim(value.substr(0, value.size() - 1));
    size_t bang = FindTopLevel(value, 0, '!');
    if (bang != std::string_view::npos) value = Trim(value.substr(0, bang));
    if (value.empty()) return out;
    std::string lower = AsciiLower(name);
    std::vector<std::string_view> parts = SplitValue(value);
    if (lower == "margin")
        ExpandSides(out, PropertyId::MarginLeft, parts);
    else if (lower == "padding")
        ExpandSides(out, PropertyId::PaddingLeft, parts);
    else if (lower == "border-width")
        ExpandSides(out, PropertyId::BorderLeftWidth, parts);
    else if (lower == "border-style")
        ExpandSides(out, PropertyId::BorderLeftStyle, parts);
    else if (lower == "border-color")
        ExpandSides(out, PropertyId::BorderLeftColor, parts);
    else if (lower == "border")
        ExpandBorder(out, parts, {kLeft, kTop, kRight, kBottom});
    else if (lower == "border-left")
        ExpandBorder(out, parts, {kLeft});
    else if (lower == "border-top")
        ExpandBorder(out, parts, {kTop});
    else if (lower == "border-right")
        ExpandBorder(out, parts, {kRight});
    else if (lower == "border-bottom")
        ExpandBorder(out, parts, {kBottom});
    else if (lower == "background")
        ExpandBackground(out, parts);
    else if (PropertyId id = FindProperty(lower); id != PropertyId::Count)
        Add(out, id, value);
    return out;
}

Declarations ParseDeclarations(std::string_view text) {
    Declarations out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = FindTopLevel(text, pos, ';');
        if (end == std::string_view::npos) end = text.size();
        std::string_view item = text.substr(pos, end - pos);
        size_t colon = item.find(':');
        if (colon != std::string_view::npos) {
            Declarations one = ParseProperty(item.substr(0, colon), item.substr(colon + 1));
            out.insert(out.end(), one.begin(), one.end());
        }
        pos = end + 1;
    }
    return out;
}

void ParseStyleSheet(std::string_view css, std::vector<StyleRule>& rules) {
    std::string clean = StripComments(css);
    std::string_view text = clean;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = FindTopLevel(text, pos, '{');
        size_t semicolon = FindTopLevel(text, pos, ';');
        std::string_view prelude = Trim(text.substr(pos, open == std::string_view::npos ? text.npos : open - pos));
        if (!prelude.empty() && prelude[0] == '@' && semicolon != std::string_view::npos &&
            (open == std::string_view::npos || semicolon < open)) {
            pos = semicolon + 1;  // "@import ...;" and the like: skipped
            continue;
        }
        if (open == std::string_view::npos) break;
        size_t end = BlockEnd(text, open);
        if (!prelude.empty() && prelude[0] != '@') {
            SelectorList selectors;
            if (ParseSelectorList(prelude, selectors)) {
                size_t close = end > open + 1 && text[end - 1] == '}' ? end - 1 : end;
                Declarations declarations = ParseDeclarations(text.substr(open + 1, close - open - 1));
                uint32_t order = static_cast<uint32_t>(rules.size());
                for (Selector& s : selectors) rules.push_back({std::move(s), declarations, order});
            }
        }
        pos = end;
    }
}

}  // namespace hl
