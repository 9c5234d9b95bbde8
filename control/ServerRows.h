// The rows of server mode: a table left on the database server (data/KeyedRows.h), of which
// the control keeps only the rows it has drawn or searched lately. A run of rows is a (column,
// row) table like the item table, so that the list draws from either the same way.
//
// The control's marks (current, committed and hot row) name rows by a number of this class's
// own, a slot; the list shows slot s at s + shift. The rows read form one chain of runs, each
// read by key from its neighbour, never by skipping rows. Where the engine can estimate (see
// KeyedRows::Estimate), a row that a search found starts a new chain at the place its key is
// estimated to have, and nothing is counted: neither the rows nor those before it. The list's
// count and the place of its rows are then estimates, made exact only when a host reads
// ListIndex or ListCount (MakeExact, Recount), or when reading up the chain reaches the table's
// first row. Exact or not, the list shows every row once and in order; an exact place moves the
// whole list (the shift), never the slots, so the marks stay on their rows.
//
// A new chain drops the rows read before. The current and the committed row, when they were
// among them, are kept by themselves in slots of their own (kPinnedSlot on), which the list
// does not show, until they are wanted in the list again (Bring). Where the engine cannot estimate,
// the rows are counted as before and the slots are the rows' places.
//
// A failure of the server is reported once per connection; the rows already read stay, and
// what cannot be read is drawn empty and found nowhere.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "control/ServerPage.h"
#include "data/KeyedRows.h"
#include "runtime/Variant.h"
#include "table/CellTable.h"

namespace cp {

// Where a row that a search found stands, as the server tells it: read by itself, without the
// control's pages, so that it can be read on a thread other than the window's.
struct LocatedRow {
    std::optional<KeyedRow> found;       // none: no row was found
    std::optional<std::int64_t> before;  // the rows before it, where counted or seen
    std::vector<KeyedRow> above;         // the rows right before it, in order
    std::vector<KeyedRow> below;         // the rows right after it, in order
};

// A page of rows to read ahead of the list's scrolling, by key from the row that ends the run
// read (down) or starts it.
struct AheadRead {
    RowKey from;
    bool down = true;
};

// How a found row gets its place: by counting the rows before it, or by an estimate.
enum class Placing { Count, Estimate };

// The rows the control stands on, by slot (-1 for none): kept when a new chain starts.
struct ServerMarks {
    std::int32_t current = -1;
    std::int32_t committed = -1;
};

// How the list moved its rows since the control last looked.
struct ListMove {
    bool moved = false;     // it moved
    std::int32_t rows = 0;  // by this many rows, when only the place of the same rows changed
    bool newChain = false;  // it shows other rows than before
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
    // Rows per read: a list of up to fifteen rows a few reads deep.
    static constexpr std::int32_t kPageRows = 64;
    // Rows read either side of a found row: a list of up to fifteen rows below it, and some
    // above; the rest follows as the list scrolls.
    static constexpr std::int32_t kAroundRows = 16;
    // Runs kept: beyond them the one farthest from the newest goes.
    static constexpr std::size_t kKeptPages = 32;
    // Where a row placed by estimate is numbered: room for half a billion rows either side.
    static constexpr std::int32_t kAnchorSlot = 1 << 29;
    // The marks kept by themselves when the rows around them went: the committed row, then
    // the current one.
    static constexpr std::int32_t kPinnedSlot = (1 << 30) + 1;
    static constexpr std::int32_t kPins = 2;
    // slot names a mark kept by itself.
    static bool KeptByItself(std::int32_t slot) {
        return slot >= kPinnedSlot && slot < kPinnedSlot + kPins;
    }
    // Rows farther than this from every row read are not read up to where the engine
    // estimates: the list reads the rows there by themselves (Reach).
    static constexpr std::int32_t kFarRows = 4 * kPageRows;

    bool Active() const { return source_ != nullptr; }
    // Server mode over source: its count (or estimate) and first rows are read at once
    // (failures raise).
    void Connect(std::shared_ptr<KeyedRows> source);
    // Back to the item table: the rows go.
    void Disconnect();

    // The rows the list shows: counted, or estimated until counted.
    std::int32_t Count() const { return count_; }
    std::int32_t FieldCount() const { return fields_; }
    // How a found row gets its place (Locate).
    Placing HowPlaced() const { return estimate_ ? Placing::Estimate : Placing::Count; }
    // Reads the count again; the rows go when it changed since it was last counted, and where
    // the slots are places (counted) the marks' rows are kept by themselves, since rows that
    // came or went before them moved them. True when the list's count changed.
    bool Recount(ServerMarks& marks);
    // Counts the rows before the chain, so that the list shows each row at its place; false
    // when that cannot be read.
    bool MakeExact() const;
    // How the list moved its rows since the last call (a new chain, an exact place); the
    // control then puts its selection and top row right.
    ListMove TakeMove() const;
    // True when the list moved its rows and the control has yet to follow.
    bool MovePending() const { return move_.moved; }

    // The list's row that shows slot, -1 for none; the slot the list shows at listRow, read
    // (after the list moved, where the read placed it exactly).
    std::int32_t ListRow(std::int32_t slot) const;
    std::int32_t Slot(std::int32_t listRow) const;
    // The slot rows away from slot (a row read), read: a read that reaches the table's first or
    // last row places the list exactly and may move it, and the slot still counts from slot's
    // row, stopping at the first or last row where the table ends short of it.
    std::int32_t SlotFrom(std::int32_t slot, std::int32_t rows) const;
    // The place that the list gives slot, in or beyond its rows (-1 for none or a kept mark),
    // and the slot at a place.
    std::int32_t Place(std::int32_t slot) const;
    std::int32_t SlotAtPlace(std::int32_t place) const;

    // The list's rows from listRow on (rows of them, fewer at the list's end) are all read:
    // the list draws them without reading.
    bool Holds(std::int32_t listRow, std::int32_t rows) const;
    // The run that holds slot, and the slot's place in it; nullptr when it cannot be read.
    const VariantArray* PageOf(std::int32_t slot, std::int32_t& at) const;
    // The first row whose first column begins with text, ignoring ASCII case; -1 for none.
    // marks are the control's, kept (and renamed) when a new chain starts.
    std::int32_t FindPrefix(std::string_view text, ServerMarks& marks);
    // The first row whose entry in column equals value; -1 for none.
    std::int32_t FindValue(std::int32_t column, const Variant& value, ServerMarks& marks);
    // The list shows slot (a mark kept by itself is read again with the rows around it): the
    // slot that the row then has.
    std::int32_t Bring(std::int32_t slot, ServerMarks& marks);
    // The row kept by itself at slot, when bringing it back would read the rows around it (it
    // is not among the rows read); none otherwise.
    std::optional<KeyedRow> ToBring(std::int32_t slot) const;
    // As Bring, for the rows around a kept row read elsewhere (Locate): its slot, -1 for none.
    std::int32_t BringLocated(const LocatedRow& located, ServerMarks& marks);

    // The reads that extend the run of rows read holding the list's rows from listRow on (rows
    // of them) where they come within a page of its end, then of its start; none where they
    // do not, where they are not all read, or where the run reaches the list's end (start).
    std::vector<AheadRead> AheadOf(std::int32_t listRow, std::int32_t rows) const;
    // Rows read ahead elsewhere as asked come into the rows read, but only while a run still
    // ends (starts) with the row they were read from and none of them was read since. A short
    // read, or one that reaches the list's end or start, is left to the list's own read, which
    // places the table's ends. True when they were kept.
    bool KeepAhead(const AheadRead& asked, const std::vector<KeyedRow>& rows);

    // The key of the row read at slot; none when it was not read.
    std::optional<RowKey> KeyAt(std::int32_t slot) const;
    // Keeps row, which the list shows from elsewhere, by itself as the committed (pin 0) or the
    // current (pin 1) mark is kept when its chain goes; its slot.
    std::int32_t SetAside(KeyedRow row, std::size_t pin);
    // The list is to show listRow (a thumb dragged far, a far jump of the scroll bar). When it
    // lies farther than kFarRows from every row read and the engine estimates, only the rows
    // there are read: from the key that the estimate puts at that place (near either end, from
    // the table's first or last row), and a new chain starts with them at listRow, the marks
    // kept as for a found row. True when a new chain started.
    bool Reach(std::int32_t listRow, ServerMarks& marks);
    // listRow lies where Reach reads rather than reading up to it.
    bool Far(std::int32_t listRow) const;
    // As Reach, for a place that must be exact (a host's put of ListIndex): the row read
    // there by estimate is placed by counting the rows before it, so that only the rows from
    // it to place are read then, not every row up to place. A place past the estimated count
    // counts the rows first (Recount). True when a new chain started or the count changed: the
    // marks may have moved.
    bool ReachExactly(std::int32_t place, ServerMarks& marks);

    // The rows on the server, for reads that run elsewhere; null outside server mode.
    const std::shared_ptr<KeyedRows>& Source() const { return source_; }
    // Reads where found stands on source: the rows around it, and the count before it when
    // placed by count. Touches nothing of the control's, so any thread may run it; failures
    // raise.
    static LocatedRow Locate(KeyedRows& source, std::optional<KeyedRow> found, Placing placing);
    // The table's first row, read as Locate reads a found row (with the rows below it), at its
    // exact place; no row for an empty table. Any thread may run it; failures raise.
    static LocatedRow Top(KeyedRows& source);
    // The row located (read before, perhaps elsewhere) takes its place among the rows; its
    // slot, -1 for none.
    std::int32_t Adopt(const LocatedRow& located, ServerMarks& marks);
    // Reports a failure of a read that ran elsewhere, as a failure here is (once per
    // connection).
    void ReportFailure(const std::exception_ptr& failure) const;

private:
    // Rows read together, from their first slot on.
    using Page = ServerPage;
    const Page* Load(std::int32_t slot) const;
    const Page* LoadDown(std::map<std::int32_t, Page>::const_iterator from,
                         std::int32_t slot) const;
    const Page* LoadUp(std::map<std::int32_t, Page>::const_iterator from, std::int32_t slot) const;
    // Rows read down to slot end reach the list's end while the table goes on: the place and
    // the rows are counted.
    void CountToEnd(std::int32_t end) const;
    const Page* Keep(std::int32_t first, const std::vector<KeyedRow>& rows) const;
    // Reads the rows again around the current row (else the committed one, else the chain's
    // first) from its key, at their exact place; the marks follow their rows or go by
    // themselves.
    bool Reread(ServerMarks& marks);
    // The run read that holds slot; pages_.end() for none.
    ServerPages::const_iterator RunOf(std::int64_t slot) const;
    // The slot read that holds the row of this key; none when it was not read.
    std::optional<std::int32_t> SlotOfKey(const Variant& unique) const;
    // The row read at slot; none when it was not read.
    std::optional<KeyedRow> RowAt(std::int32_t slot) const;
    // A new chain of rows starts, the found row at estimated unless its place is known: the
    // marks stay by themselves.
    void StartChain(const LocatedRow& located, std::int32_t slot, ServerMarks& marks,
                    std::int64_t estimated);
    // The rows from slot to the nearest row read; -1 when nothing is read.
    std::int64_t RowsToRead(std::int64_t slot) const;
    // Where the list's place listRow is reached by reading the rows there alone: the row read
    // for it, and the place it takes.
    LocatedRow RowsAtPlace(std::int32_t listRow, std::int64_t& place);
    // The first row of the estimate's entries from entry on; none when all of them went.
    std::optional<KeyedRow> FirstFromEntry(const std::string& entry);
    // The row at mark kept by itself in the slot kPinnedSlot + pin; the new slot, -1 for none.
    std::int32_t Pin(std::int32_t mark, std::size_t pin);
    // The marks standing on the rows read are kept by themselves (Pin).
    void PinMarks(ServerMarks& marks);
    // Calls each(mark, pin) for the marks that stand on slots of the rows rather than by
    // themselves: the committed row, kept in pin 0 when its rows go, then the current one
    // (pin 1).
    template <class Each>
    static void ForMarksOnRows(ServerMarks& marks, Each&& each);
    void MoveList(std::int64_t shift) const;
    // The list shows slot s at s + shift, exactly now; rows read past the estimated end are
    // followed by a count.
    void PlaceExactly(std::int64_t shift) const;
    // Runs read; a failure is reported (the first time) and answered with fallback.
    template <class Read, class Result>
    Result Guarded(Read&& read, Result fallback) const;

    std::shared_ptr<KeyedRows> source_;     // the rows on the server; null outside server mode
    std::optional<RowsEstimate> estimate_;  // none: found rows are placed by counting
    std::int32_t fields_ = 0;               // the fields of each row
    std::optional<std::int32_t> counted_;   // the rows when last counted
    // A cache: reading a row through a const view of the control may fill it, and an exact
    // place found on the way moves the list.
    mutable std::int32_t count_ = 0;  // the rows the list shows
    mutable std::int64_t shift_ = 0;  // the list shows slot s at s + shift_
    mutable bool exact_ = true;       // shift_ is the count of the rows before slot 0
    mutable ListMove move_;           // the list's move not yet taken
    mutable ServerPages pages_;       // the runs read, by their first slot
    // The marks kept by themselves (committed, current) and their cells.
    std::array<std::optional<KeyedRow>, kPins> pinned_;
    std::array<VariantArray, kPins> pinnedCells_;
    mutable bool reported_ = false;  // a failure of this connection was reported
};

}  // namespace cp
