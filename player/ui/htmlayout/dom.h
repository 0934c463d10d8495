// Elements of an engine page: htmlayout::dom::element owns one use of its handle.
// Handles returned by the raw tree and search queries carry no use; wrap them in an
// element to keep them. Every query on an empty element yields 0, null or empty.
// User-interface thread only.
#pragma once

#include <htmlayout.h>

#include <vector>

#include "htmlayout/shared_text.h"

namespace htmlayout {
namespace dom {

// Handed every match of a selection or visit; true stops the walk.
class callback {
public:
    virtual ~callback() = default;
    virtual bool on_element(HELEMENT he) = 0;
    // The plain function given to the engine with a callback object as parameter.
    static BOOL CALLBACK element_callback(HELEMENT he, LPVOID param);
};

class element {
public:
    element() = default;
    element(HELEMENT he) { use(he); }
    element(const element& other) { use(other.m_he); }
    element& operator=(HELEMENT he);
    element& operator=(const element& other) { return *this = other.m_he; }
    ~element() { release(); }

    operator HELEMENT() const { return m_he; }
    bool is_valid() const { return m_he != nullptr; }
    // Drops the use; the element becomes empty.
    void release();

    UINT child_count() const;
    HELEMENT child_at(UINT n) const;
    HELEMENT parent() const;
    UINT index_in_parent() const;
    HELEMENT sibling_after() const;
    HELEMENT sibling_before() const;
    HELEMENT first_in_parent() const;
    HELEMENT last_in_parent() const;

    LPCWSTR get_attribute(LPCSTR name) const;
    RECT location(UINT areaKind = ROOT_RELATIVE | CONTENT_BOX) const;
    shared_text inner_text() const;
    shared_utf8 get_outer_html() const;
    // Replaces the content with the UTF-8 fragment; no text empties the element.
    void replace_html(const BYTE* html, size_t length);
    // Takes the element out of its page and releases it.
    void remove();
    // A new element outside any page, holding one use; empty when the engine makes none.
    static element create(LPCSTR tagName, LPCWSTR text = nullptr);

    // The first element below this one whose "id" equals the id (8-bit ids are in the
    // ANSI code page); 0 when none.
    HELEMENT find_by_id(LPCSTR id) const;
    HELEMENT find_by_id(LPCWSTR id) const;
    // Selectors are formatted printf-style into 2048 bytes; one that does not fit
    // selects nothing.
    HELEMENT select_first(LPCSTR format, ...) const;
    void select_all(std::vector<element>& found, LPCSTR format, ...) const;
    void visit_matches(callback& cb, LPCSTR format, ...) const;
    // This element when it matches; this element or its nearest matching ancestor.
    HELEMENT matches(LPCSTR selector) const;
    HELEMENT matching_ancestor(LPCSTR selector) const;
    // Invalidates the element's border box in its window, without erasing.
    void invalidate() const;

    class find_first_callback : public callback {
    public:
        bool on_element(HELEMENT he) override {
            found = he;
            return true;
        }
        HELEMENT found = nullptr;
    };

    class find_all_callback : public callback {
    public:
        explicit find_all_callback(std::vector<element>& all) : m_all(&all) {}
        bool on_element(HELEMENT he) override {
            m_all->push_back(element(he));
            return false;
        }

    private:
        std::vector<element>* m_all;
    };

    class comparator {
    public:
        virtual ~comparator() = default;
        virtual int compare(const element& a, const element& b) = 0;
        // The plain function given to the engine's sort with a comparator as parameter.
        static INT CALLBACK element_comparator(HELEMENT a, HELEMENT b, LPVOID param);
    };

private:
    void use(HELEMENT he);
    void select(callback& cb, LPCSTR format, va_list args) const;

    HELEMENT m_he = nullptr;
};

// Element states; a null handle has none and takes none.
bool has_state(HELEMENT he, UINT state);
void set_state(HELEMENT he, UINT set, UINT clear);

// The element of a mouse target: the target itself, or the element that holds a text run.
HELEMENT target_element(HELEMENT he);
// The child of parent that is or holds he (a text run counting as its element); empty
// when he lies outside parent.
element child_holding(HELEMENT parent, HELEMENT he);

}  // namespace dom
}  // namespace htmlayout
