// Layout: block flow with lines of text runs and inline blocks, horizontal flow
// with fixed and flexible ("*") children, tables with fixed columns, absolute and
// relative positions, and vertical scrolling boxes.
#pragma once

#include <string>
#include <string_view>

#include "Box.h"

namespace hl {

class Node;
class TextMeasurer;

constexpr int kScrollbarWidth = 12;
constexpr int kScrollbarMinThumb = 16;

// Lays out the page's top-level elements in a view of the given size.
void LayoutPage(Node* documentNode, int viewWidth, int viewHeight, TextMeasurer& measurer);

// The text of a run as laid out and painted: each run of white space is one space.
std::u16string DisplayText(std::u16string_view text);

// Track and thumb of a box's vertical scroll bar, in page coordinates.
Rect ScrollbarTrack(const Box& box);
Rect ScrollbarThumb(const Box& box);
int MaxScroll(const Box& box);

}  // namespace hl
