#include "Style.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Box.h"
#include "Css.h"
#include "Text.h"

namespace hl {
namespace {

struct NamedColor {
    const char* name;
    Argb argb;
};
constexpr NamedColor kColors[] = {
    {"black", 0xFF000000},   {"white", 0xFFFFFFFF},  {"red", 0xFFFF0000},         {"green", 0xFF008000},
    {"blue", 0xFF0000FF},    {"gray", 0xFF808080},   {"grey", 0xFF808080},        {"silver", 0xFFC0C0C0},
    {"yellow", 0xFFFFFF00},  {"orange", 0xFFFFA500}, {"navy", 0xFF000080},        {"maroon", 0xFF800000},
    {"purple", 0xFF800080},  {"teal", 0xFF008080},   {"lime", 0xFF00FF00},        {"aqua", 0xFF00FFFF},
    {"fuchsia", 0xFFFF00FF}, {"olive", 0xFF808000},  {"transparent", 0x00000000},
};

template <typename E>
struct Keyword {
    const char* name;
    E value;
};

constexpr Keyword<Display> kDisplays[] = {
    {"none", Display::None},
    {"block", Display::Block},
    {"inline", Display::Inline},
    {"inline-block", Display::InlineBlock},
    {"list-item", Display::ListItem},
    {"table", Display::Table},
    {"table-row-group", Display::TableRowGroup},
    {"table-header-group", Display::TableRowGroup},
    {"table-footer-group", Display::TableRowGroup},
    {"table-row", Display::TableRow},
    {"table-cell", Display::TableCell},
};
constexpr Keyword<Flow> kFlows[] = {{"vertical", Flow::Vertical}, {"horizontal", Flow::Horizontal}};
constexpr Keyword<Position> kPositions[] = {{"static", Position::Static},
                                            {"relative", Position::Relative},
                                            {"absolute", Position::Absolute},
                                            {"fixed", Position::Absolute}};
constexpr Keyword<Overflow> kOverflows[] = {{"visible", Overflow::Visible},
                                            {"hidden", Overflow::Hidden},
                                            {"auto", Overflow::Auto},
                                            {"scroll", Overflow::Scroll}};
constexpr Keyword<Repeat> kRepeats[] = {{"repeat", Repeat::Repeat},
                                        {"repeat-x", Repeat::RepeatX},
                                        {"repeat-y", Repeat::RepeatY},
                                        {"no-repeat", Repeat::NoRepeat},
                                        {"stretch", Repeat::Stretch}};
constexpr Keyword<TextAlign> kTextAligns[] = {{"left", TextAlign::Left},
                                              {"center", TextAlign::Center},
                                              {"right", TextAlign::Right},
                                              {"justify", TextAlign::Left}};
constexpr Keyword<VerticalAlign> kVerticalAligns[] = {
    {"top", VerticalAlign::Top},      {"middle", VerticalAlign::Middle}, {"bottom", VerticalAlign::Bottom},
    {"baseline", VerticalAlign::Top}, {"text-top", VerticalAlign::Top},  {"text-bottom", VerticalAlign::Bottom}};
constexpr Keyword<BorderStyle> kBorderStyles[] = {{"none", BorderStyle::None},     {"hidden", BorderStyle::None},
                                                  {"solid", BorderStyle::Solid},   {"double", BorderStyle::Solid},
                                                  {"groove", BorderStyle::Solid},  {"ridge", BorderStyle::Solid},
                                                  {"inset", BorderStyle::Solid},   {"outset", BorderStyle::Solid},
                                                  {"dashed", BorderStyle::Dashed}, {"dotted", BorderStyle::Dotted}};

template <typename E, size_t N>
bool ReadKeyword(std::string_view text, const Keyword<E> (&table)[N], E& out) {
    for (const Keyword<E>& k : table) {
        if (EqualsNoCase(text, k.name)) {
            out = k.value;
            return true;
        }
    }
    return false;
}

template <typename E, size_t N>
const char* KeywordName(E value, const Keyword<E> (&table)[N]) {
    for (const Keyword<E>& k : table)
        if (k.value == value) return k.name;
    return "";
}

// A number with an optional unit; false when text does not start with a number.
bool ReadNumber(std::string_view text, float& number, std::string_view& unit) {
    std::string s(text);
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !std::isfinite(v)) return false;
    number = static_cast<float>(std::fmax(-1e6, std::fmin(1e6, v)));
    unit = text.substr(static_cast<size_t>(end - s.c_str()));
    return true;
}

bool ReadLength(std::string_view text, Length& out, bool allowFlex) {
    text = Trim(text);
    if (EqualsNoCase(text, "auto")) {
        out = Length{};
        return true;
    }
    if (allowFlex && !text.empty() && text.back() == '*') {
        float share = 1;
        std::string_view unit;
        if (text.size() > 1 &&
            (!ReadNumber(text.substr(0, text.size() - 1), share, unit) || !unit.empty() || share <= 0))
            return false;
        out = {Length::Unit::Flex, share};
        return true;
    }
    float number = 0;
    std::string_view unit;
    if (!ReadNumber(text, number, unit)) return false;
    if (unit.empty() || EqualsNoCase(unit, "px"))
        out = Length::Px(number);
    else if (unit == "%")
        out = {Length::Unit::Percent, number};
    else if (EqualsNoCase(unit, "pt"))
        out = Length::Px(number * 4 / 3);
    else
        return false;
    return true;
}

int ReadBorderWidth(std::string_view text, bool& ok) {
    ok = true;
    if (EqualsNoCase(text, "thin")) return 1;
    if (EqualsNoCase(text, "medium")) return 3;
    if (EqualsNoCase(text, "thick")) return 5;
    Length l;
    ok = ReadLength(text, l, false) && l.unit == Length::Unit::Px && l.value >= 0;
    return ok ? static_cast<int>(l.value + 0.5f) : 0;
}

// "center" and the like as a percentage; x or y keywords only where they fit.
bool ReadPositionPart(std::string_view t, Length& out, bool horizontal) {
    if (EqualsNoCase(t, "center"))
        out = {Length::Unit::Percent, 50};
    else if (EqualsNoCase(t, horizontal ? "left" : "top"))
        out = {Length::Unit::Percent, 0};
    else if (EqualsNoCase(t, horizontal ? "right" : "bottom"))
        out = {Length::Unit::Percent, 100};
    else
        return ReadLength(t, out, false) && !out.IsAuto();
    return true;
}

bool ReadPosition(std::string_view text, Length& x, Length& y) {
    std::vector<std::string_view> parts = SplitValue(text);
    if (parts.empty() || parts.size() > 2) return false;
    // A lone vertical keyword, or the pair written vertical first, is accepted too.
    if (parts.size() == 2 && (EqualsNoCase(parts[0], "top") || EqualsNoCase(parts[0], "bottom") ||
                              EqualsNoCase(parts[1], "left") || EqualsNoCase(parts[1], "right")))
        std::swap(parts[0], parts[1]);
    if (parts.size() == 1) {
        Length l;
        if (EqualsNoCase(parts[0], "top") || EqualsNoCase(parts[0], "bottom")) {
            if (!ReadPositionPart(parts[0], l, false)) return false;
            x = {Length::Unit::Percent, 50};
            y = l;
            return true;
        }
        if (!ReadPositionPart(parts[0], l, true)) return false;
        x = l;
        y = {Length::Unit::Percent, 50};
        return true;
    }
    Length lx, ly;
    if (!ReadPositionPart(parts[0], lx, true) || !ReadPositionPart(parts[1], ly, false)) return false;
    x = lx;
    y = ly;
    return true;
}

bool ReadImage(std::string_view text, const std::u16string& baseFolder, std::u16string& out) {
    if (EqualsNoCase(Trim(text), "none")) {
        out.clear();
        return true;
    }
    std::u16string path;
    if (!ParseUrl(text, path)) return false;
    out = path.empty() ? path : ResolvePath(baseFolder, path);
    return true;
}

std::u16string FormatLength(const Length& l) {
    char buffer[32];
    switch (l.unit) {
        case Length::Unit::Auto:
            return u"auto";
        case Length::Unit::Flex:
            if (l.value == 1) return u"*";
            std::snprintf(buffer, sizeof buffer, "%g*", l.value);
            return Widen(buffer);
        case Length::Unit::Percent:
            std::snprintf(buffer, sizeof buffer, "%g%%", l.value);
            return Widen(buffer);
        case Length::Unit::Px:
            break;
    }
    std::snprintf(buffer, sizeof buffer, "%gpx", l.value);
    return Widen(buffer);
}

std::u16string FormatPx(int px) { return FormatLength(Length::Px(static_cast<float>(px))); }

std::u16string FormatColor(Argb c) {
    if ((c >> 24) == 0) return u"transparent";
    char buffer[40];
    if ((c >> 24) == 0xFF)
        std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    else
        std::snprintf(buffer, sizeof buffer, "rgba(%u,%u,%u,%.3g)", (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF,
                      (c >> 24) / 255.0);
    return Widen(buffer);
}

std::u16string FormatImage(const std::u16string& url) { return url.empty() ? u"none" : url; }

std::u16string FormatPosition(const ImageLayer& layer) { return FormatLength(layer.x) + u" " + FormatLength(layer.y); }

int Side(PropertyId id, PropertyId first) { return static_cast<int>(id) - static_cast<int>(first); }

bool InRange(PropertyId id, PropertyId first) {
    int d = Side(id, first);
    return d >= 0 && d < 4;
}

}  // namespace

int Length::Resolve(int base, int fallback) const {
    switch (unit) {
        case Unit::Px:
            return static_cast<int>(std::lround(value));
        case Unit::Percent:
            return static_cast<int>(std::lround(base * value / 100.0));
        case Unit::Auto:
        case Unit::Flex:
            break;
    }
    return fallback;
}

Rect Rect::Intersect(const Rect& o) const {
    int l = std::max(x, o.x), t = std::max(y, o.y);
    int r = std::min(Right(), o.Right()), b = std::min(Bottom(), o.Bottom());
    return r > l && b > t ? Rect{l, t, r - l, b - t} : Rect{l, t, 0, 0};
}

Rect Rect::Union(const Rect& o) const {
    if (o.Empty()) return *this;
    if (Empty()) return o;
    int l = std::min(x, o.x), t = std::min(y, o.y);
    return {l, t, std::max(Right(), o.Right()) - l, std::max(Bottom(), o.Bottom()) - t};
}

bool ParseColor(std::string_view text, Argb& color) {
    text = Trim(text);
    if (!text.empty() && text[0] == '#') {
        std::string_view hex = text.substr(1);
        for (char c : hex)
            if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        unsigned long v = std::strtoul(std::string(hex).c_str(), nullptr, 16);
        if (hex.size() == 3) {
            unsigned r = (v >> 8) & 0xF, g = (v >> 4) & 0xF, b = v & 0xF;
            color = 0xFF000000u | (r * 0x11) << 16 | (g * 0x11) << 8 | (b * 0x11);
        } else if (hex.size() == 6) {
            color = 0xFF000000u | static_cast<Argb>(v);
        } else if (hex.size() == 8) {
            color = static_cast<Argb>(v);
        } else {
            return false;
        }
        return true;
    }
    size_t open = text.find('(');
    if (open != std::string_view::npos && text.back() == ')') {
        std::string name = AsciiLower(Trim(text.substr(0, open)));
        if (name != "rgb" && name != "rgba") return false;
        std::string args(text.substr(open + 1, text.size() - open - 2));
        float v[4] = {0, 0, 0, 1};
        int count = 0;
        const char* p = args.c_str();
        while (*p && count < 4) {
            char* end = nullptr;
            double d = std::strtod(p, &end);
            if (end == p || !std::isfinite(d)) return false;
            v[count++] = static_cast<float>(d);
            p = end;
            while (*p == ' ' || *p == ',' || *p == '%') ++p;
        }
        if (count < 3) return false;
        auto channel = [](float f) { return static_cast<Argb>(std::fmax(0.f, std::fmin(255.f, f)) + 0.5f); };
        color = channel(v[3] * 255) << 24 | channel(v[0]) << 16 | channel(v[1]) << 8 | channel(v[2]);
        return true;
    }
    for (const NamedColor& n : kColors) {
        if (EqualsNoCase(text, n.name)) {
            color = n.argb;
            return true;
        }
    }
    return false;
}

bool ParseUrl(std::string_view text, std::u16string& path) {
    text = Trim(text);
    if (text.size() < 5 || !EqualsNoCase(text.substr(0, 4), "url(") || text.back() != ')') return false;
    std::string_view inner = Trim(text.substr(4, text.size() - 5));
    if (inner.size() >= 2 && (inner.front() == '"' || inner.front() == '\'') && inner.back() == inner.front())
        inner = inner.substr(1, inner.size() - 2);
    path = Utf8ToUtf16(inner);
    return true;
}

std::u16string ResolvePath(const std::u16string& baseFolder, const std::u16string& path) {
    bool absolute = (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() > 1 && path[1] == ':');
    if (absolute || baseFolder.empty()) return path;
    std::u16string joined = baseFolder;
    if (joined.back() != '\\' && joined.back() != '/') joined.push_back('\\');
    return joined + path;
}

ComputedStyle InitialStyle(const ComputedStyle& parent) {
    ComputedStyle s;
    s.color = parent.color;
    s.fontFamily = parent.fontFamily;
    s.fontSize = parent.fontSize;
    s.bold = parent.bold;
    s.italic = parent.italic;
    s.textAlign = parent.textAlign;
    s.lineHeight = parent.lineHeight;
    s.hidden = parent.hidden;
    s.cursor = parent.cursor;
    return s;
}

void ApplyDeclaration(ComputedStyle& s, const Declaration& d, const ComputedStyle& parent,
                      const std::u16string& baseFolder) {
    std::string_view v = d.value;
    PropertyId id = d.id;
    Length l;
    bool ok = false;
    if (InRange(id, PropertyId::MarginLeft)) {
        if (ReadLength(v, l, false)) s.margin[Side(id, PropertyId::MarginLeft)] = l;
        return;
    }
    if (InRange(id, PropertyId::PaddingLeft)) {
        if (ReadLength(v, l, false) && !l.IsAuto()) s.padding[Side(id, PropertyId::PaddingLeft)] = l;
        return;
    }
    if (InRange(id, PropertyId::BorderLeftWidth)) {
        int w = ReadBorderWidth(v, ok);
        if (ok) s.borderWidth[Side(id, PropertyId::BorderLeftWidth)] = w;
        return;
    }
    if (InRange(id, PropertyId::BorderLeftStyle)) {
        ReadKeyword(v, kBorderStyles, s.borderStyle[Side(id, PropertyId::BorderLeftStyle)]);
        return;
    }
    if (InRange(id, PropertyId::BorderLeftColor)) {
        int side = Side(id, PropertyId::BorderLeftColor);
        if (EqualsNoCase(v, "currentcolor"))
            s.borderColorIsText[side] = true;
        else if (ParseColor(v, s.borderColor[side]))
            s.borderColorIsText[side] = false;
        return;
    }
    if (InRange(id, PropertyId::ForegroundOffsetLeft)) {
        if (ReadLength(v, l, false) && !l.IsAuto()) s.foregroundOffset[Side(id, PropertyId::ForegroundOffsetLeft)] = l;
        return;
    }
    switch (id) {
        case PropertyId::Display:
            ReadKeyword(v, kDisplays, s.display);
            break;
        case PropertyId::Flow:
            ReadKeyword(v, kFlows, s.flow);
            break;
        case PropertyId::Position:
            ReadKeyword(v, kPositions, s.position);
            break;
        case PropertyId::Left:
            if (ReadLength(v, l, false)) s.left = l;
            break;
        case PropertyId::Top:
            if (ReadLength(v, l, false)) s.top = l;
            break;
        case PropertyId::Right:
            if (ReadLength(v, l, false)) s.right = l;
            break;
        case PropertyId::Bottom:
            if (ReadLength(v, l, false)) s.bottom = l;
            break;
        case PropertyId::Width:
            if (ReadLength(v, l, true) && l.value >= 0) s.width = l;
            break;
        case PropertyId::Height:
            if (ReadLength(v, l, true) && l.value >= 0) s.height = l;
            break;
        case PropertyId::BackgroundColor:
            ParseColor(v, s.background);
            break;
        case PropertyId::BackgroundImage:
            ReadImage(v, baseFolder, s.backgroundImage.url);
            break;
        case PropertyId::BackgroundRepeat:
            ReadKeyword(v, kRepeats, s.backgroundImage.repeat);
            break;
        case PropertyId::BackgroundPosition:
            ReadPosition(v, s.backgroundImage.x, s.backgroundImage.y);
            break;
        case PropertyId::ForegroundImage:
            ReadImage(v, baseFolder, s.foregroundImage.url);
            break;
        case PropertyId::ForegroundRepeat:
            ReadKeyword(v, kRepeats, s.foregroundImage.repeat);
            break;
        case PropertyId::ForegroundPosition:
            ReadPosition(v, s.foregroundImage.x, s.foregroundImage.y);
            break;
        case PropertyId::Color:
            ParseColor(v, s.color);
            break;
        case PropertyId::FontFamily: {
            // "a b", 'c', d -> "a b,c,d"
            std::string families;
            for (char c : v) {
                if (c == '"' || c == '\'') continue;
                families.push_back(c);
            }
            std::u16string joined;
            size_t start = 0;
            while (start <= families.size()) {
                size_t comma = families.find(',', start);
                if (comma == std::string::npos) comma = families.size();
                std::string_view one = Trim(std::string_view(families).substr(start, comma - start));
                if (!one.empty()) joined += (joined.empty() ? u"" : u",") + Utf8ToUtf16(one);
                start = comma + 1;
            }
            if (!joined.empty()) s.fontFamily = joined;
            break;
        }
        case PropertyId::FontSize:
            if (ReadLength(v, l, false) && !l.IsAuto() && l.value > 0)
                s.fontSize = std::max(1, std::min(400, l.Resolve(parent.fontSize, parent.fontSize)));
            else if (EqualsNoCase(v, "small"))
                s.fontSize = 10;
            else if (EqualsNoCase(v, "medium"))
                s.fontSize = 12;
            else if (EqualsNoCase(v, "large"))
                s.fontSize = 14;
            break;
        case PropertyId::FontWeight:
            if (EqualsNoCase(v, "bold") || EqualsNoCase(v, "bolder"))
                s.bold = true;
            else if (EqualsNoCase(v, "normal") || EqualsNoCase(v, "lighter"))
                s.bold = false;
            else if (int n = std::atoi(std::string(v).c_str()); n >= 100 && n <= 900)
                s.bold = n >= 600;
            break;
        case PropertyId::FontStyle:
            if (EqualsNoCase(v, "italic") || EqualsNoCase(v, "oblique"))
                s.italic = true;
            else if (EqualsNoCase(v, "normal"))
                s.italic = false;
            break;
        case PropertyId::TextAlign:
            ReadKeyword(v, kTextAligns, s.textAlign);
            break;
        case PropertyId::VerticalAlign:
            ReadKeyword(v, kVerticalAligns, s.verticalAlign);
            break;
        case PropertyId::LineHeight: {
            float number = 0;
            std::string_view unit;
            if (EqualsNoCase(v, "normal"))
                s.lineHeight = Length{};
            else if (ReadNumber(v, number, unit) && unit.empty() && number > 0)
                s.lineHeight = Length::Px(std::round(number * s.fontSize));
            else if (ReadLength(v, l, false) && !l.IsAuto() && l.value > 0)
                s.lineHeight = Length::Px(static_cast<float>(l.Resolve(s.fontSize, s.fontSize)));
            break;
        }
        case PropertyId::Overflow:
            ReadKeyword(v, kOverflows, s.overflow);
            break;
        case PropertyId::Visibility:
            if (EqualsNoCase(v, "hidden") || EqualsNoCase(v, "collapse"))
                s.hidden = true;
            else if (EqualsNoCase(v, "visible"))
                s.hidden = false;
            break;
        case PropertyId::Cursor:
            s.cursor = EqualsNoCase(v, "auto") ? std::string() : AsciiLower(v);
            break;
        case PropertyId::Behavior:
            s.behavior = EqualsNoCase(v, "none") ? std::string() : std::string(v);
            break;
        case PropertyId::ThumbImage:
            ReadImage(v, baseFolder, s.thumbImage);
            break;
        default:
            break;
    }
}

std::u16string FormatProperty(const ComputedStyle& s, PropertyId id, const Box& box) {
    if (InRange(id, PropertyId::MarginLeft)) {
        int side = Side(id, PropertyId::MarginLeft);
        if (box.laidOut) return FormatPx((&box.margin.left)[side]);
        return FormatLength(s.margin[side]);
    }
    if (InRange(id, PropertyId::PaddingLeft)) {
        int side = Side(id, PropertyId::PaddingLeft);
        if (box.laidOut) return FormatPx((&box.padding.left)[side]);
        return FormatLength(s.padding[side]);
    }
    if (InRange(id, PropertyId::BorderLeftWidth)) return FormatPx(s.BorderWidth(Side(id, PropertyId::BorderLeftWidth)));
    if (InRange(id, PropertyId::BorderLeftStyle))
        return Widen(KeywordName(s.borderStyle[Side(id, PropertyId::BorderLeftStyle)], kBorderStyles));
    if (InRange(id, PropertyId::BorderLeftColor))
        return FormatColor(s.BorderColor(Side(id, PropertyId::BorderLeftColor)));
    if (InRange(id, PropertyId::ForegroundOffsetLeft))
        return FormatLength(s.foregroundOffset[Side(id, PropertyId::ForegroundOffsetLeft)]);
    switch (id) {
        case PropertyId::Display:
            return Widen(KeywordName(s.display, kDisplays));
        case PropertyId::Flow:
            return Widen(KeywordName(s.flow, kFlows));
        case PropertyId::Position:
            return Widen(KeywordName(s.position, kPositions));
        case PropertyId::Left:
            return FormatLength(s.left);
        case PropertyId::Top:
            return FormatLength(s.top);
        case PropertyId::Right:
            return FormatLength(s.right);
        case PropertyId::Bottom:
            return FormatLength(s.bottom);
        case PropertyId::Width:
            return box.laidOut ? FormatPx(box.Content().w) : FormatLength(s.width);
        case PropertyId::Height:
            return box.laidOut ? FormatPx(box.Content().h) : FormatLength(s.height);
        case PropertyId::BackgroundColor:
            return FormatColor(s.background);
        case PropertyId::BackgroundImage:
            return FormatImage(s.backgroundImage.url);
        case PropertyId::BackgroundRepeat:
            return Widen(KeywordName(s.backgroundImage.repeat, kRepeats));
        case PropertyId::BackgroundPosition:
            return FormatPosition(s.backgroundImage);
        case PropertyId::ForegroundImage:
            return FormatImage(s.foregroundImage.url);
        case PropertyId::ForegroundRepeat:
            return Widen(KeywordName(s.foregroundImage.repeat, kRepeats));
        case PropertyId::ForegroundPosition:
            return FormatPosition(s.foregroundImage);
        case PropertyId::Color:
            return FormatColor(s.color);
        case PropertyId::FontFamily:
            return s.fontFamily;
        case PropertyId::FontSize:
            return FormatPx(s.fontSize);
        case PropertyId::FontWeight:
            return s.bold ? u"bold" : u"normal";
        case PropertyId::FontStyle:
            return s.italic ? u"italic" : u"normal";
        case PropertyId::TextAlign:
            return Widen(KeywordName(s.textAlign, kTextAligns));
        case PropertyId::VerticalAlign:
            return Widen(KeywordName(s.verticalAlign, kVerticalAligns));
        case PropertyId::LineHeight:
            return s.lineHeight.IsAuto() ? u"normal" : FormatLength(s.lineHeight);
        case PropertyId::Overflow:
            return Widen(KeywordName(s.overflow, kOverflows));
        case PropertyId::Visibility:
            return s.hidden ? u"hidden" : u"visible";
        case PropertyId::Cursor:
            return s.cursor.empty() ? u"auto" : Widen(s.cursor);
        case PropertyId::Behavior:
            return s.behavior.empty() ? u"none" : Utf8ToUtf16(s.behavior);
        case PropertyId::ThumbImage:
            return FormatImage(s.thumbImage);
        default:
            return u"";
    }
}

bool InheritedDiffer(const ComputedStyle& a, const ComputedStyle& b) {
    return a.color != b.color || a.fontFamily != b.fontFamily || a.fontSize != b.fontSize || a.bold != b.bold ||
           a.italic != b.italic || a.textAlign != b.textAlign || a.lineHeight.unit != b.lineHeight.unit ||
           a.lineHeight.value != b.lineHeight.value || a.hidden != b.hidden || a.cursor != b.cursor;
}

bool AffectsLayout(const ComputedStyle& a, const ComputedStyle& b) {
    auto same = [](const Length& x, const Length& y) { return x.unit == y.unit && x.value == y.value; };
    if (a.display != b.display || a.flow != b.flow || a.position != b.position || a.overflow != b.overflow ||
        a.verticalAlign != b.verticalAlign || a.textAlign != b.textAlign || a.fontSize != b.fontSize ||
        a.bold != b.bold || a.italic != b.italic || a.fontFamily != b.fontFamily || !same(a.lineHeight, b.lineHeight))
        return true;
    if (!same(a.left, b.left) || !same(a.top, b.top) || !same(a.right, b.right) || !same(a.bottom, b.bottom) ||
        !same(a.width, b.width) || !same(a.height, b.height))
        return true;
    for (int i = 0; i < 4; ++i)
        if (!same(a.margin[i], b.margin[i]) || !same(a.padding[i], b.padding[i]) ||
            a.BorderWidth(i) != b.BorderWidth(i))
            return true;
    return false;
}

}  // namespace hl
