// The behaviours "grid" and "sortable-grid": tables whose rows are chosen by mouse and
// keyboard. The table's first rows, up to its integer attribute "fixedrows" (0 when
// absent), are header rows; with the attribute "multiple" several rows can be checked.
// The behaviours keep no state: the rows' states say everything (current, checked,
// anchor of a range). User-interface thread only.
#pragma once

#include "htmlayout/behavior.h"
#include "htmlayout/dom.h"

namespace htmlayout {

class grid : public behavior {
public:
    grid() : grid("grid") {}

    // A press (seen while the event travels down) or a double click on a row makes it
    // current; on a header cell it is a header click.
    BOOL on_mouse(HELEMENT he, HELEMENT target, UINT event_type, POINT pt, UINT mouseButtons,
                  UINT keyboardStates) override;
    // Page Up and Down, End, Home, Up and Down move the current row; Ctrl+A checks all
    // rows of a "multiple" table.
    BOOL on_key(HELEMENT he, HELEMENT target, UINT event_type, UINT code, UINT keyboardStates) override;
    // Posts TABLE_HEADER_CLICK to the table.
    virtual void on_header_cell_click(HELEMENT table, HELEMENT cell);

protected:
    explicit grid(LPCSTR name) : behavior(HANDLE_MOUSE | HANDLE_KEY | HANDLE_FOCUS, name) {}

    static int fixed_rows(const dom::element& table);
    // The current row: the last child in STATE_CURRENT.
    static dom::element current_row(const dom::element& table);

private:
    // Checks and makes current as the keys ask, scrolls the row into view and posts
    // TABLE_ROW_CLICK (TABLE_ROW_DBL_CLICK) to the table.
    static void make_row_current(const dom::element& table, const dom::element& row, UINT keyboardStates,
                                 bool doubleClick, bool smooth);
    // Checks or unchecks every row of the table itself (not header rows, nor rows of
    // tables inside it); on "multiple" tables only.
    static void checkall(const dom::element& table, bool check);
    // The first row from index on, in steps of step, that the engine reports visible;
    // header rows are never reached.
    static dom::element visible_row(const dom::element& table, int index, int step);
    // The row a page up (down) reaches from the table's visible area.
    static dom::element page_row(const dom::element& table, bool up);
};

class sortable_grid : public grid {
public:
    sortable_grid() : grid("sortable-grid") {}

    // Besides the header click: a click on a header cell that is not checked checks it
    // and sorts the body rows by its column, ascending.
    void on_header_cell_click(HELEMENT table, HELEMENT cell) override;

    // Compares two rows by the inner text of one column, code unit by code unit.
    class row_sorter : public dom::element::comparator {
    public:
        explicit row_sorter(int column) : m_column(column) {}
        int compare(const dom::element& a, const dom::element& b) override;

    private:
        int m_column;
    };
};

}  // namespace htmlayout
