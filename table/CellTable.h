// The cells of the item table, (column, row) from 0, kept compact: sixteen bytes a cell, with
// the texts of up to fourteen bytes inside the cell, longer ones in a text store of their own,
// and numbers, dates and the rest inside the cell with their type. Only the rare object or array
// is kept as a Variant beside the cells. A million rows of three columns of names and codes take
// a third of the memory that a table of Variants takes.
//
// A cell is read back as the Variant it was written as (a Single stays a Single, Null stays
// Null), or, for the texts that the searches and the drawing read, in place as a view.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/BlockVector.h"
#include "runtime/Variant.h"
#include "table/LargeBlocks.h"

namespace cp {

class CellTable;

// One cell as it is kept: a kind, and the value inside or where it lies.
class PackedCell {
public:
    enum class Kind : std::uint8_t {
        Empty,
        Null,
        Boolean,
        Integer,
        Long,
        Byte,
        Single,
        Double,
        Currency,
        Date,
        ShortText,  // the text lies in the cell itself
        LongText,   // the text lies in the table's text store
        Other,      // an object or an array, kept beside the cells
    };
    static constexpr std::size_t kShortText = 14;

    PackedCell() = default;
    Kind kind() const { return static_cast<Kind>(bytes_[0]); }
    bool HasText() const { return kind() == Kind::ShortText || kind() == Kind::LongText; }

private:
    friend class CellTable;
    template <class T>
    T Read(std::size_t at) const {
        T value;
        std::memcpy(&value, bytes_.data() + at, sizeof(T));
        return value;
    }
    template <class T>
    void Write(std::size_t at, T value) {
        std::memcpy(bytes_.data() + at, &value, sizeof(T));
    }

    // Byte 0: the kind. A short text: its length in byte 1, its bytes from byte 2. A long text:
    // its length in bytes 4-7, its place in bytes 8-15. Any other value: bytes 8-15.
    std::array<char, 16> bytes_{};
};
static_assert(sizeof(PackedCell) == 16);

// A cell read in place; it stays valid until the table changes.
class CellView {
public:
    CellView(const CellTable& table, const PackedCell& cell) : table_(&table), cell_(&cell) {}

    bool IsNull() const { return cell_->kind() == PackedCell::Kind::Null; }
    bool IsEmpty() const { return cell_->kind() == PackedCell::Kind::Empty; }
    bool IsString() const { return cell_->HasText(); }
    // An object or an array.
    bool IsContainer() const { return cell_->kind() == PackedCell::Kind::Other; }
    // The text of a String cell; the caller has checked the type.
    std::string_view String() const;
    Variant ToVariant() const;

private:
    const CellTable* table_;
    const PackedCell* cell_;
};

// What a fill function is given to append cells after the table's last one, in (column, row)
// order: a text as a call of its own, any other value by its kind.
class CellAppender {
public:
    void operator()(std::string_view text);
    void Null();
    void Boolean(bool value);
    void Integer(std::int16_t value);
    void Long(std::int32_t value);
    void Single(float value);
    void Double(double value);
    void Date(double serial);
    // Any value, an object or an array included.
    void Value(const Variant& value);

private:
    friend class CellTable;
    explicit CellAppender(CellTable& table) : table_(table) {}

    CellTable& table_;
};

class CellTable {
public:
    CellTable() = default;  // unallocated: no columns, no rows
    // A table of Empty cells.
    CellTable(std::int32_t columns, std::int32_t rows);
    // The cells of a two-dimensional (column, row) array, or an unallocated table from an
    // unallocated array; any other array is error 9.
    explicit CellTable(const VariantArray& items);

    bool Allocated() const { return allocated_; }
    // 2 for an allocated table, 0 otherwise, as the array it stands for.
    int Dimensions() const { return Allocated() ? 2 : 0; }
    // The columns (dimension 0) or the rows (dimension 1); error 9 for any other.
    std::int32_t Extent(int dimension) const;

    // Checked reads: error 9 when the cell lies outside the table.
    Variant At(std::int32_t column, std::int32_t row) const;
    CellView ViewAt(std::int32_t column, std::int32_t row) const;
    // A read whose place the caller has checked.
    CellView View(std::int32_t column, std::int32_t row) const {
        return CellView(*this, cells_[Place(column, row)]);
    }

    // The whole table as the array of Variants it stands for.
    VariantArray ToVariantArray() const;

    // Adds a row: fill is called with a CellAppender, and must append exactly one row's cells;
    // otherwise nothing is added and the answer is false.
    template <class Fill>
    bool TryAppendRow(Fill&& fill) {
        return TryAppendRows(1, std::forward<Fill>(fill));
    }
    // The same for `rows` rows at once, their cells in order.
    template <class Fill>
    bool TryAppendRows(std::int32_t rows, Fill&& fill);
    // For cells that arrive by calls of their own: the appender, and then the count that takes
    // what it appended after the last counted row in as `rows` whole rows. When it appended
    // anything else, the cells are dropped and the answer is false.
    CellAppender Appender() { return CellAppender(*this); }
    bool TryCountAppendedRows(std::int32_t rows);
    // Changes the number of rows, keeping the rows that remain; new rows are Empty.
    void ResizeRows(std::int32_t rows);
    // Removes the row before `end` (the rows in use) and moves the rows after it up; the rows
    // from end - 1 on are left Empty.
    void RemoveRow(std::int32_t row, std::int32_t end);

    // The bytes that the table holds, for the memory figures.
    std::size_t MemoryBytes() const;

private:
    friend class CellView;
    friend class CellAppender;

    std::size_t Place(std::int32_t column, std::int32_t row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }
    void CheckPlace(std::int32_t column, std::int32_t row) const;
    template <class T>
    static void WriteScalar(PackedCell& cell, PackedCell::Kind kind, T value);
    template <class T>
    void AppendScalar(PackedCell::Kind kind, T value);
    PackedCell Pack(const Variant& value);
    PackedCell PackText(std::string_view text);
    // Writes text into a cell that is Empty.
    void WriteText(PackedCell& cell, std::string_view text);
    std::string_view TextOf(const PackedCell& cell) const;
    Variant Unpack(const PackedCell& cell) const;
    // The cells appended after the last counted row go.
    void DropUncounted();
    // What a cell that goes away leaves behind in the stores.
    void Release(const PackedCell& cell);
    void CompactIfWasteful();

    // Long texts lie in blocks of the store that never move, so that a view of one stays valid
    // as rows are added; a text longer than a block gets a block of its own.
    static constexpr std::size_t kTextBlock = std::size_t{1} << 16;

    std::int32_t columns_ = 0;
    std::int32_t rows_ = 0;
    bool allocated_ = false;
    // Blocks of two megabytes (see table/LargeBlocks.h).
    BlockVector<PackedCell, 17, LargeBlockAllocator<PackedCell>> cells_;
    std::vector<std::vector<char>> texts_;  // the text store
    std::size_t textBytes_ = 0;             // bytes written to the store
    std::size_t wastedTextBytes_ = 0;       // bytes of it whose cells are gone
    std::vector<Variant> others_;           // the objects and arrays
    std::size_t wastedOthers_ = 0;          // entries of it whose cells are gone
};

template <class Fill>
bool CellTable::TryAppendRows(std::int32_t rows, Fill&& fill) {
    try {
        fill(Appender());
    } catch (...) {
        DropUncounted();
        throw;
    }
    return TryCountAppendedRows(rows);
}

}  // namespace cp
