#include "control/ServerRows.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "reports/ErrorReport.h"

namespace cp {
namespace {

std::int32_t ClampedCount(std::int64_t count) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(count, 0, std::numeric_limits<std::int32_t>::max()));
}

// The row of key among rows; rows.end() when it is not among them.
std::vector<KeyedRow>::const_iterator FindKey(const std::vector<KeyedRow>& rows,
                                              const RowKey& key) {
    return std::ranges::find_if(
        rows, [&](const KeyedRow& row) { return SameKey(row.key.unique, key.unique); });
}

}  // namespace

template <class Read, class Result>
Result ServerRows::Guarded(Read&& read, Result fallback) const {
    try {
        return std::forward<Read>(read)();
    } catch (...) {
        if (!reported_) {
            reported_ = true;
            ReportCurrentError(titles::kServerRows.title, titles::kServerRows.message);
        }
        return fallback;
    }
}

template <class Each>
void ServerRows::ForMarksOnRows(ServerMarks& marks, Each&& each) {
    for (auto [mark, pin] :
         {std::pair{&marks.committed, std::size_t{0}}, std::pair{&marks.current, std::size_t{1}}}) {
        if (*mark >= 0 && *mark < kPinnedSlot) each(*mark, pin);
    }
}

void ServerRows::Connect(std::shared_ptr<KeyedRows> source) {
    const auto fields = static_cast<std::int32_t>(source->FieldNames().size());
    std::optional<RowsEstimate> estimate = source->Estimate();
    std::int64_t count = estimate ? estimate->rows : source->Count();
    const std::vector<KeyedRow> first = source->RowsAfter(std::nullopt, kPageRows);
    // The first rows are read from the table's start: their places are exact, and a table
    // that ends within them is counted. An estimate of no more rows than they are, when the
    // table goes on, is counted too.
    bool counted = !estimate;
    if (std::ssize(first) < kPageRows) {
        count = std::ssize(first);
        counted = true;
    } else if (!counted && count <= kPageRows) {
        count = source->Count();
        counted = true;
    }
    Disconnect();
    source_ = std::move(source);
    fields_ = fields;
    estimate_ = std::move(estimate);
    count_ = ClampedCount(count);
    if (counted) counted_ = count_;
    Keep(0, first);
}

void ServerRows::Disconnect() {
    source_.reset();
    estimate_.reset();
    pages_.clear();
    pinned_ = {};
    counted_.reset();
    count_ = fields_ = 0;
    shift_ = 0;
    exact_ = true;
    move_ = {};
    reported_ = false;
}

bool ServerRows::Recount(ServerMarks& marks) {
    if (!Active()) return false;
    // The place first: the rows may go below, and only an exact place finds them again.
    MakeExact();
    const std::int32_t count = Guarded([&] { return ClampedCount(source_->Count()); }, -1);
    if (count < 0) return false;
    const bool changed = counted_ ? *counted_ != count : count != count_;
    counted_ = count;
    if (changed && exact_) {
        // Rows came or went (or were estimated wrong): the runs read before may stand on rows
        // that moved. Counted, the slots are places, read again from the table's start;
        // estimated, the rows are read again from where the chain began, so that the rows
        // shown stay where they are.
        if (estimate_ && !pages_.empty()) {
            Guarded([&] { return Reread(marks); }, false);
        } else {
            // A mark's place now names another row: its row goes by itself, and comes back at
            // its new place when wanted (Bring).
            PinMarks(marks);
            pages_.clear();
            move_.moved = true;
            move_.newChain = true;
        }
    }
    if (count == count_) return false;
    count_ = count;
    return true;
}

bool ServerRows::Reread(ServerMarks& marks) {
    // The current row (else the committed one, else the chain's first) is read again from its
    // key with the rows either side, and keeps its slot; rows that came or went between it and
    // the chain's start would move it if the chain were read again from there.
    std::int32_t anchor = pages_.begin()->first;
    ForMarksOnRows(marks, [&](std::int32_t& mark, std::size_t) {
        if (KeyAt(mark)) anchor = mark;
    });
    const RowKey from = *KeyAt(anchor);
    std::vector<KeyedRow> rows = source_->RowsBefore(from, kPageRows);
    const auto above = std::ssize(rows);
    std::optional<RowKey> after;
    if (!rows.empty()) after = rows.back().key;
    const std::vector<KeyedRow> below = source_->RowsAfter(after, kPageRows + 1);
    rows.insert(rows.end(), below.begin(), below.end());
    if (rows.empty()) return false;
    // Fewer rows above than asked for: the table's first row is among them.
    const std::int64_t place = above < kPageRows ? 0 : source_->CountBefore(rows.front().key);
    const auto at = FindKey(rows, from);
    const std::int32_t first =
        anchor - static_cast<std::int32_t>(at == rows.end() ? above : at - rows.begin());
    // The marks follow their rows by key; a mark whose row is not among these goes by itself.
    ForMarksOnRows(marks, [&](std::int32_t& mark, std::size_t pin) {
        const std::optional<RowKey> key = KeyAt(mark);
        const auto found = key ? FindKey(rows, *key) : rows.end();
        mark = found == rows.end() ? Pin(mark, pin)
                                   : first + static_cast<std::int32_t>(found - rows.begin());
    });
    pages_.clear();
    Keep(first, rows);
    MoveList(place - first);
    move_.moved = true;
    return true;
}

bool ServerRows::MakeExact() const {
    if (!Active() || exact_) return Active();
    if (pages_.empty()) return false;
    // Named, not bound as a pair: a lambda may not capture a structured binding everywhere.
    const std::int32_t first = pages_.begin()->first;
    const auto& page = pages_.begin()->second;
    const std::int64_t before =
        Guarded([&] { return source_->CountBefore(page.keys.front()); }, std::int64_t{-1});
    if (before < 0) return false;
    PlaceExactly(before - first);
    return true;
}

void ServerRows::PlaceExactly(std::int64_t shift) const {
    const std::int32_t estimated = count_;
    MoveList(shift);
    exact_ = true;
    // The rows read now run on past the end that the estimate gave the list: the list counts
    // them, and only the table's count shows the rows below them, which the list, ending at
    // the last row read, would never ask for.
    if (estimate_ && count_ > estimated) {
        const auto& [first, page] = *pages_.rbegin();
        CountToEnd(first + page.Rows());
    }
}

void ServerRows::MoveList(std::int64_t shift) const {
    if (shift == shift_) return;
    move_.moved = true;
    move_.rows = static_cast<std::int32_t>(move_.rows + (shift - shift_));
    shift_ = shift;
    // The list counts at least the rows it shows.
    if (!pages_.empty()) {
        const auto& [first, page] = *pages_.rbegin();
        count_ = std::max(count_, ClampedCount(first + page.Rows() + shift_));
    }
}

ListMove ServerRows::TakeMove() const {
    return std::exchange(move_, ListMove{});
}

std::int32_t ServerRows::ListRow(std::int32_t slot) const {
    if (slot < 0 || slot >= kPinnedSlot) return -1;
    const std::int64_t row = std::int64_t{slot} + shift_;
    return row < 0 || row >= count_ ? -1 : static_cast<std::int32_t>(row);
}

std::int32_t ServerRows::Place(std::int32_t slot) const {
    if (slot < 0 || slot >= kPinnedSlot) return -1;
    return ClampedCount(std::int64_t{slot} + shift_);
}

std::int32_t ServerRows::SlotAtPlace(std::int32_t place) const {
    if (place < 0) return -1;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(place - shift_, 0, kPinnedSlot - 1));
}

std::int32_t ServerRows::Slot(std::int32_t listRow) const {
    if (listRow < 0 || listRow >= count_) return -1;
    // Reading the row may find the place exact (the table's first or last rows): the slot is
    // the one the list shows there then.
    Load(static_cast<std::int32_t>(listRow - shift_));
    if (listRow >= count_) return -1;
    return static_cast<std::int32_t>(listRow - shift_);
}

std::int32_t ServerRows::SlotFrom(std::int32_t slot, std::int32_t rows) const {
    if (slot < 0 || slot >= kPinnedSlot || count_ <= 0) return slot;
    // A step past the first slot stops there: where slots are places, at the list's first row.
    const auto target = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{slot} + rows, 0, kPinnedSlot - 1));
    Load(target);
    // The read may have placed the list exactly, and the table may end short of the target.
    return SlotAtPlace(std::min(Place(target), count_ - 1));
}

bool ServerRows::Holds(std::int32_t listRow, std::int32_t rows) const {
    std::int64_t slot = listRow - shift_;
    const std::int64_t end = slot + std::min<std::int64_t>(rows, std::int64_t{count_} - listRow);
    // From run to run: a run read by key from its neighbour starts where that one ends.
    while (slot < end) {
        if (slot < std::numeric_limits<std::int32_t>::min() || slot >= kPinnedSlot) return false;
        const auto above = pages_.upper_bound(static_cast<std::int32_t>(slot));
        if (above == pages_.begin()) return false;
        const auto& [first, page] = *std::prev(above);
        if (slot - first >= page.Rows()) return false;
        slot = std::int64_t{first} + page.Rows();
    }
    return true;
}

const VariantArray* ServerRows::PageOf(std::int32_t slot, std::int32_t& at) const {
    if (slot >= kPinnedSlot) {
        const auto pin = static_cast<std::size_t>(slot - kPinnedSlot);
        if (pin >= pinned_.size() || !pinned_[pin]) return nullptr;
        at = 0;
        return &pinnedCells_[pin];
    }
    if (ListRow(slot) < 0 || !Load(slot)) return nullptr;
    // The run that holds it, which the reads on the way may have followed.
    const auto above = pages_.upper_bound(slot);
    if (above == pages_.begin()) return nullptr;
    const auto& [first, page] = *std::prev(above);
    if (slot - first >= page.Rows()) return nullptr;
    at = slot - first;
    return &page.cells;
}

const ServerRows::Page* ServerRows::Load(std::int32_t slot) const {
    if (!Active()) return nullptr;
    const auto above = pages_.upper_bound(slot);
    if (above != pages_.begin()) {
        const auto holder = std::prev(above);
        if (slot - holder->first < holder->second.Rows()) return &holder->second;
    }
    return Guarded(
        [&]() -> const Page* {
            if (pages_.empty()) {
                // Nothing read: only an exact place says where the table's first row goes.
                if (!exact_) return nullptr;
                const Page* first = Keep(static_cast<std::int32_t>(-shift_),
                                         source_->RowsAfter(std::nullopt, kPageRows));
                if (!first) return nullptr;
                return LoadDown(pages_.begin(), slot);
            }
            // From the nearer of the runs read either side, a read at a time.
            const bool fromAbove = above != pages_.end() &&
                                   (above == pages_.begin() ||
                                    above->first - slot < slot - (std::prev(above)->first +
                                                                  std::prev(above)->second.Rows()));
            return fromAbove ? LoadUp(above, slot) : LoadDown(std::prev(above), slot);
        },
        static_cast<const Page*>(nullptr));
}

const ServerRows::Page* ServerRows::LoadDown(std::map<std::int32_t, Page>::const_iterator from,
                                             std::int32_t slot) const {
    std::int32_t first = from->first;
    const Page* page = &from->second;
    while (page && slot - first >= page->Rows()) {
        first += page->Rows();
        const std::vector<KeyedRow> rows = source_->RowsAfter(page->keys.back(), kPageRows);
        page = Keep(first, rows);
        // The table's last row: the list ends there, once its place is exact.
        if (static_cast<std::int32_t>(rows.size()) < kPageRows && MakeExact()) {
            count_ = ClampedCount(first + std::ssize(rows) + shift_);
            move_.moved = true;
        } else if (estimate_ && first + std::ssize(rows) + shift_ >= count_) {
            // The list's end, and rows below it: the estimate put the chain too low or took
            // too few rows (statistics gathered before rows came), and only counting gives the
            // rows below a place in the list.
            CountToEnd(first + static_cast<std::int32_t>(rows.size()));
        }
    }
    return page;
}

void ServerRows::CountToEnd(std::int32_t end) const {
    if (!MakeExact()) return;
    const std::int64_t all = Guarded([&] { return source_->Count(); }, std::int64_t{-1});
    if (all < 0) return;
    count_ = ClampedCount(std::max(all, end + shift_));
    move_.moved = true;
}

const ServerRows::Page* ServerRows::LoadUp(std::map<std::int32_t, Page>::const_iterator from,
                                           std::int32_t slot) const {
    std::int32_t first = from->first;
    const Page* page = &from->second;
    while (page && slot < first) {
        const std::vector<KeyedRow> rows = source_->RowsBefore(page->keys.front(), kPageRows);
        first -= static_cast<std::int32_t>(rows.size());
        page = Keep(first, rows);
        if (static_cast<std::int32_t>(rows.size()) < kPageRows) {
            // The table's first row: its slot is its place's own.
            if (!exact_) PlaceExactly(-std::int64_t{first});
        } else if (first + shift_ <= 0) {
            // The list's top, and rows above it: the estimate placed the chain too high up,
            // and only a count gives the rows above their places.
            MakeExact();
        }
    }
    return page;
}

const ServerRows::Page* ServerRows::Keep(std::int32_t first,
                                         const std::vector<KeyedRow>& rows) const {
    if (rows.empty()) return nullptr;
    Page kept = ServerPage::Of(rows, 0, fields_);
    while (pages_.size() >= kKeptPages) {
        const auto farthest = std::ranges::max_element(
            pages_, {}, [&](const auto& p) { return std::abs(std::int64_t{p.first} - first); });
        pages_.erase(farthest);
    }
    return &(pages_[first] = std::move(kept));
}

ServerPages::const_iterator ServerRows::RunOf(std::int64_t slot) const {
    if (slot < std::numeric_limits<std::int32_t>::min() || slot >= kPinnedSlot) return pages_.end();
    const auto above = pages_.upper_bound(static_cast<std::int32_t>(slot));
    if (above == pages_.begin()) return pages_.end();
    const auto holder = std::prev(above);
    return slot - holder->first < holder->second.Rows() ? holder : pages_.end();
}

std::vector<AheadRead> ServerRows::AheadOf(std::int32_t listRow, std::int32_t rows) const {
    std::vector<AheadRead> reads;
    if (!Active() || rows <= 0) return reads;
    const std::int64_t top = std::int64_t{listRow} - shift_;
    const std::int64_t bottom = top + rows - 1;
    const auto shown = RunOf(top);
    if (shown == pages_.end() || !Holds(listRow, rows)) return reads;
    // The runs next to each other, each read by key from its neighbour, read as one.
    auto last = shown;
    for (auto next = std::next(last);
         next != pages_.end() && next->first == last->first + last->second.Rows(); ++next)
        last = next;
    const std::int64_t end = std::int64_t{last->first} + last->second.Rows();
    if (end - 1 - bottom < kPageRows && end + shift_ < count_)
        reads.push_back(AheadRead{last->second.keys.back(), true});
    auto first = shown;
    while (first != pages_.begin()) {
        const auto before = std::prev(first);
        if (before->first + before->second.Rows() != first->first) break;
        first = before;
    }
    if (top - first->first < kPageRows && first->first + shift_ > 0)
        reads.push_back(AheadRead{first->second.keys.front(), false});
    return reads;
}

bool ServerRows::KeepAhead(const AheadRead& asked, const std::vector<KeyedRow>& rows) {
    const auto n = std::ssize(rows);
    if (!Active() || n < kPageRows) return false;
    const std::optional<std::int32_t> from = SlotOfKey(asked.from.unique);
    if (!from) return false;
    const std::int64_t first = asked.down ? std::int64_t{*from} + 1 : std::int64_t{*from} - n;
    const std::int64_t end = first + n;
    if (first < std::numeric_limits<std::int32_t>::min() || end >= kPinnedSlot) return false;
    // The run must still end (start) at the row they were read from: nothing read fills the
    // slots they take.
    if (RunOf(asked.down ? first : end - 1) != pages_.end()) return false;
    const auto after = pages_.lower_bound(static_cast<std::int32_t>(first));
    if (after != pages_.end() && after->first < end) return false;
    // The list's ends are placed (and counted) by the reads that reach them.
    if (asked.down ? end + shift_ >= count_ : first + shift_ <= 0) return false;
    // Rows read since by other ways (a found row's, a far place's) are not shown twice.
    if (SlotOfKey(rows.front().key.unique) || SlotOfKey(rows.back().key.unique)) return false;
    Keep(static_cast<std::int32_t>(first), rows);
    return true;
}

std::optional<std::int32_t> ServerRows::SlotOfKey(const Variant& unique) const {
    return NumberOfKey(pages_, unique);
}

std::optional<KeyedRow> ServerRows::RowAt(std::int32_t slot) const {
    if (slot >= kPinnedSlot) {
        const auto pin = static_cast<std::size_t>(slot - kPinnedSlot);
        return pin < pinned_.size() ? pinned_[pin] : std::nullopt;
    }
    const auto above = pages_.upper_bound(slot);
    if (above == pages_.begin()) return std::nullopt;
    const auto& [first, page] = *std::prev(above);
    if (slot - first >= page.Rows()) return std::nullopt;
    return page.Row(slot - first);
}

LocatedRow ServerRows::Locate(KeyedRows& source, std::optional<KeyedRow> found, Placing placing) {
    LocatedRow located;
    if (!found) return located;
    located.above = source.RowsBefore(found->key, kAroundRows);
    // Fewer rows before it than asked for: it stands that near the table's start.
    if (static_cast<std::int32_t>(located.above.size()) < kAroundRows) {
        located.before = static_cast<std::int64_t>(located.above.size());
    } else if (placing == Placing::Count) {
        located.before = source.CountBefore(found->key);
    }
    located.below = source.RowsAfter(found->key, kAroundRows);
    located.found = std::move(found);
    return located;
}

LocatedRow ServerRows::Top(KeyedRows& source) {
    LocatedRow located;
    std::vector<KeyedRow> rows = source.RowsAfter(std::nullopt, kAroundRows + 1);
    if (rows.empty()) return located;
    located.before = 0;
    located.found = std::move(rows.front());
    located.below.assign(std::make_move_iterator(rows.begin() + 1),
                         std::make_move_iterator(rows.end()));
    return located;
}

std::int32_t ServerRows::Adopt(const LocatedRow& located, ServerMarks& marks) {
    if (!Active() || !located.found) return -1;
    if (located.before && *located.before >= count_) Recount(marks);
    if (const auto known = SlotOfKey(located.found->key.unique)) {
        if (!located.before) return *known;
        // Read already: where a count or the table's start tells its place, a list placed by
        // estimate is placed by it, and a list placed exactly has not moved if it stands there.
        if (!exact_) PlaceExactly(*located.before - *known);
        if (*located.before == *known + shift_) return *known;
    }
    // Counted, the slots are the places, and the marks keep theirs.
    const std::int32_t slot = estimate_ ? kAnchorSlot : ClampedCount(*located.before);
    StartChain(located, slot, marks,
               estimate_ ? EstimatedPlace(*estimate_, located.found->key.completion) : 0);
    return slot;
}

std::int32_t ServerRows::Pin(std::int32_t mark, std::size_t pin) {
    auto row = RowAt(mark);
    if (!row) return -1;
    return SetAside(std::move(*row), pin);
}

void ServerRows::PinMarks(ServerMarks& marks) {
    ForMarksOnRows(marks, [&](std::int32_t& mark, std::size_t pin) { mark = Pin(mark, pin); });
}

std::int32_t ServerRows::SetAside(KeyedRow row, std::size_t pin) {
    if (pin >= pinned_.size()) return -1;
    pinnedCells_[pin] = ServerPage::Of({row}, 0, fields_).cells;
    pinned_[pin] = std::move(row);
    return kPinnedSlot + static_cast<std::int32_t>(pin);
}

std::optional<RowKey> ServerRows::KeyAt(std::int32_t slot) const {
    auto row = RowAt(slot);
    if (!row) return std::nullopt;
    return std::move(row->key);
}

void ServerRows::StartChain(const LocatedRow& located, std::int32_t slot, ServerMarks& marks,
                            std::int64_t estimated) {
    // The marks' slots are about to name other rows or none: their rows go by themselves.
    if (estimate_) PinMarks(marks);
    pages_.clear();
    move_.newChain = true;
    std::vector<KeyedRow> rows = located.above;
    rows.push_back(*located.found);
    rows.insert(rows.end(), located.below.begin(), located.below.end());
    const auto above = static_cast<std::int64_t>(located.above.size());
    const auto below = static_cast<std::int64_t>(located.below.size());
    // Its place: counted or seen, or else estimated, with room for the rows read either side.
    // An estimated row came with a whole read of rows above it, so more may lie above: the list
    // keeps a place above the first row read, and reads on up when it comes there instead of
    // taking that row for the table's first; that read places the list exactly. So below the
    // last row read, unless the read reached the table's last row.
    const std::int64_t after = below < kAroundRows ? 0 : 1;
    std::int64_t place = 0;
    if (located.before) {
        place = *located.before;
    } else {
        place = std::max(estimated, above + 1);
        if (place + below + after >= count_)
            place = std::max<std::int64_t>(above + 1, count_ - 1 - below - after);
    }
    Keep(static_cast<std::int32_t>(slot - above), rows);
    exact_ = located.before.has_value();
    MoveList(place - slot);
    if (!exact_) count_ = std::max(count_, ClampedCount(place + below + 1 + after));
    move_.moved = true;
    if (below < kAroundRows && exact_) {
        // The table's last rows: an exact count, free.
        count_ = ClampedCount(place + below + 1);
    }
}

std::int64_t ServerRows::RowsToRead(std::int64_t slot) const {
    if (pages_.empty()) return -1;
    const auto above = pages_.upper_bound(static_cast<std::int32_t>(std::clamp<std::int64_t>(
        slot, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
    std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
    if (above != pages_.end()) nearest = above->first - slot;
    if (above != pages_.begin()) {
        const auto& [first, page] = *std::prev(above);
        nearest = std::min(nearest, std::max<std::int64_t>(0, slot - (first + page.Rows() - 1)));
    }
    return nearest;
}

bool ServerRows::Far(std::int32_t listRow) const {
    if (!Active() || !estimate_ || listRow < 0 || listRow >= count_) return false;
    const std::int64_t toRead = RowsToRead(listRow - shift_);
    return toRead < 0 || toRead > kFarRows;
}

bool ServerRows::Reach(std::int32_t listRow, ServerMarks& marks) {
    if (!Far(listRow)) return false;
    return Guarded(
        [&] {
            std::int64_t place = listRow;
            const LocatedRow located = RowsAtPlace(listRow, place);
            if (!located.found) return false;
            StartChain(located, kAnchorSlot, marks, place);
            return true;
        },
        false);
}

bool ServerRows::ReachExactly(std::int32_t place, ServerMarks& marks) {
    // A place past the end that the estimate gives the list may still lie within the table:
    // only its count tells, and the place is then reached as any other. The count may read
    // the rows again and move the marks with them.
    const bool recounted = estimate_ && place >= count_ && Recount(marks);
    if (!Far(place)) return recounted;
    const bool reached = Guarded(
        [&] {
            std::int64_t estimated = place;
            LocatedRow located = RowsAtPlace(place, estimated);
            if (!located.found) return false;
            if (!located.before) located.before = source_->CountBefore(located.found->key);
            StartChain(located, kAnchorSlot, marks, estimated);
            return true;
        },
        false);
    return reached || recounted;
}

LocatedRow ServerRows::RowsAtPlace(std::int32_t listRow, std::int64_t& place) {
    place = listRow;
    if (listRow < kFarRows) {
        // Near the start: from the table's first row, whose place is its own.
        std::vector<KeyedRow> first = source_->RowsAfter(std::nullopt, 1);
        if (first.empty()) return {};
        return Locate(*source_, std::move(first.front()), Placing::Estimate);
    }
    if (listRow >= std::int64_t{count_} - kFarRows) {
        // Near the end: the table's last rows, the last one at the list's last place.
        std::vector<KeyedRow> last = source_->LastRows(kAroundRows + 1);
        if (!last.empty()) {
            LocatedRow located;
            located.found = std::move(last.back());
            last.pop_back();
            if (std::ssize(last) < kAroundRows) located.before = std::ssize(last);
            located.above = std::move(last);
            place = count_ - 1;
            return located;
        }
    }
    // The same share of the estimate's rows as listRow is of the list's, which counts the
    // rows exactly once they were counted.
    const double share = static_cast<double>(listRow) / std::max(count_, 1);
    const auto entryPlace = std::llround(share * static_cast<double>(estimate_->rows));
    return Locate(*source_, FirstFromEntry(EntryAtPlace(*estimate_, entryPlace)),
                  Placing::Estimate);
}

std::optional<KeyedRow> ServerRows::FirstFromEntry(const std::string& entry) {
    // An entry may have gone since it was sampled: the next one sampled serves then.
    const std::vector<EstimatedEntry>& entries = estimate_->entries;
    const std::string* tried = nullptr;
    for (auto at = std::ranges::lower_bound(entries, entry, {}, &EstimatedEntry::entry);
         at != entries.end(); ++at) {
        if (tried && *tried == at->entry) continue;
        tried = &at->entry;
        if (auto row = source_->FirstWithPrefix(at->entry)) return row;
    }
    return std::nullopt;
}

std::int32_t ServerRows::Bring(std::int32_t slot, ServerMarks& marks) {
    if (!Active() || slot < kPinnedSlot) return slot;
    const auto row = RowAt(slot);
    if (!row) return slot;
    if (const auto known = SlotOfKey(row->key.unique)) return *known;
    return Guarded([&] { return BringLocated(Locate(*source_, *row, HowPlaced()), marks); }, slot);
}

std::optional<KeyedRow> ServerRows::ToBring(std::int32_t slot) const {
    if (!Active() || !KeptByItself(slot)) return std::nullopt;
    std::optional<KeyedRow> row = RowAt(slot);
    if (!row || SlotOfKey(row->key.unique)) return std::nullopt;
    return row;
}

std::int32_t ServerRows::BringLocated(const LocatedRow& located, ServerMarks& marks) {
    const std::int32_t brought = Adopt(located, marks);
    if (brought < 0) return brought;
    // The marks that the row kept by itself stood for stand on it in the list again.
    for (std::int32_t* mark : {&marks.current, &marks.committed}) {
        if (*mark >= kPinnedSlot) {
            const auto kept = RowAt(*mark);
            if (kept && SameKey(kept->key.unique, located.found->key.unique)) *mark = brought;
        }
    }
    return brought;
}

void ServerRows::ReportFailure(const std::exception_ptr& failure) const {
    Guarded([&]() -> int { std::rethrow_exception(failure); }, 0);
}

std::int32_t ServerRows::FindPrefix(std::string_view text, ServerMarks& marks) {
    if (!Active()) return -1;
    return Guarded(
        [&] { return Adopt(Locate(*source_, source_->FirstWithPrefix(text), HowPlaced()), marks); },
        -1);
}

std::int32_t ServerRows::FindValue(std::int32_t column, const Variant& value, ServerMarks& marks) {
    if (!Active()) return -1;
    return Guarded(
        [&] {
            return Adopt(Locate(*source_, source_->FirstWithValue(column, value), HowPlaced()),
                         marks);
        },
        -1);
}

}  // namespace cp
