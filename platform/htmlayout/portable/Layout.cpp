#include "Layout.h"

#include <algorithm>
#include <vector>

#include "Document.h"
#include "Node.h"
#include "Text.h"

namespace hl {
namespace {

enum { kLeft, kTop, kRight, kBottom };

bool IsPositioned(const Node* n) { return n->style.position != Position::Static; }
bool IsAbsolute(const Node* n) { return n->IsElement() && n->style.position == Position::Absolute; }
bool IsShown(const Node* n) { return n->IsText() || n->style.display != Display::None; }
bool IsInlineLevel(const Node* n) { return n->IsText() || !n->style.IsBlockLevel(); }
bool Scrolls(const ComputedStyle& s) { return s.overflow == Overflow::Auto || s.overflow == Overflow::Scroll; }

void Clear(Node* n) {
    n->box.laidOut = false;
    for (Node* kid : n->Kids()) Clear(kid);
}

void Shift(Node* n, int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    n->box.border = n->box.border.Moved(dx, dy);
    for (Node* kid : n->Kids())
        if (kid->box.laidOut) Shift(kid, dx, dy);
}

void ShiftKids(Node* n, int dx, int dy) {
    for (Node* kid : n->Kids())
        if (kid->box.laidOut) Shift(kid, dx, dy);
}

Rect ComputeInk(Node* n) {
    Box& b = n->box;
    b.ink = b.border;
    Rect kidsInk;
    for (Node* kid : n->Kids())
        if (kid->box.laidOut) kidsInk = kidsInk.Union(ComputeInk(kid));
    if (n->IsText() || n->GetKind() == Node::Kind::Document || n->style.overflow == Overflow::Visible)
        b.ink = b.ink.Union(kidsInk.Moved(-b.scrollX, -b.scrollY));
    return b.ink;
}

struct Absolute {
    Node* node;
    Node* containingBlock;  // null: the view
    Point staticPos;
};

class Layouter {
public:
    explicit Layouter(TextMeasurer& measurer) : m_measurer(measurer) {}

    void Page(Node* documentNode, int width, int height) {
        Clear(documentNode);
        Box& b = documentNode->box;
        b.laidOut = true;
        b.border = {0, 0, width, height};
        m_view = b.border;
        int y = 0;
        for (Node* kid : documentNode->Kids()) {
            if (!kid->IsElement() || !IsShown(kid)) continue;
            if (IsAbsolute(kid)) {
                m_absolutes.push_back({kid, nullptr, {0, y}});
                continue;
            }
            LayoutElement(kid, 0, y, width, height, -1, -1);
            y += kid->box.MarginBox().h;
        }
        PlaceAbsolutes(nullptr);
        ComputeInk(documentNode);
    }

private:
    int LineHeight(const ComputedStyle& s) {
        return s.lineHeight.IsAuto() ? m_measurer.LineHeight(s) : s.lineHeight.Resolve(s.fontSize, s.fontSize);
    }

    static Node* ContainingBlock(const Node* n) {
        for (Node* a = n->ParentElement(); a; a = a->ParentElement())
            if (IsPositioned(a)) return a;
        return nullptr;
    }

    static void ResolveEdges(Node* n, int cbWidth) {
        const ComputedStyle& s = n->style;
        Box& b = n->box;
        int* margin[] = {&b.margin.left, &b.margin.top, &b.margin.right, &b.margin.bottom};
        int* padding[] = {&b.padding.left, &b.padding.top, &b.padding.right, &b.padding.bottom};
        int* border[] = {&b.borderWidth.left, &b.borderWidth.top, &b.borderWidth.right, &b.borderWidth.bottom};
        for (int i = 0; i < 4; ++i) {
            *margin[i] = s.margin[i].Resolve(cbWidth, 0);
            *padding[i] = std::max(0, s.padding[i].Resolve(cbWidth, 0));
            *border[i] = s.BorderWidth(i);
        }
    }

    static int FrameWidth(const Box& b) { return b.padding.Horizontal() + b.borderWidth.Horizontal(); }
    static int FrameHeight(const Box& b) { return b.padding.Vertical() + b.borderWidth.Vertical(); }

    // Border-box width from a definite width, or -1 for auto and flex.
    static int SpecifiedWidth(Node* n, int cbWidth) {
        const Length& w = n->style.width;
        if (w.unit != Length::Unit::Px && w.unit != Length::Unit::Percent) return -1;
        return std::max(0, w.Resolve(cbWidth, 0)) + FrameWidth(n->box);
    }

    int TextWidth(Node* text) { return m_measurer.Width(DisplayText(text->Text()), text->style); }

    // Width without any wrapping, border box.
    int MaxContentWidth(Node* n) {
        if (n->IsText()) return TextWidth(n);
        ResolveEdges(n, 0);
        if (n->style.width.unit == Length::Unit::Px) return SpecifiedWidth(n, 0);
        int content = 0;
        if (n->style.display == Display::Table) {
            std::vector<int> columns;
            ForEachRow(n, [&](Node* row) {
                size_t j = 0;
                for (Node* cell : row->Kids()) {
                    if (!cell->IsElement() || !IsShown(cell)) continue;
                    if (columns.size() <= j) columns.push_back(0);
                    columns[j] = std::max(columns[j], MaxContentWidth(cell));
                    ++j;
                }
            });
            for (int c : columns) content += c;
        } else {
            int line = 0;
            bool horizontal = n->style.flow == Flow::Horizontal;
            for (Node* kid : n->Kids()) {
                if (!IsShown(kid) || IsAbsolute(kid)) continue;
                int w = MaxContentWidth(kid) + (kid->IsElement() ? kid->box.margin.Horizontal() : 0);
                if (horizontal || IsInlineLevel(kid)) {
                    line += w;
                } else {
                    content = std::max(content, std::max(line, w));
                    line = 0;
                }
            }
            content = std::max(content, line);
        }
        return content + FrameWidth(n->box);
    }

    template <typename F>
    static void ForEachRow(Node* table, F&& f) {
        for (Node* kid : table->Kids()) {
            if (!kid->IsElement() || !IsShown(kid)) continue;
            if (kid->style.display == Display::TableRow) {
                f(kid);
            } else if (kid->style.display == Display::TableRowGroup) {
                for (Node* row : kid->Kids())
                    if (row->IsElement() && row->style.display == Display::TableRow) f(row);
            }
        }
    }

    // Lays out an element with its margin box at (x, y). borderWidth / borderHeight
    // force the border box size (-1: from the style and the containing block).
    void LayoutElement(Node* n, int x, int y, int cbWidth, int cbHeight, int borderWidth, int borderHeight) {
        const ComputedStyle& s = n->style;
        Box& b = n->box;
        b.laidOut = true;
        ResolveEdges(n, cbWidth);
        int w = borderWidth;
        if (w < 0) {
            w = SpecifiedWidth(n, cbWidth);
            if (w >= 0 && s.margin[kLeft].IsAuto() && s.margin[kRight].IsAuto())
                b.margin.left = b.margin.right = std::max(0, (cbWidth - w) / 2);
            if (w < 0) w = std::max(0, cbWidth - b.margin.Horizontal());
        }
        int contentHeight = -1;
        if (borderHeight >= 0)
            contentHeight = std::max(0, borderHeight - FrameHeight(b));
        else if (s.height.unit == Length::Unit::Px)
            contentHeight = std::max(0, s.height.Resolve(0, 0));
        else if (s.height.unit == Length::Unit::Percent && cbHeight >= 0)
            contentHeight = std::max(0, s.height.Resolve(cbHeight, 0));
        b.border = {x + b.margin.left, y + b.margin.top, w, 0};
        Rect content = b.Content();
        content.w = std::max(0, content.w);
        content.h = contentHeight;

        bool scrolls = Scrolls(s) && contentHeight >= 0;
        size_t absolutesBefore = m_absolutes.size();
        b.scrollbar = scrolls && s.overflow == Overflow::Scroll;
        Rect inner = content;
        if (b.scrollbar) inner.w = std::max(0, inner.w - kScrollbarWidth);
        int used = LayoutContent(n, inner, contentHeight);
        if (scrolls && !b.scrollbar && used > contentHeight) {
            b.scrollbar = true;
            m_absolutes.resize(absolutesBefore);
            inner.w = std::max(0, content.w - kScrollbarWidth);
            used = LayoutContent(n, inner, contentHeight);
        }
        int height = contentHeight >= 0 ? contentHeight : used;
        b.border.h = height + FrameHeight(b);
        b.scrollHeight = used;
        if (s.overflow == Overflow::Visible) {
            b.scrollX = b.scrollY = 0;
        } else {
            b.scrollX = 0;
            b.scrollY = std::max(0, std::min(b.scrollY, used - height));
        }
        if (!scrolls && contentHeight > used && s.verticalAlign != VerticalAlign::Top && !IsTableLike(s))
            ShiftKids(n, 0, (contentHeight - used) / (s.verticalAlign == VerticalAlign::Middle ? 2 : 1));
        if (s.position == Position::Relative) {
            int dx = !s.left.IsAuto() ? s.left.Resolve(cbWidth, 0) : -s.right.Resolve(cbWidth, 0);
            int dy =
                !s.top.IsAuto() ? s.top.Resolve(std::max(0, cbHeight), 0) : -s.bottom.Resolve(std::max(0, cbHeight), 0);
            Shift(n, dx, dy);
        }
        if (IsPositioned(n)) PlaceAbsolutes(n);
    }

    static bool IsTableLike(const ComputedStyle& s) {
        return s.display == Display::Table || s.display == Display::TableRow || s.display == Display::TableRowGroup;
    }

    int LayoutContent(Node* n, const Rect& content, int contentHeight) {
        if (n->style.display == Display::Table) return LayoutTable(n, content);
        if (n->style.flow == Flow::Horizontal) return LayoutHorizontal(n, content, contentHeight);
        return LayoutVertical(n, content, contentHeight);
    }

    // Block children stacked; consecutive text runs and inline blocks make lines.
    // Children with height "*" share what a definite height leaves.
    int LayoutVertical(Node* n, const Rect& content, int contentHeight) {
        struct Unit {
            std::vector<Node*> nodes;  // one block, or the items of a line group
            bool block = false;
            float flex = 0;
            int top = 0, height = 0;
        };
        std::vector<Unit> units;
        for (Node* kid : n->Kids()) {
            if (!IsShown(kid)) {
                Clear(kid);
                continue;
            }
            if (IsAbsolute(kid)) continue;
            if (IsInlineLevel(kid)) {
                if (units.empty() || units.back().block) units.push_back({});
                units.back().nodes.push_back(kid);
            } else {
                Unit u;
                u.block = true;
                u.nodes.push_back(kid);
                if (kid->style.height.unit == Length::Unit::Flex && contentHeight >= 0)
                    u.flex = kid->style.height.value;
                units.push_back(std::move(u));
            }
        }
        int y = content.y;
        float totalFlex = 0;
        for (Unit& u : units) {
            u.top = y;
            if (!u.block)
                u.height = LayoutLines(u.nodes, n, content.x, y, content.w);
            else if (u.flex > 0) {
                totalFlex += u.flex;
                u.height = 0;
            } else {
                LayoutElement(u.nodes[0], content.x, y, content.w, contentHeight, -1, -1);
                u.height = u.nodes[0]->box.MarginBox().h;
            }
            y += u.height;
        }
        RecordStaticPositions(n, content);
        if (totalFlex <= 0) return y - content.y;
        // Second pass: the flexible blocks take their shares, the others move down.
        int left = std::max(0, contentHeight - (y - content.y));
        y = content.y;
        for (Unit& u : units) {
            if (u.flex > 0) {
                int share = static_cast<int>(left * u.flex / totalFlex);
                Node* kid = u.nodes[0];
                ResolveEdges(kid, content.w);
                LayoutElement(kid, content.x, y, content.w, contentHeight, -1,
                              std::max(0, share - kid->box.margin.Vertical()));
                u.height = kid->box.MarginBox().h;
            } else {
                for (Node* node : u.nodes) Shift(node, 0, y - u.top);
            }
            y += u.height;
        }
        return y - content.y;
    }

    // Absolutely placed children start where they would stand in the flow.
    void RecordStaticPositions(Node* n, const Rect& content) {
        int y = content.y;
        for (Node* kid : n->Kids()) {
            if (!IsShown(kid)) continue;
            if (IsAbsolute(kid)) {
                m_absolutes.push_back({kid, ContainingBlock(kid), {content.x, y}});
            } else if (kid->box.laidOut) {
                y = kid->IsText() ? kid->box.border.Bottom() : kid->box.MarginBox().Bottom();
            }
        }
    }

    // Lines of text runs and inline blocks; text never wraps, items wrap between them.
    int LayoutLines(const std::vector<Node*>& items, Node* container, int x, int y, int width) {
        struct Placed {
            Node* node;
            int x, w, h;
        };
        std::vector<Placed> line;
        int lineWidth = 0, top = y;
        auto finish = [&]() {
            if (line.empty()) return;
            int height = 0;
            for (const Placed& p : line) height = std::max(height, p.h);
            int free = width - lineWidth;
            int offset = container->style.textAlign == TextAlign::Center  ? free / 2
                         : container->style.textAlign == TextAlign::Right ? free
                                                                          : 0;
            for (const Placed& p : line) {
                VerticalAlign va = p.node->IsText() ? VerticalAlign::Middle : p.node->style.verticalAlign;
                int dy = va == VerticalAlign::Middle   ? (height - p.h) / 2
                         : va == VerticalAlign::Bottom ? height - p.h
                                                       : 0;
                int px = x + offset + p.x, py = top + dy;
                if (p.node->IsText())
                    p.node->box.border = {px, py, p.w, p.h};
                else
                    Shift(p.node, px - (p.node->box.border.x - p.node->box.margin.left),
                          py - (p.node->box.border.y - p.node->box.margin.top));
            }
            top += height;
            line.clear();
            lineWidth = 0;
        };
        for (Node* node : items) {
            int w, h;
            if (node->IsText()) {
                node->box.laidOut = true;
                w = TextWidth(node);
                h = LineHeight(node->style);
            } else {
                ResolveEdges(node, width);
                int borderWidth = SpecifiedWidth(node, width);
                if (borderWidth < 0)
                    borderWidth = std::min(MaxContentWidth(node), std::max(0, width - node->box.margin.Horizontal()));
                LayoutElement(node, 0, 0, width, -1, borderWidth, -1);
                w = node->box.MarginBox().w;
                h = node->box.MarginBox().h;
            }
            if (!line.empty() && lineWidth + w > width) finish();
            line.push_back({node, lineWidth, w, h});
            lineWidth += w;
        }
        finish();
        return top - y;
    }

    // Children side by side: fixed widths, auto widths to their content, and "*"
    // widths sharing what is left.
    int LayoutHorizontal(Node* n, const Rect& content, int contentHeight) {
        struct Item {
            Node* node;
            int width = 0;  // margin box for fixed items
            float flex = 0;
        };
        std::vector<Item> items;
        int fixed = 0;
        float totalFlex = 0;
        for (Node* kid : n->Kids()) {
            if (!IsShown(kid)) {
                Clear(kid);
                continue;
            }
            if (IsAbsolute(kid)) continue;
            Item item{kid};
            if (kid->IsText()) {
                item.width = TextWidth(kid);
            } else {
                ResolveEdges(kid, content.w);
                if (kid->style.width.unit == Length::Unit::Flex)
                    item.flex = kid->style.width.value;
                else {
                    int w = SpecifiedWidth(kid, content.w);
                    item.width = (w >= 0 ? w : MaxContentWidth(kid)) + kid->box.margin.Horizontal();
                }
            }
            fixed += item.width;
            totalFlex += item.flex;
            items.push_back(item);
        }
        int left = std::max(0, content.w - fixed);
        int x = content.x, height = 0;
        for (Item& item : items) {
            Node* kid = item.node;
            if (kid->IsText()) {
                kid->box.laidOut = true;
                kid->box.border = {x, content.y, item.width, LineHeight(kid->style)};
                height = std::max(height, kid->box.border.h);
                x += item.width;
                continue;
            }
            ResolveEdges(kid, content.w);
            int borderWidth =
                item.flex > 0
                    ? std::max(0, static_cast<int>(left * item.flex / totalFlex) - kid->box.margin.Horizontal())
                    : item.width - kid->box.margin.Horizontal();
            int borderHeight = kid->style.height.unit == Length::Unit::Flex && contentHeight >= 0
                                   ? std::max(0, contentHeight - kid->box.margin.Vertical())
                                   : -1;
            LayoutElement(kid, x, content.y, content.w, contentHeight, borderWidth, borderHeight);
            height = std::max(height, kid->box.MarginBox().h);
            x += kid->box.MarginBox().w;
        }
        int lineHeight = contentHeight >= 0 ? contentHeight : height;
        for (Item& item : items) {
            Node* kid = item.node;
            VerticalAlign va = kid->IsText() ? VerticalAlign::Middle : kid->style.verticalAlign;
            int h = kid->IsText() ? kid->box.border.h : kid->box.MarginBox().h;
            if (va != VerticalAlign::Top && lineHeight > h)
                Shift(kid, 0, (lineHeight - h) / (va == VerticalAlign::Middle ? 2 : 1));
        }
        RecordStaticPositions(n, content);
        return height;
    }

    // Rows of cells; a column takes the first definite width given to one of its
    // cells, the other columns share what is left.
    int LayoutTable(Node* table, const Rect& content) {
        std::vector<Node*> rows;
        for (Node* kid : table->Kids()) {
            if (!IsShown(kid))
                Clear(kid);
            else if (kid->IsElement() && kid->style.display != Display::TableRow &&
                     kid->style.display != Display::TableRowGroup)
                Clear(kid);
        }
        ForEachRow(table, [&](Node* row) { rows.push_back(row); });
        std::vector<int> columns;
        for (Node* row : rows) {
            size_t j = 0;
            for (Node* cell : row->Kids()) {
                if (!cell->IsElement() || !IsShown(cell)) continue;
                if (columns.size() <= j) columns.push_back(-1);
                if (columns[j] < 0) {
                    ResolveEdges(cell, content.w);
                    columns[j] = SpecifiedWidth(cell, content.w);
                }
                ++j;
            }
        }
        int known = 0, unknown = 0;
        for (int c : columns) c >= 0 ? known += c : ++unknown;
        int share = unknown ? std::max(0, content.w - known) / unknown : 0;
        for (int& c : columns)
            if (c < 0) c = share;
        int y = content.y;
        for (Node* row : rows) {
            row->box.laidOut = true;
            ResolveEdges(row, content.w);
            row->box.margin = row->box.padding = row->box.borderWidth = Edges{};
            int x = content.x, height = std::max(0, row->style.height.Resolve(0, 0));
            size_t j = 0;
            for (Node* cell : row->Kids()) {
                if (!IsShown(cell)) {
                    Clear(cell);
                    continue;
                }
                if (!cell->IsElement()) continue;
                LayoutElement(cell, x, y, columns[j], -1, columns[j], -1);
                cell->box.margin = Edges{};
                height = std::max(height, cell->box.border.h);
                x += columns[j++];
            }
            for (Node* cell : row->Kids()) {
                if (!cell->IsElement() || !cell->box.laidOut) continue;
                int extra = height - cell->box.border.h;
                VerticalAlign va = cell->style.verticalAlign;
                if (extra > 0 && va != VerticalAlign::Top)
                    ShiftKids(cell, 0, va == VerticalAlign::Middle ? extra / 2 : extra);
                cell->box.border.h = height;
            }
            row->box.border = {content.x, y, content.w, height};
            y += height;
        }
        for (Node* kid : table->Kids()) {
            if (!kid->IsElement() || kid->style.display != Display::TableRowGroup || !IsShown(kid)) continue;
            kid->box.laidOut = true;
            kid->box.margin = kid->box.padding = kid->box.borderWidth = Edges{};
            Rect all;
            for (Node* row : kid->Kids())
                if (row->box.laidOut) all = all.Union(row->box.border);
            kid->box.border = all.Empty() ? Rect{content.x, y, content.w, 0} : all;
        }
        return y - content.y;
    }

    // Absolutely placed elements whose containing block is cb (null: the view).
    void PlaceAbsolutes(Node* cb) {
        std::vector<Absolute> mine;
        for (size_t i = 0; i < m_absolutes.size();) {
            if (m_absolutes[i].containingBlock == cb) {
                mine.push_back(m_absolutes[i]);
                m_absolutes.erase(m_absolutes.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
        Rect area = cb ? cb->box.Padding() : m_view;
        for (const Absolute& a : mine) PlaceAbsolute(a, area);
    }

    void PlaceAbsolute(const Absolute& a, const Rect& cb) {
        Node* n = a.node;
        const ComputedStyle& s = n->style;
        ResolveEdges(n, cb.w);
        Box& b = n->box;
        int l = s.left.Resolve(cb.w, 0), r = s.right.Resolve(cb.w, 0);
        int t = s.top.Resolve(cb.h, 0), bt = s.bottom.Resolve(cb.h, 0);
        int w = SpecifiedWidth(n, cb.w);
        if (w < 0 && !s.left.IsAuto() && !s.right.IsAuto()) w = std::max(0, cb.w - l - r - b.margin.Horizontal());
        if (w < 0) w = std::min(MaxContentWidth(n), std::max(0, cb.w - b.margin.Horizontal()));
        int h = -1;
        if (s.height.unit == Length::Unit::Px || s.height.unit == Length::Unit::Percent)
            h = std::max(0, s.height.Resolve(cb.h, 0)) + FrameHeight(b);
        else if (!s.top.IsAuto() && !s.bottom.IsAuto())
            h = std::max(0, cb.h - t - bt - b.margin.Vertical());
        int x = !s.left.IsAuto()    ? cb.x + l
                : !s.right.IsAuto() ? cb.Right() - r - w - b.margin.Horizontal()
                                    : a.staticPos.x;
        int y = !s.top.IsAuto() ? cb.y + t : a.staticPos.y;
        LayoutElement(n, x, y, cb.w, cb.h, w, h);
        if (s.top.IsAuto() && !s.bottom.IsAuto()) Shift(n, 0, cb.Bottom() - bt - b.MarginBox().Bottom());
    }

    TextMeasurer& m_measurer;
    std::vector<Absolute> m_absolutes;
    Rect m_view;
};

}  // namespace

void LayoutPage(Node* documentNode, int viewWidth, int viewHeight, TextMeasurer& measurer) {
    Layouter(measurer).Page(documentNode, viewWidth, viewHeight);
}

std::u16string DisplayText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    bool space = false;
    for (char16_t c : text) {
        if (IsSpace(c)) {
            if (!space) out.push_back(u' ');
            space = true;
        } else {
            out.push_back(c);
            space = false;
        }
    }
    return out;
}

int MaxScroll(const Box& box) { return std::max(0, box.scrollHeight - box.Content().h); }

Rect ScrollbarTrack(const Box& box) {
    Rect p = box.Padding();
    return {p.Right() - kScrollbarWidth, p.y, kScrollbarWidth, p.h};
}

Rect ScrollbarThumb(const Box& box) {
    Rect track = ScrollbarTrack(box);
    int view = box.Content().h;
    int total = std::max(view, box.scrollHeight);
    if (total <= 0) return track;
    int h = std::max(kScrollbarMinThumb, static_cast<int>(static_cast<long long>(track.h) * view / total));
    h = std::min(h, track.h);
    int range = MaxScroll(box);
    int y = track.y + (range > 0 ? static_cast<int>(static_cast<long long>(track.h - h) * box.scrollY / range) : 0);
    return {track.x, y, track.w, h};
}

}  // namespace hl
