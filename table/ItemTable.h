// The item table: the rows that the list offers, a table of cells indexed (column, row) of
// which the first Count() rows are in use (kept compact: table/CellTable.h), with the indexes that
// search its first and bound columns and the three rows that the control stands on: the current
// row, the committed row and the row it last selected in the open list itself (the hot row).
//
// Like a list box's own items, the rows change only through the operations below: append a
// row, replace all rows, remove a row, clear. Each of them tells the indexes and moves the marks
// with the rows, so that neither can go on pointing at rows that are gone. The list window,
// which holds nothing but the number of rows, is the control's to tell.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Variant.h"
#include "table/CellTable.h"
#include "table/ItemIndexes.h"

namespace cp {

// What a removal did to the committed row.
enum class CommittedRow {
    Stays,    // it lies before the removed row, or there is none
    Removed,  // it was the removed row: no row is current or committed any more
    MovedUp,  // it lay after the removed row and moved up with the rows after it
};

class ItemTable {
public:
    // --- The rows ------------------------------------------------------------------------------

    // The allocated table, which may hold more rows than are counted (a spare row after Clear,
    // the old rows after a replacement that counted none).
    const CellTable& Items() const { return varItems; }
    // A cell as the Variant it was stored as; error 9 outside the allocated table.
    Variant Cell(std::int32_t column, std::int32_t row) const { return varItems.At(column, row); }
    // A cell read in place, for its text; error 9 outside the allocated table.
    CellView View(std::int32_t column, std::int32_t row) const {
        return varItems.ViewAt(column, row);
    }
    std::int32_t Count() const { return lngListCount; }
    // Counts the changes of the rows, so that whatever was taken from them (the rows a filtered
    // list shows, say) can tell that it is out of date.
    std::uint64_t Changes() const { return changes; }
    // A copy of the whole allocated table.
    VariantArray CopyOut() const { return varItems.ToVariantArray(); }

    // Appends one row of the item string's fields. False, and nothing changes, when the string
    // has not `columns` fields. A table allocated with another column count cannot grow (error
    // 9); an unallocated one is made with `columns` columns.
    bool AppendRow(std::string_view item, std::int16_t columns);
    // All rows give way to those of items, a (column, row) table.
    void ReplaceRows(VariantArray items);
    void ReplaceRows(CellTable cells);
    // No row is counted any more; the rows stay allocated.
    void ForgetRows();
    // The rows give way to those that load(cells) puts into a table of cells; load answers how
    // many rows it put there, and leaves the table unallocated when it puts none, which leaves
    // the old table allocated as it was. A failure of load leaves no row counted.
    template <class Load>
    void Refill(Load&& load) {
        ForgetRows();
        ++changes;
        CellTable loaded;
        const std::int32_t count = std::forward<Load>(load)(loaded);
        if (loaded.Allocated()) varItems = std::move(loaded);
        lngListCount = count;
    }
    // Removes the row (when it is counted; a row below 0 changes nothing) and moves the rows
    // after it up; tellList() removes it from the list window at the moment when a failure there
    // leaves the table and its searches in step with each other: before the last row goes, after
    // the later rows have moved up. The marks then follow the rows (see CommittedRow).
    template <class TellList>
    CommittedRow RemoveRow(std::int32_t row, TellList&& tellList);
    // No rows and no marks; the table keeps one spare row of Empty entries in `columns` columns
    // (error 9 for a count below 0, after the rows and marks are gone).
    void Clear(std::int16_t columns);

    // --- Searches of the counted rows, failing as a search row by row would --------------------

    // The first row whose first column begins with text, ignoring case; -1 for none.
    std::int32_t FindPrefix(std::string_view text) {
        return indexes.FindPrefix(varItems, lngListCount, text);
    }
    // The rows that match text under the rule, in table order, at most limit of them; an empty
    // text matches every row.
    std::vector<std::int32_t> FindMatches(const SearchRule& rule, std::string_view text,
                                          std::size_t limit = kAllMatches) {
        return indexes.FindMatches(varItems, lngListCount, rule, text, limit);
    }
    // The same rows found a stretch at a time: the first `first` of them at once (all of them
    // when they are fewer), the others by ResumeMatches, at most `stretch` rows searched a call,
    // appended to found (table/SearchIndex.h).
    FirstMatches StartMatches(const SearchRule& rule, std::string_view text, std::size_t first) {
        return indexes.StartMatches(varItems, lngListCount, rule, text, first);
    }
    AnswerProgress ResumeMatches(std::int32_t stretch, std::vector<std::int32_t>& found) {
        return indexes.ResumeMatches(varItems, lngListCount, stretch, found);
    }
    // Makes at most stretch more rows ready for those searches before any of them asks; false
    // once every row is ready.
    bool FoldAhead(const SearchRule& rule, std::int32_t stretch) {
        return indexes.FoldAhead(varItems, lngListCount, rule, stretch);
    }
    // The first row whose entry in column equals key; -1 for none.
    std::int32_t FindValue(std::int32_t column, const Variant& key) {
        return indexes.FindValue(varItems, lngListCount, column, key);
    }

    // --- The marks -----------------------------------------------------------------------------

    std::int32_t ListIndex() const { return lngListIndex; }
    std::int32_t CommittedIndex() const { return lngCommittedIndex; }
    std::int32_t HotRow() const { return lngHotRow; }
    // The current row is row (-1: none).
    void SetListIndex(std::int32_t row) { lngListIndex = row; }
    // The current row becomes the committed row.
    void CommitListIndex() { lngCommittedIndex = lngListIndex; }
    // Neither a current nor a committed row: the text stands for no row.
    void ForgetSelection() { lngListIndex = lngCommittedIndex = -1; }
    void SetHotRow(std::int32_t row) { lngHotRow = row; }
    // The committed row is row, renamed by server mode (-1: none).
    void SetCommittedIndex(std::int32_t row) { lngCommittedIndex = row; }

private:
    // Lets the tests read and drive the table and its marks.
    friend class ColumnPickProbe;

    bool EndsAtCount(std::int16_t columns) const;
    bool ShapeForRow(std::string_view item, std::int16_t columns);
    void MoveRowsUp(std::int32_t row);
    void DropLastRow();
    CommittedRow MarksAfterRemoval(std::int32_t row);

    CellTable varItems;                   // (column, row), both from 0; unallocated at first
    std::int32_t lngListCount = 0;        // number of rows of varItems in use
    std::int32_t lngListIndex = -1;       // current row, -1 for none
    std::int32_t lngCommittedIndex = -1;  // row that the text stood for at the last commit
    std::int32_t lngHotRow = -1;          // row the control itself last selected in the list
    ItemIndexes indexes;                  // searches of varItems; told of every change of it
    std::uint64_t changes = 0;            // changes of the rows so far
};

template <class TellList>
CommittedRow ItemTable::RemoveRow(std::int32_t row, TellList&& tellList) {
    if (row < 0) return CommittedRow::Stays;
    ++changes;
    if (row == lngListCount - 1) {
        std::forward<TellList>(tellList)();
        DropLastRow();
        indexes.RowRemoved(row);
    } else if (row <= lngListCount - 2) {
        MoveRowsUp(row);
        std::forward<TellList>(tellList)();
        DropLastRow();
    }
    return MarksAfterRemoval(row);
}

}  // namespace cp
