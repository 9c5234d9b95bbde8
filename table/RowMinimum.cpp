#include "table/RowMinimum.h"

#include <algorithm>
#include <bit>

namespace cp {

void RowMinimum::Build(const std::vector<std::int32_t>& rows) {
    runs_.clear();
    const std::size_t blocks = (rows.size() + kBlockRows - 1) / kBlockRows;
    if (blocks == 0) return;
    std::vector<std::int32_t> minima(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const auto first = rows.begin() + static_cast<std::ptrdiff_t>(b * kBlockRows);
        const auto last =
            rows.begin() + static_cast<std::ptrdiff_t>(std::min(rows.size(), (b + 1) * kBlockRows));
        minima[b] = *std::min_element(first, last);
    }
    runs_.push_back(std::move(minima));
    for (std::size_t width = 2; width <= blocks; width *= 2) {
        const std::vector<std::int32_t>& half = runs_.back();
        std::vector<std::int32_t> run(blocks - width + 1);
        for (std::size_t b = 0; b < run.size(); ++b)
            run[b] = std::min(half[b], half[b + width / 2]);
        runs_.push_back(std::move(run));
    }
}

std::int32_t RowMinimum::BlockRunMin(std::size_t firstBlock, std::size_t lastBlock) const {
    const std::size_t count = lastBlock - firstBlock + 1;
    const auto level = static_cast<std::size_t>(std::bit_width(count) - 1);
    const std::vector<std::int32_t>& run = runs_[level];
    return std::min(run[firstBlock], run[lastBlock + 1 - (std::size_t{1} << level)]);
}

std::int32_t RowMinimum::Min(const std::vector<std::int32_t>& rows, std::size_t first,
                             std::size_t last) const {
    const std::size_t firstBlock = first / kBlockRows;
    const std::size_t lastBlock = (last - 1) / kBlockRows;
    const auto at = [&](std::size_t i) { return rows.begin() + static_cast<std::ptrdiff_t>(i); };
    if (lastBlock - firstBlock < 2) return *std::min_element(at(first), at(last));
    // The partial blocks at both ends, then the whole blocks between them.
    std::int32_t least = *std::min_element(at(first), at((firstBlock + 1) * kBlockRows));
    least = std::min(least, *std::min_element(at(lastBlock * kBlockRows), at(last)));
    return std::min(least, BlockRunMin(firstBlock + 1, lastBlock - 1));
}

}  // namespace cp
