#include "Paint.h"

#include "Builtins.h"
#include "Document.h"
#include "Layout.h"
#include "Node.h"

namespace hl {
namespace {

constexpr Argb kScrollTrack = 0xFFEEEEEE;
constexpr Argb kScrollThumb = 0xFFB4B4B4;

bool Opaque(Argb c) { return (c >> 24) != 0; }

FontSpec FontOf(const ComputedStyle& s) { return {s.fontFamily, s.fontSize, s.bold, s.italic}; }

// Children in painting order: in-flow ones first, then the positioned ones.
template <typename F>
void ForEachInOrder(Node* n, F&& f) {
    for (Node* kid : n->Kids())
        if (kid->IsElement() && kid->style.position == Position::Static) f(kid);
    for (Node* kid : n->Kids())
        if (kid->IsElement() && kid->style.position != Position::Static) f(kid);
}

class Painter {
public:
    Painter(const Rect& area, DocumentHost& host) : m_area(area), m_host(host) {}

    PaintList Page(Node* documentNode) {
        // The root's background, colour and image, covers the whole view.
        Node* root = documentNode->ElementAt(0);
        if (root && root->box.laidOut) {
            m_canvas = root;
            Fill(m_area, root->style.background);
            Image(root->style.backgroundImage, root->box.Padding(), documentNode->box.border);
        }
        ForEachInOrder(documentNode, [this](Node* kid) { PaintElement(kid, 0, 0); });
        return std::move(m_list);
    }

private:
    void Fill(const Rect& r, Argb color) {
        Rect cut = r.Intersect(m_area);
        if (!cut.Empty() && Opaque(color)) m_list.push_back({PaintCommand::Kind::Fill, cut, {}, color});
    }
    void PushClip(const Rect& r) { m_list.push_back({PaintCommand::Kind::PushClip, r}); }
    void PopClip() { m_list.push_back({PaintCommand::Kind::PopClip}); }

    // One image layer positioned in area and cut to clip.
    void Image(const ImageLayer& layer, const Rect& area, const Rect& clip) {
        int w = 0, h = 0;
        if (layer.url.empty() || !m_host.ImageSize(layer.url, w, h) || w <= 0 || h <= 0) return;
        Rect tile, cover;
        if (layer.repeat == Repeat::Stretch) {
            tile = cover = area;
        } else {
            tile = {area.x + layer.x.Resolve(area.w - w, 0), area.y + layer.y.Resolve(area.h - h, 0), w, h};
            bool rx = layer.repeat == Repeat::Repeat || layer.repeat == Repeat::RepeatX;
            bool ry = layer.repeat == Repeat::Repeat || layer.repeat == Repeat::RepeatY;
            cover = {rx ? clip.x : tile.x, ry ? clip.y : tile.y, rx ? clip.w : tile.w, ry ? clip.h : tile.h};
        }
        Rect cut = cover.Intersect(clip).Intersect(m_area);
        if (cut.Empty() || tile.Empty()) return;
        PaintCommand c{PaintCommand::Kind::Image, cut, tile};
        c.text = layer.url;
        m_list.push_back(std::move(c));
    }

    void Borders(const Node* n, const Rect& border) {
        const Box& b = n->box;
        const Edges& e = b.borderWidth;
        const ComputedStyle& s = n->style;
        Fill({border.x, border.y, border.w, e.top}, s.BorderColor(1));
        Fill({border.x, border.Bottom() - e.bottom, border.w, e.bottom}, s.BorderColor(3));
        Fill({border.x, border.y + e.top, e.left, border.h - e.Vertical()}, s.BorderColor(0));
        Fill({border.Right() - e.right, border.y + e.top, e.right, border.h - e.Vertical()}, s.BorderColor(2));
    }

    void Decorations(Node* n, int dx, int dy) {
        const ComputedStyle& s = n->style;
        const Box& b = n->box;
        Rect border = b.border.Moved(dx, dy);
        Rect padding = b.Padding().Moved(dx, dy);
        Rect content = b.Content().Moved(dx, dy);
        if (n != m_canvas) {
            Fill(border, s.background);
            Image(s.backgroundImage, padding, border);
        }
        Borders(n, border);
        BuiltinBehavior kind = BuiltinOf(n);
        if (kind == BuiltinBehavior::Progress) {
            Rect fill = ProgressFill(n).Moved(dx, dy);
            if (!s.foregroundImage.url.empty())
                Image(s.foregroundImage, content, fill);
            else
                Fill(fill, s.color);
            return;
        }
        const Length* o = s.foregroundOffset;
        Rect fore{padding.x + o[0].Resolve(padding.w, 0), padding.y + o[1].Resolve(padding.h, 0), 0, 0};
        fore.w = padding.Right() - o[2].Resolve(padding.w, 0) - fore.x;
        fore.h = padding.Bottom() - o[3].Resolve(padding.h, 0) - fore.y;
        Image(s.foregroundImage, fore, fore.Intersect(border));
        if (kind == BuiltinBehavior::Slider) {
            Rect thumb = SliderThumb(n, m_host).Moved(dx, dy);
            if (!s.thumbImage.empty())
                Image({s.thumbImage, Repeat::Stretch}, thumb, thumb);
            else
                Fill(thumb, s.color);
        }
    }

    // dx, dy move page coordinates to view coordinates (the ancestors' scrolling).
    void PaintElement(Node* n, int dx, int dy) {
        const Box& b = n->box;
        if (!b.laidOut || b.ink.Moved(dx, dy).Intersect(m_area).Empty()) return;
        const ComputedStyle& s = n->style;
        if (!s.hidden) Decorations(n, dx, dy);
        Rect padding = b.Padding().Moved(dx, dy);
        bool clip = s.overflow != Overflow::Visible;
        if (clip) PushClip(padding);
        int kx = dx - b.scrollX, ky = dy - b.scrollY;
        bool textClip = false;
        for (Node* kid : n->Kids()) {
            if (!kid->IsText() || !kid->box.laidOut || kid->style.hidden) continue;
            Rect r = kid->box.border.Moved(kx, ky);
            if (r.Intersect(m_area).Empty()) continue;
            if (!clip && !textClip) {
                PushClip(padding);  // text stays on one line, cut at the padding edge
                textClip = true;
            }
            PaintCommand c{PaintCommand::Kind::Text, r, {}, kid->style.color};
            c.text = DisplayText(kid->Text());
            c.font = FontOf(kid->style);
            m_list.push_back(std::move(c));
        }
        if (textClip) PopClip();
        ForEachInOrder(n, [&](Node* kid) { PaintElement(kid, kx, ky); });
        if (clip) PopClip();
        if (b.scrollbar) {
            Fill(ScrollbarTrack(b).Moved(dx, dy), kScrollTrack);
            Fill(ScrollbarThumb(b).Moved(dx, dy), kScrollThumb);
        }
    }

    Rect m_area;
    Node* m_canvas = nullptr;  // the root, whose background was painted over the view
    DocumentHost& m_host;
    PaintList m_list;
};

Node* Hit(Node* n, Point p, int dx, int dy) {
    const Box& b = n->box;
    if (!b.laidOut || !b.ink.Moved(dx, dy).Contains(p)) return nullptr;
    const ComputedStyle& s = n->style;
    Rect border = b.border.Moved(dx, dy);
    Rect padding = b.Padding().Moved(dx, dy);
    bool self = !s.hidden && border.Contains(p);
    if (s.overflow != Overflow::Visible && !padding.Contains(p)) return self ? n : nullptr;
    int kx = dx - b.scrollX, ky = dy - b.scrollY;
    std::vector<Node*> order;
    ForEachInOrder(n, [&](Node* kid) { order.push_back(kid); });
    for (size_t i = order.size(); i-- > 0;)
        if (Node* found = Hit(order[i], p, kx, ky)) return found;
    for (Node* kid : n->Kids()) {
        if (!kid->IsText() || !kid->box.laidOut || kid->style.hidden) continue;
        if (kid->box.border.Moved(kx, ky).Contains(p) && padding.Contains(p)) return s.IsBlockLevel() ? kid : n;
    }
    return self ? n : nullptr;
}

}  // namespace

PaintList PaintPage(Node* documentNode, const Rect& area, DocumentHost& host) {
    return Painter(area, host).Page(documentNode);
}

Node* HitTestPage(Node* documentNode, Point p) {
    std::vector<Node*> order;
    ForEachInOrder(documentNode, [&](Node* kid) { order.push_back(kid); });
    for (size_t i = order.size(); i-- > 0;)
        if (Node* found = Hit(order[i], p, 0, 0)) return found;
    // The rest of the view is the root's.
    Node* root = documentNode->ElementAt(0);
    return root && root->box.laidOut && documentNode->box.border.Contains(p) ? root : nullptr;
}

}  // namespace hl
