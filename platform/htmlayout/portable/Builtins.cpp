#include "Builtins.h"

#include <algorithm>
#include <cstdlib>

#include "Document.h"
#include "Node.h"
#include "Text.h"

namespace hl {
namespace {

struct Named {
    const char* name;
    BuiltinBehavior kind;
};
constexpr Named kBuiltins[] = {{"button", BuiltinBehavior::Button},
                               {"checkbox", BuiltinBehavior::Checkbox},
                               {"slider", BuiltinBehavior::Slider},
                               {"progress", BuiltinBehavior::Progress}};

constexpr int kDefaultThumbWidth = 8;

void ThumbSize(const Node* slider, DocumentHost& host, int& w, int& h) {
    Rect content = slider->box.Content();
    w = kDefaultThumbWidth;
    h = content.h;
    if (!slider->style.thumbImage.empty()) host.ImageSize(slider->style.thumbImage, w, h);
}

}  // namespace

BuiltinBehavior BuiltinOf(const Node* element) {
    for (const Named& n : kBuiltins)
        if (element->style.behavior == n.name) return n.kind;
    return BuiltinBehavior::None;
}

bool IsBuiltinName(std::string_view name) {
    for (const Named& n : kBuiltins)
        if (name == n.name) return true;
    return false;
}

int IntAttribute(const Node* element, std::string_view name, int fallback) {
    const std::u16string* value = element->GetAttribute(name);
    if (!value) return fallback;
    std::string text = Narrow(Trim(*value));
    long v = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::max(-2147483647L, std::min(2147483647L, v)));
}

SliderRange SliderRangeOf(const Node* slider) {
    SliderRange r{IntAttribute(slider, "min", 0), IntAttribute(slider, "max", 100), 0};
    if (r.max < r.min) r.max = r.min;
    r.value = std::max(r.min, std::min(r.max, IntAttribute(slider, "value", r.min)));
    return r;
}

Rect SliderThumb(const Node* slider, DocumentHost& host) {
    Rect content = slider->box.Content();
    int w, h;
    ThumbSize(slider, host, w, h);
    SliderRange r = SliderRangeOf(slider);
    long long travel = std::max(0, content.w - w);
    int x = content.x + (r.max > r.min ? static_cast<int>(travel * (static_cast<long long>(r.value) - r.min) /
                                                          (static_cast<long long>(r.max) - r.min))
                                       : 0);
    return {x, content.y + (content.h - h) / 2, w, h};
}

int SliderValueAt(const Node* slider, int pageX, DocumentHost& host) {
    Rect content = slider->box.Content();
    int w, h;
    ThumbSize(slider, host, w, h);
    SliderRange r = SliderRangeOf(slider);
    int travel = content.w - w;
    if (travel <= 0) return r.min;
    double fraction = std::max(0.0, std::min(1.0, (pageX - content.x - w / 2.0) / travel));
    return r.min + static_cast<int>((static_cast<double>(r.max) - r.min) * fraction + 0.5);
}

int64_t Int64Attribute(const Node* element, std::string_view name, int64_t fallback) {
    const std::u16string* value = element->GetAttribute(name);
    if (!value) return fallback;
    std::string text = Narrow(Trim(*value));
    return std::strtoll(text.c_str(), nullptr, 10);
}

Rect ProgressFill(const Node* progress) {
    Rect content = progress->box.Content();
    int64_t max = Int64Attribute(progress, "maxvalue", 100);
    int64_t value = Int64Attribute(progress, "value", 0);
    if (max <= 0 || value <= 0) return {content.x, content.y, 0, content.h};
    double fraction = std::min(1.0, static_cast<double>(value) / max);
    return {content.x, content.y, static_cast<int>(content.w * fraction + 0.5), content.h};
}

}  // namespace hl
