// A table that stays on the database server and is read a page at a time: the rows of server
// mode. The rows are ordered by the first field (the completion field, compared without regard
// to ASCII case, Null entries first) and then by a unique key, and every read is a keyset read
// from a known row: no count of skipped rows (OFFSET) is ever asked for, so that a page deep in
// the table costs what the first one costs.
//
// The unique key is the caller's to name (a field of the query or a column of the table); for
// a table named without one, each engine takes its own row identity (SQLite: the rowid,
// PostgreSQL: the single-column primary key). The key's entries must be unique and not Null.
//
// Failures are run-time errors of the engine, as the recordsets raise them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace cp {

// Where a row stands in the order: its completion entry and its unique key.
struct RowKey {
    Variant completion;
    Variant unique;
};

// Where typed text must stand in a searched field, beyond the start of the completion field.
enum class FieldMatch {
    WordStart,  // at the start of a word (words end at spaces and punctuation)
    Contains,   // anywhere
};

// A search of typed text in some of the fields (numbered from 0), in any case.
struct FieldSearch {
    FieldMatch match = FieldMatch::Contains;
    std::vector<int> fields;
};

// What a typed text finds: the rows whose completion entry begins with it, or with a search the
// rows where the search finds it.
struct TextMatch {
    std::string text;
    std::optional<FieldSearch> search;
};

// One row: its fields in order, and where it stands.
struct KeyedRow {
    std::vector<Variant> fields;
    RowKey key;
};

// A point of the order that an estimate knows: a completion entry, folded to ASCII lower case
// (a Null entry as the empty text), and the share of the rows (0 to 1) whose entries come
// before it.
struct EstimatedEntry {
    std::string entry;
    double before = 0;

    bool operator==(const EstimatedEntry&) const = default;
};

// What the engine knows of the rows without counting them: about how many there are, and
// points of the order, ascending in entry and share, between which a row's place is guessed.
struct RowsEstimate {
    std::int64_t rows = 0;
    std::vector<EstimatedEntry> entries;
};

// The estimate of entries sampled at evenly spaced places of the table (folded, in any order):
// the i-th of n in the order has i / n of the rows before it.
RowsEstimate SampledEstimate(std::int64_t rows, std::vector<std::string> sampled);

// The place in the order that the estimate gives a completion entry: the share before the
// nearest known entry at or above it, interpolated towards the one below by the bytes where
// the two differ, of the estimated rows. Null entries come first.
std::int64_t EstimatedPlace(const RowsEstimate& estimate, const Variant& completion);
// The known entry that the estimate puts nearest below place (folded, "" for none): the
// inverse of EstimatedPlace, a key from which the rows about that place can be read.
std::string EntryAtPlace(const RowsEstimate& estimate, std::int64_t place);
// Where text stands between two entries (low <= text <= high in byte order), from 0 to 1: the
// bytes after their common start read as a fraction.
double PlaceBetween(std::string_view low, std::string_view text, std::string_view high);

class KeyedRows {
public:
    virtual ~KeyedRows() = default;
    // The fields of every row and their names.
    virtual std::vector<std::string> FieldNames() = 0;
    // The number of rows now.
    virtual std::int64_t Count() = 0;
    // Up to limit rows after the row at `after` (from the first row without one), in order.
    virtual std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) = 0;
    // Up to limit rows right before the row at `before`, in order (the last one is the nearest).
    virtual std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) = 0;
    // Up to limit rows at the end of the order, in order; none where the engine cannot read
    // the order backwards from its end.
    virtual std::vector<KeyedRow> LastRows(int /*limit*/) { return {}; }
    // The number of rows before the row at key.
    virtual std::int64_t CountBefore(const RowKey& key) = 0;
    // The first row whose completion entry begins with prefix, ignoring ASCII case.
    virtual std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) = 0;
    // The first row whose field (from 0) equals value.
    virtual std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) = 0;

    // Raises error 3251, saying which index is missing, unless the server answers the search
    // through an index of its own: a search inside the texts would otherwise read every row.
    virtual void CheckSearch(const FieldSearch& search);
    // The first row, in the order, where text stands in one of the searched fields as the
    // search says: the first that MatchingAfter reads. Only searches that CheckSearch lets pass
    // are served.
    virtual std::optional<KeyedRow> FirstMatching(const FieldSearch& search, std::string_view text);
    // Up to limit rows after the row at `after` (from the first row without one) among those
    // that match finds, in order: a filtered list read by key, as the whole list is. Only
    // searches that CheckSearch lets pass are served; a text too short for the search's index
    // finds what FirstMatching finds it by, the start of the completion entry.
    virtual std::vector<KeyedRow> MatchingAfter(const TextMatch& match,
                                                const std::optional<RowKey>& after, int limit);
    // Up to limit rows at the end of those that match finds, in order; none where the engine
    // cannot read them backwards from their end.
    virtual std::vector<KeyedRow> LastMatching(const TextMatch& /*match*/, int /*limit*/) {
        return {};
    }
    // The number of rows that match finds.
    virtual std::int64_t CountMatching(const TextMatch& match);
    // The rows' number and a sample of their entries, where the engine knows them at the cost
    // of a few index reads; none where only counting tells.
    virtual std::optional<RowsEstimate> Estimate() { return std::nullopt; }
};

// The end of the range of entries that begin with prefix, for a range read
// `entry >= prefix AND entry < end` under ASCII case folding: the prefix in lower case with
// its last byte raised past every continuation. Empty for an empty prefix (no end).
std::string FoldedPrefixEnd(std::string_view prefix);
// The prefix in ASCII lower case.
std::string FoldedPrefix(std::string_view prefix);

}  // namespace cp
