// A row's place guessed from a server's statistics or from sampled entries, held against the
// place that counting the rows gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "data/HistogramEstimate.h"
#include "data/KeyedRows.h"

namespace cp::test {
namespace {

// 10,000 rows: 1,000 Null entries, 2,000 "Beta", and 7,000 different words in both cases.
struct Column {
    std::vector<std::optional<std::string>> entries;

    Column() {
        entries.assign(1000, std::nullopt);
        entries.insert(entries.end(), 2000, std::string("Beta"));
        char word[16];
        for (int i = 0; i < 7000; ++i) {
            std::snprintf(word, sizeof word, "%s %04d", i % 2 ? "Word" : "word", i);
            entries.emplace_back(word);
        }
    }

    // The place that counting gives: Nulls first, then the entries below the folded key.
    std::int64_t Place(const std::string& key) const {
        const std::string folded = FoldedPrefix(key);
        return std::ranges::count_if(
            entries, [&](const auto& e) { return !e || FoldedPrefix(*e) < folded; });
    }

    // What ANALYZE keeps: the shares of Null and of the common entry, and 101 bounds of the
    // others in the server's own order (byte order, case apart).
    ColumnStatistics Statistics() const {
        std::vector<std::string> others;
        for (const auto& e : entries)
            if (e && *e != "Beta") others.push_back(*e);
        std::ranges::sort(others);
        ColumnStatistics statistics{0.1, {{"Beta", 0.2}}, {}};
        for (std::size_t b = 0; b <= 100; ++b)
            statistics.bounds.push_back(
                others[std::min(others.size() - 1, b * others.size() / 100)]);
        return statistics;
    }
};

TEST(HistogramEstimate, PlacesEntriesWhereCountingPutsThemAndWithinTheRows) {
    const Column column;
    const RowsEstimate estimate = HistogramEstimate(10000, column.Statistics());
    // Within one bucket of 70 rows of the counted place.
    for (const std::string key : {"", "a", "BETA", "beta 1", "c", "WORD 0000", "word 1234",
                                  "Word 3501", "word 5", "wORD 6998", "word 6999", "zz"}) {
        EXPECT_NEAR(EstimatedPlace(estimate, Variant(key)), column.Place(key), 70) << key;
    }
    EXPECT_EQ(EstimatedPlace(estimate, Variant::Null()), 0);

    // The places of that estimate and of others grow with the entries and stay within the rows.
    const std::vector<RowsEstimate> estimates{
        estimate,
        HistogramEstimate(500, {0.3, {{"m", 0.5}, {"M", 0.1}}, {"a", "b", "b", "Z"}}),
        HistogramEstimate(100, {1.0, {}, {}}),
        SampledEstimate(1000, {"q", "b", "", "b", "zz", "k"}),
    };
    std::vector<std::string> keys{
        "",       "\x01", "a",  "aa",       "b",
        "b ",     "beta", "m",  "m\x01",    "M0",
        "word 3", "z",    "zz", "\xF4\x8F", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"};
    std::ranges::sort(keys, {}, [](const std::string& k) { return FoldedPrefix(k); });
    for (std::size_t e = 0; e < estimates.size(); ++e) {
        std::int64_t last = 0;
        for (const std::string& key : keys) {
            const std::int64_t place = EstimatedPlace(estimates[e], Variant(key));
            EXPECT_GE(place, last) << "estimate " << e << " key " << key;
            EXPECT_LE(place, estimates[e].rows) << "estimate " << e << " key " << key;
            last = place;
        }
    }
}

TEST(SampledEstimate, InterpolatesBetweenTheSampledEntries) {
    // Four entries sampled from 400 rows: "b" at 100, "d" at 200, "f" at 300.
    const RowsEstimate estimate = SampledEstimate(400, {"f", "b", "a", "d"});
    EXPECT_EQ(EstimatedPlace(estimate, Variant("A")), 0);
    EXPECT_EQ(EstimatedPlace(estimate, Variant("c")), 150);
    EXPECT_EQ(EstimatedPlace(estimate, Variant("D")), 200);
    EXPECT_GT(EstimatedPlace(estimate, Variant("z")), 300);
}

}  // namespace
}  // namespace cp::test
