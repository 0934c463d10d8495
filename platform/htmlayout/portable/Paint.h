// Painting as a list of drawing commands in view coordinates, which the window side
// carries out (with GDI+); the core decides what goes where.
#pragma once

#include <string>
#include <vector>

#include "Box.h"
#include "Style.h"

namespace hl {

struct FontSpec {
    std::u16string family;  // families separated by commas, first choice first
    int size = 12;          // pixels
    bool bold = false;
    bool italic = false;
};

struct PaintCommand {
    enum class Kind : uint8_t {
        PushClip,  // rect: later drawing is cut to it (and to the clips already pushed)
        PopClip,
        Fill,   // rect in color
        Image,  // image file text: one copy scaled onto tile, repeated to cover rect
        Text,   // text in font and color, left-aligned in rect, vertically centred
    };
    Kind kind;
    Rect rect;
    Rect tile;
    Argb color = 0;
    std::u16string text;
    FontSpec font;
};
using PaintList = std::vector<PaintCommand>;

class DocumentHost;
class Node;

// The drawing of the laid-out page that falls into area.
PaintList PaintPage(Node* documentNode, const Rect& area, DocumentHost& host);
// The mouse target at a view point: the innermost element under it, or a text run
// that lies directly in a block-level element; the root elsewhere in the view; null
// outside the view.
Node* HitTestPage(Node* documentNode, Point p);

}  // namespace hl
