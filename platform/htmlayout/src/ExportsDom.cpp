// The element functions of the interface: uses, tree, search, content, state and view.
#include <cstring>

#include "Ansi.h"
#include "CallScope.h"
#include "Css.h"
#include "Handles.h"
#include "Html.h"
#include "Search.h"
#include "Text.h"
#include "View.h"

using hl::Node;
using hlwin::Guarded;
using hlwin::ToHandle;
using hlwin::ToNode;

namespace {

// Runs body with the live node of he; a stale or null handle is refused.
template <typename F>
HLDOM_RESULT WithNode(HELEMENT he, F&& body) {
    return Guarded([&]() -> HLDOM_RESULT {
        Node* node = ToNode(he);
        if (!node) return HLDOM_INVALID_HANDLE;
        return body(node);
    });
}

// Element-only operations refuse text runs.
template <typename F>
HLDOM_RESULT WithElement(HELEMENT he, F&& body) {
    return WithNode(
        he, [&](Node* node) -> HLDOM_RESULT { return node->IsElement() ? body(node) : HLDOM_INVALID_PARAMETER; });
}

// Names of tags and attributes: ASCII letters, digits, '-', '_', ':' and '.'.
bool IsName(const char* name) {
    if (!name || !*name) return false;
    for (const char* p = name; *p; ++p) {
        char c = *p;
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                  c == ':' || c == '.';
        if (!ok) return false;
    }
    return true;
}

std::u16string Wide(LPCWSTR text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
std::u16string Wide(LPCWSTR text) { return text ? Wide(text, wcslen(text)) : std::u16string(); }
LPCWSTR Out(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

// A page query needs styles and layout brought up to date first.
hl::Document* UpToDate(Node* node) {
    hl::Document* document = node->OwnerDocument();
    if (document) document->Update();
    return document;
}

hl::MatchCallback Forward(HTMLayoutElementCallback* callback, LPVOID param) {
    return [callback, param](Node* n) { return callback(ToHandle(n), param) != FALSE; };
}

}  // namespace

HLDOM_RESULT HLAPI HTMLayout_UseElement(HELEMENT he) {
    return WithNode(he, [](Node* node) {
        node->Use();
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayout_UnuseElement(HELEMENT he) {
    return WithNode(he, [](Node* node) { return node->Unuse() ? HLDOM_OK : HLDOM_OPERATION_FAILED; });
}

HLDOM_RESULT HLAPI HTMLayoutGetChildrenCount(HELEMENT he, UINT* count) {
    if (count) *count = 0;
    return WithNode(he, [&](Node* node) {
        if (!count) return HLDOM_INVALID_PARAMETER;
        *count = static_cast<UINT>(node->ElementCount());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetNthChild(HELEMENT he, UINT n, HELEMENT* child) {
    if (child) *child = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!child) return HLDOM_INVALID_PARAMETER;
        *child = ToHandle(node->ElementAt(n));
        return *child ? HLDOM_OK : HLDOM_INVALID_PARAMETER;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetParentElement(HELEMENT he, HELEMENT* parent) {
    if (parent) *parent = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!parent) return HLDOM_INVALID_PARAMETER;
        *parent = ToHandle(node->ParentElement());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementIndex(HELEMENT he, UINT* index) {
    if (index) *index = 0;
    return WithNode(he, [&](Node* node) {
        if (!index) return HLDOM_INVALID_PARAMETER;
        *index = static_cast<UINT>(node->ElementIndex());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutCreateElement(LPCSTR tagName, LPCWSTR textOrNull, HELEMENT* created) {
    if (created) *created = nullptr;
    return Guarded([&] {
        if (!created || !IsName(tagName)) return HLDOM_INVALID_PARAMETER;
        hl::NodeRef element = Node::CreateElement(tagName);
        if (textOrNull && *textOrNull) element->SetInnerText(Wide(textOrNull));
        element->Use();
        *created = ToHandle(element.get());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutInsertElement(HELEMENT he, HELEMENT parent, UINT index) {
    return WithElement(he, [&](Node* node) {
        Node* container = ToNode(parent);
        if (!container) return HLDOM_INVALID_HANDLE;
        return container->InsertElement(node, index) ? HLDOM_OK : HLDOM_OPERATION_FAILED;
    });
}

HLDOM_RESULT HLAPI HTMLayoutDeleteElement(HELEMENT he) {
    return WithNode(he, [](Node* node) {
        node->Remove();
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSwapElements(HELEMENT he1, HELEMENT he2) {
    return WithElement(he1, [&](Node* a) {
        Node* b = ToNode(he2);
        if (!b) return HLDOM_INVALID_HANDLE;
        return Node::Swap(a, b) ? HLDOM_OK : HLDOM_OPERATION_FAILED;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSortElements(HELEMENT he, UINT firstIndex, UINT lastIndex, ELEMENT_COMPARATOR* compare,
                                         LPVOID param) {
    return WithElement(he, [&](Node* node) {
        if (!compare) return HLDOM_INVALID_PARAMETER;
        node->SortElements(firstIndex, lastIndex, [&](Node* a, Node* b) {
            return static_cast<int>(compare(ToHandle(a), ToHandle(b), param));
        });
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSelectElements(HELEMENT he, LPCSTR selector, HTMLayoutElementCallback* callback,
                                           LPVOID param) {
    return WithElement(he, [&](Node* node) {
        if (!selector || !callback) return HLDOM_INVALID_PARAMETER;
        return hl::SelectElements(node, hlwin::AnsiToUtf8(selector), Forward(callback, param))
                   ? HLDOM_OK
                   : HLDOM_INVALID_PARAMETER;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSelectParent(HELEMENT he, LPCSTR selector, UINT depth, HELEMENT* found) {
    if (found) *found = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!selector || !found) return HLDOM_INVALID_PARAMETER;
        Node* start = node->IsText() ? node->ParentElement() : node;
        *found = start ? ToHandle(hl::SelectParent(start, hlwin::AnsiToUtf8(selector), depth)) : nullptr;
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutVisitElements(HELEMENT he, LPCSTR tagName, LPCSTR attributeName, LPCWSTR attributeValue,
                                          HTMLayoutElementCallback* callback, LPVOID param, DWORD depth) {
    return WithElement(he, [&](Node* node) {
        if (!callback) return HLDOM_INVALID_PARAMETER;
        std::u16string value = Wide(attributeValue);
        hl::VisitElements(node, tagName ? tagName : "", attributeName ? attributeName : "",
                          attributeValue ? &value : nullptr, depth, Forward(callback, param));
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetAttributeByName(HELEMENT he, LPCSTR name, LPCWSTR* value) {
    if (value) *value = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!name || !value) return HLDOM_INVALID_PARAMETER;
        const std::u16string* v = node->GetAttribute(name);
        *value = v ? Out(*v) : nullptr;
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetAttributeByName(HELEMENT he, LPCSTR name, LPCWSTR value) {
    return WithElement(he, [&](Node* node) {
        if (!IsName(name)) return HLDOM_INVALID_PARAMETER;
        std::u16string v = Wide(value);
        node->SetAttribute(name, value ? &v : nullptr);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetStyleAttribute(HELEMENT he, LPCSTR name, LPCWSTR* value) {
    if (value) *value = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!name || !value) return HLDOM_INVALID_PARAMETER;
        hl::PropertyId id = hl::FindProperty(name);
        if (id == hl::PropertyId::Count) return HLDOM_OK;
        UpToDate(node);
        std::u16string text = hl::FormatProperty(node->style, id, node->box);
        auto& reported = node->reportedStyles;
        auto it = reported.begin();
        while (it != reported.end() && it->first != id) ++it;
        if (it == reported.end()) it = reported.insert(reported.end(), {id, std::u16string()});
        it->second = std::move(text);
        *value = Out(it->second);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetStyleAttribute(HELEMENT he, LPCSTR name, LPCWSTR value) {
    return WithElement(he, [&](Node* node) {
        if (!name) return HLDOM_INVALID_PARAMETER;
        if (!value) {
            hl::Declarations covered = hl::ParseProperty(name, "0");  // the longhands the name stands for
            if (covered.empty()) return HLDOM_INVALID_PARAMETER;
            for (const hl::Declaration& d : covered) node->SetRuntimeStyle(d.id, nullptr);
            return HLDOM_OK;
        }
        hl::Declarations declarations = hl::ParseProperty(name, hl::Utf16ToUtf8(Wide(value)));
        if (declarations.empty()) return hl::ParseProperty(name, "0").empty() ? HLDOM_INVALID_PARAMETER : HLDOM_OK;
        for (const hl::Declaration& d : declarations) node->SetRuntimeStyle(d.id, &d.value);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementInnerTextCB(HELEMENT he, LPCWSTR_RECEIVER* receiver, LPVOID param) {
    return WithNode(he, [&](Node* node) {
        if (!receiver) return HLDOM_INVALID_PARAMETER;
        std::u16string text = node->InnerText();
        receiver(Out(text), static_cast<UINT>(text.size()), param);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetElementInnerText16(HELEMENT he, LPCWSTR text, UINT length) {
    return WithElement(he, [&](Node* node) {
        if ((!text && length) || !node->TakesKids()) return HLDOM_INVALID_PARAMETER;
        node->SetInnerText(text ? Wide(text, length) : std::u16string());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementHtmlCB(HELEMENT he, BOOL outer, LPCBYTE_RECEIVER* receiver, LPVOID param) {
    return WithNode(he, [&](Node* node) {
        if (!receiver) return HLDOM_INVALID_PARAMETER;
        std::string html = hl::WriteHtml(node, outer != FALSE);
        receiver(reinterpret_cast<const BYTE*>(html.data()), static_cast<UINT>(html.size()), param);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetElementHtml(HELEMENT he, const BYTE* html, DWORD length) {
    return WithElement(he, [&](Node* node) {
        if ((!html && length) || !node->TakesKids()) return HLDOM_INVALID_PARAMETER;
        node->RemoveAllKids();
        if (html) hl::ParseHtml(std::string_view(reinterpret_cast<const char*>(html), length), node);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementState(HELEMENT he, UINT* stateBits) {
    if (stateBits) *stateBits = 0;
    return WithNode(he, [&](Node* node) {
        if (!stateBits) return HLDOM_INVALID_PARAMETER;
        *stateBits = node->State();
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetElementState(HELEMENT he, UINT bitsToSet, UINT bitsToClear, BOOL) {
    // The change shows at the next painting whatever the redraw flag says.
    return WithElement(he, [&](Node* node) {
        node->SetState(bitsToSet, bitsToClear);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutIsElementVisible(HELEMENT he, BOOL* visible) {
    if (visible) *visible = FALSE;
    return WithNode(he, [&](Node* node) {
        if (!visible) return HLDOM_INVALID_PARAMETER;
        hl::Document* document = UpToDate(node);
        *visible = document && document->IsVisible(node) ? TRUE : FALSE;
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementLocation(HELEMENT he, LPRECT location, UINT areaKind) {
    if (location) *location = RECT{};
    return WithNode(he, [&](Node* node) {
        if (!location) return HLDOM_INVALID_PARAMETER;
        UINT origin = areaKind & 0x0F, boxKind = areaKind & 0xF0;
        if (origin > ROOT_RELATIVE || (boxKind > MARGIN_BOX && boxKind != VISIBLE_BOX)) return HLDOM_INVALID_PARAMETER;
        hl::Document* document = UpToDate(node);
        if (!document) return HLDOM_PASSIVE_HANDLE;
        if (!node->box.laidOut) return HLDOM_OK;
        using Kind = hl::Document::BoxKind;
        hl::Rect r = boxKind == VISIBLE_BOX ? document->VisibleRect(node)
                                            : document->SeenRect(node, boxKind == CONTENT_BOX   ? Kind::Content
                                                                       : boxKind == PADDING_BOX ? Kind::Padding
                                                                       : boxKind == BORDER_BOX  ? Kind::Border
                                                                                                : Kind::Margin);
        if (origin == ROOT_RELATIVE && document->Root()) {
            hl::Rect root = document->SeenRect(document->Root(), Kind::Border);
            r = r.Moved(-root.x, -root.y);
        }
        *location = RECT{r.x, r.y, r.Right(), r.Bottom()};
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutGetElementHwnd(HELEMENT he, HWND* hwnd, BOOL) {
    if (hwnd) *hwnd = nullptr;
    return WithNode(he, [&](Node* node) {
        if (!hwnd) return HLDOM_INVALID_PARAMETER;
        hlwin::View* view = hlwin::View::OfDocument(node->OwnerDocument());
        if (!view) return HLDOM_PASSIVE_HANDLE;
        *hwnd = view->Hwnd();  // no element has a window of its own: both kinds are the page's
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutScrollToView(HELEMENT he, UINT flags) {
    return WithNode(he, [&](Node* node) {
        hl::Document* document = UpToDate(node);
        if (!document) return HLDOM_PASSIVE_HANDLE;
        document->ScrollToView(node, (flags & SCROLL_TO_TOP) != 0);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutSetScrollPos(HELEMENT he, POINT position, BOOL) {
    return WithElement(he, [&](Node* node) {
        hl::Document* document = UpToDate(node);
        if (!document) return HLDOM_PASSIVE_HANDLE;
        document->SetScrollPos(node, position.x, position.y);
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutUpdateElementEx(HELEMENT he, UINT flags) {
    return WithNode(he, [&](Node* node) {
        hl::Document* document = UpToDate(node);
        if (!document) return HLDOM_PASSIVE_HANDLE;
        document->InvalidateNode(node);
        hlwin::View* view = hlwin::View::OfDocument(document);
        if (view && (flags & UPDATE_REDRAW_NOW)) UpdateWindow(view->Hwnd());
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutUpdateElement(HELEMENT he, BOOL remeasure) {
    return HTMLayoutUpdateElementEx(he, remeasure ? UPDATE_MEASURE : 0);
}
