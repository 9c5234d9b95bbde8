// The smallest row number in any range of positions of a list of rows, in constant time: the
// minimum of every block of kBlockRows positions, and over those blocks a table of the minima of
// every run of 2^k blocks. A range scans at most its two partial end blocks and reads two runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cp {

class RowMinimum {
public:
    // The table takes under half a byte a row, and the two end blocks a search scans are 1 KB
    // of consecutive rows.
    static constexpr std::size_t kBlockRows = 128;

    // Builds over rows; the same rows must be handed to Min.
    void Build(const std::vector<std::int32_t>& rows);
    // The smallest of rows[first, last); the range must not be empty.
    std::int32_t Min(const std::vector<std::int32_t>& rows, std::size_t first,
                     std::size_t last) const;

private:
    std::int32_t BlockRunMin(std::size_t firstBlock, std::size_t lastBlock) const;

    // runs_[k][b]: the smallest row of blocks b to b + 2^k - 1.
    std::vector<std::vector<std::int32_t>> runs_;
};

}  // namespace cp
