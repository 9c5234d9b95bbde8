// The rows of server mode: a table left on the database server (data/KeyedRows.h), of which
// the control keeps only the pages it has drawn or searched lately. A page is a (column, row)
// table like the item table, so that the list draws from either the same way.
//
// Rows are numbered from 0 in the server's order. A page is read by key from its neighbour, or
// around a row that a search found (its number is the count of rows before it), never by
// skipping rows. The count is read at connection and again whenever the host reads ListCount;
// a count that changed drops every page, so that no page read before the change can show a
// row a second time beside one read after it.
//
// A failure of the server is reported once per connection; the pages already read stay, and
// what cannot be read is drawn empty and found nowhere.
#pragma once

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "data/KeyedRows.h"
#include "runtime/Variant.h"
#include "table/CellTable.h"

namespace cp {

// Where a row that a search found stands, as the server tells it: read by itself, without the
// control's pages, so that it can be read on a thread other than the window's.
struct LocatedRow {
    std::optional<KeyedRow> found;  // none: no row was found
    std::int64_t before = 0;        // the rows before it
    std::vector<KeyedRow> page;     // the rows of its page, around it; empty when short
};

// A row's cells: the table (the item table or a page) and the row's place in it.
struct RowCellsAt {
    const VariantArray* items = nullptr;  // a page of the server's
    const CellTable* table = nullptr;     // the item table
    std::int32_t row = -1;

    // False when the row cannot be read.
    bool Readable() const { return items || table; }
    // The row is readable and lies within its table.
    bool Holds() const {
        if (!Readable() || row < 0) return false;
        const bool allocated = items ? items->Allocated() : table->Allocated();
        return allocated && row < (items ? items->Extent(1) : table->Extent(1));
    }
    // The columns of the table or page; the row is readable.
    std::int32_t Columns() const { return items ? items->Extent(0) : table->Extent(0); }
    // A cell of the row (error 9 outside the table); the row is readable.
    Variant Cell(std::int32_t column) const {
        return items ? items->At(column, row) : table->At(column, row);
    }
    // The text that the cell shows: "" for Null.
    std::string Text(std::int32_t column) const {
        if (table) {
            const CellView cell = table->ViewAt(column, row);
            if (cell.IsString()) return std::string(cell.String());
        }
        return DisplayText(Cell(column));
    }
};

class ServerRows {
public:
    // Rows per page: a list of up to fifteen rows a few pages deep.
    static constexpr std::int32_t kPageRows = 64;
    // Pages kept: beyond them the one farthest from the newest goes.
    static constexpr std::size_t kKeptPages = 32;

    bool Active() const { return source_ != nullptr; }
    // Server mode over source: its count and first page are read at once (failures raise).
    void Connect(std::shared_ptr<KeyedRows> source);
    // Back to the item table: the pages go.
    void Disconnect();

    std::int32_t Count() const { return count_; }
    std::int32_t FieldCount() const { return fields_; }
    // Reads the count again; the pages go when it changed. True when it changed.
    bool Recount();

    // The page that holds row, and the row's place in it; nullptr when the row cannot be read.
    const VariantArray* PageOf(std::int32_t row, std::int32_t& at) const;
    // The first row whose first column begins with text, ignoring ASCII case; -1 for none.
    std::int32_t FindPrefix(std::string_view text);
    // The first row whose entry in column equals value; -1 for none.
    std::int32_t FindValue(std::int32_t column, const Variant& value);

    // The rows on the server, for reads that run elsewhere; null outside server mode.
    const std::shared_ptr<KeyedRows>& Source() const { return source_; }
    // Reads where found stands on source: the count before it and its page. Touches nothing
    // of the control's, so any thread may run it; failures raise.
    static LocatedRow Locate(KeyedRows& source, std::optional<KeyedRow> found);
    // The row located (read before, perhaps elsewhere) takes its place in the pages; its row
    // number, -1 for none.
    std::int32_t Adopt(const LocatedRow& located);
    // Reports a failure of a read that ran elsewhere, as a failure here is (once per
    // connection).
    void ReportFailure(const std::exception_ptr& failure) const;

private:
    struct Page {
        VariantArray cells;         // (column, row)
        RowKey first;               // where its first row stands
        RowKey last;                // where its last row stands
        std::vector<Variant> keys;  // each row's unique key
    };
    const Page* Load(std::int32_t page) const;
    const Page* Keep(std::int32_t page, const std::vector<KeyedRow>& rows) const;
    // Runs read; a failure is reported (the first time) and answered with fallback.
    template <class Read, class Result>
    Result Guarded(Read&& read, Result fallback) const;

    std::shared_ptr<KeyedRows> source_;  // the rows on the server; null outside server mode
    std::int32_t count_ = 0;             // the rows on the server when last counted
    std::int32_t fields_ = 0;            // the fields of each row
    // A cache: reading a row through a const view of the control may fill it.
    mutable std::map<std::int32_t, Page> pages_;  // the pages read, by number
    mutable bool reported_ = false;               // a failure of this connection was reported
};

}  // namespace cp
