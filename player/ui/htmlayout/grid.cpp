#include "htmlayout/grid.h"

#include <algorithm>
#include <cwchar>

namespace htmlayout {

using dom::has_state;
using dom::set_state;

namespace {

bool is_visible(HELEMENT he) {
    BOOL visible = FALSE;
    return he && HTMLayoutIsElementVisible(he, &visible) == HLDOM_OK && visible;
}

bool is_multiple(const dom::element& table) { return table.get_attribute("multiple") != nullptr; }

bool is_display_none(HELEMENT he) {
    LPCWSTR display = nullptr;
    return HTMLayoutGetStyleAttribute(he, "display", &display) == HLDOM_OK && display && wcscmp(display, L"none") == 0;
}

}  // namespace

int grid::fixed_rows(const dom::element& table) {
    LPCWSTR value = table.get_attribute("fixedrows");
    return value ? _wtoi(value) : 0;
}

dom::element grid::current_row(const dom::element& table) {
    for (UINT i = table.child_count(); i-- > 0;) {
        HELEMENT row = table.child_at(i);
        if (has_state(row, STATE_CURRENT)) return row;
    }
    return {};
}

BOOL grid::on_mouse(HELEMENT he, HELEMENT target, UINT event_type, POINT, UINT mouseButtons, UINT keyboardStates) {
    if (event_type != (MOUSE_DOWN | SINKING) && event_type != MOUSE_DCLICK) return FALSE;
    dom::element table(he);
    dom::element row = dom::child_holding(table, target);
    if (!row.matches("tr")) return FALSE;
    if ((int)row.index_in_parent() < fixed_rows(table)) {
        dom::element cell = dom::child_holding(row, target);
        if (!cell.is_valid()) return FALSE;
        on_header_cell_click(table, cell);
        return mouseButtons == MAIN_MOUSE_BUTTON;
    }
    make_row_current(table, row, keyboardStates, event_type == MOUSE_DCLICK, false);
    HWND hwnd = nullptr;
    if (HTMLayoutGetElementHwnd(table, &hwnd, FALSE) == HLDOM_OK) InvalidateRect(hwnd, nullptr, FALSE);
    return FALSE;
}

void grid::make_row_current(const dom::element& table, const dom::element& row, UINT keyboardStates, bool doubleClick,
                            bool smooth) {
    dom::element previous = current_row(table);
    bool changesPrevious = previous.is_valid() && (HELEMENT)previous != (HELEMENT)row;
    if (is_multiple(table)) {
        if (keyboardStates & SHIFT_KEY_PRESSED) {
            checkall(table, false);
            dom::element anchor = table.select_first(":root > tr:anchor");
            int from = anchor.is_valid() ? (int)anchor.index_in_parent() : 0;
            int to = (int)row.index_in_parent();
            if (from > to) std::swap(from, to);
            for (int i = std::max(from, fixed_rows(table)); i <= to; ++i) {
                HELEMENT between = table.child_at((UINT)i);
                if (is_visible(between)) set_state(between, STATE_CHECKED, 0);
            }
            set_state(row, STATE_CHECKED | STATE_CURRENT, 0);
        } else {
            if (keyboardStates & CONTROL_KEY_PRESSED) {
                set_state(row, STATE_CURRENT, 0);
                if (has_state(row, STATE_CHECKED))
                    set_state(row, 0, STATE_CHECKED);
                else
                    set_state(row, STATE_CHECKED, 0);
            } else {
                checkall(table, false);
                set_state(row, STATE_CHECKED | STATE_CURRENT, 0);
            }
            set_state(table.select_first(":root > tr:anchor"), 0, STATE_ANCHOR);
            set_state(row, STATE_ANCHOR, 0);
        }
        if (changesPrevious) set_state(previous, 0, STATE_CURRENT);
    } else {
        if (changesPrevious) set_state(previous, 0, STATE_CURRENT | STATE_CHECKED);
        set_state(row, STATE_CURRENT | STATE_CHECKED, 0);
    }
    HTMLayoutScrollToView(row, smooth ? SCROLL_SMOOTH : 0);
    HTMLayoutPostEvent(table, doubleClick ? TABLE_ROW_DBL_CLICK : TABLE_ROW_CLICK, row, row.index_in_parent());
}

void grid::checkall(const dom::element& table, bool check) {
    // Header rows are never checked.
    struct checker_cb : dom::callback {
        explicit checker_cb(UINT bodyStart) : bodyStart(bodyStart) {}
        bool on_element(HELEMENT he) override {
            if (dom::element(he).index_in_parent() >= bodyStart && !has_state(he, STATE_CHECKED))
                set_state(he, STATE_CHECKED, 0);
            return false;
        }
        UINT bodyStart;
    };
    struct unchecker_cb : dom::callback {
        bool on_element(HELEMENT he) override {
            if (has_state(he, STATE_CHECKED)) set_state(he, 0, STATE_CHECKED);
            return false;
        }
    };
    if (!is_multiple(table)) return;
    if (check) {
        checker_cb checker((UINT)std::max(0, fixed_rows(table)));
        table.visit_matches(checker, ":root > tr");
    } else {
        unchecker_cb unchecker;
        table.visit_matches(unchecker, ":root > tr:checked");
    }
}

dom::element grid::visible_row(const dom::element& table, int index, int step) {
    for (int i = index; i >= fixed_rows(table) && i < (int)table.child_count(); i += step) {
        HELEMENT row = table.child_at((UINT)i);
        if (is_visible(row)) return row;
    }
    return {};
}

dom::element grid::page_row(const dom::element& table, bool up) {
    RECT area = table.location(ROOT_RELATIVE | VISIBLE_BOX);
    int height = area.bottom - area.top;
    int limit = up ? area.top - height : area.bottom + height;
    int first = fixed_rows(table), last = (int)table.child_count() - 1;
    dom::element candidate, previous;
    for (int i = up ? last : first; i >= first && i <= last; i += up ? -1 : 1) {
        dom::element row = table.child_at((UINT)i);
        if (is_display_none(row)) continue;
        candidate = row;
        RECT place = row.location(ROOT_RELATIVE | BORDER_BOX);
        if (up ? place.top < limit : place.bottom > limit) {
            if (previous.is_valid()) candidate = previous;
            break;
        }
        previous = row;
    }
    return candidate;
}

BOOL grid::on_key(HELEMENT he, HELEMENT, UINT event_type, UINT code, UINT keyboardStates) {
    if (event_type != KEY_DOWN) return FALSE;
    dom::element table(he);
    dom::element current = current_row(table);
    int index = current.is_valid() ? (int)current.index_in_parent() : -1;
    dom::element reached;
    bool smooth = true;
    switch (code) {
        case VK_PRIOR:
            reached = page_row(table, true);
            break;
        case VK_NEXT:
            reached = page_row(table, false);
            break;
        case VK_END:
            reached = visible_row(table, (int)table.child_count() - 1, -1);
            break;
        case VK_HOME:
            reached = visible_row(table, fixed_rows(table), 1);
            break;
        case VK_UP:
            reached = visible_row(table, index >= 0 ? index - 1 : (int)table.child_count() - 1, -1);
            smooth = false;
            break;
        case VK_DOWN:
            reached = visible_row(table, index >= 0 ? index + 1 : fixed_rows(table), 1);
            smooth = false;
            break;
        case 'A':
            if (!(keyboardStates & CONTROL_KEY_PRESSED) || !is_multiple(table)) return FALSE;
            checkall(table, true);
            return TRUE;
        default:
            return FALSE;
    }
    if (reached.is_valid()) make_row_current(table, reached, keyboardStates, false, smooth);
    return TRUE;
}

void grid::on_header_cell_click(HELEMENT table, HELEMENT cell) {
    HTMLayoutPostEvent(table, TABLE_HEADER_CLICK, cell, dom::element(cell).index_in_parent());
}

void sortable_grid::on_header_cell_click(HELEMENT he, HELEMENT cell) {
    grid::on_header_cell_click(he, cell);
    dom::element table(he);
    dom::element checked = table.select_first(":root > tr > th:checked");
    if ((HELEMENT)checked == cell) return;
    set_state(checked, 0, STATE_CHECKED);
    set_state(cell, STATE_CHECKED, 0);
    dom::element current = current_row(table);
    row_sorter sorter((int)dom::element(cell).index_in_parent());
    HTMLayoutSortElements(table, (UINT)fixed_rows(table), table.child_count(),
                          &dom::element::comparator::element_comparator,
                          static_cast<dom::element::comparator*>(&sorter));
    if (current.is_valid()) HTMLayoutScrollToView(current, 0);
}

int sortable_grid::row_sorter::compare(const dom::element& a, const dom::element& b) {
    if (!a.is_valid() || !b.is_valid()) return 0;
    shared_text first = dom::element(a.child_at((UINT)m_column)).inner_text();
    shared_text second = dom::element(b.child_at((UINT)m_column)).inner_text();
    const auto* x = reinterpret_cast<const unsigned short*>(first.c_str());
    const auto* y = reinterpret_cast<const unsigned short*>(second.c_str());
    bool less = std::lexicographical_compare(x, x + first.length(), y, y + second.length());
    bool greater = std::lexicographical_compare(y, y + second.length(), x, x + first.length());
    return less ? -1 : greater ? 1 : 0;
}

}  // namespace htmlayout
