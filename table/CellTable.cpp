#include "table/CellTable.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "runtime/RuntimeError.h"

namespace cp {
namespace {

using Kind = PackedCell::Kind;

constexpr std::size_t kShortLengthAt = 1;
constexpr std::size_t kShortTextAt = 2;
constexpr std::size_t kLongLengthAt = 4;
constexpr std::size_t kValueAt = 8;
// A long text's place: its block in the high half, its offset there in the low half.
constexpr unsigned kBlockShift = 32;
constexpr std::uint64_t kOffsetMask = 0xFFFF'FFFF;
// The store is written anew once more than half of it (and at least this much) is gone.
constexpr std::size_t kWasteWorthCompacting = std::size_t{1} << 20;
constexpr std::size_t kOthersWorthCompacting = 1024;

}  // namespace

std::string_view CellView::String() const {
    return table_->TextOf(*cell_);
}

Variant CellView::ToVariant() const {
    return table_->Unpack(*cell_);
}

CellTable::CellTable(std::int32_t columns, std::int32_t rows) {
    if (columns < 0 || rows < 0) Raise(vberr::SubscriptOutOfRange);
    allocated_ = true;
    columns_ = columns;
    ResizeRows(rows);
}

CellTable::CellTable(const VariantArray& items) {
    if (!items.Allocated()) return;
    if (items.Dimensions() != 2) Raise(vberr::SubscriptOutOfRange);
    allocated_ = true;
    columns_ = items.Extent(0);
    rows_ = items.Extent(1);
    for (const Variant& value : items.Elements())
        cells_.emplace_back(Pack(value));
}

template <class T>
void CellTable::WriteScalar(PackedCell& cell, Kind kind, T value) {
    cell.bytes_[0] = static_cast<char>(kind);
    cell.Write(kValueAt, value);
}

template <class T>
void CellTable::AppendScalar(Kind kind, T value) {
    WriteScalar(cells_.emplace_back(), kind, value);
}

// The text goes straight into the cell's place: a cell put together on the stack with a copy of
// a text's own length and then copied whole stalls on reading back bytes just stored.
void CellAppender::operator()(std::string_view text) {
    table_.WriteText(table_.cells_.emplace_back(), text);
}

void CellAppender::Null() {
    table_.AppendScalar(Kind::Null, std::uint64_t{0});
}

void CellAppender::Boolean(bool value) {
    table_.AppendScalar(Kind::Boolean, value);
}

void CellAppender::Integer(std::int16_t value) {
    table_.AppendScalar(Kind::Integer, value);
}

void CellAppender::Long(std::int32_t value) {
    table_.AppendScalar(Kind::Long, value);
}

void CellAppender::Single(float value) {
    table_.AppendScalar(Kind::Single, value);
}

void CellAppender::Double(double value) {
    table_.AppendScalar(Kind::Double, value);
}

void CellAppender::Date(double serial) {
    table_.AppendScalar(Kind::Date, serial);
}

void CellAppender::Value(const Variant& value) {
    table_.cells_.emplace_back(table_.Pack(value));
}

std::int32_t CellTable::Extent(int dimension) const {
    if (!allocated_ || dimension < 0 || dimension > 1) Raise(vberr::SubscriptOutOfRange);
    return dimension == 0 ? columns_ : rows_;
}

void CellTable::CheckPlace(std::int32_t column, std::int32_t row) const {
    if (!allocated_ || column < 0 || column >= columns_ || row < 0 || row >= rows_)
        Raise(vberr::SubscriptOutOfRange);
}

Variant CellTable::At(std::int32_t column, std::int32_t row) const {
    CheckPlace(column, row);
    return Unpack(cells_[Place(column, row)]);
}

CellView CellTable::ViewAt(std::int32_t column, std::int32_t row) const {
    CheckPlace(column, row);
    return View(column, row);
}

VariantArray CellTable::ToVariantArray() const {
    if (!allocated_) return {};
    BlockVector<Variant> elements;
    for (const PackedCell& cell : cells_)
        elements.emplace_back(Unpack(cell));
    return VariantArray({columns_, rows_}, std::move(elements));
}

void CellTable::ResizeRows(std::int32_t rows) {
    if (rows < 0) Raise(vberr::SubscriptOutOfRange);
    const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_);
    for (std::size_t i = count; i < cells_.size(); ++i)
        Release(cells_[i]);
    cells_.resize(count);
    rows_ = rows;
    CompactIfWasteful();
}

void CellTable::DropUncounted() {
    const std::size_t counted = Place(0, rows_);
    for (std::size_t i = counted; i < cells_.size(); ++i)
        Release(cells_[i]);
    cells_.resize(counted);
}

bool CellTable::TryCountAppendedRows(std::int32_t rows) {
    const std::size_t appended = cells_.size() - Place(0, rows_);
    if (rows < 0 ||
        appended != static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows)) {
        DropUncounted();
        return false;
    }
    rows_ += rows;
    return true;
}

void CellTable::RemoveRow(std::int32_t row, std::int32_t end) {
    if (row < 0 || row >= end || end > rows_) return;
    for (std::int32_t c = 0; c < columns_; ++c)
        Release(cells_[Place(c, row)]);
    std::move(cells_.begin() + static_cast<std::ptrdiff_t>(Place(0, row + 1)),
              cells_.begin() + static_cast<std::ptrdiff_t>(Place(0, end)),
              cells_.begin() + static_cast<std::ptrdiff_t>(Place(0, row)));
    for (std::int32_t c = 0; c < columns_; ++c)
        cells_[Place(c, end - 1)] = PackedCell();
    CompactIfWasteful();
}

std::size_t CellTable::MemoryBytes() const {
    std::size_t bytes = cells_.size() * sizeof(PackedCell) + others_.size() * sizeof(Variant);
    for (const auto& block : texts_)
        bytes += block.capacity();
    return bytes;
}

PackedCell CellTable::Pack(const Variant& value) {
    PackedCell cell;
    const auto put = [&cell](Kind kind, auto v) {
        WriteScalar(cell, kind, v);
        return cell;
    };
    switch (value.Type()) {
        case VarType::Empty:
            return cell;
        case VarType::Null:
            cell.bytes_[0] = static_cast<char>(Kind::Null);
            return cell;
        case VarType::Boolean:
            return put(Kind::Boolean, *value.Get<bool>());
        case VarType::Integer:
            return put(Kind::Integer, *value.Get<std::int16_t>());
        case VarType::Long:
            return put(Kind::Long, *value.Get<std::int32_t>());
        case VarType::Byte:
            return put(Kind::Byte, *value.Get<std::uint8_t>());
        case VarType::Single:
            return put(Kind::Single, *value.Get<float>());
        case VarType::Double:
            return put(Kind::Double, *value.Get<double>());
        case VarType::Currency:
            return put(Kind::Currency, value.Get<Currency>()->scaled);
        case VarType::Date:
            return put(Kind::Date, value.Get<Date>()->serial);
        case VarType::String:
            return PackText(value.String());
        default:
            break;
    }
    others_.push_back(value);
    return put(Kind::Other, static_cast<std::uint64_t>(others_.size() - 1));
}

PackedCell CellTable::PackText(std::string_view text) {
    PackedCell cell;
    WriteText(cell, text);
    return cell;
}

void CellTable::WriteText(PackedCell& cell, std::string_view text) {
    if (text.size() <= PackedCell::kShortText) {
        cell.bytes_[0] = static_cast<char>(Kind::ShortText);
        cell.bytes_[kShortLengthAt] = static_cast<char>(text.size());
        std::memcpy(cell.bytes_.data() + kShortTextAt, text.data(), text.size());
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) Raise(vberr::OutOfMemory);
    if (texts_.empty() || texts_.back().capacity() - texts_.back().size() < text.size()) {
        std::vector<char> block;
        block.reserve(std::max(kTextBlock, text.size()));
        texts_.push_back(std::move(block));
    }
    std::vector<char>& block = texts_.back();
    const std::uint64_t place = (static_cast<std::uint64_t>(texts_.size() - 1) << kBlockShift) |
                                static_cast<std::uint64_t>(block.size());
    block.insert(block.end(), text.begin(), text.end());
    textBytes_ += text.size();
    cell.bytes_[0] = static_cast<char>(Kind::LongText);
    cell.Write(kLongLengthAt, static_cast<std::uint32_t>(text.size()));
    cell.Write(kValueAt, place);
}

std::string_view CellTable::TextOf(const PackedCell& cell) const {
    if (cell.kind() == Kind::ShortText) {
        return {cell.bytes_.data() + kShortTextAt,
                static_cast<unsigned char>(cell.bytes_[kShortLengthAt])};
    }
    const auto place = cell.Read<std::uint64_t>(kValueAt);
    const std::vector<char>& block = texts_[static_cast<std::size_t>(place >> kBlockShift)];
    return {block.data() + (place & kOffsetMask), cell.Read<std::uint32_t>(kLongLengthAt)};
}

Variant CellTable::Unpack(const PackedCell& cell) const {
    switch (cell.kind()) {
        case Kind::Empty:
            return {};
        case Kind::Null:
            return Variant::Null();
        case Kind::Boolean:
            return cell.Read<bool>(kValueAt);
        case Kind::Integer:
            return cell.Read<std::int16_t>(kValueAt);
        case Kind::Long:
            return cell.Read<std::int32_t>(kValueAt);
        case Kind::Byte:
            return cell.Read<std::uint8_t>(kValueAt);
        case Kind::Single:
            return cell.Read<float>(kValueAt);
        case Kind::Double:
            return cell.Read<double>(kValueAt);
        case Kind::Currency:
            return Currency{cell.Read<std::int64_t>(kValueAt)};
        case Kind::Date:
            return Date{cell.Read<double>(kValueAt)};
        case Kind::ShortText:
        case Kind::LongText:
            return TextOf(cell);
        case Kind::Other:
            return others_[static_cast<std::size_t>(cell.Read<std::uint64_t>(kValueAt))];
    }
    return {};
}

// An object goes at once, so that whatever it holds is let go with its row.
void CellTable::Release(const PackedCell& cell) {
    if (cell.kind() == Kind::LongText) {
        wastedTextBytes_ += cell.Read<std::uint32_t>(kLongLengthAt);
    } else if (cell.kind() == Kind::Other) {
        others_[static_cast<std::size_t>(cell.Read<std::uint64_t>(kValueAt))] = Variant();
        ++wastedOthers_;
    }
}

// Removals leave their texts behind until they are most of the store: then the texts in use
// are written to a new store, at a cost that the removals before paid for.
void CellTable::CompactIfWasteful() {
    const bool texts =
        wastedTextBytes_ >= kWasteWorthCompacting && 2 * wastedTextBytes_ > textBytes_;
    const bool others =
        wastedOthers_ >= kOthersWorthCompacting && 2 * wastedOthers_ > others_.size();
    if (!texts && !others) return;
    CellTable compact;
    compact.allocated_ = allocated_;
    compact.columns_ = columns_;
    compact.rows_ = rows_;
    for (const PackedCell& cell : cells_) {
        if (cell.kind() == Kind::LongText)
            compact.cells_.emplace_back(compact.PackText(TextOf(cell)));
        else if (cell.kind() == Kind::Other)
            compact.cells_.emplace_back(compact.Pack(Unpack(cell)));
        else
            compact.cells_.emplace_back(cell);
    }
    *this = std::move(compact);
}

}  // namespace cp
