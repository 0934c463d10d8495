// The engine's own behaviours: button, check box, slider and progress bar.
#pragma once

#include <cstdint>
#include <string_view>

#include "Box.h"

namespace hl {

class DocumentHost;
class Node;

enum class BuiltinBehavior : uint8_t { None, Button, Checkbox, Slider, Progress };
BuiltinBehavior BuiltinOf(const Node* element);
bool IsBuiltinName(std::string_view name);

// A decimal attribute ("-12" reads -12, text that is no number reads 0); fallback
// when the attribute is absent.
int IntAttribute(const Node* element, std::string_view name, int fallback);
// The same without the 32-bit limit (sizes of files from 2 GiB on).
int64_t Int64Attribute(const Node* element, std::string_view name, int64_t fallback);

// Slider: "min" (0), "max" (100) and "value" clamped between them.
struct SliderRange {
    int min, max, value;
};
SliderRange SliderRangeOf(const Node* slider);
// The thumb, in page coordinates; it travels inside the content box.
Rect SliderThumb(const Node* slider, DocumentHost& host);
// The value for a pointer at pageX.
int SliderValueAt(const Node* slider, int pageX, DocumentHost& host);

// Progress: the part of the content box that "value" / "maxvalue" (100) fills; both
// may be 64-bit.
Rect ProgressFill(const Node* progress);

}  // namespace hl
