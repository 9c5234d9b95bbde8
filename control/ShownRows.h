// The rows that the list window shows. Normally every row of the item table, each at its own
// number; with FilterList, only the rows that match what is typed, in table order, and the list
// window counts and numbers those. Everything that talks to the list window (its count, its
// selection, its top row, the rows it asks to have drawn, the mouse and the keys in it, the
// reader's objects) goes through this map; everything the host reads (ListIndex, Value,
// Column, ListCount) stays in rows of the item table.
//
// A long filtered list is found a stretch at a time (control/ShownSteps.cpp): the list first
// shows the rows found with the first screen, and grows while the rest is found between the
// thread's messages; Growing() says that rows may still come.
//
// A change of the table's rows ends the filter: the map answers for every row again at once,
// so that no row it took from the old rows can be shown or picked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "table/ItemTable.h"

namespace cp {

// Whether the rows a filtered list shows are all the rows that match.
enum class FilterAnswer {
    Whole,    // every matching row
    Growing,  // the first of them; the others are still being found
};

class ShownRows {
public:
    // True while the list shows only some rows of the table as it is.
    bool Filtered(const ItemTable& table) const {
        return served_ < 0 && filtered_ && tableChanges_ == table.Changes();
    }
    // True when the list showed only some rows of the table and the table changed since: the
    // map answers for every row already, the list window has yet to follow.
    bool EndedByChange(const ItemTable& table) const {
        return served_ < 0 && filtered_ && tableChanges_ != table.Changes();
    }
    // The number of rows the list shows.
    std::int32_t Count(const ItemTable& table) const {
        if (served_ >= 0) return served_;
        return Filtered(table) ? static_cast<std::int32_t>(rows_.size()) : table.Count();
    }
    // The table row shown at listRow; -1 for none. Unfiltered or served, the numbers are the same,
    // whatever they are.
    std::int32_t TableRow(const ItemTable& table, std::int32_t listRow) const;
    // Where the list shows the table row; -1 when it does not show it.
    std::int32_t ListRow(const ItemTable& table, std::int32_t tableRow) const;
    // The typed text whose matches the list shows; empty when it shows every row.
    const std::string& Text(const ItemTable& table) const;

    // True while the list shows only the first of the rows that match its text, the others
    // still to be found.
    bool Growing(const ItemTable& table) const { return growing_ && Filtered(table); }

    // The list shows only these rows (in table order), which match text.
    void Show(const ItemTable& table, std::vector<std::int32_t> rows, std::string text,
              FilterAnswer answer = FilterAnswer::Whole);
    // The rows found after those shown (in table order) join them; answer says whether they
    // were the last.
    void Grow(const std::vector<std::int32_t>& more, FilterAnswer answer);
    // The list shows every row.
    void ShowAll();

    // The list shows the count rows of a table on the database server, each at its own number
    // (server mode), until EndServe.
    void Serve(std::int32_t count) {
        ShowAll();
        served_ = count;
    }
    void EndServe() { served_ = -1; }

    // The typed text whose matches the rows are drawn with; empty for none.
    const std::string& Marked() const { return marked_; }
    void Mark(std::string text) { marked_ = std::move(text); }

private:
    std::int32_t served_ = -1;  // the rows on the server in server mode; -1 outside it
    bool filtered_ = false;
    bool growing_ = false;            // the rows shown are the first of those that match
    std::uint64_t tableChanges_ = 0;  // the table's changes when the rows were taken
    std::vector<std::int32_t> rows_;  // the table rows shown, in table order
    std::string text_;                // the typed text they match
    std::string marked_;              // the typed text whose matches are marked
};

}  // namespace cp
