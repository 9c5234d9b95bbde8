// The folded text of the searched columns of the first rows of the item table, in table order:
// one buffer of bytes in which each entry ends with a zero byte, and where each row ends. No
// object per row or per entry, and the buffer grows by a few percent over the rows expected
// rather than by doubling, so that it holds little more than the folded bytes themselves.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "table/CaseFold.h"
#include "table/CellTable.h"

namespace cp {

inline constexpr char kEntryEnd = '\0';
// What a zero byte inside an entry is held as, so that it cannot end the entry early.
inline constexpr char kHeldZero = '\x01';

class FoldedRows {
public:
    std::int32_t Rows() const { return static_cast<std::int32_t>(rowEnds_.size()); }
    // Folds the rows from Rows() up to rows of the table's columns (an entry of a column that
    // the table lacks is empty); the buffer is made for expectedRows rows.
    void Fold(const CaseFold& fold, const CellTable& table,
              const std::vector<std::int16_t>& columns, std::int32_t rows,
              std::int32_t expectedRows);
    // Keeps the first rows only.
    void Truncate(std::int32_t rows);
    void Clear();

    // The bytes of the first rows.
    std::string_view Bytes(std::int32_t rows) const {
        return {text_.data(), rows == 0 ? 0 : RowEnd(rows - 1)};
    }
    std::size_t RowStart(std::int32_t row) const { return row == 0 ? 0 : RowEnd(row - 1); }
    std::size_t RowEnd(std::int32_t row) const { return rowEnds_[static_cast<std::size_t>(row)]; }
    // The row whose bytes hold position, looked for from row `from` on (from's own or a later
    // one), so that ascending positions are placed in ascending rows cheaply.
    std::int32_t RowAt(std::size_t position, std::int32_t from = 0) const;
    // The byte of needle that occurs least often in the folded rows, as an offset into needle.
    std::size_t RarestByte(std::string_view needle) const;

    std::size_t MemoryBytes() const;

private:
    void MakeRoom(std::size_t bytes, std::int32_t expectedRows);

    std::vector<char> text_;                   // each folded entry followed by a zero byte
    std::vector<std::uint32_t> rowEnds_;       // where the bytes of each folded row end
    std::array<std::uint32_t, 256> counts_{};  // how often each byte was folded (never less)
    std::string entry_;                        // the entry being folded
};

// The first place at or after from where needle's bytes stand in bytes; npos for none. The
// rarest byte of needle is looked for first, at the speed of a memory search.
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t rarest,
                      std::size_t from);

}  // namespace cp
