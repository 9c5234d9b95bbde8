// The rows a filtered list shows in server mode (FilterList): those the typed text finds on the
// server, in the list's order, read by key a page at a time from the first one on, as the whole
// list is read (never by skipping rows). The first page comes with the answer of the query
// thread, and their count after it; until the count comes, the list counts the rows read and
// one more while more may follow, and grows as it reads on.
//
// The rows have slots of their own, above every slot of ServerRows, so that the control's marks
// can stand on them: the list's row r shows slot kFirstSlot + r. The host's numbers stay those of
// the whole table: a mark on a filtered row is placed by counting the rows before it, when asked.
// When the filter ends, a mark on one of its rows is kept by ServerRows by itself (a pinned row),
// as a row of a chain that went is.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/ServerRows.h"
#include "data/KeyedRows.h"

namespace cp {

class ServerFilter {
public:
    // The first filtered row's slot: above the pinned rows of ServerRows, with room for a
    // billion rows.
    static constexpr std::int32_t kFirstSlot = ServerRows::kPinnedSlot + 16;
    // Rows read at once on the way to a row far below those read; only its page is kept.
    static constexpr int kStrideRows = 1024;

    explicit ServerFilter(const ServerRows& server) : server_(server) {}

    static bool IsSlot(std::int32_t slot) { return slot >= kFirstSlot; }

    bool Active() const { return active_; }
    // The text whose rows are shown; empty when the filter is off.
    const std::string& Text() const { return match_.text; }
    // The list shows the rows that match finds: first, the first of them as read elsewhere, and
    // their count when known.
    void Show(TextMatch match, const std::vector<KeyedRow>& first,
              std::optional<std::int64_t> count);
    // Their count, counted elsewhere for the text.
    void Counted(const std::string& text, std::int64_t count);
    // Every row again.
    void End();

    // The rows the list shows: counted, or read and one more while more may follow.
    std::int32_t Count() const;
    // The slot the list shows at listRow (reading it), -1 for none; the list's row of a slot of
    // this filter, -1 for none.
    std::int32_t Slot(std::int32_t listRow) const;
    std::int32_t ListRow(std::int32_t slot) const;
    // The list's row of the row with this key among the rows read; -1 when not read.
    std::int32_t ListRowOfKey(const Variant& unique) const;
    // The row at slot among the rows read; none when it was not read.
    std::optional<KeyedRow> RowAt(std::int32_t slot) const;
    // The page that holds slot (reading it), and the slot's place in it; nullptr for none.
    const VariantArray* PageOf(std::int32_t slot, std::int32_t& at) const;
    // Reads on until listRow is read or the rows end (a key that moves past the rows read).
    void ReadThrough(std::int32_t listRow) const;
    // The rows' count is known (counted, or met by the reads).
    bool CountKnown() const { return count_.has_value(); }
    // listRow is the row past the rows read that the list counts while their count is unknown.
    bool PastRowsRead(std::int32_t listRow) const { return active_ && !count_ && listRow >= read_; }
    // Counts the rows on this thread; a failure is reported, and the count stays unknown.
    void CountNow();
    // The place of the row at slot in the whole table, counted on the server and kept; -1 when
    // it cannot be read.
    std::int32_t Place(std::int32_t slot) const;

private:
    using Page = ServerPage;
    // Runs kept besides the first, which is always kept: beyond them the farthest goes.
    static constexpr std::size_t kKeptPages = 32;

    const Page* Load(std::int32_t listRow) const;
    // The page of listRow in the last page of the counted rows, read backwards from their end
    // when the rows read are far above it; nullptr when it is read down to from them.
    const Page* LoadLast(std::int32_t listRow) const;
    // rows were read down from list row `from` up to or into the rows read from the end: where
    // they meet those, the rows from the end stand where the count put them, or they go (the
    // count was wrong). Takes off the rows that the rows from the end hold.
    void MeetLast(std::int32_t from, std::vector<KeyedRow>& rows) const;
    void Keep(std::int32_t first, const std::vector<KeyedRow>& rows, std::size_t from) const;

    const ServerRows& server_;
    bool active_ = false;
    TextMatch match_;  // what the rows match
    // A cache of the rows read: reading a row through a const view of the control may fill it.
    mutable ServerPages pages_;                            // by their first list row
    mutable std::int32_t read_ = 0;                        // the rows read from the first on
    mutable std::optional<std::int32_t> count_;            // the rows that match, once known
    mutable std::map<std::int32_t, std::int32_t> places_;  // counted places, by list row
    // The first list row of the rows read from the end, placed by the count, until the rows
    // read down from the first one meet them.
    mutable std::optional<std::int32_t> last_;
};

}  // namespace cp
