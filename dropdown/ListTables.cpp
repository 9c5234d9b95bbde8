#include "dropdown/ListTables.h"

#include <limits>

namespace cp {

std::optional<std::int32_t> RowBand(const std::array<std::int16_t, 15>& rowBottoms, float Y) {
    if (!(Y >= 0)) return std::nullopt;
    for (std::size_t k = 0; k < rowBottoms.size(); ++k) {
        if (Y <= rowBottoms[k]) return static_cast<std::int32_t>(k);
    }
    return std::nullopt;
}

std::int32_t AddRows(std::int64_t a, std::int64_t b) {
    const std::int64_t sum = a + b;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max())
        Raise(vberr::Overflow);
    return static_cast<std::int32_t>(sum);
}

}  // namespace cp
