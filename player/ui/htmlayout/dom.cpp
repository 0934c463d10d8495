#include "htmlayout/dom.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace htmlayout {
namespace dom {

namespace {

const size_t SELECTOR_SIZE = 2048;

// The formatted selector, or false when it does not fit the buffer.
bool FormatSelector(char (&buffer)[SELECTOR_SIZE], LPCSTR format, va_list args) {
    int n = _vsnprintf(buffer, SELECTOR_SIZE, format, args);
    buffer[SELECTOR_SIZE - 1] = 0;
    return n >= 0 && (size_t)n < SELECTOR_SIZE;
}

// The engine's answer to a query on he, T{} when there is no element or the call fails.
template <class T, class Fn, class... Args>
T Query(Fn fn, HELEMENT he, Args... args) {
    T value{};
    if (!he || fn(he, args..., &value) != HLDOM_OK) value = T{};
    return value;
}

}  // namespace

BOOL CALLBACK callback::element_callback(HELEMENT he, LPVOID param) {
    return static_cast<callback*>(param)->on_element(he);
}

INT CALLBACK element::comparator::element_comparator(HELEMENT a, HELEMENT b, LPVOID param) {
    return static_cast<comparator*>(param)->compare(element(a), element(b));
}

void element::use(HELEMENT he) { m_he = he && HTMLayout_UseElement(he) == HLDOM_OK ? he : nullptr; }

element& element::operator=(HELEMENT he) {
    HELEMENT old = m_he;
    use(he);  // before dropping the old use, which may be the same element's
    if (old) HTMLayout_UnuseElement(old);
    return *this;
}

void element::release() {
    if (m_he) HTMLayout_UnuseElement(m_he);
    m_he = nullptr;
}

UINT element::child_count() const { return Query<UINT>(HTMLayoutGetChildrenCount, m_he); }

HELEMENT element::child_at(UINT n) const { return Query<HELEMENT>(HTMLayoutGetNthChild, m_he, n); }

HELEMENT element::parent() const { return Query<HELEMENT>(HTMLayoutGetParentElement, m_he); }

UINT element::index_in_parent() const { return Query<UINT>(HTMLayoutGetElementIndex, m_he); }

HELEMENT element::sibling_after() const {
    element p = parent();
    return p.is_valid() ? p.child_at(index_in_parent() + 1) : nullptr;
}

HELEMENT element::sibling_before() const {
    element p = parent();
    UINT index = index_in_parent();
    return p.is_valid() && index > 0 ? p.child_at(index - 1) : nullptr;
}

HELEMENT element::first_in_parent() const {
    element p = parent();
    return p.is_valid() ? p.child_at(0) : nullptr;
}

HELEMENT element::last_in_parent() const {
    element p = parent();
    UINT count = p.child_count();
    return count ? p.child_at(count - 1) : nullptr;
}

LPCWSTR element::get_attribute(LPCSTR name) const { return Query<LPCWSTR>(HTMLayoutGetAttributeByName, m_he, name); }

RECT element::location(UINT areaKind) const {
    RECT rect = {};
    if (m_he && HTMLayoutGetElementLocation(m_he, &rect, areaKind) != HLDOM_OK) rect = RECT{};
    return rect;
}

shared_text element::inner_text() const {
    shared_text text;
    if (m_he) HTMLayoutGetElementInnerTextCB(m_he, &shared_text::writer, &text);
    return text;
}

shared_utf8 element::get_outer_html() const {
    shared_utf8 html;
    if (m_he) HTMLayoutGetElementHtmlCB(m_he, TRUE, &shared_utf8::writer, &html);
    return html;
}

void element::replace_html(const BYTE* html, size_t length) {
    if (!m_he) return;
    if (!html || length == 0)
        HTMLayoutSetElementInnerText16(m_he, L"", 0);
    else
        HTMLayoutSetElementHtml(m_he, html, (DWORD)length);
}

void element::remove() {
    if (m_he) HTMLayoutDeleteElement(m_he);
    release();
}

element element::create(LPCSTR tagName, LPCWSTR text) {
    element created;
    HELEMENT he = nullptr;
    if (HTMLayoutCreateElement(tagName, text, &he) == HLDOM_OK) created.m_he = he;  // the engine's use
    return created;
}

HELEMENT element::find_by_id(LPCWSTR id) const {
    find_first_callback first;
    if (m_he && id) HTMLayoutVisitElements(m_he, nullptr, "id", id, &callback::element_callback, &first, 0);
    return first.found;
}

HELEMENT element::find_by_id(LPCSTR id) const {
    if (!id) return nullptr;
    int n = MultiByteToWideChar(CP_ACP, 0, id, -1, nullptr, 0);
    std::wstring wide(n > 0 ? (size_t)n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, id, -1, &wide[0], n);
    return find_by_id(wide.c_str());
}

void element::select(callback& cb, LPCSTR format, va_list args) const {
    char selector[SELECTOR_SIZE];
    if (m_he && FormatSelector(selector, format, args))
        HTMLayoutSelectElements(m_he, selector, &callback::element_callback, &cb);
}

HELEMENT element::select_first(LPCSTR format, ...) const {
    find_first_callback first;
    va_list args;
    va_start(args, format);
    select(first, format, args);
    va_end(args);
    return first.found;
}

void element::select_all(std::vector<element>& found, LPCSTR format, ...) const {
    find_all_callback all(found);
    va_list args;
    va_start(args, format);
    select(all, format, args);
    va_end(args);
}

void element::visit_matches(callback& cb, LPCSTR format, ...) const {
    va_list args;
    va_start(args, format);
    select(cb, format, args);
    va_end(args);
}

HELEMENT element::matches(LPCSTR selector) const { return Query<HELEMENT>(HTMLayoutSelectParent, m_he, selector, 1u); }

HELEMENT element::matching_ancestor(LPCSTR selector) const {
    return Query<HELEMENT>(HTMLayoutSelectParent, m_he, selector, 0u);
}

void element::invalidate() const {
    HWND hwnd = nullptr;
    if (!m_he || HTMLayoutGetElementHwnd(m_he, &hwnd, TRUE) != HLDOM_OK || !hwnd) return;
    RECT rect = location(VIEW_RELATIVE | BORDER_BOX);
    InvalidateRect(hwnd, &rect, FALSE);
}

bool has_state(HELEMENT he, UINT state) {
    UINT bits = 0;
    return he && HTMLayoutGetElementState(he, &bits) == HLDOM_OK && (bits & state) != 0;
}

void set_state(HELEMENT he, UINT set, UINT clear) {
    if (he) HTMLayoutSetElementState(he, set, clear, TRUE);
}

HELEMENT target_element(HELEMENT he) {
    // Selection starts at the element of a text run, and depth 1 tests nothing else.
    return Query<HELEMENT>(HTMLayoutSelectParent, he, "*", 1u);
}

element child_holding(HELEMENT parent, HELEMENT he) {
    if (!parent) return {};
    element child(target_element(he));
    while (child.is_valid()) {
        HELEMENT above = child.parent();
        if (above == parent) return child;
        child = above;
    }
    return {};
}

}  // namespace dom
}  // namespace htmlayout
